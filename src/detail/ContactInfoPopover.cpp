#include "detail/ContactInfoPopover.h"

#include "detail/ContactInfoPopoverDelegate.h"
#include "detail/DetailRowKinds_p.h"
#include "editors/EditLockToggle.h"
#include "editors/EditorEnding.h"
#include "editors/SeparatorBox.h"
#include "model/MVPerson.h"
#include "platform/StoredValue.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/Popover.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

using namespace DetailRowKinds;

namespace {

constexpr int loadedRowHeight = 24;
constexpr int defaultIconRowCount = 3;
constexpr int largestIconRowCount = 20;
constexpr double smallestFontSize = 7;
constexpr double systemFontSize = 12;

// A stored number that is one: not text, not infinite.
bool isNumber(const QVariant &value)
{
    return StoredValue::isNumber(value) && std::isfinite(value.toDouble());
}

} // namespace

ContactInfoPopover::ContactInfoPopover(UserDefaults *defaults, QWidget *parent)
    : ContactInfoPaneView(parent)
{
    setObjectName(QStringLiteral("contactInfoPopover"));
    setUserDefaults(defaults);
    buildHeader();
    infoModel()->setRowHeight(loadedRowHeight);
    setIconRowCount(storedIconRowCount(userDefaults()));
    setEditState(true);
    ContactInfoView::setSelectedFont(storedFont(userDefaults()));
}

ContactInfoPopover::~ContactInfoPopover() = default;

void ContactInfoPopover::buildHeader()
{
    m_header = new QWidget(this);
    m_contactNameField = new QLineEdit(m_header);
    m_contactNameField->setReadOnly(true);
    m_contactNameField->setFrame(false);
    m_contactNameField->setFocusPolicy(Qt::NoFocus);
    QFont bold = m_contactNameField->font();
    bold.setBold(true);
    m_contactNameField->setFont(bold);
    m_redSeparator = new SeparatorBox(m_header);
    m_redSeparator->setFixedHeight(4);
    m_editButton = new EditLockToggle(m_header);
    m_editButton->setSeparator(m_redSeparator);
    connect(m_editButton, &QPushButton::clicked, this, &ContactInfoPopover::buttonDidPress);
    auto *line = new QHBoxLayout;
    line->addWidget(m_contactNameField, 1);
    line->addWidget(m_editButton);
    auto *layout = new QVBoxLayout(m_header);
    layout->setContentsMargins(8, 6, 8, 4);
    layout->setSpacing(4);
    layout->addLayout(line);
    layout->addWidget(m_redSeparator);
}

// The header sits in the table's own margin above the rows.
void ContactInfoPopover::updateGeometries()
{
    ContactInfoView::updateGeometries();
    const int height = m_header->sizeHint().height();
    if (viewportMargins().top() != height)
        setViewportMargins(0, height, 0, 0);
    const QRect frame = contentsRect();
    m_header->setGeometry(frame.left(), frame.top(), frame.width(), height);
    // Above the scroll bar, which runs up the whole side.
    m_header->raise();
}

double ContactInfoPopover::rowHeightFor(double pointSize, double lineHeight)
{
    double height = std::ceil(lineHeight) + 4;
    const double scaled = std::ceil(pointSize * 1.42);
    if (scaled > height)
        height = scaled + 4;
    return std::max(height + 6, ContactInfoTableModel::minimumRowHeight);
}

double ContactInfoPopover::rowHeightForFont(const QFont &font) const
{
    const QFontMetricsF metrics(font);
    return rowHeightFor(QFontInfo(font).pointSizeF(), metrics.ascent() + metrics.descent() + metrics.leading());
}

int ContactInfoPopover::storedIconRowCount(const UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(iconRowCountKey);
    if (!isNumber(stored))
        return defaultIconRowCount;
    const double count = stored.toDouble();
    return count >= 1 && count <= largestIconRowCount ? int(count) : defaultIconRowCount;
}

