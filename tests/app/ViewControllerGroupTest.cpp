#include "ViewControllerFixture.h"

using namespace Qt::Literals::StringLiterals;

using GroupUndo = ViewControllerTest;

TEST_F(GroupUndo, DeletingFromAllContactsMarksEveryGroupAndUndoGivesBackTheSameRowsUnmarked)
{
    const std::string before = snapshot();
    const ContactRecordPtr topRow = rowOf(top(), u"c3"_s);

    m_controller.undoDeleteContacts({topRow}, top(), true);
    endTurn();
    for (const GroupRecordPtr &g : std::as_const(*m_container->groups)) {
        EXPECT_TRUE(g->changed) << qPrintable(g->name);
        EXPECT_TRUE(rowOf(g, u"c3"_s)->deleted) << qPrintable(g->name);
    }
    EXPECT_FALSE(rowOf(top(), u"c2"_s)->deleted);

    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(m_window.isWindowModified());
    m_controller.redo();
    EXPECT_TRUE(topRow->deleted);
}

TEST_F(GroupUndo, UndoingAnAddToAGroupTakesBackTheCopyItPutIntoAllContacts)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    const std::string before = snapshot();
    const ContactRecordPtr incoming = foreignRow(u"doc-1"_s);

    m_controller.undoAddContacts({incoming}, friends);
    endTurn();
    ASSERT_EQ(rowOf(friends, u"doc-1"_s), incoming);
    const ContactRecordPtr copy = rowOf(top(), u"doc-1"_s);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, incoming);
    EXPECT_EQ(copy->person, incoming->person);
    EXPECT_TRUE(copy->isNew && incoming->isNew && top()->changed);

    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    m_controller.redo();
    EXPECT_EQ(rowOf(top(), u"doc-1"_s), copy);
}

TEST_F(GroupUndo, ReAddingARemovedContactClearsItsMarkAndAddsNoSecondRow)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    const ContactRecordPtr row = rowOf(friends, u"c2"_s);
    m_controller.undoDeleteContacts({row}, friends, true);
    endTurn();
    ASSERT_TRUE(row->deleted);

    const ContactRecordPtr source = rowOf(top(), u"c2"_s);
    m_controller.undoAddContacts({rowFor(source), rowFor(source)}, friends);
    endTurn();
    EXPECT_EQ(rowCount(friends, u"c2"_s), 1);
    EXPECT_FALSE(row->deleted);
    EXPECT_EQ(rowCount(top(), u"c2"_s), 1);

    m_controller.undo();
    EXPECT_TRUE(row->deleted);
}

TEST_F(GroupUndo, OperationsOfOneTurnUndoAsOneStepKeepingTheMarksSetBefore)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    friends->changed = true;
    rowOf(friends, u"c1"_s)->isNew = true;
    const std::string before = snapshot();
    m_controller.undoDeleteContacts({rowOf(friends, u"c1"_s)}, friends, true);
    m_controller.undoAddContacts({rowFor(rowOf(top(), u"c8"_s))}, friends);
    EXPECT_TRUE(m_controller.undoChangeGroupName(u"Family"_s, friends));
    EXPECT_EQ(m_controller.selectedGroupDict(), friends);
    endTurn();
    m_controller.undo();
    EXPECT_EQ(friends->name, u"Friends"_s);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    // The rename stays marked: the save then sends the group's own name.
    EXPECT_TRUE(friends->groupNameChanged);
    friends->groupNameChanged = false;
    EXPECT_EQ(snapshot(), before);

    m_controller.undoDeleteContacts({rowOf(top(), u"c1"_s)}, top(), false);
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo()) << "without undo a removal registers nothing";
}

TEST_F(GroupUndo, TheShownGroupIsHandedToTheTableAgainWithTheChangedContactsSelected)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    showGroup(friends);
    const ContactRecordPtr added = rowFor(rowOf(top(), u"c9"_s));
    m_controller.undoAddContacts({added}, friends);
    EXPECT_EQ(m_log.calls(),
        (QStringList{u"table.setContactTable"_s, u"table.updateTable"_s, u"table.selectRowIndexesWithContacts"_s}));
    EXPECT_EQ(m_table.contactTable, friends->contactTable);
    EXPECT_EQ(m_table.selectedContacts(), QList<ContactRecordPtr>{added});

    m_log.clear();
    m_controller.undoDeleteContacts({added}, group(u"Work"_s), true);
    m_controller.undoDeleteContacts({}, friends, true);
    EXPECT_TRUE(m_log.calls().isEmpty());
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

TEST_F(GroupUndo, DeletingAGroupMovesItLastAndSelectsAllContactsAndAnAddedOneIsDeletedByUndo)
{
    const GroupRecordPtr second = group(u"Friends"_s);
    const GroupRecordPtr third = group(u"Work"_s);
    auto added = std::make_shared<GroupRecord>(*third);
    added->name = u"Club"_s;
    added->isNew = true;
    added->contactTable = std::make_shared<ContactTable>();
    m_controller.undoAddGroup(added, m_container);
    EXPECT_EQ(m_outline.containerTable, m_containerTable);
    showGroup(second);

    m_controller.undoDeleteGroup(second, m_container);
    EXPECT_EQ(*m_container->groups, (GroupList{top(), added, third, second}));
    EXPECT_TRUE(second->deleted);
    EXPECT_EQ(m_outline.selectedGroupDict, top());
    EXPECT_EQ(m_table.contactTable, top()->contactTable);
    EXPECT_TRUE(m_log.calls().contains(u"outline.updateTable"_s));
    endTurn();

    m_controller.undo();
    EXPECT_FALSE(second->deleted);
    EXPECT_TRUE(added->deleted);
}

using Duplicate = FilledContactsTest;

TEST_F(Duplicate, MakesNewContactsWithTheirOwnIdentifierAndTheSameJointNames)
{
    showGroup(group(u"Friends"_s));
    // The shown list is in the table's order, which the copy is sorted into.
    m_controller.sortContactTable();
    const ContactTable &friends = *group(u"Friends"_s)->contactTable;
    m_table.select({int(friends.indexOf(rowOf(group(u"Friends"_s), u"c0"_s)))});
    const std::string before = snapshot();
    m_controller.duplicateContacts();

    const ContactRecordPtr original = rowOf(top(), u"c0"_s);
    const ContactRecordPtr copy
        = *std::find_if(friends.cbegin(), friends.cend(), [](const ContactRecordPtr &row) { return row->isNew; });
    ASSERT_NE(copy->uniqueId, original->uniqueId);
    EXPECT_EQ(copy->uniqueId, copy->person->uniqueId());
    EXPECT_TRUE(copy->person->created());
    EXPECT_NE(copy->person, original->person);
    EXPECT_EQ(copy->person->stringValueForIdentifier(FieldId::Renmei, 0), u"花子"_s);
    EXPECT_EQ(copy->person->stringValueForIdentifier(FieldId::Email, 0), u"taro0@example.jp"_s);
    ASSERT_TRUE(rowOf(top(), copy->uniqueId));
    EXPECT_EQ(rowOf(top(), copy->uniqueId)->person, copy->person);
    EXPECT_EQ(m_table.selectedContacts(), QList<ContactRecordPtr>{copy});

    endTurn();
    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(original->person->changed());
}
