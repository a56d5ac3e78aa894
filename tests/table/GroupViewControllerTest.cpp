#include "TableTestSupport.h"

#include "common/DragEvents.h"
#include "common/Screenshot.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"
#include "table/DraggingMimeData.h"
#include "table/GroupOutlineModel.h"
#include "table/GroupViewController.h"
#include "table/GroupViewControllerDelegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace TableTest;

namespace {

GroupRecordPtr makeGroup(const QString &name, const QString &container, bool top = false, bool deleted = false)
{
    auto group = std::make_shared<GroupRecord>();
    group->top = top;
    group->name = name;
    group->uniqueId = container + ":" + name;
    group->containerIdentifier = container;
    group->deleted = deleted;
    return group;
}

ContainerRecordPtr makeContainer(const QString &identifier, const QList<GroupRecordPtr> &groups)
{
    auto container = std::make_shared<ContainerRecord>();
    container->name = identifier;
    container->identifier = identifier;
    container->type = 1;
    *container->groups = groups;
    return container;
}

// A table of generated contacts, one row each.
void fillTable(ContactsViewController &table, ContactsViewControllerDelegate &delegate)
{
    table.setDelegate(&delegate);
    table.setContactTable(generatedTable(8));
    table.setSelectedLabels({"All"});
    table.setColumnIdentifiers({"Name"});
    table.updateSubContactTable();
    table.reload();
}

class RecordingGroupDelegate : public GroupViewControllerDelegate {
public:
    void groupSelectionDidChange(const GroupRecordPtr &group) override { chosen.append(group); }
    void addContactByStringIndexes(const QString &stringIndexes, const GroupRecordPtr &group) override
    {
        drops.append({stringIndexes, group});
    }
    void groupNameWillChange(const QString &name, const GroupRecordPtr &group) override { names.append({name, group}); }
    void updateGroupTable(ContainerRecord &container) override
    {
        read.append(container.identifier);
        container.groups->append(makeGroup("Read", container.identifier));
    }

    QList<GroupRecordPtr> chosen;
    QList<std::pair<QString, GroupRecordPtr>> drops;
    QList<std::pair<QString, GroupRecordPtr>> names;
    QStringList read;
};

class GroupViewControllerTest : public TableTestCase {
protected:
    void SetUp() override
    {
        TableTestCase::SetUp();
        top = makeGroup("All Contacts", "local", true);
        family = makeGroup("Family", "local");
        old = makeGroup("Old", "local", false, true);
        friends = makeGroup("Friends", "local");
        namedLikeTop = makeGroup("All Contacts", "local");
        club = makeGroup("Club", "account");
        containers = std::make_shared<ContainerTable>(
            ContainerTable{makeContainer("local", {top, family, old, friends, namedLikeTop}),
                makeContainer("account", {makeGroup("All Contacts", "account", true), club})});
        outline.setDelegate(&delegate);
        outline.setContainerTable(containers);
        outline.setSelectedGroupDict(top);
        outline.setEditState(true);
        outline.resize(240, 300);
        outline.show();
        QApplication::setActiveWindow(&outline);

        fillTable(table, tableDelegate);
        outline.setContactsTableView(table.tableView());
    }
    [[nodiscard]] QModelIndex itemOf(const GroupRecordPtr &group) const { return outline.model()->indexOfGroup(group); }
    [[nodiscard]] QPoint centreOf(const QModelIndex &item) const
    {
        return outline.outlineView()->visualRect(item).center();
    }
    [[nodiscard]] std::unique_ptr<QMimeData> rowsOf(ContactsViewController &source, const QList<int> &rows) const
    {
        return std::unique_ptr<QMimeData>(source.dragAndDrop()->mimeDataForRows(rows));
    }
    [[nodiscard]] QWidget *viewport() const { return outline.outlineView()->viewport(); }

    GroupRecordPtr top, family, old, friends, namedLikeTop, club;
    ContainerTablePtr containers;
    RecordingGroupDelegate delegate;
    GroupViewController outline;
    RecordingDelegate tableDelegate;
    ContactsViewController table;
};

TEST_F(GroupViewControllerTest, ADeletedGroupIsHiddenAndTheNextMovesUp)
{
    GroupOutlineModel &model = *outline.model();
    const QModelIndex local = model.index(0, 0);
    ASSERT_EQ(model.rowCount(local), 4);
    EXPECT_EQ(model.index(1, 0, local).data().toString(), "Family");
    EXPECT_EQ(model.index(2, 0, local).data().toString(), "Friends");
    EXPECT_EQ(model.groupAt(model.index(2, 0, local)), friends);
    EXPECT_EQ(model.index(1, 0).data().toString(), "account");
    // Containers with groups of their own are read no further.
    EXPECT_TRUE(delegate.read.isEmpty());
}

TEST_F(GroupViewControllerTest, AContainerWithItsTopGroupOnlyHasItsGroupsReadOnceAtTheFirstShow)
{
    RecordingGroupDelegate reading;
    GroupViewController fresh;
    fresh.setDelegate(&reading);
    auto lone = makeContainer("", {makeGroup("All Contacts", "", true)});
    lone->type = 0;
    fresh.setContainerTable(std::make_shared<ContainerTable>(ContainerTable{lone}));
    fresh.show();
    fresh.hide();
    fresh.show();
    EXPECT_EQ(reading.read, QStringList({""}));
    EXPECT_EQ(fresh.model()->rowCount(fresh.model()->index(0, 0)), 2);
}

TEST_F(GroupViewControllerTest, OnlyOtherGroupsAreEditableAndOnlyWhileEditing)
{
    const GroupOutlineModel &model = *outline.model();
    EXPECT_TRUE(model.flags(itemOf(family)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(itemOf(top)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(itemOf(namedLikeTop)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsSelectable));
    outline.setEditState(false);
    EXPECT_FALSE(model.flags(itemOf(family)).testFlag(Qt::ItemIsEditable));
}

TEST_F(GroupViewControllerTest, ATypedNameIsReportedAndAnEmptyOrUnchangedOneIsNot)
{
    QTreeView *view = outline.outlineView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(itemOf(family)));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centreOf(itemOf(family)));
    auto *editor = view->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->selectedText(), "Family");
    QTest::keyClicks(editor, "Kin");
    Screenshot::grab(&outline);
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits on a later turn, and the name reaches the delegate
    // after that.
    (void)QTest::qWaitFor([this] { return !delegate.names.isEmpty(); }, 1000);
    ASSERT_EQ(delegate.names.size(), 1);
    EXPECT_EQ(delegate.names.first().first, "Kin");
    EXPECT_EQ(delegate.names.first().second, family);
    EXPECT_EQ(family->name, "Family");

