#include "find/MergePanelController.h"

#include "detail/ImageViewDragAndDrop.h"
#include "detail/PhotoFile.h"
#include "detail/ValueEditorHandOff.h"
#include "find/CustomLabelPanelController.h"
#include "find/MergeCellDelegate.h"
#include "find/MergeRows.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/widgets/OpeningFocus.h"
#include "table/DraggingMimeData.h"

#include <QApplication>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <cmath>

MergePanelController::MergePanelController(QWidget *parent)
    : QDialog(parent)
    , m_edits(&m_undoManager, [this] { reloadTables(); })
{
    setObjectName(QStringLiteral("MergePanelController"));
    setWindowTitle(tr("Merge Contacts"));
    setWindowModality(Qt::WindowModal);
    m_customLabelPanel = new CustomLabelPanelController(this);
    m_handOff = new ValueEditorHandOff(this, ValueEditorHandOff::IndexKind::Position, this);
    buildLayout();
    OpeningFocus::giveTo(this, m_tableViewLeft);
    connect(&m_undoManager, &UndoManager::didUndo, this, &MergePanelController::didUndo);
    connect(&m_undoManager, &UndoManager::didRedo, this, &MergePanelController::didRedo);
    // The sheet's own steps: the window's undo never sees them. A cell
    // editor takes these keys first for its own text.
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    undo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(undo, &QShortcut::activated, this, [this] { m_undoManager.undo(); });
    auto *redo = new QShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Z), this);
    redo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(redo, &QShortcut::activated, this, [this] { m_undoManager.redo(); });
    setSelectedFont(QApplication::font());
}

MergePanelController::~MergePanelController()
{
    // The undo steps hold the working copies and call back into the sheet.
    m_undoManager.removeAllActions();
    // The tables' cell delegates ask the sheet for rows while the tables are
    // torn down (a header's last layout pass): take the tables down while the
    // sheet is still whole, not with the rest of its children.
    m_tableViewLeft->verticalScrollBar()->disconnect(this);
    m_tableViewRight->verticalScrollBar()->disconnect(this);
    delete m_tableViewLeft;
    m_tableViewLeft = nullptr;
    delete m_tableViewRight;
    m_tableViewRight = nullptr;
}

void MergePanelController::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    auto *names = new QHBoxLayout;
    m_nameFieldLeft = new QLineEdit(this);
    m_nameFieldRight = new QLineEdit(this);
    for (QLineEdit *field : {m_nameFieldLeft, m_nameFieldRight}) {
        field->setReadOnly(true);
        field->setPlaceholderText(tr("Name"));
        names->addWidget(field);
    }
    m_nameFieldLeft->setObjectName(QStringLiteral("nameFieldLeft"));
    m_nameFieldRight->setObjectName(QStringLiteral("nameFieldRight"));
    layout->addLayout(names);
    m_redSeparator = new QFrame(this);
    m_redSeparator->setObjectName(QStringLiteral("redSeparator"));
    m_redSeparator->setFixedHeight(4);
    layout->addWidget(m_redSeparator);

    auto *tables = new QHBoxLayout;
    for (const bool left : {true, false}) {
        auto *view = new MergeTableView(this, left, this);
        auto *model = new MergeTableModel(this, left, this);
        view->setModel(model);
        view->setItemDelegate(new MergeCellDelegate(this, view));
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
            [this, left](const QPoint &position) { showMenu(left, position); });
        tables->addWidget(view);
        (left ? m_tableViewLeft : m_tableViewRight) = view;
        (left ? m_modelLeft : m_modelRight) = model;
    }
    layout->addLayout(tables, 1);
    // Only the vertical position is shared.
    for (const bool left : {true, false}) {
        QScrollBar *bar = (left ? m_tableViewLeft : m_tableViewRight)->verticalScrollBar();
        QScrollBar *other = (left ? m_tableViewRight : m_tableViewLeft)->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, [this, other](int value) {
            if (m_syncingScroll || other->value() == value)
                return;
            m_syncingScroll = true;
            other->setValue(value);
            m_syncingScroll = false;
        });
    }

    auto *buttons = new QHBoxLayout;
    m_editButton = new QPushButton(tr("Edit"), this);
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_editButton->setCheckable(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_doneButton = new QPushButton(tr("Done"), this);
    m_doneButton->setObjectName(QStringLiteral("doneButton"));
    for (QPushButton *button : {m_editButton, m_cancelButton, m_doneButton}) {
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, button] { buttonPressed(button); });
    }
    buttons->addWidget(m_editButton);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    layout->addLayout(buttons);
    resize(900, 640);
}

