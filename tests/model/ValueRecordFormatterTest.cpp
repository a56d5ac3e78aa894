#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

NameRecord nameOf(const QString &first, const QString &middle, const QString &last, int ordering)
{
    NameRecord name;
    name.firstName = first;
    name.setMiddleName(middle);
    name.lastName = last;
    name.nameOrdering = ordering;
    return name;
}

// The middle name shows only alone.
TEST(CompositeName, FollowsTheNameOrdering)
{
    const bool familyFirst = StoreUserDefaults::sortOrder() == StoreUserDefaults::SortOrder::FamilyName;
    const std::pair<NameRecord, QString> rows[]
        = {{nameOf("Taro", "", "Yamada", 1), "Taro Yamada"}, {nameOf("Taro", "", "Yamada", 2), "Yamada Taro"},
            {nameOf("Taro", "", "Yamada", 0), familyFirst ? "Yamada Taro" : "Taro Yamada"},
            {nameOf("", "Quincy", "", 1), "Quincy"}, {nameOf("John", "Quincy", "", 2), "John"},
            {nameOf("", "Quincy", "Adams", 1), "Adams"}, {nameOf("John", "Quincy", "Adams", 1), "John Adams"},
            {nameOf("", "", "", 1), ""}};
    for (const auto &[name, expected] : rows)
        EXPECT_EQ(MVPerson::compositeNameFromNameDict(name), expected) << qPrintable(expected);
}

// The display string laid out from its parts: each part's text at its
// place, spaces between; null when no part is shown.
QString laidOut(const ValueRecordFormatter::DisplayedParts &parts)
{
    QString text;
    for (const ValueRecordFormatter::DisplayedPart &part : parts) {
        text = text.leftJustified(part.location, u' ');
        text += part.text;
    }
    return text;
}

struct NameCase {
    const char *first;
    const char *middle;
    const char *last;
    int ordering;
};

class NameDisplay : public testing::TestWithParam<NameCase> { };

// The display strings are made without the parts the find works on; they
// must still be those parts at the places the find counts on.
TEST_P(NameDisplay, StringIsItsPartsAtTheirPlaces)
{
    const NameCase &c = GetParam();
    const NameRecord name
        = nameOf(QString::fromUtf8(c.first), QString::fromUtf8(c.middle), QString::fromUtf8(c.last), c.ordering);
    const QString composite = MVPerson::compositeNameFromNameDict(name);
    const QString compositeParts = laidOut(ValueRecordFormatter::compositeNameParts(name));
    EXPECT_EQ(composite, compositeParts);
    EXPECT_EQ(composite.isNull(), compositeParts.isNull());

    PhoneticNameRecord phonetic;
    phonetic.firstName = name.firstName;
    phonetic.middleName = name.middleName();
    phonetic.lastName = name.lastName;
    const QString reading = ValueRecordFormatter::phoneticNameString(phonetic, c.ordering);
    const QString readingParts = laidOut(ValueRecordFormatter::phoneticNameParts(phonetic, c.ordering));
    EXPECT_EQ(reading, readingParts);
    // A contact without a reading shares the empty one, which a null text tells.
    EXPECT_EQ(reading.isNull(), readingParts.isNull());
}

INSTANTIATE_TEST_SUITE_P(Names, NameDisplay,
    testing::Values(NameCase{"太郎", "", "山田", 1}, NameCase{"太郎", "", "山田", 2},
        NameCase{"Taro", "Q", "Yamada", 0}, NameCase{"太郎", "", "", 2}, NameCase{"", "", "山田", 1},
        NameCase{"", "Quincy", "", 2}, NameCase{"", "", "", 1}, NameCase{" ", "", "\u3000", 2}));

// "label|shown text|user|domain|service" of a record after its update.
QString shown(const LabeledValueRecord &record)
{
    return QStringList{record.labelText(), record.stringValue, record.accountParts().username,
        record.accountParts().domain, record.accountParts().service}
        .join(u'|');
}

LabeledValueRecord textRecord(const std::optional<QString> &label, const QString &value, const QString &service = {})
{
    LabeledValueRecord record;
    record.label = label;
    if (!value.isNull())
        record.value = value;
    record.account->service = service;
    return record;
}

