#include "model/MVPerson.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

NameRecord nameOf(const QString &first, const QString &middle, const QString &last, int ordering)
{
    NameRecord name;
    name.firstName = first;
    name.middleName = middle;
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

TEST(CompositeName, EmptyPersonsAndCompaniesShowNoName)
{
    MVPerson person;
    EXPECT_EQ(person.compositeName(), "No Name");

    MVPerson company;
    company.nameValue()->showAsPerson = false;
    company.nameValue();
    company.stringValues()->company = "";
    EXPECT_EQ(company.compositeName(), "No Name");
    company.stringValues()->company = "Morvane";
    EXPECT_EQ(company.compositeName(), "Morvane");
}

struct EmailCase {
    const char *address;
    const char *username;
    const char *domain;
};

class EmailSplitting : public testing::TestWithParam<EmailCase> { };

TEST_P(EmailSplitting, SplitsAtTheFirstAtSign)
{
    LabeledValueRecord email;
    email.value = QString::fromUtf8(GetParam().address);
    MVPerson::updateEmailValue(&email);
    EXPECT_EQ(email.labelText(), "No label");
    EXPECT_EQ(email.stringValue, QString::fromUtf8(GetParam().address));
    EXPECT_EQ(email.username, QString::fromUtf8(GetParam().username));
    EXPECT_EQ(email.domain, QString::fromUtf8(GetParam().domain));
}

INSTANTIATE_TEST_SUITE_P(Cases, EmailSplitting,
    testing::Values(EmailCase{"taro@example.jp", "taro", "example.jp"}, EmailCase{"taro@", "", ""},
        EmailCase{"@example.jp", "", "example.jp"}, EmailCase{"a@b@c", "a", "b@c"}, EmailCase{"no-at-sign", "", ""},
        EmailCase{"", "", ""}));

TEST(EmailSplittingKeeps, EarlierPartsWhenTheNewAddressLacksThem)
{
    LabeledValueRecord email;
    email.label = "work";
    email.value = QString("taro@example.jp");
    MVPerson::updateEmailValue(&email);
    email.value = QString("@example.org");
    MVPerson::updateEmailValue(&email);
    EXPECT_EQ(email.labelText(), "work");
    EXPECT_EQ(email.username, "taro");
    EXPECT_EQ(email.domain, "example.org");
}

TEST(ServiceValues, InstantMessagesShowServiceAndUser)
{
    LabeledValueRecord none;
    MVPerson::updateIMSValue(&none);
    EXPECT_EQ(none.stringValue, "");
    EXPECT_EQ(none.labelText(), "No label");

    LabeledValueRecord serviceOnly;
    serviceOnly.label = "";
    serviceOnly.service = "Skype";
    MVPerson::updateIMSValue(&serviceOnly);
    EXPECT_EQ(serviceOnly.stringValue, "Skype:");
    EXPECT_EQ(serviceOnly.labelText(), "");

    LabeledValueRecord full;
    full.service = "Jabber";
    full.value = QString("taro");
    MVPerson::updateIMSValue(&full);
    EXPECT_EQ(full.stringValue, "Jabber:taro");
    EXPECT_EQ(full.username, "taro");
}

TEST(ServiceValues, SocialProfilesTakeTheirServiceFromTheLabel)
{
    LabeledValueRecord unlabeled;
    unlabeled.value = QString("taro");
    MVPerson::updateSNSValue(&unlabeled);
    EXPECT_EQ(unlabeled.labelText(), "No service");
    EXPECT_EQ(unlabeled.service, "No service");
    EXPECT_EQ(unlabeled.username, "taro");
    EXPECT_EQ(unlabeled.stringValue, "taro");

    LabeledValueRecord emptyLabel;
    emptyLabel.label = "";
    MVPerson::updateSNSValue(&emptyLabel);
    EXPECT_EQ(emptyLabel.label, QString(""));
}

// Domains repeat from record to record and are shared; each record must still
// get its own address's domain.
TEST(EmailValues, EachRecordGetsTheDomainOfItsOwnAddress)
{
    for (const QString &text : {"a@example.jp", "b@example.jp", "c@other.jp", "d@example.jp", "e@example.jpx"}) {
        LabeledValueRecord record;
        record.value = text;
        MVPerson::updateEmailValue(&record);
        EXPECT_EQ(
            QString(record.username + u'|' + record.domain), text.section(u'@', 0, 0) + u'|' + text.section(u'@', 1));
    }
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
