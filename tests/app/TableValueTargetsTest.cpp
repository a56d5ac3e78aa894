// Where a value typed into the table lands: an editor's result over several
// selected rows, a print box on a row without an address, and the editor
// that Return opens on the next row.

#include "TableEditingFixture.h"

#include "editors/AddressViewController.h"
#include "editors/IMSViewController.h"
#include "editors/NameViewController.h"
#include "editors/SNSViewController.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableMenu.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The text a test gives a value and reads back: the street of an address,
// the user name of a chat or social account.
QString textOf(const LabeledValueRecord &value, const ContactIdentifier &field)
{
    return field == FieldId::Address ? value.addressParts().street : value.accountParts().username;
}

class TableValueTargets : public TableEditingTest {
protected:
    // Replaces the contact's values of the field, numbered from 0, outside
    // the undo history.
    void setValues(int index, const ContactIdentifier &field, const QStringList &texts)
    {
        MVPerson &contact = person(index);
        contact.setValue(LabeledValueList{}, field);
        for (const QString &text : texts) {
            LabeledValueRecord value;
            // A social profile's label is its service.
            value.label = field == FieldId::SocialNetwork ? u"Twitter"_s : u"home"_s;
            if (field == FieldId::Address)
                value.setAddressPart(FieldId::Street, text);
            else
                value.value = text;
            if (field == FieldId::InstantMessage)
                value.account->service = u"Skype"_s;
            contact.addLabeledValue(value, field);
        }
    }
    // Types over the editor's field and presses Done.
    void typeAndDone(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::mouseClick(editor()->doneButton(), Qt::LeftButton);
        endTurn();
    }
    void refresh()
    {
        table().updateTable();
        endTurn();
    }
    [[nodiscard]] static QStringList texts(MVPerson &contact, const ContactIdentifier &field)
    {
        QStringList shown;
        if (const LabeledValueListPtr values = contact.labeledValues(field)) {
            for (const LabeledValueRecordPtr &value : *values)
                shown.append(textOf(*value, field));
        }
        return shown;
    }
    // The row of the contact that begins at first, at a label position.
    [[nodiscard]] int rowAt(int first, qint64 position) const
    {
        for (int index = first; index < rowCount(); ++index) {
            if (row(index)->uniqueId == row(first)->uniqueId && row(index)->labelIndex == position)
                return index;
        }
        return -1;
    }
};

// --- An editor's result over several selected rows ---------------------------------

struct SeveralRowsRow {
    const char *name;
    ContactIdentifier field;
    QString menuKey;
    QLineEdit *(*textField)(ValueEditor *);
};

class EditorOverSelectedRows : public TableValueTargets, public testing::WithParamInterface<SeveralRowsRow> { };

// The clicked contact's second value is edited; the other contact's row
// shows its first value, which the result replaces, and the third contact's
// row shows none of the field, so it stays as it was.
TEST_P(EditorOverSelectedRows, ReplacesTheValueEachSelectedRowShows)
{
    const SeveralRowsRow &param = GetParam();
    showColumns({FieldId::Company, FieldId::Phone, param.field});
    const QList<int> starts = firstRows();
    setValues(starts[0], param.field, {u"a0"_s, u"a1"_s});
    setValues(starts[1], param.field, {u"b0"_s, u"b1"_s});
    setValues(starts[2], param.field, {u"c0"_s});
    setValues(starts[2], FieldId::Phone, {u"01"_s, u"02"_s});
    refresh();
    const QList<int> again = firstRows();
    const int clicked = rowAt(again[0], 1);
    const int other = again[1];
    const int without = rowAt(again[2], 1);
    ASSERT_GE(clicked, 0);
    ASSERT_GE(without, 0);
    const MVPersonPtr a = row(clicked)->person;
    const MVPersonPtr b = row(other)->person;
    const MVPersonPtr c = row(without)->person;
    table().selectRowIndexes({clicked, other, without});
    rightClickAndChoose(param.field, clicked, param.menuKey);
    EXPECT_EQ(m_alerts.confirmations, QStringList{u"Do you want to set the same value in the selected rows"_s});
    ASSERT_NE(editor(), nullptr);
    typeAndDone(param.textField(editor()), u"new"_s);

    EXPECT_EQ(texts(*a, param.field), (QStringList{u"a0"_s, u"new"_s}));
    EXPECT_EQ(texts(*b, param.field), (QStringList{u"new"_s, u"b1"_s}));
    EXPECT_EQ(texts(*c, param.field), QStringList{u"c0"_s});
    undoOnce();
    EXPECT_EQ(texts(*a, param.field), (QStringList{u"a0"_s, u"a1"_s}));
    EXPECT_EQ(texts(*b, param.field), (QStringList{u"b0"_s, u"b1"_s}));
    EXPECT_FALSE(undoManager().canUndo());
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorOverSelectedRows,
    testing::Values(
        SeveralRowsRow{"Address", FieldId::Address, ContactTableMenu::Key::OpenAddressPanel,
            [](ValueEditor *editor) { return qobject_cast<AddressViewController *>(editor)->streetField(); }},
        SeveralRowsRow{"InstantMessage", FieldId::InstantMessage, ContactTableMenu::Key::OpenIMSPanel,
            [](ValueEditor *editor) { return qobject_cast<IMSViewController *>(editor)->usernameField(); }},
        SeveralRowsRow{"SocialProfile", FieldId::SocialNetwork, ContactTableMenu::Key::OpenSNSPanel,
            [](ValueEditor *editor) { return qobject_cast<SNSViewController *>(editor)->usernameField(); }}),
    [](const auto &info) { return std::string(info.param.name); });

