#include "detail/ContactInfoPopover.h"

#include "detail/ContactInfoPopoverDelegate.h"
#include "detail/DetailRowKinds_p.h"
#include "editors/EditLockToggle.h"
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
#include <QShortcut>
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
    auto *undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this, this, &ContactInfoPopover::undo);
    auto *redoKey
        = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this, this, &ContactInfoPopover::redo);
    for (QShortcut *key : {undoKey, redoKey})
        key->setContext(Qt::WidgetWithChildrenShortcut);
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
    if (MVPerson *person = infoModel()->person()) {
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

void ContactInfoPopover::undo()
{
    stepUndoManager(&UndoManager::undo);
}

void ContactInfoPopover::redo()
{
    stepUndoManager(&UndoManager::redo);
}

void ContactInfoPopover::stepUndoManager(void (UndoManager::*step)())
{
    if (!m_undoManager)
        return;
    (m_undoManager->*step)();
    if (m_parentWindow)
        m_parentWindow->setWindowModified(m_undoManager->canUndo());
    // The window's controller redraws its own panes, not this view.
    updateTable();
}

void ContactInfoPopover::buttonDidPress()
{
    const bool editing = m_editButton->isChecked();
    setEditState(editing);
    m_editButton->showEditState(editing);
    reloadSelecting(selectedRows());
}

void ContactInfoPopover::keyPressEvent(QKeyEvent *event)
{
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
    if (infoDelegate() && m_popoverDelegate && contact())
        m_popoverDelegate->detachedWindowDidClose({contact()->uniqueId, m_parentWindow});
    userDefaults().setObject(iconRowCount(), iconRowCountKey);
}