void MergePanelController::setContextInfo(const MergeContextInfoPtr &contextInfo, bool editable)
{
    m_changeCount = 0;
    m_undoManager.removeAllActions();
    m_contextInfo = contextInfo;
    m_contactLeft = nullptr;
    m_contactRight = nullptr;
    m_draggingSourceRow = nullptr;
    if (contextInfo && contextInfo->contacts.size() >= 2) {
        m_contactLeft = MergeContextInfo::workingCopy(contextInfo->contacts.at(0));
        m_contactRight = MergeContextInfo::workingCopy(contextInfo->contacts.at(1));
    }
    if (m_contactRight)
        m_nameOrderingLabels = MergeRows::nameOrderingLabels(*m_contactRight->person);
    m_editButton->setEnabled(true);
    m_editButton->setChecked(editable);
    setEditLook(editable);
    reloadTables();
}

void MergePanelController::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    const QFontMetricsF metrics(font);
    m_rowHeight = std::max(24.0, std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()));
    // The type column shows every block's name whole: icon, name, margins.
    qreal widest = 0;
    for (const ContactIdentifier &type : MergeRows::blockOrder())
        widest = std::max(widest, metrics.horizontalAdvance(FieldVocabulary::localizedIdentifierForKey(type)));
    const int typeWidth = std::max(150, int(std::ceil(widest + m_rowHeight + 12)));
    for (MergeTableView *view : {m_tableViewLeft, m_tableViewRight}) {
        view->horizontalHeader()->setFont(font);
        view->horizontalHeader()->resizeSection(MergeTableModel::TypeColumn, typeWidth);
    }
    reloadTables();
}

bool MergePanelController::isEditable() const
{
    return m_editButton->isChecked();
}

ImageViewDragAndDrop *MergePanelController::photoWell(bool left) const
{
    const MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    return qobject_cast<ImageViewDragAndDrop *>(view->indexWidget(model(left)->index(0, MergeTableModel::ValueColumn)));
}

QList<MergeTableRowPtr> MergePanelController::tableFromContact(const ContactRecordPtr &contact)
{
    if (!m_contextInfo || !contact || !contact->person || !m_contactLeft || !m_contactRight)
        return {};
    return MergeRows::build(*contact->person, m_labeledValueCountDict, m_nameOrderingLabels);
}

void MergePanelController::reloadTables()
{
    if (m_contactLeft && m_contactRight)
        m_labeledValueCountDict = MergeRows::labeledValueCounts(*m_contactLeft->person, *m_contactRight->person);
    reloadSide(true);
    reloadSide(false);
}

void MergePanelController::reloadSide(bool left)
{
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    const ContactRecordPtr &side = contact(left);
    const int selected = view->selectionModel() && view->selectionModel()->hasSelection()
        ? view->selectionModel()->selectedRows().value(0).row()
        : -1;
    QList<MergeTableRowPtr> rows = tableFromContact(side);
    for (const MergeTableRowPtr &row : std::as_const(rows))
        row->numLines = MergeRows::linesOf(*side->person, *row);
    model(left)->setRows(rows, side);
    for (int row = 0; row < rows.size(); ++row)
        view->setRowHeight(row, int(rows.at(row)->numLines * m_rowHeight));
    // Selecting again moves the current cell, which would commit and close
    // a cell editor whose own commit caused this reload: only a selection
    // the rebuild dropped is made again.
    if (selected >= 0 && selected < rows.size() && !view->selectionModel()->isRowSelected(selected))
        view->selectRow(selected);
    placePhotoWell(left);
    refreshNameField(left);
}

void MergePanelController::placePhotoWell(bool left)
{
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    const ContactRecordPtr &side = contact(left);
    if (!side) {
        return;
    }
    const QModelIndex cell = model(left)->index(0, MergeTableModel::ValueColumn);
    auto *well = qobject_cast<ImageViewDragAndDrop *>(view->indexWidget(cell));
    if (!well) {
        well = new ImageViewDragAndDrop;
        well->setObjectName(left ? QStringLiteral("photoWellLeft") : QStringLiteral("photoWellRight"));
        well->setDelegate(this);
        well->setTableView(view);
        well->setContentsMargins(0, 2, 0, 2);
        // The photo leaves the well as the photo row, so the other side
        // takes it through its table's drop: moved, or copied with Ctrl.
        well->setDragProvider([this, left] { return writeRow(left, 0); }, Qt::CopyAction | Qt::MoveAction);
        well->installEventFilter(this);
        view->setIndexWidget(cell, well);
    }
    well->setEditable(isEditable());
    well->setImage(side->person->photo());
}

void MergePanelController::refreshNameField(bool left)
{
    const ContactRecordPtr &side = contact(left);
    QLineEdit *field = left ? m_nameFieldLeft : m_nameFieldRight;
    const QString name = side && side->person ? side->person->compositeName() : QString();
    field->setText(name.isEmpty() ? tr("No name") : name);
}

