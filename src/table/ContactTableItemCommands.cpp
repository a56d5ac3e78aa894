// The column commands of the context menu: each changes one field in the
// clicked row and every selected row, after a confirmation or in the sheet
// that takes the text and label, as one undo step. The rows are taken as
// records when the command starts, so a rebuild while a sheet is open cannot
// send the change to other contacts.

#include "table/ContactTableItemCommands.h"

#include "model/AddressText.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/ContactsViewController.h"

#include "editors/ValueEditorDelegate.h"
#include "table/ContactTableMenu.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/TableColumn.h"
#include "table/UndoGroup_p.h"

#include <QPointer>

#include <QSet>

#include <algorithm>

using namespace FieldId;

namespace {

// The labeled fields whose values are plain text a command can rewrite.
bool isTextLabeled(const ContactIdentifier &identifier)
{
    return identifier == Phone || identifier == Email || identifier == URL || identifier == Relationship;
}

bool isAddressPart(const ContactIdentifier &identifier)
{
    return FieldVocabulary::shared().addressIdentifiers().contains(identifier);
}

using TextCommand = ContactTableItemCommands::TextCommand;

QString commandKey(TextCommand command)
{
    using namespace ContactTableMenu;
    switch (command) {
    case TextCommand::Replace:
        return Key::ReplaceText;
    case TextCommand::ReplaceWithLabel:
        return Key::ReplaceLabelAndText;
    case TextCommand::Prepend:
        return Key::PrependText;
    case TextCommand::Append:
        break;
    }
    return Key::AppendText;
}

QString combined(TextCommand command, const QString &current, const QString &text)
{
    if (command == TextCommand::Prepend)
        return text + current;
    if (command == TextCommand::Append)
        return current + text;
    return text;
}

// The value a new "Add Item" puts into each contact.
LabeledValueRecord placeholderValue(const ContactIdentifier &identifier)
{
    LabeledValueRecord value;
    value.label = identifier == Relationship ? QStringLiteral("friend") : QStringLiteral("home");
    const QString text = identifier == Phone ? QStringLiteral("123") : QStringLiteral("new");
    value.value = text;
    value.stringValue = text;
    return value;
}

} // namespace

ContactTableItemCommands::ContactTableItemCommands(ContactsViewController &table)
    : QObject(&table)
    , m_table(table)
    , m_model(table.model())
{
}

QSet<const MVPerson *> ContactTableItemCommands::shownPersons() const
{
    QSet<const MVPerson *> persons;
    for (const SubContactRecordPtr &row : m_table.subContactTable())
        persons.insert(row->person.get());
    return persons;
}

// A copy, as the commands keep it while they change the contact.
LabeledValueRecordPtr ContactTableItemCommands::shownValueOf(
    const SubContactRecord &row, const ContactIdentifier &field) const
{
    const LabeledValueRecordPtr shown
        = TableColumn::shownValueAt(*row.person, field, row.labelIndex, m_model->selectedLabels());
    return shown ? std::make_shared<LabeledValueRecord>(*shown) : nullptr;
}

void ContactTableItemCommands::itemCommandDidChange(const QList<SubContactRecordPtr> &rows)
{
    m_table.markWindowEdited();
    m_table.selectRowsOfRecordsAfterRebuild(rows);
    if (m_table.delegate())
        m_table.delegate()->updateTableLater();
}

// --- Add ---------------------------------------------------------------------------

void ContactTableItemCommands::insertItem()
{
    const std::optional<ContactsViewController::ClickedCell> cell = m_table.clickedCell();
    if (!cell || !m_table.editState())
        return;
    const ContactIdentifier identifier = m_model->columns().at(cell->column).identifier;
    m_table.setPopoverRows(cell->targets);
    const QRect rect = m_table.cellRect(cell->column, cell->row);
    if (identifier == Address || isAddressPart(identifier))
        m_table.showAddressPopover(cell->record, Address, -1, rect);
    else if (identifier == SocialNetwork)
        m_table.showSNSPopover(cell->record, identifier, -1, rect);
    else if (identifier == InstantMessage)
        m_table.showIMSPopover(cell->record, identifier, -1, rect);
    else if (isTextLabeled(identifier))
        addValueToContacts(identifier, cell->targets);
}

