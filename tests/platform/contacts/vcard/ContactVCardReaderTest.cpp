#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include "VCardContactDump.h"
#include "VCardTestText.h"

#include <gtest/gtest.h>

#include <QUuid>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ReadRow {
    const char *name;
    const char16_t *text;
    QStringList dump;
};

class ContactVCardReaderTest : public testing::TestWithParam<ReadRow> { };

TEST_P(ContactVCardReaderTest, ReadsTheCardAsWritersWriteIt)
{
    const QList<StoreContact> contacts
        = ContactVCardSerialization::contactsWithData(QString::fromUtf16(GetParam().text));
    EXPECT_EQ(text(VCardContactDump::dump(contacts)), text(GetParam().dump));
}

// A reader that reads the cards of a file one at a time keeps its room from
// one card to the next, but nothing of what it read: after cards left open,
// cut off in a fold or a soft line break, or holding grouped lines, a card
// reads as it reads alone.
TEST_P(ContactVCardReaderTest, ReadsTheSameByACardReaderAfterOtherCards)
{
    ContactVCardSerialization::CardReader reader({});
    QList<StoreContact> contacts;
    for (const QString &before : {u"BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\n=\r\n"_s,
             u"BEGIN:VCARD\r\nitem1.X-ABLabel:Car\r\nitem2.TEL:1\r\nNOTE:long\r\n folded"_s,
             u"BEGIN:VCARD\r\nPHOTO;BASE64:\r\n    SGVs\r\nN:Doe;;;;\r\nEND:VCARD\r\nBEGIN:VCARD\r\n"_s}) {
        reader.read(before, contacts);
        reader.read(QString::fromUtf16(GetParam().text), contacts);
        EXPECT_EQ(text(VCardContactDump::dump(contacts)), text(GetParam().dump)) << before.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, ContactVCardReaderTest,
    testing::Values(ReadRow{"TypesInEveryStyle",
                        u"BEGIN:VCARD\r\nVERSION:3.0\r\nTEL;type=CELL;type=VOICE;type=pref:1\r\nTEL;TYPE=HOME,FAX:2\r\n"
                        u"TEL;WORK;VOICE:3\r\nTEL;TYPE=\"work,fax\":4\r\nTEL;FAX:5\r\nTEL;X-NEC-SECRET:6\r\nTEL:7\r\n"
                        u"TEL;IPHONE;CELL:8\r\nTEL;TYPE=MAIN:9\r\nTEL;PAGER:10\r\nEND:VCARD\r\n",
                        {"contact 1", "type: person", "phone[_$!<Mobile>!$_]: 1", "phone[_$!<HomeFAX>!$_]: 2",
                            "phone[_$!<Work>!$_]: 3", "phone[_$!<WorkFAX>!$_]: 4", "phone[_$!<OtherFAX>!$_]: 5",
                            "phone[X-NEC-SECRET]: 6", "phone[]: 7", "phone[iPhone]: 8", "phone[_$!<Main>!$_]: 9",
                            "phone[_$!<Pager>!$_]: 10"}},
        ReadRow{"GroupLabelsBeforeAndAfter",
            u"BEGIN:VCARD\r\nitem2.X-ABLabel:_$!<HomePage>!$_\r\nitem1.URL:http\\://a.example\r\n"
            u"item2.URL;type=pref:www.b.example\r\nitem1.X-ABLabel:Blog\r\nITEM3.TEL:5\r\nitem3.x-ablabel:Car\r\n"
            u"END:VCARD\r\n",
            {"contact 1", "type: person", "phone[Car]: 5", "url[Blog]: http://a.example",
                "url[_$!<HomePage>!$_]: www.b.example"}},
        ReadRow{"PhoneticLinesWinOverSound",
            u"BEGIN:VCARD\r\nSOUND;X-IRMC-N:ｱﾝﾄﾞｳ;;;;\r\nX-PHONETIC-LAST-NAME:アンドウ\r\nEND:VCARD\r\n"
            u"BEGIN:VCARD\r\nX-PHONETIC-LAST-NAME:アンドウ\r\nSOUND;X-IRMC-N:ｱﾝﾄﾞｳ;;;;\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "phoneticFamilyName: アンドウ", "contact 2", "type: person",
                "phoneticFamilyName: アンドウ"}},
        ReadRow{"QuotedPrintableNoteInLines",
            u"BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:first=0D=0Asecond=\r\n line\r\nNOTE:more\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "note: first\\nsecond line\\nmore"}},
        ReadRow{"Base64TextValue", u"BEGIN:VCARD\r\nFN;ENCODING=b;CHARSET=UTF-8:5bGx55Sw\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "givenName: 山田"}},
        ReadRow{"PhotoFolded30AndBare21",
            u"BEGIN:VCARD\r\nPHOTO;ENCODING=b;TYPE=JPEG:SGVs\r\n  bG8=\r\nEND:VCARD\r\n"
            u"BEGIN:VCARD\r\nPHOTO;BASE64;JPEG:\r\n    SGVs\r\n    bG8=\r\n\r\nEND:VCARD\r\n"
            u"BEGIN:VCARD\nPHOTO:data:image/jpeg;base64,SGVsbG8=\nEND:VCARD\n",
            {"contact 1", "type: person", "image: 5 bytes, sha1 f7ff9e8b7bb2", "contact 2", "type: person",
                "image: 5 bytes, sha1 f7ff9e8b7bb2", "contact 3", "type: person", "image: 5 bytes, sha1 f7ff9e8b7bb2"}},
        ReadRow{"AddressPartsAndCountryCode",
            u"BEGIN:VCARD\r\nitem1.ADR;type=WORK;X-APPLE-SUBLOCALITY=Shibuya:PO 5;Suite 100;1-2-3 Jingumae\\nBldg;"
            u"Tokyo;Tokyo-to;150-0001;Japan\r\nitem1.X-ABADR:jp\r\nADR;TYPE=HOME,POSTAL:;;;Austin;TX\r\nEND:VCARD\r\n",
            {"contact 1", "type: person",
                "address[_$!<Work>!$_]: street=PO 5\\nSuite 100\\n1-2-3 Jingumae\\nBldg | subLocality=Shibuya | "
                "city=Tokyo | state=Tokyo-to | postalCode=150-0001 | country=Japan | iso=jp",
                "address[_$!<Home>!$_]: city=Austin | state=TX"}},
        ReadRow{"OrganizationAndKinds",
            u"BEGIN:VCARD\r\nORG:Gump Shrimp Co.;Sales Dept.\\;Manager;Fish "
            u"keeper\r\nX-ABShowAs:COMPANY\r\nEND:VCARD\r\n"
            u"BEGIN:VCARD\nVERSION:4.0\nKIND:org\nFN:ACME\nEND:VCARD\n",
            {"contact 1", "type: organization", "organizationName: Gump Shrimp Co.",
                "departmentName: Sales Dept.;Manager, Fish keeper", "contact 2", "type: organization",
                "organizationName: ACME"}},
        ReadRow{"DatesRelationsAndBirthday",
            u"BEGIN:VCARD\r\nitem4.X-ABDATE:1970-06-02\r\nitem4.X-ABLabel:_$!<Anniversary>!$_\r\n"
            u"ANNIVERSARY;VALUE=DATE:20091010\r\nitem5.X-ABRELATEDNAMES:Jenny\r\nitem5.X-ABLabel:_$!<Spouse>!$_\r\n"
            u"RELATED;TYPE=friend;VALUE=text:Max\r\nX-EVOLUTION-MANAGER:Big Blue\r\n"
            u"BDAY;X-APPLE-OMIT-YEAR=1604:1604-03-15\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "date[_$!<Anniversary>!$_]: 1970-06-02",
                "date[_$!<Anniversary>!$_]: 2009-10-10", "relation[_$!<Spouse>!$_]: Jenny",
                "relation[_$!<Friend>!$_]: Max", "relation[_$!<Manager>!$_]: Big Blue", "birthday: xxxx-03-15"}},
        ReadRow{"InstantMessagesAndProfiles",
            u"BEGIN:VCARD\r\nIMPP;X-SERVICE-TYPE=AIM;type=HOME;type=pref:aim:johnny5\r\nIMPP:xmpp:j@example.com\r\n"
            u"X-AIM;TYPE=HOME;X-COUCHDB-UUID=\"cb9e\":johnny\r\nX-ICQ:123456789\r\n"
            u"X-SOCIALPROFILE;type=twitter;x-user=jdoe:http://twitter.com/jdoe\r\n"
            u"X-SOCIALPROFILE;type=linkedin:x-apple:jd\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "instantMessage[_$!<Home>!$_]: AIM / johnny5",
                "instantMessage[]: Jabber / j@example.com", "instantMessage[_$!<Home>!$_]: AIM / johnny",
                "instantMessage[]: ICQ / 123456789", "socialProfile[]: Twitter / jdoe /  / http://twitter.com/jdoe",
                "socialProfile[]: LinkedIn / jd /  / "}},
        // Empty parameters, colons in values and quoted parameter values; lines
        // without name or colon, or with an unclosed quote, hold no property.
        ReadRow{"LineForms",
            u"BEGIN:VCARD\r\nTEL;;HOME;:5\r\nURL:http://a.b/c:d\r\n:value\r\nTEL;TYPE=\"home:1\r\njust text\r\n"
            u"EMAIL;X-UUID=\"a;b:c\";TYPE=WORK:x@y\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "phone[_$!<Home>!$_]: 5", "email[_$!<Work>!$_]: x@y",
                "url[]: http://a.b/c:d"}},
        ReadRow{"UnknownPropertiesAndTextOutsideCards",
            u"garbage before\r\nBEGIN:VCARD\r\nX-MS-OL-DESIGN;CHARSET=utf-8:<card/>\r\nAGENT:Invalid line\r\n"
            u"UID:477343c8\r\nEMAIL;INTERNET;PREF:a@example.com\r\nEND:VCARD\r\ntrailing garbage",
            {"contact 1", "type: person", "email[]: a@example.com"}}),
    [](const testing::TestParamInfo<ReadRow> &info) { return std::string(info.param.name); });

