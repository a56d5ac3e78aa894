#include "PersonValueDump.h"
#include "TableEditingFixture.h"

#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "detail/ContactInfoView.h"
#include "editors/MultiValueViewController.h"
#include "platform/widgets/Popover.h"
#include "table/ContactInfoPopoverPane.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList valueTexts(MVPerson &person, const ContactIdentifier &field)
{
    QStringList texts;
    if (const LabeledValueListPtr values = person.labeledValues(field)) {
        for (const LabeledValueRecordPtr &value : *values)
            texts.append(value->valueText().isEmpty() ? value->stringValue : value->valueText());
    }
    return texts;
}

class TablePopovers : public TableEditingTest {
protected:
    // The class of what the double-click opened: the popover's content, the
    // cell editor, or nothing.
    [[nodiscard]] QString opened() const
    {
        if (Popover *popover = table().popover(); popover && popover->contentWidget())
            return QString::fromLatin1(popover->contentWidget()->metaObject()->className());
        return cellEditor() ? u"cellEditor"_s : QString();
    }
};

// --- Which editor a double-click opens ---------------------------------------------

struct DispatchRow {
    const char *name;
    ContactIdentifier column;
    bool editing;
    Qt::KeyboardModifiers modifiers;
    // The field cleared on the clicked contact first; empty for none.
    ContactIdentifier cleared;
    QString opened;
    std::optional<qint64> labelIndex;
};

class Dispatch : public TablePopovers, public testing::WithParamInterface<DispatchRow> { };

TEST_P(Dispatch, OpensTheEditorThatSuitsTheCell)
{
    const DispatchRow &row = GetParam();
    const int first = firstRows().first();
    if (!row.cleared.isEmpty())
        clearField(first, row.cleared);
    mainView().setEditState(row.editing);
    table().selectRowIndexes({first});
    doubleClick(row.column, first, row.modifiers);
    endTurn();
    EXPECT_EQ(opened(), row.opened);
    if (row.labelIndex) {
        ASSERT_NE(editor(), nullptr);
        EXPECT_EQ(editor()->contextInfo()->labelIndex, row.labelIndex);
    }
    EXPECT_TRUE(m_alerts.confirmations.isEmpty());
    closePopover();
}

