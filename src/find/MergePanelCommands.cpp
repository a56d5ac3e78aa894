// What the rows of the merge sheet do beyond typing and dragging: a double
// click or a Tab opens the value editor that suits the row, and each side's
// context menu adds or deletes an item, opens an editor, picks or removes
// the photo, or hands the value to another application. The rules are the
// detail view's; every change is one step on the sheet's working copies.

#include "detail/DetailContextMenu.h"
#include "detail/DetailWorkspace.h"
#include "detail/PhotoFile.h"
#include "detail/ValueEditorHandOff.h"
#include "find/MergePanelController.h"
#include "find/MergeRows.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <QMenu>

using namespace FieldId;
using DoubleClickDispatch::Action;

DoubleClickDispatch::Click MergePanelController::clickOn(bool left, int row, bool typeColumn, bool ctrl) const
{
    const MergeTableRowPtr record = model(left)->row(row);
    DoubleClickDispatch::Click click;
    click.type = record->type;
    click.column = typeColumn ? DoubleClickDispatch::Column::Type : DoubleClickDispatch::Column::Value;
    click.editState = isEditable();
    click.commandDown = ctrl;
    click.textEmpty = MergeRows::valueText(*contact(left)->person, *record).isEmpty();
    click.labelEmpty = record->labelText().isEmpty();
    click.host = DetailHost::Merge;
    return click;
}

void MergePanelController::tableViewDoubleAction(bool left, const QModelIndex &index, Qt::KeyboardModifiers modifiers)
{
    if (!model(left)->row(index.row()) || !contact(left))
        return;
    const DoubleClickDispatch::Click click = clickOn(
        left, index.row(), index.column() == MergeTableModel::TypeColumn, modifiers.testFlag(Qt::ControlModifier));
    openEditorFor(left, index.row(), DoubleClickDispatch::actionFor(click));
}

void MergePanelController::beginEditingRow(bool left, int row)
{
    if (!model(left)->row(row) || !contact(left))
        return;
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    if (isCellEditable(left, row)) {
        view->editRow(row);
        return;
    }
    view->selectRow(row);
    view->scrollTo(model(left)->index(row, MergeTableModel::ValueColumn));
    openEditorFor(left, row, DoubleClickDispatch::actionFor(clickOn(left, row, false, false)));
}

void MergePanelController::openEditorFor(bool left, int row, Action action)
{
    const MergeTableRowPtr record = model(left)->row(row);
    const ContactRecordPtr &side = contact(left);
    if (!record || !side)
        return;
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    const QRect rect = view->visualRect(model(left)->index(row, MergeTableModel::ValueColumn));
    const qint64 position = record->index.value_or(-1);
    switch (action) {
    case Action::MultiValueEditor:
        m_handOff->showMultiValuePopover(side, record->type, -1, rect);
        break;
    case Action::AddressEditor:
        m_handOff->showAddressPopover(side, Address, position, rect);
        break;
    case Action::NewAddressEditor:
        m_handOff->showAddressPopover(side, Address, -1, rect);
        break;
    case Action::InstantMessageEditor:
        m_handOff->showIMSPopover(side, record->type, position, rect);
        break;
    case Action::SocialProfileEditor:
        m_handOff->showSNSPopover(side, record->type, position, rect);
        break;
    case Action::DateEditor:
        m_handOff->showDatePopover(side, record->type, position, rect);
        break;
    case Action::JointNamesEditor:
        m_handOff->showRenmeiPopover(side, rect);
        break;
    case Action::InPlace:
        if (isCellEditable(left, row))
            view->editRow(row);
        break;
    case Action::Nothing:
        break;
    }
}

// --- Context menus -------------------------------------------------------------------

bool MergePanelController::valuePresent(bool left, const MergeTableRow &record) const
{
    MVPerson &person = *contact(left)->person;
    const qint64 labelIndex = record.labelIndex.value_or(-1);
    const ContactIdentifier &type = record.type;
    if (type == Phone || type == Email || type == URL || type == Address || type == Dates)
        return !person.stringValueForIdentifier(type, labelIndex).isEmpty();
    if (MergeRows::isMultiValued(type))
        return person.labeledValueForIdentifierAtLabelIndex(type, labelIndex) != nullptr;
    if (type == Birthday)
        return !person.stringValueForIdentifier(Birthday, 0).isEmpty();
    if (type == Photo)
        return !person.photo().isNull();
    return false;
}

QMenu *MergePanelController::menu(bool left) const
{
    return left ? m_menuLeft : m_menuRight;
}

bool MergePanelController::rebuildMenu(bool left, int row, int column)
{
    QPointer<QMenu> &menu = left ? m_menuLeft : m_menuRight;
    if (!menu) {
        menu = new QMenu(left ? m_tableViewLeft : m_tableViewRight);
        menu->setObjectName(QStringLiteral("rowMenu"));
    }
    menu->clear();
    m_clicked.reset();
    const MergeTableRowPtr record = model(left)->row(row);
    if (!record || !contact(left) || column != MergeTableModel::ValueColumn)
        return false;
    const QList<DetailContextMenu::Item> items
        = DetailContextMenu::itemsFor(record->type, valuePresent(left, *record), DetailHost::Merge, !isEditable());
    if (items.isEmpty())
        return false;
    m_clicked = ClickedRow{left, *record, row};
    menu->setFont(m_selectedFont);
    DetailContextMenu::fill(*menu, items, [this, left](const QString &key) { runMenuCommand(left, key); });
    return true;
}