void MergePanelController::setEditLook(bool editable)
{
    if (editable) {
        m_editButton->setText(tr("Lock"));
        m_doneButton->setText(tr("Change"));
        m_doneButton->setEnabled(m_changeCount > 0);
        m_cancelButton->show();
        m_redSeparator->setStyleSheet(QStringLiteral("background: red; border: 2px solid red;"));
    } else {
        m_editButton->setText(tr("Edit"));
        m_doneButton->setText(tr("Done"));
        m_doneButton->setEnabled(true);
        m_cancelButton->hide();
        m_redSeparator->setStyleSheet(QStringLiteral("background: grey; border: 1px solid grey;"));
    }
}

void MergePanelController::buttonPressed(QPushButton *sender)
{
    if (sender == m_editButton) {
        // No locking while changes stand.
        if (m_changeCount > 0) {
            m_editButton->setChecked(true);
            return;
        }
        setEditLook(m_editButton->isChecked());
        reloadTables();
    } else if (sender == m_doneButton) {
        // A value being typed is committed first.
        for (MergeTableView *view : {m_tableViewLeft, m_tableViewRight}) {
            if (QPlainTextEdit *editor = view->openEditor()) {
                Q_EMIT view->itemDelegate()->commitData(editor);
                Q_EMIT view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
            }
        }
        if (m_changeCount > 0 && m_contextInfo)
            m_contextInfo->newContacts = {m_contactLeft, m_contactRight};
        finishSheet(m_changeCount > 0 ? 1 : 0);
    } else if (sender == m_cancelButton) {
        finishSheet(0);
    }
}

void MergePanelController::finishSheet(int result)
{
    QDialog::done(result);
    m_editButton->setChecked(false);
    setEditLook(false);
    reloadTables();
}

void MergePanelController::done(int result)
{
    // Escape and closing the window are Cancel.
    if (result == QDialog::Rejected && isVisible()) {
        finishSheet(0);
        return;
    }
    QDialog::done(result);
}

void MergePanelController::countChange()
{
    ++m_changeCount;
    m_doneButton->setEnabled(true);
}

void MergePanelController::didUndo()
{
    if (m_changeCount > 0)
        --m_changeCount;
    if (m_changeCount == 0 && isEditable())
        m_doneButton->setEnabled(false);
}

void MergePanelController::didRedo()
{
    ++m_changeCount;
    m_doneButton->setEnabled(true);
}

void MergePanelController::imageDidChange(ImageViewDragAndDrop *well)
{
    const bool left = well == photoWell(true);
    if (!left && well != photoWell(false))
        return;
    // Scaled as a picked file is: the longer side at most 512, the aspect kept.
    const QImage image = PhotoFile::scaledForContact(well->image());
    if (m_edits.undoReplaceValue(image.isNull() ? PersonValue() : PersonValue(image), FieldId::Photo, contact(left)))
        countChange();
    else
        reloadTables();
}

QAbstractItemView *MergePanelController::editorPositioningView(const PersonRecordPtr &contact) const
{
    return contact == m_contactRight ? static_cast<QAbstractItemView *>(m_tableViewRight) : m_tableViewLeft;
}

bool MergePanelController::editorEditState() const
{
    return isEditable();
}

QSize MergePanelController::addressEditorSize() const
{
    return {340, 478};
}

bool MergePanelController::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop || type == QEvent::DragLeave) {
        for (const bool left : {true, false}) {
            if (watched != photoWell(left))
                continue;
            if (type == QEvent::DragLeave) {
                // The table's drop indicator goes with the drag.
                QDragLeaveEvent leave;
                (left ? m_tableViewLeft : m_tableViewRight)->takeDragEvent(&leave);
                return false;
            }
            return forwardRowDrag(left, static_cast<QDropEvent *>(event));
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool MergePanelController::forwardRowDrag(bool left, QDropEvent *event)
{
    // Pictures from elsewhere are the well's own business.
    if (!DraggingMimeData::sourceOf(event->mimeData()))
        return false;
    MergeTableView *view = left ? m_tableViewLeft : m_tableViewRight;
    const QPoint point = view->visualRect(model(left)->index(0, MergeTableModel::ValueColumn)).center();
    std::unique_ptr<QDropEvent> forwarded;
    if (event->type() == QEvent::DragEnter)
        forwarded = std::make_unique<QDragEnterEvent>(
            point, event->possibleActions(), event->mimeData(), event->buttons(), event->modifiers());
    else if (event->type() == QEvent::DragMove)
        forwarded = std::make_unique<QDragMoveEvent>(
            point, event->possibleActions(), event->mimeData(), event->buttons(), event->modifiers());
    else
        forwarded = std::make_unique<QDropEvent>(
            QPointF(point), event->possibleActions(), event->mimeData(), event->buttons(), event->modifiers());
    view->takeDragEvent(forwarded.get());
    event->setDropAction(forwarded->dropAction());
    event->setAccepted(forwarded->isAccepted());
    return true;
}
