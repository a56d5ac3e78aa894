// The three edits made in a cell itself: text typed in place, a label chosen
// in the label pop-up and a print flag's check box. Each reaches the contacts
// through the window's undoable operations, several rows as one undo group.

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/ContactTableCellEditor.h"

#include "table/ContactsViewController.h"

#include "editors/ValueEditorDelegate.h"
#include "platform/UndoManager.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/UndoGroup_p.h"

#include <QMenu>
#include <QTableView>

void ContactTableCellEditor::textFieldCellChanged(
    int column, int row, const QString &text, const QList<SubContactRecordPtr> &rows)
{
    if (column < 0 || column >= m_model->columns().size() || row < 0 || !m_table.delegate())
        return;
    const TableColumn cell = m_model->columns().at(column);
    ValueEditorDelegate *values = m_table.delegate()->valueEditorDelegate();
    if (cell.editedThroughEditorsOnly() || !values)
        return;
    bool changed = false;
    {
        const UndoGroup group(m_table.delegate()->undoManager());
        for (const SubContactRecordPtr &record : rows) {
            if (!record || !record->person)
                continue;
            MVPerson &person = *record->person;
            if (cell.showsLabeledValues()) {
                // A value the label filter hides is none: typing into a cell
                // that shows nothing never overwrites it.
                const LabeledValueRecordPtr value
                    = cell.filteredValueAt(person, record->labelIndex, m_model->selectedLabels());
                if (!value)
                    continue;
                LabeledValueRecord edited = *value;
                if (cell.addressPart) {
                    if (value->addressParts().*cell.addressPart == text)
                        continue;
                    edited.setAddressPart(cell.identifier, text);
                } else {
                    if (value->valueText() == text)
                        continue;
                    edited.value = text;
                }
                changed |= values->undoReplaceValue(edited, cell.field, record);
            } else if (person.stringValues()->value(cell.identifier) != text) {
                changed |= values->undoReplaceValue(text, cell.identifier, record);
            }
        }
    }
    if (!changed)
        return;
    m_table.markWindowEdited();
    m_table.selectRowsOfRecordsAfterRebuild(rows);
    m_table.delegate()->updateTableLater();
}

void ContactTableCellEditor::showLabelMenu(int column, int row, const QRect &popupRect)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    const LabeledValueRecordPtr value = m_table.shownValue(column, row);
    if (!record || !value)
        return;
    const TableColumn &cell = m_model->columns().at(column);
    const QStringList labels = FieldVocabulary::shared().labelsForIdentifier(cell.field);
    const QStringList titles = FieldVocabulary::shared().localizedLabelsForIdentifier(cell.field);
    auto *menu = new QMenu(&m_table);
    menu->setObjectName(QStringLiteral("labelMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (qsizetype index = 0; index < labels.size() && index < titles.size(); ++index) {
        QAction *item = menu->addAction(titles.at(index));
        item->setData(labels.at(index));
        item->setCheckable(true);
        item->setChecked(labels.at(index) == value->labelText());
    }
    const ContactIdentifier identifier = cell.identifier;
    connect(menu, &QMenu::triggered, this, [this, record, identifier](QAction *item) {
        const int now = m_table.rowOfRecord(record);
        const int columnNow = int(m_table.columnIdentifiers().indexOf(identifier));
        if (now >= 0 && columnNow >= 0)
            popupLabelCellChanged(columnNow, now, item->data().toString());
    });
    menu->popup(m_tableView->viewport()->mapToGlobal(popupRect.bottomLeft()));
}

// The label word at the chosen position is stored and compared, never its
// display text: under a translation "自宅" must still store "home".
void ContactTableCellEditor::popupLabelCellChanged(int column, int row, const QString &label)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size() || !m_table.delegate())
        return;
    const TableColumn cell = m_model->columns().at(column);
    if (!cell.showsLabeledValues() || !FieldVocabulary::shared().labelsForIdentifier(cell.field).contains(label))
        return;
    QList<int> rows = m_table.selectedRowIndexes();
    if (!rows.contains(row))
        rows.append(row);
    std::sort(rows.begin(), rows.end());
    // An address part's own identifier finds no value, so its column always
    // asks; the rows whose address already has the label stay as they are.
    if (cell.kind == TableColumn::Kind::Labeled) {
        const LabeledValueRecordPtr own = m_table.shownValue(column, row);
        if (own && own->labelText() == label)
            return;
    }
    const QList<SubContactRecordPtr> records = m_table.recordsOfRows(rows);
    const ContactIdentifier field = cell.field;
    const QStringList filter = m_model->selectedLabels();
    const auto apply = [this, records, field, label, filter] {
        ValueEditorDelegate *values = m_table.delegate() ? m_table.delegate()->valueEditorDelegate() : nullptr;
        if (!values)
            return;
        bool changed = false;
        {
            const UndoGroup group(m_table.delegate()->undoManager());
            for (const SubContactRecordPtr &each : records) {
                const LabeledValueRecordPtr value = TableColumn::labeledValueAt(*each->person, field, each->labelIndex);
                if (!value || !TableColumn::passesLabelFilter(*value, filter) || value->labelText() == label)
                    continue;
                LabeledValueRecord edited = *value;
                edited.label = label;
                changed |= values->undoReplaceValue(edited, field, each);
            }
        }
        if (changed) {
            m_table.markWindowEdited();
            m_table.selectRowsOfRecordsAfterRebuild(records);
            m_table.delegate()->updateTableLater();
        }
    };
    if (records.size() > 1)
        m_table.confirmThen(tr("Do you want to set the same label in the selected rows"), apply);
    else
        apply();
    m_tableView->viewport()->update();
}

