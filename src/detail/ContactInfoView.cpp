#include "detail/ContactInfoView.h"

#include "detail/ContactInfoCellDelegate.h"
#include "detail/ContactInfoControllerDelegate.h"
#include "detail/ContactInfoRowCommands.h"
#include "detail/ImageViewDragAndDrop.h"
#include "detail/ValueEditorHandOff.h"
#include "model/MVPerson.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace {

constexpr int typeColumnWidth = 150;
// The type cell's margins and the icon before its text.
constexpr int typeCellExtra = 32;
constexpr int loadedRowHeight = 20;

} // namespace

ContactInfoView::ContactInfoView(QWidget *parent)
    : QTableView(parent)
    , m_model(new ContactInfoTableModel(this))
    , m_cellDelegate(new ContactInfoCellDelegate(this))
    , m_photoWell(new ImageViewDragAndDrop(viewport()))
{
    m_selectedFont = QApplication::font();
    m_selectedFont.setPointSize(12);
    m_model->setRowHeight(loadedRowHeight);
    m_model->setUserDefaults(&userDefaults());
    setModel(m_model);
    setItemDelegate(m_cellDelegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click is left to the value editors' hand-off.
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setShowGrid(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(ContactInfoTableModel::TypeColumn, typeColumnWidth);
    m_photoWell->setDelegate(this);
    m_photoWell->setTableView(this);
    m_photoWell->setEditable(true);
    m_photoWell->hide();
    m_rowCommands = new ContactInfoRowCommands(this);
    setUpDragAndDrop();
}

ContactInfoView::~ContactInfoView() = default;

void ContactInfoView::setUserDefaults(UserDefaults *defaults)
{
    m_userDefaults = defaults;
    m_model->setUserDefaults(&userDefaults());
}

UserDefaults &ContactInfoView::userDefaults() const
{
    return m_userDefaults ? *m_userDefaults : UserDefaults::standardUserDefaults();
}

void ContactInfoView::setInfoDelegate(ContactInfoControllerDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

ContactInfoControllerDelegate *ContactInfoView::infoDelegate() const
{
    return m_delegateIsObject && !m_delegateObject ? nullptr : m_delegate;
}

// --- Showing a contact ------------------------------------------------------------

void ContactInfoView::setContact(const PersonRecordPtr &contact)
{
    if (!contact)
        return;
    if (!this->contact() || this->contact()->uniqueId != contact->uniqueId)
        discardEditing();
    m_model->setContact(contact);
    updateTable();
}

// As the contact table keeps its cell editor: a change that moved the
// contact in the table refreshes this view too, just after Return or Tab
// opened the next row's editor.
void ContactInfoView::updateTable()
{
    if (!contact())
        return;
    const std::optional<OpenRowEdit> open = takeOpenRowEdit();
    reloadSelecting(selectedRows());
    if (open)
        reopenRowEdit(*open);
}

void ContactInfoView::reloadSelecting(const QList<int> &rows)
{
    m_model->reload();
    applyRowHeights();
    const int count = m_model->rowCount();
    selectRows(rows.isEmpty() || rows.first() >= count ? QList<int>{0} : rows);
    const QList<int> shown = selectedRows();
    if (!shown.isEmpty())
        scrollTo(m_model->index(shown.first(), ContactInfoTableModel::ValueColumn));
    shownContactDidChange();
}

void ContactInfoView::applyRowHeights()
{
    // "Instant Messaging" in a large font is wider than the column's default.
    const QFontMetrics metrics(m_selectedFont);
    int typeWidth = typeColumnWidth;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        setRowHeight(row, m_model->heightOfRow(row));
        typeWidth = std::max(typeWidth, metrics.horizontalAdvance(m_model->typeText(row)) + typeCellExtra);
    }
    setColumnWidth(ContactInfoTableModel::TypeColumn, typeWidth);
    MVPerson *person = m_model->person();
    m_photoWell->setImage(person ? person->thumbnail() : QImage());
    m_photoWell->setEditable(photoWellTakesDrops());
    placePhotoWell();
}

void ContactInfoView::placePhotoWell()
{
    const int row = m_model->firstRowOfType(FieldId::Photo);
    if (row < 0) {
        m_photoWell->hide();
        return;
    }
    const QRect cell = visualRect(m_model->index(row, ContactInfoTableModel::ValueColumn));
    m_photoWell->setGeometry(cell.adjusted(2, 2, -2, -2));
    m_photoWell->show();
}

void ContactInfoView::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    m_model->setRowHeight(rowHeightForFont(font));
    if (contact())
        reloadSelecting(selectedRows());
}

QList<int> ContactInfoView::selectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ContactInfoView::selectRows(const QList<int> &rows)
{
    QItemSelection selection;
    for (int row : rows) {
        if (row >= 0 && row < m_model->rowCount())
            selection.select(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
    }
    if (selection.isEmpty()) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(selection.first().topLeft(), QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void ContactInfoView::selectItemAndRange(const ItemAndRangeRecordPtr &hit)
{
    if (!contact())
        return;
    const ItemAndRangeRecordPtr previous = m_model->findTarget();
    m_model->setFindTarget(hit);
    if (!hit) {
        viewport()->update();
        return;
    }
    // The rows of the contact shown stand, for every change of it reloads
    // them: only the rows of the last and the new hit are drawn again.
    if (showsContactOfHit() && hit->contact && hit->contact->uniqueId != contact()->uniqueId) {
        m_model->setContact(hit->contact);
        m_model->reload();
        applyRowHeights();
    } else {
        if (previous)
            updateRowArea(m_model->rowOfHit(*previous));
    }
    const int row = m_model->rowOfHit(*hit);
    updateRowArea(row);
    selectRows({row});
    scrollTo(m_model->index(row, ContactInfoTableModel::ValueColumn));
}

void ContactInfoView::updateRowArea(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        viewport()->update(QRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row)));
}

// --- Editing in place ---------------------------------------------------------------

void ContactInfoView::editForIdentifier(const ContactIdentifier &type)
{
    const int row = m_model->firstRowOfType(type);
    if (row >= 0)
        startEditingRow(row);
}

void ContactInfoView::startEditingRow(int row)
{
    m_model->setForcedEditableRow(row);
    const QModelIndex index = m_model->index(row, ContactInfoTableModel::ValueColumn);
    selectRows({row});
    scrollTo(index);
    setCurrentIndex(index);
    edit(index);
}

bool ContactInfoView::insertNewlineOrTab(QWidget *editor)
{
    const QVariant row = editor->property(ContactInfoCellDelegate::editedRowProperty);
    if (!row.isValid())
        return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    const int next = m_model->nextEditableRow(row.toInt());
    if (next >= 0)
        startEditingRow(next);
    return true;
}

bool ContactInfoView::commitEditing()
{
    const QPointer<QWidget> editor = openValueEditor();
    if (!editor)
        return false;
    commitData(editor);
    // Storing the text may have rebuilt the rows and released the editor.
    if (editor)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void ContactInfoView::discardEditing()
{
    if (QWidget *editor = openValueEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool ContactInfoView::finishValueEditor(EditorEnding ending)
{
    return m_rowCommands->handOff().finishEditor(ending);
}

bool ContactInfoView::hasOpenValueEditor() const
{
    const Popover *popover = m_rowCommands->handOff().popover();
    return popover && popover->isShown();
}

QWidget *ContactInfoView::openValueEditor() const
{
    // The photo well is a cell widget too; only an editor carries its row.
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QWidget *widget = indexWidget(m_model->index(row, ContactInfoTableModel::ValueColumn));
        if (widget && widget->property(ContactInfoCellDelegate::editedRowProperty).isValid())
            return widget;
    }
    return nullptr;
}

std::optional<ContactInfoView::OpenRowEdit> ContactInfoView::takeOpenRowEdit()
{
    auto *editor = qobject_cast<QPlainTextEdit *>(openValueEditor());
    if (!editor)
        return std::nullopt;
    const int row = editor->property(ContactInfoCellDelegate::editedRowProperty).toInt();
    if (row < 0 || row >= m_model->rowCount())
        return std::nullopt;
    const QTextCursor cursor = editor->textCursor();
    const OpenRowEdit open{m_model->rowAt(row), editor->toPlainText(), cursor.anchor(), cursor.position(),
        editor->document()->isModified()};
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return open;
}

// On the row of the same field and value, when the rebuilt row still takes
// typing there.
void ContactInfoView::reopenRowEdit(const OpenRowEdit &open)
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const InfoRowRecord &record = m_model->rowAt(row);
        if (record.type != open.row.type || record.label != open.row.label || record.labelIndex != open.row.labelIndex)
            continue;
        if (!(m_model->flags(m_model->index(row, ContactInfoTableModel::ValueColumn)) & Qt::ItemIsEditable))
            return;
        startEditingRow(row);
        auto *editor = qobject_cast<QPlainTextEdit *>(openValueEditor());
        if (!editor)
            return;
        editor->setPlainText(open.text);
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(open.anchor);
        cursor.setPosition(open.cursor, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        editor->document()->setModified(open.typed);
        return;
    }
}

void ContactInfoView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    m_model->setForcedEditableRow(-1);
}

void ContactInfoView::showPopupMenu(const QModelIndex &index, const QRect &rect)
{
    const int row = index.row();
    const QStringList titles = m_model->cellKind(row) == ContactInfoTableModel::CellKind::Popup
        ? m_model->popupTitles(row)
        : m_cellDelegate->labeledCell(row).labelPopup().itemTitles();
    const qsizetype selected = m_model->cellKind(row) == ContactInfoTableModel::CellKind::Popup
        ? m_model->popupSelectedIndex(row)
        : m_cellDelegate->labeledCell(row).labelPopup().indexOfSelectedItem();
    if (m_popupMenu)
        m_popupMenu->close();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(m_selectedFont);
    const QPersistentModelIndex cell(index);
    for (qsizetype position = 0; position < titles.size(); ++position) {
        QAction *item = menu->addAction(titles.at(position));
        item->setCheckable(true);
        item->setChecked(position == selected);
        // A reload while the menu was open leaves the choice nowhere to go.
        connect(item, &QAction::triggered, this, [this, cell, position] {
            if (cell.isValid())
                popupButtonCellChanged(cell.row(), position);
        });
    }
    m_popupMenu = menu;
    menu->popup(viewport()->mapToGlobal(rect.bottomLeft()));
}

void ContactInfoView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTableView::selectionChanged(selected, deselected);
    const QList<int> rows = selectedRows();
    if (ContactInfoControllerDelegate *delegate = infoDelegate(); delegate && !rows.isEmpty())
        delegate->rowSelectionDidChange(this, m_model->rowAt(rows.first()));
}

void ContactInfoView::updateGeometries()
{
    QTableView::updateGeometries();
    placePhotoWell();
}

void ContactInfoView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    placePhotoWell();
}