// A print flag copied onto another contact would make a second sender.
TEST_F(TableValueTargets, AnAddressSetInSeveralRowsLeavesTheOtherContactsPrintFlags)
{
    showColumns({FieldId::Company, FieldId::Address});
    const QList<int> starts = firstRows();
    setValues(starts[0], FieldId::Address, {u"a0"_s});
    setValues(starts[1], FieldId::Address, {u"b0"_s});
    person(starts[0]).labeledValues(FieldId::Address)->first()->layout->sender = true;
    refresh();
    const QList<int> rows = firstRows().mid(0, 2);
    table().selectRowIndexes(rows);
    doubleClick(FieldId::Address, rows[0]);
    endTurn();
    auto *address = qobject_cast<AddressViewController *>(editor());
    ASSERT_NE(address, nullptr);
    typeAndDone(address->streetField(), u"new"_s);
    const LabeledValueRecordPtr copied = person(rows[1]).labeledValues(FieldId::Address)->first();
    EXPECT_EQ(copied->addressParts().street, u"new"_s);
    EXPECT_FALSE(std::as_const(copied->layout)->printsSender());
    EXPECT_TRUE(std::as_const(person(rows[0]).labeledValues(FieldId::Address)->first()->layout)->printsSender());
}

// --- Print boxes on a row without an address ---------------------------------------

struct BoxRow {
    const char *name;
    ContactIdentifier column;
    bool (HagakiLayoutFields::*flag)() const;
};

class PrintBoxWithoutAddress : public TableValueTargets, public testing::WithParamInterface<BoxRow> {
protected:
    [[nodiscard]] QPoint boxPoint(int index) const
    {
        const QModelIndex cell = view()->model()->index(index, column(GetParam().column));
        auto *cells = qobject_cast<ContactTableCellDelegate *>(view()->itemDelegate());
        return cells->checkboxRect(view()->visualRect(cell), cell, view()->viewport()).center();
    }
    [[nodiscard]] QList<bool> flags(MVPerson &contact) const
    {
        QList<bool> shown;
        for (const LabeledValueRecordPtr &address : *contact.labeledValues(FieldId::Address)) {
            const HagakiLayoutFields &fields = *std::as_const(address->layout);
            shown.append((fields.*GetParam().flag)());
        }
        return shown;
    }
};