    for (const QString &typed : {QString(), QStringLiteral("Family")}) {
        outline.textFieldCellChanged(family, typed);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(delegate.names.size(), 1);
}

TEST_F(GroupViewControllerTest, ChoosingAGroupTellsTheDelegate)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, centreOf(itemOf(friends)));
    ASSERT_EQ(delegate.chosen.size(), 1);
    EXPECT_EQ(delegate.chosen.first(), friends);
    EXPECT_EQ(outline.selectedGroupDict(), friends);
    // A container is no choice.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, centreOf(outline.model()->index(0, 0)));
    EXPECT_EQ(delegate.chosen.size(), 1);
}

TEST_F(GroupViewControllerTest, RowsDroppedOntoAGroupWithoutThemAreAdded)
{
    const auto rows = rowsOf(table, {5, 3});
    EXPECT_TRUE(DragEvents::drop(viewport(), centreOf(itemOf(family)), rows.get()));
    ASSERT_EQ(delegate.drops.size(), 1);
    EXPECT_EQ(delegate.drops.first().first, "3,5");
    EXPECT_EQ(delegate.drops.first().second, family);
}

struct RefusedGroupDrop {
    const char *name;
    enum { SelectedGroup, Container, BetweenRows, Locked, OtherWindow, OtherContainer } where;
};

class RefusedGroupDropTest : public GroupViewControllerTest, public testing::WithParamInterface<RefusedGroupDrop> { };

TEST_P(RefusedGroupDropTest, NothingIsAdded)
{
    RecordingDelegate otherDelegate;
    ContactsViewController otherWindow;
    fillTable(otherWindow, otherDelegate);
    const auto ours = rowsOf(table, {3});
    const auto theirs = rowsOf(otherWindow, {3});
    const QMimeData *data = ours.get();
    QPoint point = centreOf(itemOf(family));
    switch (GetParam().where) {
    case RefusedGroupDrop::SelectedGroup:
        point = centreOf(itemOf(top));
        break;
    case RefusedGroupDrop::Container:
        point = centreOf(outline.model()->index(0, 0));
        break;
    case RefusedGroupDrop::BetweenRows:
        point = outline.outlineView()->visualRect(itemOf(family)).topLeft() + QPoint(30, 1);
        break;
    case RefusedGroupDrop::Locked:
        outline.setEditState(false);
        break;
    case RefusedGroupDrop::OtherWindow:
        data = theirs.get();
        break;
    case RefusedGroupDrop::OtherContainer:
        point = centreOf(itemOf(club));
        break;
    }
    EXPECT_FALSE(DragEvents::drop(viewport(), point, data));
    EXPECT_TRUE(delegate.drops.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Places, RefusedGroupDropTest,
    testing::Values(RefusedGroupDrop{"ontoTheSelectedGroup", RefusedGroupDrop::SelectedGroup},
        RefusedGroupDrop{"ontoAContainer", RefusedGroupDrop::Container},
        RefusedGroupDrop{"betweenRows", RefusedGroupDrop::BetweenRows},
        RefusedGroupDrop{"locked", RefusedGroupDrop::Locked},
        RefusedGroupDrop{"fromAnotherWindow", RefusedGroupDrop::OtherWindow},
        RefusedGroupDrop{"ontoAnotherContainersGroup", RefusedGroupDrop::OtherContainer}),
    [](const testing::TestParamInfo<RefusedGroupDrop> &info) { return std::string(info.param.name); });

TEST_F(GroupViewControllerTest, RowsAre20HighUntilAFontIsSetThenAtLeast24)
{
    GroupViewController fresh;
    fresh.setContainerTable(containers);
    fresh.show();
    EXPECT_EQ(fresh.rowHeight(), 20);
    EXPECT_EQ(fresh.outlineView()->visualRect(fresh.model()->index(0, 0)).height(), 20);
    QFont font = QApplication::font();
    font.setPointSize(12);
    fresh.setSelectedFont(font);
    EXPECT_GE(fresh.rowHeight(), 24);
    EXPECT_EQ(fresh.outlineView()->visualRect(fresh.model()->index(0, 0)).height(), fresh.rowHeight());
    EXPECT_TRUE(fresh.outlineView()->isExpanded(fresh.model()->index(1, 0)));
}

} // namespace