void ContactTableItemCommands::addValueToContacts(
    const ContactIdentifier &identifier, const QList<SubContactRecordPtr> &rows)
{
    ValueEditorDelegate *values = m_table.delegate() ? m_table.delegate()->valueEditorDelegate() : nullptr;
    if (!values)
        return;
    const LabeledValueRecord value = placeholderValue(identifier);
    const QList<ContactRecordPtr> contacts = m_table.selectedContactsWithClickedRowIndex(m_table.clickedRow());
    if (contacts.isEmpty())
        return;
    {
        const UndoGroup group(m_table.delegate()->undoManager());
        for (const ContactRecordPtr &contact : contacts)
            values->undoAddLabeledValue(value, identifier, contact);
    }
    itemCommandDidChange(rows);
}

// --- Delete ---------------------------------------------------------------------------

void ContactTableItemCommands::deleteItem(const QString & /*key*/)
{
    const std::optional<ContactsViewController::ClickedCell> cell = m_table.clickedCell();
    if (!cell || !m_table.editState())
        return;
    const ContactIdentifier identifier = m_model->columns().at(cell->column).identifier;
    const QList<SubContactRecordPtr> rows = cell->targets;
    m_table.confirmThen(
        tr("Do you want to delete the item(label and text) in the selected cells in column:%1 ?").arg(identifier),
        [this, identifier, rows] { applyDeleteItem(identifier, rows); });
}

// Every row's value is taken before any goes: deleting one shifts the
// positions of the contact's later values, so looking them up row by row
// would remove others. Each is then removed by its own number.
void ContactTableItemCommands::applyDeleteItem(
    const ContactIdentifier &identifier, const QList<SubContactRecordPtr> &rows)
{
    ValueEditorDelegate *values = m_table.delegate() ? m_table.delegate()->valueEditorDelegate() : nullptr;
    if (!values)
        return;
    const bool labeled
        = FieldVocabulary::shared().labeledIdentifiers().contains(identifier) || isAddressPart(identifier);
    const ContactIdentifier field = isAddressPart(identifier) ? Address : identifier;
    struct Doomed {
        SubContactRecordPtr row;
        LabeledValueRecordPtr value;
    };
    QList<Doomed> doomed;
    QSet<const MVPerson *> cleared;
    const QSet<const MVPerson *> shown = shownPersons();
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        if (!*row || !shown.contains((*row)->person.get()))
            continue;
        MVPerson &person = *(*row)->person;
        if (labeled) {
            if (LabeledValueRecordPtr value = shownValueOf(**row, field))
                doomed.append({*row, value});
        } else if (!cleared.contains(&person) && !person.stringValueForIdentifier(identifier, 0).isEmpty()) {
            cleared.insert(&person);
            doomed.append({*row, nullptr});
        }
    }
    bool changed = false;
    {
        const UndoGroup group(m_table.delegate()->undoManager());
        for (const Doomed &each : std::as_const(doomed)) {
            if (each.value) {
                m_table.delegate()->undoDeleteLabeledValue(*each.value, field, each.row);
                changed = true;
            } else {
                changed |= values->undoReplaceValue(PersonValue{}, identifier, each.row);
            }
        }
    }
    if (changed)
        itemCommandDidChange(rows);
}

// --- Replace, prepend, append ---------------------------------------------------------

void ContactTableItemCommands::replaceItem(const QString &key)
{
    askTextThen(key == ContactTableMenu::Key::ReplaceText ? TextCommand::Replace : TextCommand::ReplaceWithLabel);
}