INSTANTIATE_TEST_SUITE_P(Rows, Dispatch,
    testing::Values(DispatchRow{"LockedAddress", FieldId::Address, false, {}, {}, u"AddressViewController"_s, 0},
        DispatchRow{"LockedAddressWithCtrl", FieldId::Address, false, Qt::ControlModifier, {},
            u"MultiValueViewController"_s, 0},
        DispatchRow{"LockedEmptyPhone", FieldId::Phone, false, {}, FieldId::Phone, {}, {}},
        DispatchRow{"LockedEmptyPhoneWithCtrl", FieldId::Phone, false, Qt::ControlModifier, FieldId::Phone,
            u"MultiValueViewController"_s, -1},
        DispatchRow{"LockedName", FieldId::Name, false, {}, {}, u"ContactInfoPopover"_s, {}},
        DispatchRow{"EditingName", FieldId::Name, true, {}, {}, u"ContactInfoPopover"_s, {}},
        DispatchRow{
            "EditingZipWithoutAddress", FieldId::ZIP, true, {}, FieldId::Address, u"AddressViewController"_s, -1},
        DispatchRow{"EditingFilledPhone", FieldId::Phone, true, {}, {}, u"cellEditor"_s, {}},
        DispatchRow{"EditingEmptyPhone", FieldId::Phone, true, {}, FieldId::Phone, u"MultiValueViewController"_s, -1},
        DispatchRow{"LockedCompany", FieldId::Company, false, {}, {}, {}, {}},
        DispatchRow{"LockedCompanyWithCtrl", FieldId::Company, false, Qt::ControlModifier, {}, u"cellEditor"_s, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Results applied to several rows ------------------------------------------------

TEST_F(TablePopovers, ThreeRowsTwoWithPhonesAskAndANumberAddedIsOneUndoStepInAllThreeWithListsApart)
{
    const QList<int> rows = firstRows().mid(0, 3);
    const QStringList before0 = valueTexts(person(rows[0]), FieldId::Phone);
    const QStringList before1 = valueTexts(person(rows[1]), FieldId::Phone);
    clearField(rows[2], FieldId::Phone);
    table().selectRowIndexes(rows);
    doubleClick(FieldId::Phone, rows[2]);
    endTurn();
    EXPECT_EQ(m_alerts.confirmations, QStringList{u"Do you want to set the same value in the selected rows"_s});
    EXPECT_EQ(m_alerts.confirmationInformativeTexts, QStringList{u"This operation can be undone."_s});
    auto *multi = qobject_cast<MultiValueViewController *>(editor());
    ASSERT_NE(multi, nullptr);
    QTest::mouseClick(multi->addButton(), Qt::LeftButton);
    QTest::mouseClick(multi->doneButton(), Qt::LeftButton);
    endTurn();
    for (int each : rows)
        EXPECT_EQ(valueTexts(person(each), FieldId::Phone), QStringList{u"new"_s});
    EXPECT_NE(
        person(rows[0]).labeledValues(FieldId::Phone)->first(), person(rows[2]).labeledValues(FieldId::Phone)->first());
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(table().selectedRowIndexes().size(), 3);

    undoOnce();
    EXPECT_EQ(valueTexts(person(rows[0]), FieldId::Phone), before0);
    EXPECT_EQ(valueTexts(person(rows[1]), FieldId::Phone), before1);
    EXPECT_TRUE(valueTexts(person(rows[2]), FieldId::Phone).isEmpty());
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(TablePopovers, CancelLeavesTheUndoStackAndTheEditedMark)
{
    const QList<int> rows = firstRows().mid(0, 2);
    table().selectRowIndexes(rows);
    m_alerts.answer = AlertPresenter::SecondButtonReturn;
    doubleClick(FieldId::Phone, rows[0]);
    endTurn();
    EXPECT_EQ(m_alerts.confirmations.size(), 1);
    EXPECT_EQ(opened(), QString());
    EXPECT_FALSE(undoManager().canUndo());
    EXPECT_FALSE(window().isWindowModified());
}

TEST_F(TablePopovers, ANewAddressIsAddedOncePerContactAndJointNamesAsLines)
{
    const QList<int> starts = firstRows();
    // Two rows of one contact and the first row of another.
    int second = -1;
    for (int index = starts[0] + 1; index < rowCount() && second < 0; ++index) {
        if (row(index)->uniqueId == row(starts[0])->uniqueId)
            second = index;
    }
    ASSERT_GE(second, 0);
    const QList<SubContactRecordPtr> rows{row(starts[0]), row(second), row(starts[1])};
    const qsizetype addresses0 = person(starts[0]).labeledValues(FieldId::Address)->size();
    const qsizetype addresses1 = person(starts[1]).labeledValues(FieldId::Address)->size();

    auto context = std::make_shared<PopoverContextInfo>();
    context->type = FieldId::Address;
    context->dirty = true;
    LabeledValueRecord address;
    address.label = u"work"_s;
    address.labelIndex = -1;
    address.setAddressPart(FieldId::City, u"Kyoto"_s);
    context->value = address;
    EXPECT_TRUE(table().applyEditorResultToRows(context, rows));
    EXPECT_EQ(rows[0]->person->labeledValues(FieldId::Address)->size(), addresses0 + 1);
    EXPECT_EQ(rows[2]->person->labeledValues(FieldId::Address)->size(), addresses1 + 1);
    EXPECT_TRUE(window().isWindowModified());
    undoOnce();
    EXPECT_EQ(rows[0]->person->labeledValues(FieldId::Address)->size(), addresses0);
    EXPECT_EQ(rows[2]->person->labeledValues(FieldId::Address)->size(), addresses1);
    EXPECT_FALSE(undoManager().canUndo());

    auto names = std::make_shared<PopoverContextInfo>();
    names->type = FieldId::Renmei;
    names->dirty = true;
    names->values = {u"花子"_s, u"一郎"_s, u"次郎"_s};
    EXPECT_TRUE(table().applyEditorResultToRows(names, rows));
    EXPECT_EQ(rows[2]->person->stringValues()->value(FieldId::Renmei), u"花子\n一郎\n次郎"_s);
    EXPECT_EQ(rows[0]->person->stringValues()->value(FieldId::Renmei), u"花子\n一郎\n次郎"_s);
}

// A contact without joint names: the editor opens on one empty row being
// edited; the name typed at once is stored by Return, an empty Return stores
// nothing.
TEST_F(TablePopovers, JointNamesTypedAtOnceIntoAnEmptyCellAreStoredByReturn)
{
    showColumns({FieldId::Company, FieldId::Renmei});
    const int first = firstRows().first();
    person(first).stringValues()->setEntry(FieldId::Renmei, std::nullopt);
    table().updateTable();
    endTurn();
    // Then the undo of the name, and an empty Return, which leaves no step.
    for (const QString &typed : {u"Hanako"_s, QString()}) {
        doubleClick(FieldId::Renmei, first);
        endTurn();
        ASSERT_EQ(opened(), u"RenmeiViewController"_s);
        auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        endTurn();
        EXPECT_FALSE(table().popover() && table().popover()->isShown());
        EXPECT_EQ(person(first).stringValues()->value(FieldId::Renmei), typed);
        EXPECT_EQ(undoManager().canUndo(), !typed.isEmpty());
        if (!typed.isEmpty())
            undoOnce();
    }
}

TEST_F(TablePopovers, APopoverOpenedByReturnChangesTheRowItOpenedForOnly)
{
    const QList<int> starts = firstRows();
    const int edited = starts[0];
    const int next = edited + 1;
    const QString otherCity = person(starts[1]).labeledValues(FieldId::Address)->first()->addressParts().city;
    table().selectRowIndexes({edited, starts[1]});
    // An address cell's text is its editor's: an edit held open there, and
    // Return opens the next row's address editor.
    ASSERT_TRUE(table().cellEditor()->editCellInPlace(column(FieldId::Address), edited));
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    auto *address = qobject_cast<AddressViewController *>(editor());
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{next});
    const qint64 labelIndex = *address->contextInfo()->labelIndex;
    EXPECT_EQ(labelIndex, table().shownValue(column(FieldId::Address), next)->labelIndex);
    address->cityField()->selectAll();
    QTest::keyClicks(address->cityField(), u"Nara"_s);
    QTest::mouseClick(address->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(person(next).labeledValueForIdentifierAtLabelIndex(FieldId::Address, labelIndex)->addressParts().city,
        u"Nara"_s);
    EXPECT_EQ(person(starts[1]).labeledValues(FieldId::Address)->first()->addressParts().city, otherCity);
}

// The mailing form under the fields of an address read from the store shows
// the postal code as the user types it, not the one the address was read with.
TEST_F(TablePopovers, TheMailingFormOfAReadAddressShowsThePostalCodeAsTyped)
{
    const int edited = firstRows()[0];
    ASSERT_TRUE(table().cellEditor()->editCellInPlace(column(FieldId::Address), edited));
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    auto *address = qobject_cast<AddressViewController *>(editor());
    ASSERT_NE(address, nullptr);
    const QString readCode = address->zipField()->text();
    ASSERT_FALSE(readCode.isEmpty());
    EXPECT_TRUE(address->postalAddressField()->text().contains(readCode));
    address->zipField()->selectAll();
    QTest::keyClicks(address->zipField(), u"98765"_s);
    EXPECT_TRUE(address->postalAddressField()->text().contains(u"98765"_s));
    EXPECT_FALSE(address->postalAddressField()->text().contains(readCode));
    closePopover();
}

// --- The contact popover and its detached windows ----------------------------------

TEST_F(TablePopovers, ADetachedContactComesToTheFrontAndWhenClosedThePopoverOpensAgain)
{
    const int first = firstRows().first();
    const QString name = person(first).compositeName();
    doubleClick(FieldId::Name, first);
    endTurn();
    ASSERT_EQ(opened(), u"ContactInfoPopover"_s);
    Popover *popover = table().popover();
    Screenshot::grab(popover, u"contactPopover"_s);
    EXPECT_TRUE(table().popoverShouldDetach(popover));
    EXPECT_EQ(mainView().popover(), table().contactInfoPopoverPane());

    QWidget *detached = table().detachableWindowForPopover(popover);
    ASSERT_NE(detached, nullptr);
    detached->show();
    popover->close();
    endTurn();
    EXPECT_TRUE(detached->windowTitle().startsWith(name));
    ASSERT_EQ(table().detachedWindows().size(), 1);
    EXPECT_EQ(table().detachedWindows().first()->contact()->uniqueId, row(first)->uniqueId);
    EXPECT_EQ(mainView().popover(), nullptr);

    doubleClick(FieldId::Name, first);
    endTurn();
    EXPECT_EQ(table().popover(), nullptr);
    EXPECT_TRUE(detached->isVisible());

    detached->close();
    endTurn();
    EXPECT_TRUE(table().detachedWindows().isEmpty());
    doubleClick(FieldId::Name, first);
    endTurn();
    EXPECT_EQ(opened(), u"ContactInfoPopover"_s);
    closePopover();
}

TEST_F(TablePopovers, EditorPopoversDoNotDetach)
{
    const int first = firstRows().first();
    mainView().setEditState(false);
    doubleClick(FieldId::Address, first);
    endTurn();
    ASSERT_EQ(opened(), u"AddressViewController"_s);
    EXPECT_FALSE(table().popoverShouldDetach(table().popover()));
    closePopover();
}

TEST_F(TablePopovers, AFontAndARefreshReachThePopoverAndDetachedViewsWithoutSwitchingTheirContact)
{
    const QList<int> starts = firstRows();
    doubleClick(FieldId::Name, starts[0]);
    endTurn();
    QWidget *detached = table().detachableWindowForPopover(table().popover());
    ASSERT_NE(detached, nullptr);
    detached->show();
    table().popover()->close();
    endTurn();
    doubleClick(FieldId::Name, starts[1]);
    endTurn();
    ContactInfoPopoverPane *shown = table().contactInfoPopoverPane();
    ASSERT_NE(shown, nullptr);
    ContactInfoPopoverPane *window = table().detachedWindows().first();

    table().selectRowIndexes({starts[2]});
    table().updateTable();
    EXPECT_EQ(shown->contact()->uniqueId, row(starts[1])->uniqueId);
    EXPECT_EQ(window->contact()->uniqueId, row(starts[0])->uniqueId);

    QFont font = table().selectedFont();
    font.setPointSize(19);
    table().setSelectedFont(font);
    EXPECT_EQ(dynamic_cast<ContactInfoView *>(shown)->selectedFont().pointSize(), 19);
    EXPECT_EQ(dynamic_cast<ContactInfoView *>(window)->selectedFont().pointSize(), 19);
    closePopover();
    detached->close();
    endTurn();
}

// The birthday editor a double-click opens in the cell of a row selected
// alone.
class DatePopover : public TablePopovers {
protected:
    void SetUp() override
    {
        TablePopovers::SetUp();
        showColumns({FieldId::Birthday});
    }
    DateViewController *open(int index)
    {
        table().selectRowIndexes({index});
        doubleClick(FieldId::Birthday, index);
        endTurn();
        Popover *popover = table().popover();
        EXPECT_TRUE(popover && popover->isShown());
        if (!popover)
            return nullptr;
        EXPECT_TRUE(QTest::qWaitFor([popover] { return QGuiApplication::focusWindow() == popover->windowHandle(); }));
        return qobject_cast<DateViewController *>(popover->contentWidget());
    }
    // A contact's first row whose birthday is not in December, so that the
    // next month is another.
    [[nodiscard]] int rowBeforeDecember() const
    {
        for (const int index : firstRows()) {
            if (person(index).birthdayValue() && person(index).birthdayValue()->value->month.value_or(12) < 12)
                return index;
        }
        return -1;
    }
};

TEST_F(DatePopover, ClosedUnchangedItChangesNothingAndChangedItIsOneUndoStep)
{
    const int index = rowBeforeDecember();
    ASSERT_GE(index, 0);
    MVPerson &contact = person(index);
    const int month = *contact.birthdayValue()->value->month;
    const std::string before = dumpPerson(contact);
    DateViewController *editor = open(index);
    ASSERT_TRUE(editor);
    QTest::mouseClick(editor->cancelButton(), Qt::LeftButton);
    endTurn();
    EXPECT_FALSE(table().popover());
    EXPECT_FALSE(undoManager().canUndo());
    EXPECT_FALSE(window().isWindowModified());

    editor = open(index);
    ASSERT_TRUE(editor);
    QTest::keyClick(editor->monthPopup(), Qt::Key_Down);
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(contact.birthdayValue()->value->month, month + 1);
    EXPECT_TRUE(window().isWindowModified());
    undoOnce();
    EXPECT_EQ(dumpPerson(contact), before);
    EXPECT_FALSE(undoManager().canUndo());
}

} // namespace
