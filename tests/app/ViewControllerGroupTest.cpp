#include "ViewControllerFixture.h"

using namespace Qt::Literals::StringLiterals;

using GroupUndo = ViewControllerTest;

TEST_F(GroupUndo, DeletingFromAllContactsMarksEveryGroupAndUndoGivesBackTheSameRowsUnmarked)
{
    const std::string before = snapshot();
    const ContactRecordPtr topRow = rowOf(top(), u"c3"_s);
    const ContactRecordPtr friendsRow = rowOf(group(u"Friends"_s), u"c3"_s);

    m_controller.undoDeleteContacts({topRow}, top(), true);
    endTurn();
    for (const GroupRecordPtr &g : std::as_const(*m_container->groups)) {
        EXPECT_TRUE(g->changed) << qPrintable(g->name);
        EXPECT_TRUE(rowOf(g, u"c3"_s)->deleted) << qPrintable(g->name);
    }
    EXPECT_FALSE(rowOf(top(), u"c2"_s)->deleted);

    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(rowOf(top(), u"c3"_s), topRow);
    EXPECT_EQ(rowOf(group(u"Friends"_s), u"c3"_s), friendsRow);
    EXPECT_FALSE(m_window.isWindowModified());

    m_controller.redo();
    EXPECT_TRUE(rowOf(group(u"Work"_s), u"c3"_s)->deleted);
    EXPECT_TRUE(topRow->deleted);
    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(GroupUndo, UndoingAnAddToAGroupTakesBackTheCopyItPutIntoAllContacts)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    const std::string before = snapshot();
    const ContactRecordPtr incoming = foreignRow(u"doc-1"_s);

    m_controller.undoAddContacts({incoming}, friends);
    endTurn();
    ASSERT_EQ(rowOf(friends, u"doc-1"_s), incoming);
    EXPECT_TRUE(incoming->isNew);
    const ContactRecordPtr copy = rowOf(top(), u"doc-1"_s);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, incoming);
    EXPECT_EQ(copy->person, incoming->person);
    EXPECT_TRUE(copy->isNew);
    EXPECT_TRUE(top()->changed);

    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(incoming->isNew);

    m_controller.redo();
    EXPECT_EQ(rowOf(top(), u"doc-1"_s), copy);
    EXPECT_EQ(rowOf(friends, u"doc-1"_s), incoming);
}

TEST_F(GroupUndo, ReAddingARemovedContactClearsItsMarkAndAddsNoSecondRow)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    const ContactRecordPtr row = rowOf(friends, u"c2"_s);
    m_controller.undoDeleteContacts({row}, friends, true);
    endTurn();
    ASSERT_TRUE(row->deleted);

    m_controller.undoAddContacts({rowFor(rowOf(top(), u"c2"_s))}, friends);
    endTurn();
    EXPECT_EQ(rowCount(friends, u"c2"_s), 1);
    EXPECT_FALSE(row->deleted);
    EXPECT_EQ(rowCount(top(), u"c2"_s), 1);

    m_controller.undo();
    EXPECT_TRUE(row->deleted);
    EXPECT_EQ(rowCount(friends, u"c2"_s), 1);
}

TEST_F(GroupUndo, AddingTheSameContactTwiceInOneListLeavesOneRow)
{
    const GroupRecordPtr work = group(u"Work"_s);
    const ContactRecordPtr source = rowOf(top(), u"c0"_s);
    m_controller.undoAddContacts({rowFor(source), rowFor(source)}, work);
    EXPECT_EQ(rowCount(work, u"c0"_s), 1);
    EXPECT_EQ(rowCount(top(), u"c0"_s), 1);
}

TEST_F(GroupUndo, MarksSetBeforeAnOperationStayAfterItsUndo)
{
    const GroupRecordPtr work = group(u"Work"_s);
    work->changed = true;
    rowOf(work, u"c5"_s)->isNew = true;
    const std::string before = snapshot();

    m_controller.undoDeleteContacts({rowOf(work, u"c5"_s)}, work, true);
    m_controller.undoAddContacts({rowFor(rowOf(top(), u"c9"_s))}, work);
    endTurn();
    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(GroupUndo, OperationsOfOneTurnUndoAsOneStep)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    const std::string before = snapshot();
    m_controller.undoDeleteContacts({rowOf(friends, u"c0"_s)}, friends, true);
    m_controller.undoAddContacts({rowFor(rowOf(top(), u"c8"_s))}, friends);
    m_controller.undoChangeGroupName(u"Family"_s, friends);
    endTurn();
    m_controller.undo();
    EXPECT_EQ(friends->name, u"Friends"_s);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    // The rename stays marked: the save then sends the group's own name.
    friends->groupNameChanged = false;
    EXPECT_EQ(snapshot(), before);
}