QFont ContactInfoPopover::storedFont(const UserDefaults &defaults)
{
    const QVariant name = defaults.objectForKey(defaultFontNameKey);
    const QString family = name.typeId() == QMetaType::QString ? name.toString() : QString();
    QFont font = family.isEmpty() || family == systemFontName ? QApplication::font() : QFont(family);
    const QVariant size = defaults.objectForKey(defaultFontSizeKey);
    const bool systemFont = family.isEmpty() || family == systemFontName;
    font.setPointSizeF(!systemFont && isNumber(size) ? std::max(size.toDouble(), smallestFontSize) : systemFontSize);
    return font;
}

// --- Set by the opener ---------------------------------------------------------------

void ContactInfoPopover::setContact(const PersonRecordPtr &contact)
{
    ContactInfoView::setContact(contact);
    showContactName();
}

void ContactInfoPopover::showContactName()
{
    MVPerson *person = infoModel()->person();
    if (person && m_contactNameField) {
        m_contactNameField->setText(person->compositeName());
        m_contactNameField->setCursorPosition(0);
    }
}

void ContactInfoPopover::setParentPopover(Popover *popover)
{
    m_parentPopover = popover;
}

void ContactInfoPopover::setParentWindow(QWidget *window)
{
    m_parentWindow = window;
}

void ContactInfoPopover::setMyUndoManager(UndoManager *undoManager)
{
    m_undoManager = undoManager;
}

void ContactInfoPopover::setDelegate(ContactInfoPopoverDelegate *delegate)
{
    m_popoverDelegate = delegate;
    setInfoDelegate(delegate);
    setEditState(editState());
}

ContactInfoPopoverDelegate *ContactInfoPopover::popoverDelegate() const
{
    return infoDelegate() ? m_popoverDelegate : nullptr;
}

bool ContactInfoPopover::windowCanUnlock() const
{
    const ContactInfoPopoverDelegate *delegate = popoverDelegate();
    return !delegate || delegate->canUnlock();
}

// A CSV document's records or a window in layout mode are shown as they
// are, whatever the opener passed on. A window that is merely locked leaves
// the toggle to the user.
void ContactInfoPopover::setEditState(bool editState)
{
    const bool unlockable = windowCanUnlock();
    ContactInfoView::setEditState(editState && unlockable);
    m_editButton->setEnabled(unlockable);
}

void ContactInfoPopover::windowLockDidChange()
{
    const bool editing = editState();
    setEditState(editing);
    m_editButton->showEditState(editState());
    if (editState() != editing)
        reloadSelecting(selectedRows());
}

void ContactInfoPopover::closePopover()
{
    if (m_parentPopover)
        m_parentPopover->close();
}

void ContactInfoPopover::markWindowEdited()
{
    if (m_parentWindow)
        m_parentWindow->setWindowModified(true);
}

// --- Undo, Edit/Lock and Delete -----------------------------------------------------

// The window's Edit menu decides: a locked window's history, which may hold
// another contact's edits, stays where it is.
void ContactInfoPopover::undo()
{
    const ContactInfoPopoverDelegate *delegate = popoverDelegate();
    if (delegate && delegate->canUndo())
        stepUndoManager(&UndoManager::undo);
}

void ContactInfoPopover::redo()
{
    const ContactInfoPopoverDelegate *delegate = popoverDelegate();
    if (delegate && delegate->canRedo())
        stepUndoManager(&UndoManager::redo);
}

void ContactInfoPopover::stepUndoManager(void (UndoManager::*step)())
{
    if (!m_undoManager)
        return;
    (m_undoManager->*step)();
    if (m_parentWindow)
        m_parentWindow->setWindowModified(m_undoManager->canUndo());
    if (ContactInfoPopoverDelegate *delegate = popoverDelegate())
        delegate->windowHistoryDidStep();
    // The window's controller redraws its own panes, not this view.
    updateTable();
}