void ContactTableCellEditor::checkBoxCellChanged(int column, int row, bool checked)
{
    // A locked window's boxes draw greyed and change nothing.
    if (!m_table.editState() || !m_table.delegate())
        return;
    commitEditing();
    const SubContactRecordPtr record = m_model->subContactAt(row);
    ValueEditorDelegate *values = m_table.delegate()->valueEditorDelegate();
    if (!record || !record->person || column < 0 || column >= m_model->columns().size() || !values)
        return;
    const TableColumn cell = m_model->columns().at(column);
    if (cell.kind != TableColumn::Kind::Sender && cell.kind != TableColumn::Kind::CompanyOrRenmei)
        return;
    bool changed = false;
    {
        const UndoGroup group(m_table.delegate()->undoManager());
        const LabeledValueRecordPtr address = addressForBox(record, changed);
        if (!address)
            return;
        LabeledValueRecord edited = *address;
        if (cell.kind == TableColumn::Kind::Sender) {
            const SubContactRecordPtr earlier = m_table.delegate()->senderInHagakiView();
            edited.layout->sender = checked;
            m_table.delegate()->changeSenderInHagakiView(checked ? record : nullptr);
            changed |= values->undoReplaceValue(edited, FieldId::Address, record);
            if (checked && earlier && earlier->person)
                changed |= clearSenderMarks(earlier, record, edited.labelIndex);
        } else if (cell.identifier == FieldId::Company) {
            edited.layout->company = checked;
            changed |= values->undoReplaceValue(edited, FieldId::Address, record);
        } else {
            edited.layout->renmei = checked;
            changed |= values->undoReplaceValue(edited, FieldId::Address, record);
        }
    }
    if (!changed)
        return;
    m_table.markWindowEdited();
    m_table.selectRowsOfRecordsAfterRebuild(m_table.recordsOfRows(m_table.selectedRowIndexes()));
    m_table.delegate()->updateTableLater();
}

// The row's address, or on the row right after the contact's last address
// a new empty "home" one, which is undone with the flag. Further down an
// address added would land on a row above the one clicked: none.
LabeledValueRecordPtr ContactTableCellEditor::addressForBox(const SubContactRecordPtr &record, bool &added)
{
    MVPerson &person = *record->person;
    if (LabeledValueRecordPtr address = TableColumn::labeledValueAt(person, FieldId::Address, record->labelIndex))
        return address;
    if (!TableColumn::addedValueLandsAt(person, FieldId::Address, record->labelIndex))
        return nullptr;
    LabeledValueRecord empty;
    empty.label = QStringLiteral("home");
    m_table.delegate()->valueEditorDelegate()->undoAddLabeledValue(empty, FieldId::Address, record);
    added = true;
    return TableColumn::labeledValueAt(person, FieldId::Address, record->labelIndex);
}

// The earlier sender's mark is cleared through its own row's record, on
// whichever of its addresses carries it: a sort may have moved it, and its
// contact need not be in the shown group.
bool ContactTableCellEditor::clearSenderMarks(
    const SubContactRecordPtr &earlier, const SubContactRecordPtr &newSender, qint64 keptLabelIndex)
{
    ValueEditorDelegate *values = m_table.delegate()->valueEditorDelegate();
    const LabeledValueListPtr addresses = earlier->person->labeledValues(FieldId::Address);
    if (!addresses || !values)
        return false;
    const bool samePerson = earlier->person == newSender->person;
    bool changed = false;
    for (const LabeledValueRecordPtr &address : *addresses) {
        if (!address || !std::as_const(address->layout)->printsSender())
            continue;
        if (samePerson && address->labelIndex == keptLabelIndex)
            continue;
        LabeledValueRecord cleared = *address;
        cleared.layout->sender = false;
        changed |= values->undoReplaceValue(cleared, FieldId::Address, earlier);
    }
    return changed;
}