void ContactTableItemCommands::prependItem()
{
    askTextThen(TextCommand::Prepend);
}

void ContactTableItemCommands::appendItem()
{
    askTextThen(TextCommand::Append);
}

void ContactTableItemCommands::askTextThen(TextCommand command)
{
    const std::optional<ContactsViewController::ClickedCell> cell = m_table.clickedCell();
    if (!cell || !m_table.editState() || !m_table.delegate())
        return;
    const ContactIdentifier identifier = m_model->columns().at(cell->column).identifier;
    ReplaceAlertRequest request;
    request.window = m_table.window();
    request.type = commandKey(command);
    request.identifier = identifier;
    if (isTextLabeled(identifier) || isAddressPart(identifier)) {
        // The sheet starts from what the cell shows, nothing where the label
        // filter hides the value.
        const bool part = isAddressPart(identifier);
        const LabeledValueRecordPtr value = m_table.shownValue(cell->column, cell->row);
        request.labels = FieldVocabulary::shared().labelsForIdentifier(part ? Address : identifier);
        request.label = value ? value->labelText() : QString();
        request.replaceString = !value ? QString() : part ? value->addressPart(identifier) : value->stringValue;
    } else if (FieldVocabulary::shared().stringIdentifiers().contains(identifier)) {
        request.labels = FieldVocabulary::shared().labelsForIdentifier(identifier);
        request.replaceString = cell->record->person->stringValueForIdentifier(identifier, 0);
    } else {
        return;
    }
    const QPointer<ContactTableItemCommands> self(this);
    const QList<SubContactRecordPtr> rows = cell->targets;
    m_table.delegate()->showReplaceAlertPanel(
        request, [self, command, identifier, rows](const ReplaceAlertAnswer &answer) {
            if (self)
                self->applyText(command, identifier, rows, answer.replaceString, answer.label);
        });
}

// A text field is changed once per contact: three rows of one contact would
// otherwise get the prepended text three times. Labeled values and addresses
// are one per row already.
void ContactTableItemCommands::applyText(TextCommand command, const ContactIdentifier &identifier,
    const QList<SubContactRecordPtr> &rows, const QString &text, const QString &label)
{
    ValueEditorDelegate *values = m_table.delegate() ? m_table.delegate()->valueEditorDelegate() : nullptr;
    if (!values)
        return;
    const bool withLabel = command == TextCommand::ReplaceWithLabel && !label.isEmpty();
    bool changed = false;
    QSet<const MVPerson *> done;
    const QSet<const MVPerson *> shown = shownPersons();
    {
        const UndoGroup group(m_table.delegate()->undoManager());
        for (const SubContactRecordPtr &row : rows) {
            if (!row || !shown.contains(row->person.get()))
                continue;
            MVPerson &person = *row->person;
            if (isTextLabeled(identifier) || isAddressPart(identifier)) {
                const bool part = isAddressPart(identifier);
                const LabeledValueRecordPtr value = shownValueOf(*row, part ? Address : identifier);
                if (!value)
                    continue;
                LabeledValueRecord edited = *value;
                if (part) {
                    edited.setAddressPart(identifier, combined(command, value->addressPart(identifier), text));
                    AddressText::updateAddressValue(&edited, 1);
                } else {
                    const QString replaced = combined(command, value->stringValue, text);
                    edited.value = replaced;
                    edited.stringValue = replaced;
                }
                if (withLabel)
                    edited.label = label;
                if (!(edited == *value))
                    changed |= values->undoReplaceValue(edited, part ? Address : identifier, row);
            } else if (!done.contains(&person)) {
                done.insert(&person);
                const QString current = person.stringValueForIdentifier(identifier, 0);
                const QString replaced = combined(command, current, text);
                if (replaced != current)
                    changed |= values->undoReplaceValue(replaced, identifier, row);
            }
        }
    }
    if (changed)
        itemCommandDidChange(rows);
}