void ContactInfoPopover::buttonDidPress()
{
    const bool editing = m_editButton->isChecked() && windowCanUnlock();
    // What was typed before the lock is kept, as the window's own lock keeps
    // it: a press that moves no focus (an assistive tool's) leaves the editors
    // open until here.
    if (!editing && editState()) {
        finishValueEditor(EditorEnding::Done);
        commitEditing();
    }
    setEditState(editing);
    m_editButton->showEditState(editing);
    reloadSelecting(selectedRows());
}

ContactInfoPopover::HistoryKey ContactInfoPopover::historyKey(const QKeyEvent &event)
{
    if (event.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Z))
        return HistoryKey::Undo;
    if (event.keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

// A popover is a window of the opening window's, whose Undo and Redo items
// would take the same keys: two takers of a key are none. The view takes
// them first, and an open text editor before it its own typing's.
bool ContactInfoPopover::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && historyKey(*static_cast<QKeyEvent *>(event)) != HistoryKey::None) {
        event->accept();
        return true;
    }
    return ContactInfoView::event(event);
}

void ContactInfoPopover::keyPressEvent(QKeyEvent *event)
{
    if (const HistoryKey key = historyKey(*event); key != HistoryKey::None) {
        event->accept();
        if (key == HistoryKey::Undo)
            undo();
        else
            redo();
        return;
    }
    const bool deleteKey = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    if (!deleteKey || state() == QAbstractItemView::EditingState) {
        ContactInfoView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (editState() && !selectedRows().isEmpty())
        deleteSelectedValue();
}

void ContactInfoPopover::deleteSelectedValue()
{
    const QList<int> rows = selectedRows();
    if (!clearRowValue(infoModel()->rowAt(rows.first())))
        return;
    reloadSelecting(rows);
    sendContactDidUpdate();
}

// The value goes by its own number: after an earlier deletion a position
// would name another value, or none.
bool ContactInfoPopover::clearRowValue(const InfoRowRecord &row)
{
    MVPerson *person = infoModel()->person();
    if (!person || row.type == Groups || row.type == FieldId::NameOrdering)
        return false;
    if (row.type == FieldId::Name)
        return replaceValue(QString(), row.labelText());
    if (!isLabeled(row.type))
        return replaceValue(PersonValue(), row.type);
    if (!row.index)
        return false;
    const PersonValue current = person->valueForIdentifier(row.type);
    const auto *list = std::get_if<LabeledValueList>(&current);
    if (!list)
        return false;
    LabeledValueList values = *list;
    const qsizetype removed = values.removeIf(
        [&row](const LabeledValueRecordPtr &value) { return value->labelIndex == row.labelIndex.value_or(0); });
    return removed > 0 && replaceValue(values, row.type);
}

// --- Appearing and closing ------------------------------------------------------------

void ContactInfoPopover::showEvent(QShowEvent *event)
{
    ContactInfoView::showEvent(event);
    if (!event->spontaneous())
        viewWillAppear();
}

void ContactInfoPopover::viewWillAppear()
{
    setIconRowCount(storedIconRowCount(userDefaults()));
    showContactName();
    setEditState(editState());
    m_editButton->showEditState(editState());
    updateTable();
}

// A minimised window hides its views too; only a close is a close.
void ContactInfoPopover::hideEvent(QHideEvent *event)
{
    ContactInfoView::hideEvent(event);
    if (!event->spontaneous() && !m_closeNoticeSent)
        viewWillDisappear();
}

void ContactInfoPopover::viewWillDisappear()
{
    m_closeNoticeSent = true;
    if (ContactInfoPopoverDelegate *delegate = popoverDelegate(); delegate && contact())
        delegate->detachedWindowDidClose({contact()->uniqueId, m_parentWindow});
    userDefaults().setObject(iconRowCount(), iconRowCountKey);
}