// Input that is broken in the ways real files and the fuzzer break it: the
// contacts that can be read come back, nothing else happens.
INSTANTIATE_TEST_SUITE_P(BadInput, ContactVCardReaderTest,
    testing::Values(
        ReadRow{"BrokenFolding", u"BEGIN:VCARD\r\nN:Doe;Jo\r\nhn;;;\r\nEMAIL:a@example.com\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "givenName: Jo", "familyName: Doe", "email[]: a@example.com"}},
        ReadRow{"UnknownCharset",
            u"BEGIN:VCARD\r\nN;CHARSET=X-MARTIAN;ENCODING=QUOTED-PRINTABLE:=C3=91;;;;\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "familyName: Ñ"}},
        ReadRow{"InvalidBase64", u"BEGIN:VCARD\r\nN:Doe;;;;\r\nPHOTO;ENCODING=b:@@@not base64@@@\r\nEND:VCARD\r\n",
            {"contact 1", "type: person", "familyName: Doe"}},
        ReadRow{"EmptyUnterminatedCardGivesNothing", u"BEGIN:VCARD\r\nVERSION:3.0\r\n", {}},
        ReadRow{"BinaryGarbage",
            u"\x0001\xFFFF:;;\r\nBEGIN:VCARD\r\n\x0001\xFFFF\xD800:;;\r\n\xDC00"
            u"N:x\r\n;=\x0002:\r\n\"\r\nEND:VCARD",
            {"contact 1", "type: person"}},
        ReadRow{"QuotedPrintableEndsInsideEscape", u"BEGIN:VCARD\r\nN;QUOTED-PRINTABLE:A=C",
            {"contact 1", "type: person", "familyName: A=C"}}),
    [](const testing::TestParamInfo<ReadRow> &info) { return std::string(info.param.name); });

TEST(ContactVCardReaderReportTest, CountsSkippedLinesWithTheirNumbers)
{
    ContactVCardSerialization::ReadReport report;
    const QList<StoreContact> contacts = ContactVCardSerialization::contactsWithData(
        QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;;;;\r\nGEO:35.6;139.6\r\nPHOTO;BASE64:\r\n"
                       " %%%%\r\n\r\nno colon here\r\nBDAY:someday\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:Roe;;;;"),
        &report);
    ASSERT_EQ(contacts.size(), 2);
    EXPECT_EQ(report.cardCount, 2);
    EXPECT_EQ(report.unterminatedCardCount, 1);
    QStringList skipped;
    for (const ContactVCardSerialization::SkippedLine &line : report.skippedLines)
        skipped.append(QString::number(line.lineNumber) + u' ' + line.name);
    EXPECT_EQ(text(skipped), text(QStringList({"4 GEO", "5 PHOTO", "8 ", "9 BDAY"})));
}

// Contacts and values get identifiers of their own as the store writes them
// (see StoreContactIdentifier's test): a new one at every read, never the
// card's UID.
TEST(ContactVCardReaderIdentityTest, EveryContactAndValueReadGetsAnIdentifierOfItsOwn)
{
    const QString text
        = QStringLiteral("BEGIN:VCARD\r\nUID:card-uid-1\r\nN:Doe;;;;\r\nTEL:1\r\nTEL:2\r\nEMAIL:a@b.c\r\n"
                         "ADR:;;x;;;;\r\nEND:VCARD\r\n");
    QStringList identifiers;
    for (const StoreContact &contact : ContactVCardSerialization::contactsWithData(text + text)) {
        identifiers += {contact.identifier(), contact.emailAddresses().at(0).identifier(),
            contact.postalAddresses().at(0).identifier()};
        for (const auto &value : contact.phoneNumbers())
            identifiers.append(value.identifier());
    }
    ASSERT_EQ(identifiers.size(), 10);
    for (const QString &identifier : identifiers) {
        EXPECT_EQ(QUuid(identifier).toString(QUuid::WithoutBraces), identifier);
        EXPECT_EQ(identifiers.count(identifier), 1);
    }
}

// The interchange reader hands over each card as a view into the whole file:
// nothing after the view may be read, not even a continuation line.
TEST(ContactVCardReaderViewTest, ReadsOnlyTheViewOfALargerText)
{
    const QString whole = QStringLiteral("BEGIN:VCARD\r\nN:Doe;;;;\r\nNOTE:first\r\n second\r\nEND:VCARD\r\n");
    const qsizetype cut = whole.indexOf(u" second");
    ContactVCardSerialization::ReadReport report;
    const QList<StoreContact> contacts
        = ContactVCardSerialization::contactsWithData(QStringView(whole).first(cut), &report);
    ASSERT_EQ(contacts.size(), 1);
    EXPECT_EQ(contacts.at(0).note(), QStringLiteral("first"));
    EXPECT_EQ(report.unterminatedCardCount, 1);
    const QList<StoreContact> all = ContactVCardSerialization::contactsWithData(QStringView(whole).sliced(0));
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all.at(0).note(), QStringLiteral("firstsecond"));
}

