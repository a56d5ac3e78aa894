#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

using namespace Qt::Literals::StringLiterals;

using ValueUndo = FilledContactsTest;

TEST_F(ValueUndo, TheEditedMarkFollowsUndoToTheSavePointAndRedo)
{
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Saved Inc."_s, FieldId::Company, contact(0)));
    endTurn();
    // What a save does to the window.
    m_controller.undoManager()->removeAllActions();
    m_window.setWindowModified(false);

    // Changes of several contacts in one turn are one step.
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Edited Inc."_s, FieldId::Company, contact(0)));
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Hanako"_s, FieldId::FirstName, contact(1)));
    endTurn();
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Later Inc."_s, FieldId::Company, contact(2)));
    endTurn();
    m_controller.undo();
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_EQ(person(0).stringValueForIdentifier(FieldId::Company, 0), u"Saved Inc."_s);
    EXPECT_EQ(person(1).stringValueForIdentifier(FieldId::FirstName, 0), u"Taro1"_s);
    m_controller.redo();
    EXPECT_TRUE(m_window.isWindowModified());
}

struct DeleteSelectionRow {
    QList<int> selectedRows;
    int selectedAfter;
};

class DeleteSelection : public ViewControllerTest, public testing::WithParamInterface<DeleteSelectionRow> { };

TEST_P(DeleteSelection, SelectsTheRowBeforeTheFirstDeletedOne)
{
    m_table.select(GetParam().selectedRows);
    m_controller.deleteContacts();
    endTurn();
    for (int row : GetParam().selectedRows)
        EXPECT_TRUE(top()->contactTable->at(row)->deleted);
    if (GetParam().selectedRows.isEmpty()) {
        EXPECT_FALSE(m_controller.undoManager()->canUndo() || m_window.isWindowModified() || top()->changed);
        return;
    }
    EXPECT_EQ(m_table.selectedRowIndexes(), QList<int>{GetParam().selectedAfter});
    EXPECT_EQ(m_table.scrolledTo, GetParam().selectedAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteSelection,
    testing::Values(DeleteSelectionRow{{}, -1}, DeleteSelectionRow{{0, 1}, 0}, DeleteSelectionRow{{5, 6, 7}, 4}));