TEST_F(GroupUndo, WithoutUndoARemovalRegistersNothing)
{
    m_controller.undoDeleteContacts({rowOf(top(), u"c1"_s)}, top(), false);
    endTurn();
    EXPECT_TRUE(rowOf(top(), u"c1"_s)->deleted);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
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
    for (int row : GetParam().selectedRows)
        EXPECT_TRUE(top()->contactTable->at(row)->deleted);
    EXPECT_EQ(m_table.selectedRowIndexes(), QList<int>{GetParam().selectedAfter});
    EXPECT_EQ(m_table.scrolledTo, GetParam().selectedAfter);
    EXPECT_TRUE(m_window.isWindowModified());
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteSelection,
    testing::Values(DeleteSelectionRow{{0, 1}, 0}, DeleteSelectionRow{{1}, 0}, DeleteSelectionRow{{5, 6, 7}, 4},
        DeleteSelectionRow{{9}, 8}));

TEST_F(GroupUndo, DeletingAnEmptySelectionDoesNothing)
{
    m_controller.deleteContacts();
    endTurn();
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_FALSE(top()->changed);
}

TEST_F(GroupUndo, DeletingAGroupMovesItLastAndSelectsAllContacts)
{
    const GroupRecordPtr second = group(u"Friends"_s);
    const GroupRecordPtr third = group(u"Work"_s);
    auto fourth = std::make_shared<GroupRecord>(*third);
    fourth->name = u"Club"_s;
    fourth->contactTable = std::make_shared<ContactTable>();
    m_container->groups->append(fourth);
    showGroup(second);

    m_controller.undoDeleteGroup(second, m_container);
    EXPECT_EQ(*m_container->groups, (GroupList{top(), fourth, third, second}));
    EXPECT_TRUE(second->deleted);
    EXPECT_EQ(m_controller.selectedGroupDict(), top());
    EXPECT_EQ(m_outline.selectedGroupDict, top());
    EXPECT_EQ(m_controller.contactTable(), top()->contactTable);
    EXPECT_EQ(m_table.contactTable, top()->contactTable);
    EXPECT_TRUE(m_log.calls().contains(u"outline.updateTable"_s));
    endTurn();

    m_controller.undo();
    EXPECT_FALSE(second->deleted);
    EXPECT_EQ(*m_container->groups, (GroupList{top(), fourth, third, second}));
    m_controller.redo();
    EXPECT_TRUE(second->deleted);
}

TEST_F(GroupUndo, AddingAGroupAppendsItAndItsUndoMarksItDeleted)
{
    auto added = std::make_shared<GroupRecord>();
    added->name = u"New Group"_s;
    added->isNew = true;
    added->containerIdentifier = m_container->identifier;
    added->contactTable = std::make_shared<ContactTable>();
    m_controller.undoAddGroup(added, m_container);
    EXPECT_EQ(m_container->groups->last(), added);
    EXPECT_EQ(m_outline.containerTable, m_containerTable);
    endTurn();
    m_controller.undo();
    EXPECT_TRUE(added->deleted);
    m_controller.redo();
    EXPECT_FALSE(added->deleted);
    EXPECT_EQ(m_container->groups->count(added), 1);
}

TEST_F(GroupUndo, RenamingAGroupAndUndoingGivesBackTheOldNameAndKeepsTheMark)
{
    const GroupRecordPtr work = group(u"Work"_s);
    EXPECT_TRUE(m_controller.undoChangeGroupName(u"Office"_s, work));
    EXPECT_EQ(work->name, u"Office"_s);
    EXPECT_TRUE(work->groupNameChanged);
    EXPECT_EQ(m_controller.selectedGroupDict(), work);
    EXPECT_EQ(m_table.contactTable, work->contactTable);
    endTurn();
    m_controller.undo();
    EXPECT_EQ(work->name, u"Work"_s);
    EXPECT_TRUE(work->groupNameChanged);
    m_controller.redo();
    EXPECT_EQ(work->name, u"Office"_s);
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
    EXPECT_TRUE(m_window.isWindowModified());

    const ContactRecordPtr original = rowOf(top(), u"c0"_s);
    const ContactRecordPtr copy
        = *std::find_if(friends.cbegin(), friends.cend(), [](const ContactRecordPtr &row) { return row->isNew; });
    ASSERT_NE(copy->uniqueId, original->uniqueId);
    EXPECT_FALSE(copy->uniqueId.isEmpty());
    EXPECT_EQ(copy->uniqueId, copy->person->uniqueId());
    EXPECT_TRUE(copy->isNew);
    EXPECT_TRUE(copy->person->created());
    EXPECT_NE(copy->person, original->person);
    EXPECT_EQ(copy->person->stringValueForIdentifier(FieldId::Renmei, 0).toStdString(), "花子");
    EXPECT_EQ(copy->person->stringValueForIdentifier(FieldId::Email, 0).toStdString(), "taro0@example.jp");
    const ContactRecordPtr inTop = rowOf(top(), copy->uniqueId);
    ASSERT_TRUE(inTop);
    EXPECT_EQ(inTop->person, copy->person);
    EXPECT_EQ(m_table.selectedContacts(), QList<ContactRecordPtr>{copy});

    endTurn();
    m_controller.undo();
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(original->person->changed());
}
