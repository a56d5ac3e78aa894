#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <QImage>

using namespace Qt::Literals::StringLiterals;

using ValueUndo = FilledContactsTest;

namespace {

QImage filled(const QColor &color)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace

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

TEST_F(ValueUndo, AMergeTakesTheDifferingValuesAsOneStepAndClosesAPopoverOfTheMergedContact)
{
    auto merged = ContactRecord::makeWithPerson(std::make_shared<MVPerson>());
    fillPerson(*merged->person, u"Taro0"_s);
    merged->uniqueId = contact(0)->uniqueId;
    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    endTurn();
    EXPECT_FALSE(person(0).changed() || m_controller.undoManager()->canUndo()) << "equal values change nothing";

    auto shown = std::make_shared<SubContactRecord>();
    shown->uniqueId = contact(0)->uniqueId;
    RecordingContactInfoPopover popover(m_log, u"popover"_s, shown);
    RecordingContactInfoPopover detached(m_log, u"detached"_s, shown);
    RecordingContactInfoPopover otherDetached(m_log, u"otherDetached"_s, std::make_shared<SubContactRecord>());
    m_table.detached = {&detached, &otherDetached};
    m_controller.setPopover(&popover);
    m_log.clear();
    // A different photo is taken over when both have one.
    person(0).setPhoto(filled(Qt::blue));
    const std::string before = dumpPerson(person(0));
    merged->person->setValue(u"Merged Inc."_s, FieldId::Company);
    merged->person->setPhoto(filled(Qt::green));

    m_controller.undoReplacePersonByContacts({merged}, {contact(0)});
    EXPECT_EQ(dumpPerson(person(0)), dumpPerson(*merged->person));
    EXPECT_TRUE(person(0).changed() && m_window.isWindowModified());
    EXPECT_EQ(m_log.calls(), (QStringList{u"popover.closePopover"_s, u"detached.updateTable"_s}));
    EXPECT_EQ(m_controller.popover(), nullptr);

    // Undoing redraws the table and the detail pane only.
    endTurn();
    m_log.clear();
    m_controller.undo();
    endTurn();
    EXPECT_EQ(dumpPerson(person(0)), before);
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"table.updateTable"_s}));
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