void MergePanelController::showMenu(bool left, const QPoint &position)
{
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    const QModelIndex index = view->indexAt(position);
    if (!rebuildMenu(left, index.isValid() ? index.row() : -1, index.column()))
        return;
    menu(left)->popup(view->viewport()->mapToGlobal(position));
}

int MergePanelController::currentRowOf(bool left, const MergeTableRow &record, int row) const
{
    const QList<MergeTableRowPtr> &rows = model(left)->rows();
    auto same = [&record](const MergeTableRow &candidate) {
        return candidate.type == record.type && candidate.labelIndex == record.labelIndex
            && candidate.label == record.label;
    };
    if (row < rows.size() && same(*rows.at(row)))
        return row;
    // A filler row is no value to follow once the rows have changed.
    if (record.isFiller())
        return -1;
    for (int candidate = 0; candidate < rows.size(); ++candidate) {
        if (same(*rows.at(candidate)))
            return candidate;
    }
    return -1;
}

void MergePanelController::runMenuCommand(bool left, const QString &key)
{
    if (!m_clicked || m_clicked->left != left || !contact(left))
        return;
    const int row = currentRowOf(left, m_clicked->record, m_clicked->row);
    if (row < 0)
        return;
    using namespace DetailContextMenu;
    const MergeTableRow record = *model(left)->row(row);
    const QList<Item> items = itemsFor(record.type, valuePresent(left, record), DetailHost::Merge, !isEditable());
    const auto item = std::find_if(items.begin(), items.end(), [&key](const Item &it) { return it.key == key; });
    if (item == items.end() || !item->enabled)
        return;
    const ContactRecordPtr &side = contact(left);
    switch (item->command) {
    case Command::Workspace:
        DetailWorkspace::open(
            key, side->person->stringValueForIdentifier(record.type, record.labelIndex.value_or(-1)), this);
        break;
    case Command::OpenEditor:
        openEditorFor(left, row, editorFor(record.type, key));
        break;
    case Command::AddItem:
        addItem(left, row);
        break;
    case Command::DeleteItem:
        deleteItem(left, row);
        break;
    case Command::AddImage:
        PhotoFile::choose(this, this, [this, left](const QString &path) { pickPhotoFile(left, path); });
        break;
    case Command::DeleteImage:
        if (m_edits.undoReplaceValue(PersonValue(), Photo, side))
            countChange();
        break;
    case Command::IconSizeBigger:
    case Command::IconSizeSmaller:
    case Command::None:
        break;
    }
}

void MergePanelController::addItem(bool left, int row)
{
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    view->selectRow(row);
    const ContactIdentifier type = model(left)->row(row)->type;
    const ContactRecordPtr side = contact(left);
    const QRect rect = view->visualRect(model(left)->index(row, MergeTableModel::ValueColumn));
    if (type == Address)
        m_handOff->showAddressPopover(side, type, -1, rect);
    else if (type == SocialNetwork)
        m_handOff->showSNSPopover(side, type, -1, rect);
    else if (type == InstantMessage)
        m_handOff->showIMSPopover(side, type, -1, rect);
    else if (type == Dates || type == Birthday)
        m_handOff->showDatePopover(side, type, -1, rect);
    else if (const std::optional<LabeledValueRecord> item = DetailContextMenu::newItemFor(type)) {
        m_edits.undoAddLabeledValue(*item, type, side);
        countChange();
    }
}

void MergePanelController::deleteItem(bool left, int row)
{
    const MergeTableRow record = *model(left)->row(row);
    const ContactRecordPtr side = contact(left);
    (left ? m_tableViewLeft : m_tableViewRight)->selectRow(row);
    bool changed = false;
    if (MergeRows::isMultiValued(record.type)) {
        const LabeledValueRecordPtr value
            = side->person->labeledValueForIdentifierAtLabelIndex(record.type, record.labelIndex.value_or(-1));
        if (!value)
            return;
        m_edits.undoDeleteLabeledValue(*value, record.type, side);
        changed = true;
    } else if (record.type == Birthday || record.type == PhoneticName) {
        changed = m_edits.undoReplaceValue(PersonValue(), record.type, side);
    } else if (FieldVocabulary::shared().stringIdentifiers().contains(record.type)) {
        changed = m_edits.undoReplaceValue(QString(), record.type, side);
    }
    if (changed)
        countChange();
}

bool MergePanelController::pickPhotoFile(bool left, const QString &path)
{
    const QImage photo = PhotoFile::read(path);
    if (photo.isNull() || !contact(left) || !m_edits.undoReplaceValue(photo, Photo, contact(left)))
        return false;
    countChange();
    return true;
}
