#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include "platform/NotificationCenter.h"

using namespace Qt::Literals::StringLiterals;

using RefreshRule = ViewControllerTest;

TEST_F(RefreshRule, EveryPaneButTheSenderRedrawsOnceWhenTheTurnEndsAndTheWindowIsMarkedAtOnce)
{
    m_controller.contactDidUpdate(nullptr, {});
    EXPECT_FALSE(m_window.isWindowModified());
    const ContactRecordPtr contact = top()->contactTable->first();
    m_controller.contactDidUpdate(contact, &m_detail);
    EXPECT_TRUE(m_window.isWindowModified());
    EXPECT_TRUE(m_log.calls().isEmpty());
    m_controller.contactDidUpdate(contact, &m_detail);
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{u"table.updateTable"_s, u"preview.updateUI"_s}));

    // A pane that sent only some of a turn's changes redraws for the others.
    m_log.clear();
    RecordingContactInfoPopover popover(m_log, u"popover"_s, {});
    m_controller.contactDidUpdate(contact, &m_table);
    m_controller.contactDidUpdate(contact, &popover);
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"table.updateTable"_s, u"preview.updateUI"_s}));
}

TEST_F(RefreshRule, WhileUndoingOnlyTheTableAndTheDetailPaneRedraw)
{
    ASSERT_TRUE(m_controller.undoReplaceValue(u"Jiro"_s, FieldId::FirstName, top()->contactTable->first()));
    endTurn();
    m_window.setWindowModified(false);
    m_log.clear();
    m_controller.undoManager()->undo();
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{u"detail.updateTable"_s, u"table.updateTable"_s}));
    EXPECT_FALSE(m_window.isWindowModified());
}

namespace {

// The preview's rows carry a copy of their address with the layout the user
// has just dragged; the view then posts its notification.
class LayoutNotification : public FilledContactsTest {
protected:
    void SetUp() override
    {
        FilledContactsTest::SetUp();
        LabeledValueRecord second;
        second.label = u"work"_s;
        second.address->city = u"大阪市北区"_s;
        person(0).addLabeledValue(second, FieldId::Address);
        endTurn();
    }

    // The print value of a row showing the contact's address at that
    // position, its blocks moved; without a layout when asked.
    PrintContactRecordPtr editedRow(qint64 position, bool withLayout = true) const
    {
        auto row = std::make_shared<PrintContactRecord>(contact(0)->person, contact(0)->uniqueId, position);
        row->source = std::make_shared<SubContactRecord>(contact(0)->person, contact(0)->uniqueId, position);
        const LabeledValueRecordPtr moved = person(0).labeledValueForIdentifierAtIndex(FieldId::Address, 1);
        if (moved && withLayout) {
            row->layoutDict = moved;
            row->layoutDict->layout->company = true;
            row->layoutDict->layout->receiverName = QRectF(10, 20, 30, 40);
        }
        return row;
    }

    static void post(const QString &name, QObject *sender)
    {
        NotificationCenter::defaultCenter().postNotification(name, sender);
    }

    [[nodiscard]] LabeledValueRecordPtr address(qsizetype position) const
    {
        return person(0).labeledValueForIdentifierAtIndex(FieldId::Address, position);
    }
};

} // namespace

TEST_F(LayoutNotification, TheRowsAddressTakesTheLayoutAsOneUndoStep)
{
    m_preview.layoutView.receivers = {editedRow(1)};
    post(PostcardLayoutView::textObjectChangedForReceiver, &m_preview.layoutView);

    EXPECT_EQ(address(1)->layout->receiverName, QRectF(10, 20, 30, 40));
    EXPECT_TRUE(address(0)->layout->isUnset());
    const HagakiLayoutRecordPtr layout = person(0).hagakiLayoutForLabelIndex(address(1)->labelIndex);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->printsCompany());
    EXPECT_TRUE(m_window.isWindowModified());

    endTurn();
    m_window.undoAction()->trigger();
    EXPECT_TRUE(address(1)->layout->isUnset());
    EXPECT_TRUE(person(0).hagakiLayoutForLabelIndex(address(1)->labelIndex)->isUnset());
    EXPECT_FALSE(m_window.undoManager()->canUndo());

    m_preview.layoutView.sender = editedRow(1);
    post(PostcardLayoutView::textObjectChangedForSender, &m_preview.layoutView);
    EXPECT_TRUE(address(1)->layout->printsCompany());
}

TEST_F(LayoutNotification, OtherSendersAndRowsWithoutALayoutOrAddressChangeNothing)
{
    QObject otherView;
    m_preview.layoutView.receivers = {editedRow(1)};
    post(PostcardLayoutView::textObjectChangedForReceiver, &otherView);
    for (const PrintContactList &rows : {PrintContactList{editedRow(5)}, {editedRow(1, false)}, PrintContactList{}}) {
        m_preview.layoutView.receivers = rows;
        post(PostcardLayoutView::textObjectChangedForReceiver, &m_preview.layoutView);
    }
    endTurn();
    EXPECT_TRUE(address(1)->layout->isUnset());
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    EXPECT_FALSE(m_window.isWindowModified());
}

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
