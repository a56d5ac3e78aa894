#include "FindTestContacts.h"
#include "ViewControllerFixture.h"

#include "find/FindResultsModel.h"
#include "find/FindSearch.h"

using namespace FindTestContacts;

namespace {

const QStringList All{FindSearch::All};

// The panel's hits over the fixture's window: contacts c0–c9, named
// "Person N", the first three with notes and phones holding "ab".
class FindResultsModelTest : public ViewControllerTest {
protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            MVPerson &person = *top()->contactTable->at(i)->person;
            person.setValue(QStringLiteral("ab ab Ab\nend"), FieldId::Note);
            addValue(person, FieldId::Phone, QStringLiteral("home"), QStringLiteral("ab-%1").arg(i));
        }
        m_model.setParentViewController(&m_controller);
    }

    void search(const QString &text, const QStringList &items = {FieldId::Note, FieldId::Phone}, uint options = 1)
    {
        QList<PersonRecordPtr> contacts(top()->contactTable->begin(), top()->contactTable->end());
        m_model.search(text, options, contacts, items, All, All);
    }

    [[nodiscard]] MVPerson &person(int i) const { return *top()->contactTable->at(i)->person; }
    [[nodiscard]] QString note(int i) const { return person(i).stringValues()->value(FieldId::Note); }

    FindResultsModel m_model;
};

TEST_F(FindResultsModelTest, NextAndPreviousWrapAround)
{
    search(QStringLiteral("ab"));
    ASSERT_EQ(m_model.rowCount(), 6);
    m_model.previous();
    EXPECT_EQ(std::pair(m_model.selectedRow(), m_model.selectedRangeIndex()), std::pair(5, 0));
    m_model.next();
    EXPECT_EQ(std::pair(m_model.selectedRow(), m_model.selectedRangeIndex()), std::pair(0, 0));
    for (int i = 0; i < 3; ++i)
        m_model.next();
    EXPECT_EQ(std::pair(m_model.selectedRow(), m_model.selectedRangeIndex()), std::pair(1, 0));
}

TEST_F(FindResultsModelTest, ReplaceWritesOneHitIntoTheContactAndKeepsAHitStillThere)
{
    search(QStringLiteral("ab"));
    m_model.next();
    m_model.replace(QStringLiteral("xaby"));
    EXPECT_EQ(note(0), QStringLiteral("ab xaby Ab\nend"));
    EXPECT_EQ(m_model.rows().at(0)->ranges, (QList<TextRange>{{0, 2}, {4, 2}, {8, 2}}));
    EXPECT_EQ(std::pair(m_model.selectedRow(), m_model.selectedRangeIndex()), std::pair(0, 2));
}

TEST_F(FindResultsModelTest, ReplaceAllIsOneStepInThePanel)
{
    search(QStringLiteral("ab"));
    m_model.replaceAll(QStringLiteral("ab"), QStringLiteral("CD"));
    endTurn();
    EXPECT_EQ(note(1), QStringLiteral("CD CD Ab\nend"));
    EXPECT_EQ(person(2).labeledValueForIdentifierAtIndex(FieldId::Phone, 0)->valueText(), QStringLiteral("CD-2"));
    EXPECT_TRUE(m_model.rows().at(0)->ranges.isEmpty());
    EXPECT_FALSE(m_model.hasCurrentMatch());
    // With no current match Replace writes nothing.
    m_model.replace(QStringLiteral("zz"));
    EXPECT_EQ(note(0), QStringLiteral("CD CD Ab\nend"));

    m_model.undoManager()->undo();
    EXPECT_EQ(note(1), QStringLiteral("ab ab Ab\nend"));
    EXPECT_EQ(m_model.rows().at(0)->value, QStringLiteral("ab ab Ab\nend"));
    EXPECT_EQ(m_model.rows().at(0)->ranges.size(), 3);
    EXPECT_EQ(person(2).labeledValueForIdentifierAtIndex(FieldId::Phone, 0)->valueText(), QStringLiteral("ab-2"));
}

TEST_F(FindResultsModelTest, ReplaceAllOfACaseDifferingValueWritesNothing)
{
    search(QStringLiteral("AB"), {FieldId::Phone});
    m_model.replaceAll(QStringLiteral("AB"), QStringLiteral("x"));
    endTurn();
    EXPECT_EQ(m_model.rows().at(0)->value, QStringLiteral("ab-0"));
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_FALSE(m_model.undoManager()->canUndo());
}

TEST_F(FindResultsModelTest, DateRowsAreSkippedByReplaceAndReplaceAll)
{
    person(0).setValue(QDate(1990, 1, 2), FieldId::Birthday);
    const QString before = person(0).birthdayValue()->stringValue;
    search(QStringLiteral("1990"), {FieldId::Birthday});
    ASSERT_EQ(m_model.rowCount(), 1);
    m_model.replaceAll(QStringLiteral("1990"), QStringLiteral("2000"));
    m_model.selectRow(0);
    m_model.replace(QStringLiteral("2000"));
    EXPECT_EQ(person(0).birthdayValue()->stringValue, before);
}

} // namespace
