#include "interchange/MVvCard.h"
#include "interchange/QuillmarkCsvReader.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::Literals::StringLiterals;

// What every reader of an e-mail's account parts sees, however the parts came
// to be: split from the address by a file's reader, set by an editor, or kept
// from an earlier address.
namespace {

LabeledValueRecord firstEmail(const ContactTablePtr &contacts)
{
    EXPECT_TRUE(contacts && !contacts->isEmpty());
    if (!contacts || contacts->isEmpty())
        return {};
    const LabeledValueRecordPtr email
        = contacts->constFirst()->person->labeledValueForIdentifierAtIndex(FieldId::Email, 0);
    EXPECT_TRUE(email);
    return email ? *email : LabeledValueRecord();
}

LabeledValueRecord fromVCard(const QString &address)
{
    const QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Yamada;Taro;;;\r\nFN:Taro Yamada\r\n"
                         u"EMAIL;TYPE=INTERNET:%1\r\nEND:VCARD\r\n"_s.arg(address);
    MVvCard card;
    const ContainerTablePtr containers = card.containersFromVCards(text, nullptr);
    EXPECT_TRUE(containers && containers->size() == 1);
    return firstEmail(card.contactsInContainer(containers->constFirst()));
}

LabeledValueRecord fromCsv(const QString &address)
{
    return firstEmail(QuillmarkCsvReader::contactsFromQuillmarkCSV(u"Name,Email\nTaro,%1\n"_s.arg(address)).contacts);
}

// An address as a file's reader or a new value in the person leaves it.
LabeledValueRecord formatted(const QString &address)
{
    LabeledValueRecord record;
    record.value = address;
    ValueRecordFormatter::updateEmailValue(&record);
    return record;
}

// The editor's value column sets the value and the shown text only.
LabeledValueRecord edited(LabeledValueRecord record, const QString &address)
{
    record.value = address;
    record.stringValue = address;
    return record;
}

// An address edited and then formatted again, as the person does on saving.
LabeledValueRecord reformatted(const QString &before, const QString &after)
{
    LabeledValueRecord record = edited(fromCsv(before), after);
    ValueRecordFormatter::updateEmailValue(&record);
    return record;
}

LabeledValueRecord withUsername(LabeledValueRecord record, const QString &username)
{
    record.account->username = username;
    return record;
}

struct PartsRow {
    const char *name;
    std::function<LabeledValueRecord()> make;
    QString parts; // "username|domain|service|urlString|userIdentifier"
};

QString partsOf(const LabeledValueRecord &record)
{
    const LabeledValueRecord::AccountParts parts = record.accountParts();
    return QStringList{parts.username, parts.domain, parts.service, parts.urlString, parts.userIdentifier}.join(u'|');
}

// The same parts set one by one on a record of the same value and texts.
LabeledValueRecord explicitTwin(const LabeledValueRecord &record)
{
    LabeledValueRecord twin;
    twin.label = record.label;
    twin.value = record.value;
    twin.stringValue = record.stringValue;
    twin.labelIndex = record.labelIndex;
    const QStringList parts = partsOf(record).split(u'|');
    twin.account->username = parts.at(0);
    twin.account->domain = parts.at(1);
    twin.account->service = parts.at(2);
    twin.account->urlString = parts.at(3);
    twin.account->userIdentifier = parts.at(4);
    return twin;
}

class EmailAccountParts : public testing::TestWithParam<PartsRow> { };

TEST_P(EmailAccountParts, EveryReaderSeesTheSameParts)
{
    const LabeledValueRecord record = GetParam().make();
    EXPECT_EQ(partsOf(record), GetParam().parts);

    const QStringList parts = GetParam().parts.split(u'|');
    const QVariantMap map = record.toVariantMap();
    EXPECT_EQ(map.value(u"username"_s).toString(), parts.at(0));
    EXPECT_EQ(map.value(u"domain"_s).toString(), parts.at(1));
    EXPECT_EQ(map.contains(u"username"_s), !parts.at(0).isEmpty());
    EXPECT_EQ(map.contains(u"domain"_s), !parts.at(1).isEmpty());
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(map), record);

    const LabeledValueRecord twin = explicitTwin(record);
    EXPECT_EQ(twin, record);
    EXPECT_EQ(record, twin);
    EXPECT_NE(withUsername(twin, u"other"_s), record);
    EXPECT_NE(record, withUsername(twin, u"other"_s));

