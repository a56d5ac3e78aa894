#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/vcard/VCardFolding_p.h"

#include "../StoreTestSupport.h"
#include "VCardContactDump.h"
#include "VCardTestText.h"

#include <gtest/gtest.h>

namespace {

// Every field the writer writes, note aside.
StoreContact fullContact()
{
    StoreContact contact = StoreTestSupport::everyFieldContact();
    contact.setNote({});
    return contact;
}

// Every field but the note and the photo, which the writer leaves out.
TEST(ContactVCardWriterTest, WrittenAndReadBackGivesTheSameFieldValues)
{
    const StoreContact person = fullContact();
    StoreContact company = fullContact();
    company.setContactType(StoreContact::ContactType::Organization);
    company.setBirthday(StoreDateComponents{std::nullopt, 12, 24});
    StoreContact withNoteAndPhoto = company.mutableCopy();
    withNoteAndPhoto.setNote(QStringLiteral("a note"));
    withNoteAndPhoto.setImageData(QByteArray(300, 'x'));
    const QByteArray data = ContactVCardSerialization::dataWithContacts({person, withNoteAndPhoto});
    EXPECT_FALSE(data.contains("\r\nNOTE") || data.contains("\r\nPHOTO"));
    const QList<StoreContact> back = ContactVCardSerialization::contactsWithData(QString::fromUtf8(data));
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(text(VCardContactDump::dump(back.at(0))), text(VCardContactDump::dump(person)));
    EXPECT_EQ(text(VCardContactDump::dump(back.at(1))), text(VCardContactDump::dump(company)));
}

// What other address books expect: one content line each, CRLF, the standard
// properties in their 3.0 forms and the own ones in the forms phones write
// (the length of lines is checked on exports of every kind).
TEST(ContactVCardWriterTest, WritesVCard30OnTheWire)
{
    StoreContact company = fullContact();
    company.setContactType(StoreContact::ContactType::Organization);
    const QByteArray data = ContactVCardSerialization::dataWithContacts({company, StoreContact()});
    ASSERT_TRUE(data.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;Q\\, R;Dr.;Jr.\\; III\r\n"));
    ASSERT_TRUE(data.endsWith("END:VCARD\r\n"));
    EXPECT_EQ(data.count("BEGIN:VCARD\r\n"), 2);
    const QString written = QString::fromUtf8(data);
    for (const char *expected : {"\r\nTEL;TYPE=CELL,VOICE:090-1234-5678\r\n",
             "\r\nTEL;TYPE=IPHONE,CELL,VOICE:+81 80 1111 2222\r\n", "\r\nTEL;TYPE=WORK,FAX:03-1111-2222\r\n",
             "\r\nitem2.TEL:03-3333-4444\r\nitem2.X-ABLabel:_$!<School>!$_\r\n",
             "\r\nitem3.TEL:0263-11-2222\r\nitem3.X-ABLabel:実家\r\n", "\r\nTEL:117\r\n",
             "\r\nEMAIL;TYPE=INTERNET,WORK:taro@example.co.jp\r\n",
             "\r\nitem1.EMAIL;TYPE=INTERNET:taro@example.ne.jp\r\nitem1.X-ABLabel:携帯\\, 私用\r\n",
             "\r\nX-PHONETIC-FIRST-NAME:タロウ\r\n", "\r\nX-PHONETIC-MIDDLE-NAME:キュー\r\n",
             "\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\n", "\r\nX-MAIDENNAME:佐藤\r\n", "\r\nitem4.X-ABADR:jp\r\n",
             "\r\nBDAY:1970-02-28\r\n", ".X-ABDATE;X-APPLE-OMIT-YEAR=1604:1604-01-01\r\n",
             "\r\nIMPP;TYPE=HOME;X-SERVICE-TYPE=Jabber:xmpp:taro@example.com\r\n",
             "\r\nFN:山田商事株式会社\\; Yamada Trading\\, Ltd.\r\n", "\r\nX-ABShowAs:COMPANY\r\nEND:VCARD\r\n"}) {
        EXPECT_TRUE(written.contains(QString::fromUtf8(expected))) << expected << "\nin\n" << data.constData();
    }
}

// Lines are written straight into the card and folded there when long: the
// folded line must be what the folding rule makes of it, and the lines around
// it must stay as they were.
TEST(ContactVCardWriterTest, LongLinesAreFoldedWhereTheyStand)
{
    StoreContact contact;
    contact.setFamilyName(QStringLiteral("山田"));
    contact.setOrganizationName(QString(40, QChar(u'社')) + QStringLiteral(", Ltd."));
    contact.setJobTitle(QStringLiteral("課長"));
    const QByteArray data = ContactVCardSerialization::dataWithContacts({contact});
    std::string organization;
    VCardFolding::appendFoldedLine(organization, "ORG:" + QString(40, QChar(u'社')).toStdString() + "\\, Ltd.");
    const std::string expected = "\r\nFN:山田\r\n" + organization + "TITLE:課長\r\nEND:VCARD\r\n";
    EXPECT_TRUE(data.toStdString().ends_with(expected)) << data.constData();
    EXPECT_GE(QByteArray::fromStdString(organization).count("\r\n "), 1);
}

// FN joins the escaped parts in the name's order, or gives the organization.
TEST(ContactVCardWriterTest, FNJoinsTheEscapedPartsInTheNameOrder)
{
    // Prefix, given, middle, family, suffix, organization, and the line.
    const std::array<const char16_t *, 6> names[]
        = {{u"", u"太郎", u"", u"山田", u"", u""}, {u"Dr.", u"John", u"Q\\R", u"Doe", u"Jr., III", u""},
            {u"", u"A\r", u"", u"", u"\nB", u""}, {u"Mr.", u"", u"", u"", u"", u"A;B"}, {u"", u"", u"", u"", u"", u""}};
    const char *lines[] = {"FN:山田 太郎", "FN:Dr. John Q\\\\R Doe Jr.\\, III", "FN:A\\n \\nB", "FN:A\\;B", "FN:"};
    for (size_t i = 0; i < std::size(names); ++i) {
        StoreContact contact;
        contact.setNamePrefix(QString::fromUtf16(names[i][0]));
        contact.setGivenName(QString::fromUtf16(names[i][1]));
        contact.setMiddleName(QString::fromUtf16(names[i][2]));
        contact.setFamilyName(QString::fromUtf16(names[i][3]));
        contact.setNameSuffix(QString::fromUtf16(names[i][4]));
        contact.setOrganizationName(QString::fromUtf16(names[i][5]));
        const QByteArray data = ContactVCardSerialization::dataWithContacts({contact});
        EXPECT_TRUE(data.contains(QByteArray(QByteArray("\r\n") + lines[i] + "\r\n"))) << data.constData();
    }
}

} // namespace
