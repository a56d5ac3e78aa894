#include "interchange/ColumnTexts_p.h"
#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A column of `cells` texts: its first `repeatedHead` cells cycle through
// eight texts, the rest through `distinct` others.
struct ColumnRow {
    const char *name;
    qsizetype repeatedHead;
    qsizetype cells;
    qsizetype distinct;
    bool sharing; // still looked up after the cells
    qsizetype sharedCells; // cells given back as the earlier equal string
};

class ColumnTextsRows : public testing::TestWithParam<ColumnRow> { };

// A repeated text comes back as the string first given; a column that
// repeats too little over its trial stops sharing, and past its most texts a
// column still shares the ones it holds.
TEST_P(ColumnTextsRows, ShareWhatTheColumnRepeats)
{
    const ColumnRow &row = GetParam();
    ColumnTexts texts;
    QHash<QString, const QChar *> first;
    qsizetype sharedCells = 0;
    for (qsizetype i = 0; i < row.cells; ++i) {
        const QString made
            = i < row.repeatedHead ? u"head %1"_s.arg(i % 8) : u"text %1"_s.arg((i - row.repeatedHead) % row.distinct);
        const QString held = texts.shared(made);
        ASSERT_EQ(held, made);
        if (held.constData() != made.constData()) {
            ++sharedCells;
            EXPECT_EQ(held.constData(), first.value(made)) << i;
        }
        first.insert(made, first.value(made, made.constData()));
    }
    EXPECT_EQ(sharedCells, row.sharedCells);
    EXPECT_EQ(texts.isSharing(), row.sharing);
}

constexpr qsizetype trial = ColumnTexts::trialCells;
constexpr qsizetype least = ColumnTexts::leastRepeatsPerTrial;
constexpr qsizetype most = ColumnTexts::mostTexts;

INSTANTIATE_TEST_SUITE_P(Columns, ColumnTextsRows,
    testing::Values(ColumnRow{"few_values", 0, 3 * trial, 7, true, 3 * trial - 7},
        ColumnRow{"a_quarter_repeated", 0, 2 * trial, trial - least, true, trial + least},
        ColumnRow{"too_few_repeats", 0, 3 * trial, trial - least + 1, false, least - 1},
        ColumnRow{"unique", 0, 3 * trial, 3 * trial, false, 0},
        ColumnRow{"more_than_it_holds", trial, trial + 2 * most, most, true, trial - 8 + most - 8}),
    [](const auto &info) { return std::string(info.param.name); });

// Read from a file, the repeated texts of a column are one string across its
// contacts even when every row also brings texts never seen before.
TEST(ColumnTexts, ContactsOfAFileShareTheirColumnsRepeatedTexts)
{
    QString csv = u"First Name,Work Phone,Work Email,Company,Work Street\n"_s;
    constexpr int rows = 3000;
    for (int i = 0; i < rows; ++i)
        csv += u"N%1,03-%1-0000,user%1@example.com,Company %2,%3 Chome\n"_s.arg(i).arg(i % 300).arg(i % 200);
    const ContactTablePtr contacts = MVvCard().contactsFromCSV(csv);
    ASSERT_TRUE(contacts);
    ASSERT_EQ(contacts->size(), rows);
    QHash<QString, const QChar *> companies;
    QHash<QString, const QChar *> streets;
    for (int i = 0; i < rows; ++i) {
        MVPerson &person = *contacts->at(i)->person;
        const QString company = person.stringValueForIdentifier(FieldId::Company, 0);
        ASSERT_EQ(company, u"Company %1"_s.arg(i % 300));
        EXPECT_EQ(company.constData(), companies.value(company, company.constData())) << i;
        companies.insert(company, company.constData());
        const QString street
            = person.labeledValueForIdentifierAtIndex(FieldId::Address, 0)->addressPart(FieldId::Street);
        ASSERT_EQ(street, u"%1 Chome"_s.arg(i % 200));
        EXPECT_EQ(street.constData(), streets.value(street, street.constData())) << i;
        streets.insert(street, street.constData());
        EXPECT_EQ(
            person.labeledValueForIdentifierAtIndex(FieldId::Email, 0)->stringValue, u"user%1@example.com"_s.arg(i));
    }
}

} // namespace