    LabeledValueRecord copy = record;
    EXPECT_EQ(copy, record);
    EXPECT_EQ(partsOf(copy), GetParam().parts);
    copy.account->domain = u"changed.jp"_s;
    EXPECT_EQ(partsOf(record), GetParam().parts) << "a copy's change reaches the original";
    EXPECT_EQ(copy.accountParts().domain, u"changed.jp"_s);
    EXPECT_EQ(copy.accountParts().username, parts.at(0));
    copy = record;
    EXPECT_EQ(copy, record);
}

INSTANTIATE_TEST_SUITE_P(Emails, EmailAccountParts,
    testing::Values(PartsRow{"FromVCard", [] { return fromVCard(u"taro@example.jp"_s); }, u"taro|example.jp|||"_s},
        PartsRow{"FromCsv", [] { return fromCsv(u"hanako@example.co.jp"_s); }, u"hanako|example.co.jp|||"_s},
        PartsRow{"FromVCardWithoutAt", [] { return fromVCard(u"taro"_s); }, u"taro||||"_s},
        PartsRow{"AtLast", [] { return formatted(u"taro@"_s); }, u"||||"_s},
        PartsRow{"AtFirst", [] { return formatted(u"@example.jp"_s); }, u"|example.jp|||"_s},
        PartsRow{"SeveralAts", [] { return fromCsv(u"a@b@c.jp"_s); }, u"a|b@c.jp|||"_s},
        PartsRow{"SetByEditor",
            [] { return formatted(edited(LabeledValueRecord(), u"jiro@example.jp"_s).valueText()); },
            u"jiro|example.jp|||"_s},
        PartsRow{"UsernameEditedToDiffer", [] { return withUsername(fromVCard(u"taro@example.jp"_s), u"ty"_s); },
            u"ty|example.jp|||"_s},
        PartsRow{"ValueEditedAfterParts", [] { return edited(fromVCard(u"taro@example.jp"_s), u"jiro@other.jp"_s); },
            u"taro|example.jp|||"_s},
        PartsRow{"ValueEditedThenFormattedWithoutAt", [] { return reformatted(u"taro@example.jp"_s, u"plain"_s); },
            u"plain||||"_s},
        PartsRow{"ValueEditedThenFormattedAtFirst", [] { return reformatted(u"taro@example.jp"_s, u"@other.jp"_s); },
            u"|other.jp|||"_s},
        PartsRow{"ValueEditedThenFormatted", [] { return reformatted(u"taro@example.jp"_s, u"jiro@other.jp"_s); },
            u"jiro|other.jp|||"_s},
        PartsRow{"SocialProfile",
            [] {
                LabeledValueRecord record;
                record.label = u"Twitter"_s;
                record.value = u"taro@x"_s;
                ValueRecordFormatter::updateSNSValue(&record);
                record.account->urlString = u"https://example.jp/taro"_s;
                return record;
            },
            u"taro@x||Twitter|https://example.jp/taro|"_s},
        PartsRow{"InstantMessage",
            [] {
                LabeledValueRecord record;
                record.value = u"taro@chat.jp"_s;
                record.account->service = u"Skype"_s;
                ValueRecordFormatter::updateIMSValue(&record);
                return record;
            },
            u"taro@chat.jp||Skype||"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// A file's addresses whose parts are their own halves hold no group of
// parts: a large file would otherwise keep one and a user-name copy per
// address. Parts set any other way keep theirs.
TEST(EmailAccountParts, OnlyPartsSetOtherwiseHoldAGroup)
{
    const std::pair<LabeledValueRecord, bool> rows[]
        = {{fromVCard(u"taro@example.jp"_s), false}, {fromCsv(u"a@b@c.jp"_s), false}, {fromCsv(u"taro"_s), false},
            {formatted(u"@example.jp"_s), true}, {withUsername(fromCsv(u"taro@example.jp"_s), u"ty"_s), true},
            {edited(fromCsv(u"taro@example.jp"_s), u"jiro@other.jp"_s), false},
            {LabeledValueRecord::fromVariantMap(fromCsv(u"taro@example.jp"_s).toVariantMap()), true}};
    for (const auto &[record, group] : rows) {
        EXPECT_EQ(record.account.holdsGroup(), group) << record.valueText().toStdString();
        EXPECT_EQ(LabeledValueRecord(record).account.holdsGroup(), group) << record.valueText().toStdString();
    }
}

} // namespace