// An e-mail address splits at its first at sign and keeps earlier parts the
// new address lacks. Domains repeat from record to record and are shared;
// each record must still get its own address's domain.
TEST(EmailValues, SplitAtTheFirstAtSign)
{
    const std::pair<const char *, const char *> rows[]
        = {{"taro@example.jp", "No label|taro@example.jp|taro|example.jp|"}, {"taro@", "No label|taro@|||"},
            {"@example.jp", "No label|@example.jp||example.jp|"}, {"a@b@c", "No label|a@b@c|a|b@c|"},
            {"no-at-sign", "No label|no-at-sign|no-at-sign||"}, {"", "No label||||"},
            {"b@example.jp", "No label|b@example.jp|b|example.jp|"}, {"c@other.jp", "No label|c@other.jp|c|other.jp|"},
            {"d@example.jpx", "No label|d@example.jpx|d|example.jpx|"}};
    for (const auto &[address, expected] : rows) {
        LabeledValueRecord email = textRecord(std::nullopt, QString::fromUtf8(address));
        MVPerson::updateEmailValue(&email);
        EXPECT_EQ(shown(email), QString::fromUtf8(expected));
    }
    LabeledValueRecord email = textRecord("work", "taro@example.jp");
    MVPerson::updateEmailValue(&email);
    email.value = QString("@example.org");
    MVPerson::updateEmailValue(&email);
    EXPECT_EQ(shown(email), "work|@example.org||example.org|");
}

// An address edited keeps no part of what it was: sorting by the domain or
// the user name sorts by the address shown. Without an at sign the whole text
// is the user name, as the table shows it; a group of parts set one by one
// keeps its others.
TEST(EmailValues, PartsFollowTheEditedAddress)
{
    const std::pair<const char *, const char *> edits[] = {{"ann.example.org", "|ann.example.org||"}, {"ann@", "|||"},
        {"@example.net", "||example.net|"}, {"bo@example.net", "|bo|example.net|"}, {"", "|||"}};
    for (const bool group : {false, true}) {
        for (const auto &[edited, parts] : edits) {
            LabeledValueRecord email = textRecord("home", "ann@example.org", group ? "mail" : "");
            MVPerson::updateEmailValue(&email);
            email.value = QString::fromUtf8(edited);
            MVPerson::updateEmailValue(&email);
            const QString expected
                = "home|" + QString::fromUtf8(edited) + QString::fromUtf8(parts) + (group ? "mail" : "");
            EXPECT_EQ(shown(email), expected) << edited;
            EXPECT_EQ(email.accountPart(&AccountParts::domain), email.accountParts().domain) << edited;
            EXPECT_EQ(email.accountPart(&AccountParts::username), email.accountParts().username) << edited;
        }
    }
    MVPerson person;
    LabeledValueRecord stored = textRecord("home", "ann@example.org");
    person.addLabeledValue(stored, FieldId::Email);
    LabeledValueRecord edited = *person.labeledValueForIdentifierAtIndex(FieldId::Email, 0);
    edited.value = QString("ann.example.org");
    person.replaceLabeledValueAtIndex(edited, FieldId::Email, 0);
    const LabeledValueRecordPtr read = person.labeledValueForIdentifierAtIndex(FieldId::Email, 0);
    EXPECT_EQ(read->accountPart(&AccountParts::domain), "");
    EXPECT_EQ(read->accountPart(&AccountParts::username), "ann.example.org");
}

// Instant messages show service and user; social profiles take their service
// from the label.
TEST(ServiceValues, ShowServiceAndUser)
{
    const std::pair<LabeledValueRecord, const char *> messages[]
        = {{textRecord(std::nullopt, {}), "No label||||"}, {textRecord("", {}, "Skype"), "|Skype:|||Skype"},
            {textRecord(std::nullopt, "taro", "Jabber"), "No label|Jabber:taro|taro||Jabber"}};
    for (auto [record, expected] : messages) {
        MVPerson::updateIMSValue(&record);
        EXPECT_EQ(shown(record), expected);
    }
    LabeledValueRecord unlabeled = textRecord(std::nullopt, "taro");
    MVPerson::updateSNSValue(&unlabeled);
    EXPECT_EQ(shown(unlabeled), "No service|taro|taro||No service");
    LabeledValueRecord emptyLabel = textRecord("", {});
    MVPerson::updateSNSValue(&emptyLabel);
    EXPECT_EQ(emptyLabel.label, QString(""));
}