// Short values read before are handed out again instead of being copied; with
// more distinct values than the reader keeps, each must still read as written.
TEST(ContactVCardReaderSharedValuesTest, EveryCardKeepsItsOwnValues)
{
    QString cards;
    QStringList expected;
    for (int i = 0; i < 600; ++i) {
        cards += QStringLiteral("BEGIN:VCARD\r\nN:Family%1;Given;;;\r\nORG:Org %2\\, Ltd;Dept\r\n"
                                "ADR:;;Street %1;City;State;;Country\r\nEND:VCARD\r\n")
                     .arg(i)
                     .arg(i % 3);
        expected += {QStringLiteral("contact %1").arg(i + 1), "type: person", "givenName: Given",
            QStringLiteral("familyName: Family%1").arg(i), QStringLiteral("organizationName: Org %1, Ltd").arg(i % 3),
            "departmentName: Dept",
            QStringLiteral("address[]: street=Street %1 | city=City | state=State | country=Country").arg(i)};
    }
    const QList<StoreContact> contacts = ContactVCardSerialization::contactsWithData(cards);
    EXPECT_EQ(text(VCardContactDump::dump(contacts)), text(expected));
    // A value changed in place afterwards leaves the others as they were read.
    QString given = contacts.at(0).givenName();
    given[0] = u'X';
    EXPECT_EQ(contacts.at(0).givenName() + contacts.at(1).givenName(), QStringLiteral("GivenGiven"));
}

} // namespace