// One address and three phones: rows at positions 0, 1 and 2.
TEST_P(PrintBoxWithoutAddress, AddsTheHomeAddressOnceAtTheNextPositionOnly)
{
    showColumns({FieldId::Company, FieldId::Phone, FieldId::Renmei, u"Sender"_s});
    const int first = firstRows().first();
    setValues(first, FieldId::Address, {u"a0"_s});
    setValues(first, FieldId::Phone, {u"01"_s, u"02"_s, u"03"_s});
    person(first).stringValues()->setEntry(FieldId::Company, u"Acme"_s);
    person(first).stringValues()->setEntry(FieldId::Renmei, u"花子"_s);
    refresh();
    const int start = firstRows().first();
    const MVPersonPtr contact = row(start)->person;
    const int third = rowAt(start, 2);
    ASSERT_GE(third, 0);
    table().selectRowIndexes({third});
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(third));
    endTurn();
    EXPECT_EQ(flags(*contact), QList<bool>{false});
    EXPECT_FALSE(undoManager().canUndo());

    const int second = rowAt(start, 1);
    table().selectRowIndexes({second});
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(second));
    endTurn();
    EXPECT_EQ(flags(*contact), (QList<bool>{false, true}));
    EXPECT_EQ(contact->labeledValues(FieldId::Address)->last()->labelText(), u"home"_s);
    // The row shows the box checked: the next click takes the mark off.
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(rowAt(firstRows().first(), 1)));
    endTurn();
    EXPECT_EQ(flags(*contact), (QList<bool>{false, false}));
    undoOnce();
    undoOnce();
    EXPECT_EQ(flags(*contact), QList<bool>{false});
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintBoxWithoutAddress,
    testing::Values(BoxRow{"Sender", u"Sender"_s, &HagakiLayoutFields::printsSender},
        BoxRow{"Company", FieldId::Company, &HagakiLayoutFields::printsCompany},
        BoxRow{"Renmei", FieldId::Renmei, &HagakiLayoutFields::printsRenmei}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Return from one cell editor to the next -------------------------------------------

struct ReturnRow {
    const char *name;
    ContactIdentifier column;
};

class ReturnIntoNextCell : public TableValueTargets, public testing::WithParamInterface<ReturnRow> { };

// The commit refreshes the table, which opens the next editor anew: its text
// must still be selected, as in the first editor.
TEST_P(ReturnIntoNextCell, TypingReplacesTheNextCellsText)
{
    const ContactIdentifier field = GetParam().column;
    const QList<int> starts = firstRows();
    table().selectRowIndexes({starts[0]});
    doubleClick(field, starts[0]);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u"641-0056"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    const QString next = editedCell();
    ASSERT_FALSE(next.isEmpty());
    const int nextRow = next.section(u':', 1).toInt();
    const MVPersonPtr contact = row(nextRow)->person;
    const qint64 position = row(nextRow)->labelIndex;
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u"Z"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    const QString stored = field == FieldId::Company
        ? contact->stringValues()->value(FieldId::Company)
        : contact->labeledValues(FieldId::Address)->at(position)->addressParts().zip;
    EXPECT_EQ(stored, u"Z"_s);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReturnIntoNextCell,
    testing::Values(ReturnRow{"Zip", FieldId::ZIP}, ReturnRow{"Company", FieldId::Company}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Line breaks pasted into an editor's fields -----------------------------------------

struct PastedRow {
    const char *name;
    ContactIdentifier column;
    QString menuKey;
    QLineEdit *(*textField)(ValueEditor *);
    QString (*stored)(MVPerson &);
    QString expected;
};

class PastedIntoEditor : public TableValueTargets, public testing::WithParamInterface<PastedRow> { };

TEST_P(PastedIntoEditor, MakesALineBreakASpaceButInTheStreet)
{
    const PastedRow &param = GetParam();
    showColumns({FieldId::Company, param.column});
    const int first = firstRows().first();
    if (param.column != FieldId::Name)
        setValues(first, param.column, {u"old"_s});
    refresh();
    const int start = firstRows().first();
    const MVPersonPtr contact = row(start)->person;
    table().selectRowIndexes({start});
    rightClickAndChoose(param.column, start, param.menuKey);
    ASSERT_NE(editor(), nullptr);
    QLineEdit *field = param.textField(editor());
    field->selectAll();
    QApplication::clipboard()->setText(u"one\ntwo"_s);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(editor()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(param.stored(*contact), param.expected);
}

QString firstAddressPart(MVPerson &contact, const ContactIdentifier &part)
{
    return contact.labeledValues(FieldId::Address)->first()->addressPart(part);
}

INSTANTIATE_TEST_SUITE_P(Rows, PastedIntoEditor,
    testing::Values(
        PastedRow{"Street", FieldId::Address, ContactTableMenu::Key::OpenAddressPanel,
            [](ValueEditor *editor) { return qobject_cast<AddressViewController *>(editor)->streetField(); },
            [](MVPerson &contact) { return firstAddressPart(contact, FieldId::Street); }, u"one\ntwo"_s},
        PastedRow{"City", FieldId::Address, ContactTableMenu::Key::OpenAddressPanel,
            [](ValueEditor *editor) { return qobject_cast<AddressViewController *>(editor)->cityField(); },
            [](MVPerson &contact) { return firstAddressPart(contact, FieldId::City); }, u"one two"_s},
        PastedRow{"InstantMessage", FieldId::InstantMessage, ContactTableMenu::Key::OpenIMSPanel,
            [](ValueEditor *editor) { return qobject_cast<IMSViewController *>(editor)->usernameField(); },
            [](MVPerson &contact) {
                return textOf(*contact.labeledValues(FieldId::InstantMessage)->first(), FieldId::InstantMessage);
            },
            u"one two"_s},
        PastedRow{"FirstName", FieldId::Name, u"Open Name Panel"_s,
            [](ValueEditor *editor) { return qobject_cast<NameViewController *>(editor)->firstNameField(); },
            [](MVPerson &contact) { return contact.stringValueForIdentifier(FieldId::FirstName, 0); }, u"one two"_s}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