class BirthdayText : public testing::TestWithParam<QLocale::Language> {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

// The text is built without QLocale's pattern parser; it must read as
// QLocale writes it, for every weekday, any year, and locales of other digits.
TEST_P(BirthdayText, ReadsAsTheLocaleWritesThePattern)
{
    QLocale::setDefault(QLocale(GetParam()));
    const QLocale locale;
    for (const QDate &date : {QDate(2024, 3, 11), QDate(2024, 3, 12), QDate(2024, 3, 13), QDate(2024, 3, 14),
             QDate(2024, 3, 15), QDate(2024, 3, 16), QDate(2024, 3, 17), QDate(1, 1, 1), QDate(999, 12, 31),
             QDate(9999, 12, 31), QDate(10000, 1, 1), QDate(-44, 3, 15)}) {
        const StoreDateComponents components{date.year(), date.month(), date.day()};
        EXPECT_EQ(MVPerson::dateStringFromDateComponents(components), locale.toString(date, u"yyyy.MM.dd(ddd)"))
            << qPrintable(date.toString(Qt::ISODate));
    }
}

// Contacts of one birthday share its text; a date that takes another's
// place among the texts kept reads as its own, and so does the date it
// pushed out, once asked for again; a change of locale is not answered from
// texts of the locale before.
TEST_P(BirthdayText, TheSameDayIsOneTextAndOtherDaysKeepTheirOwn)
{
    QLocale::setDefault(QLocale(GetParam()));
    const QLocale locale;
    const QDate date(1984, 2, 29);
    const QDate samePlace = QDate::fromJulianDay(date.toJulianDay() + (1 << 15));
    const auto text = [](const QDate &day) {
        return MVPerson::dateStringFromDateComponents({day.year(), day.month(), day.day()});
    };
    const QString first = text(date);
    const QString again = text(date);
    EXPECT_EQ(again, locale.toString(date, u"yyyy.MM.dd(ddd)"));
    if (locale.zeroDigit() == u"0") {
        EXPECT_EQ(first.constData(), again.constData());
    }
    EXPECT_EQ(text(samePlace), locale.toString(samePlace, u"yyyy.MM.dd(ddd)"));
    EXPECT_EQ(text(date), first);
    QLocale::setDefault(QLocale(GetParam() == QLocale::French ? QLocale::German : QLocale::French));
    EXPECT_EQ(text(date), QLocale().toString(date, u"yyyy.MM.dd(ddd)"));
}

// A date saved without some of its parts reads as the platform calendar
// fills them in, with 1.
TEST_P(BirthdayText, MissingPartsReadAsTheFirst)
{
    QLocale::setDefault(QLocale(GetParam()));
    const QLocale locale;
    const std::pair<StoreDateComponents, QDate> rows[]
        = {{{std::nullopt, 3, 14}, QDate(1, 3, 14)}, {{1984, std::nullopt, 29}, QDate(1984, 1, 29)},
            {{1984, 2, std::nullopt}, QDate(1984, 2, 1)}, {{std::nullopt, 12, std::nullopt}, QDate(1, 12, 1)}};
    for (const auto &[components, date] : rows)
        EXPECT_EQ(MVPerson::dateStringFromDateComponents(components), locale.toString(date, u"yyyy.MM.dd(ddd)"))
            << qPrintable(date.toString(Qt::ISODate));
}

INSTANTIATE_TEST_SUITE_P(Locales, BirthdayText, testing::Values(QLocale::English, QLocale::Japanese, QLocale::Arabic));

TEST(DatesValues, ShowDatePartsAndNothingForText)
{
    QLocale::setDefault(QLocale(QLocale::English));
    LabeledValueRecord fromDate;
    fromDate.value = QDate(2001, 1, 2);
    MVPerson::updateDatesValue(&fromDate);
    EXPECT_EQ(fromDate.stringValue, "2001.01.02(Tue)");
    EXPECT_EQ(std::get<StoreDateComponents>(fromDate.value), (StoreDateComponents{2001, 1, 2}));

    LabeledValueRecord text;
    text.value = QString("2001-01-02");
    MVPerson::updateDatesValue(&text);
    EXPECT_EQ(text.stringValue, "");
    EXPECT_EQ(text.valueText(), "2001-01-02");

    EXPECT_EQ(MVPerson::dateStringFromDateComponents({}), "");
    EXPECT_EQ(MVPerson::dateStringFromDateComponents({2001, 2, 30}), "");
    QLocale::setDefault(QLocale::system());
}

} // namespace
