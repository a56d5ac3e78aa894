#include "detail/ContactInfoRowCommands.h"

#include "detail/ContactInfoControllerDelegate.h"
#include "detail/ContactInfoView.h"
#include "detail/DetailContextMenu.h"
#include "detail/DetailRowKinds_p.h"
#include "detail/DoubleClickDispatch.h"
#include "detail/ValueEditorHandOff.h"
#include "model/MVPerson.h"

#include <QMenu>
#include <QMouseEvent>

using namespace FieldId;
using Action = DoubleClickDispatch::Action;

ContactInfoRowCommands::ContactInfoRowCommands(ContactInfoView *view)
    : QObject(view)
    , m_view(view)
    , m_handOff(new ValueEditorHandOff(this, ValueEditorHandOff::IndexKind::LabelIndex, this))
{
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, &ContactInfoRowCommands::showMenu);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
        [this](const QModelIndex &index) { doubleClick(index, m_doubleClickModifiers); });
    m_view->viewport()->installEventFilter(this);
}

ContactInfoRowCommands::~ContactInfoRowCommands() = default;

// The view's doubleClicked carries no keys: they are read from the click.
bool ContactInfoRowCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick)
        m_doubleClickModifiers = static_cast<QMouseEvent *>(event)->modifiers();
    return QObject::eventFilter(watched, event);
}

// A pane without a delegate is a read-only preview.
bool ContactInfoRowCommands::acts() const
{
    return m_view->detailHost() == DetailHost::Popover || m_view->infoDelegate();
}

QRect ContactInfoRowCommands::cellRect(int row) const
{
    return m_view->visualRect(m_view->infoModel()->index(row, ContactInfoTableModel::ValueColumn));
}

// --- Double click ---------------------------------------------------------------

void ContactInfoRowCommands::doubleClick(const QModelIndex &index, Qt::KeyboardModifiers modifiers)
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    if (!index.isValid() || index.row() >= model.rowCount() || !acts() || !m_view->contact())
        return;
    const InfoRowRecord &record = model.rowAt(index.row());
    DoubleClickDispatch::Click click;
    click.type = record.type;
    click.column = index.column() == ContactInfoTableModel::TypeColumn ? DoubleClickDispatch::Column::Type
        : index.column() == ContactInfoTableModel::ValueColumn         ? DoubleClickDispatch::Column::Value
                                                                       : DoubleClickDispatch::Column::Other;
    click.editState = m_view->editState();
    click.commandDown = modifiers.testFlag(Qt::ControlModifier);
    click.textEmpty = model.valueText(index.row()).isEmpty();
    click.labelEmpty = record.labelText().isEmpty();
    click.host = m_view->detailHost();
    const Action action = DoubleClickDispatch::actionFor(click);
    if (action == Action::InPlace)
        m_view->startEditingRow(index.row());
    else
        openEditorFor(index.row(), int(action));
}

void ContactInfoRowCommands::openEditorFor(int row, int actionValue)
{
    const auto action = Action(actionValue);
    const InfoRowRecord &record = m_view->infoModel()->rowAt(row);
    const PersonRecordPtr contact = m_view->contact();
    const qint64 labelIndex = record.labelIndex.value_or(0);
    const QRect rect = cellRect(row);
    switch (action) {
    case Action::MultiValueEditor:
        m_handOff->showMultiValuePopover(contact, record.type, labelIndex, rect);
        break;
    case Action::AddressEditor:
    case Action::NewAddressEditor:
        m_handOff->showAddressPopover(contact, Address, action == Action::NewAddressEditor ? -1 : labelIndex, rect);
        break;
    case Action::InstantMessageEditor:
        m_handOff->showIMSPopover(contact, record.type, labelIndex, rect);
        break;
    case Action::SocialProfileEditor:
        m_handOff->showSNSPopover(contact, record.type, labelIndex, rect);
        break;
    case Action::DateEditor:
        m_handOff->showDatePopover(contact, record.type, labelIndex, rect);
        break;
    case Action::JointNamesEditor:
        m_handOff->showRenmeiPopover(contact, rect);
        break;
    case Action::Nothing:
    case Action::InPlace:
        break;
    }
}

// --- Context menu -------------------------------------------------------------------

bool ContactInfoRowCommands::valuePresent(const InfoRowRecord &record) const
{
    MVPerson *person = m_view->infoModel()->person();
    if (!person)
        return false;
    const qint64 labelIndex = record.labelIndex.value_or(0);
    if (record.type == Dates) {
        const LabeledValueRecordPtr value = person->labeledValueForIdentifierAtLabelIndex(Dates, labelIndex);
        return value && !value->stringValue.isEmpty();
    }
    if (DetailRowKinds::isLabeled(record.type))
        return person->labeledValueForIdentifierAtLabelIndex(record.type, labelIndex) != nullptr;
    if (record.type == Birthday)
        return !person->stringValueForIdentifier(Birthday, 0).isEmpty();
    if (record.type == Photo)
        return !person->photo().isNull();
    return false;
}

bool ContactInfoRowCommands::rebuildMenu(int row, int column)
{
    if (!m_menu) {
        m_menu = new QMenu(m_view);
        m_menu->setObjectName(QStringLiteral("rowMenu"));
    }
    m_menu->clear();
    m_clicked.reset();
    const ContactInfoTableModel &model = *m_view->infoModel();
    if (row < 0 || row >= model.rowCount() || column != ContactInfoTableModel::ValueColumn || !acts())
        return false;
    const InfoRowRecord &record = model.rowAt(row);
    const QList<DetailContextMenu::Item> items
        = DetailContextMenu::itemsFor(record.type, valuePresent(record), m_view->detailHost(), !m_view->editState());
    if (items.isEmpty())
        return false;
    m_clicked = ClickedRow{m_view->contact(), record, row};
    m_menu->setFont(m_view->selectedFont());
    DetailContextMenu::fill(*m_menu, items, [this](const QString &key) { runMenuCommand(key); });
    return true;
}

void ContactInfoRowCommands::showMenu(const QPoint &position)
{
    const QModelIndex index = m_view->indexAt(position);
    if (!rebuildMenu(index.isValid() ? index.row() : -1, index.column()))
        return;
    m_menu->popup(m_view->viewport()->mapToGlobal(position));
}

int ContactInfoRowCommands::currentRowOf(const ClickedRow &clicked) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    if (m_view->contact() != clicked.contact)
        return -1;
    if (clicked.row < model.rowCount() && model.rowAt(clicked.row).type == clicked.record.type
        && model.rowAt(clicked.row).labelIndex == clicked.record.labelIndex)
        return clicked.row;
    for (int row = 0; row < model.rowCount(); ++row) {
        const InfoRowRecord &record = model.rowAt(row);
        if (record.type == clicked.record.type && record.labelIndex == clicked.record.labelIndex)
            return row;
    }
    return -1;
}

void ContactInfoRowCommands::runMenuCommand(const QString &key)
{
    if (!m_clicked)
        return;
    const int row = currentRowOf(*m_clicked);
    if (row < 0)
        return;
    using namespace DetailContextMenu;
    const InfoRowRecord record = m_view->infoModel()->rowAt(row);
    const QList<Item> items = itemsFor(record.type, valuePresent(record), m_view->detailHost(), !m_view->editState());
    const auto item = std::find_if(items.begin(), items.end(), [&key](const Item &it) { return it.key == key; });
    // The value went, or the lock came, since the menu opened.
    if (item == items.end() || !item->enabled)
        return;
    switch (item->command) {
    case Command::Workspace:
        openInWorkspace(key, row);
        break;
    case Command::OpenEditor:
        openEditorFor(row, int(editorFor(record.type, key)));
        break;
    case Command::AddItem:
        addItem(row);
        break;
    case Command::DeleteItem:
        deleteItem(row);
        break;
    case Command::IconSizeBigger:
        changeIconRowCount(1);
        break;
    case Command::IconSizeSmaller:
        changeIconRowCount(-1);
        break;
    case Command::AddImage:
        chooseImage();
        break;
    case Command::DeleteImage:
        deleteImage();
        break;
    case Command::None:
        break;
    }
}

// --- The hand-off's host --------------------------------------------------------------

QAbstractItemView *ContactInfoRowCommands::editorPositioningView(const PersonRecordPtr & /*contact*/) const
{
    return m_view;
}

bool ContactInfoRowCommands::editorEditState() const
{
    return m_view->editState();
}

QFont ContactInfoRowCommands::editorFont() const
{
    return m_view->selectedFont();
}

QSize ContactInfoRowCommands::addressEditorSize() const
{
    return m_view->detailHost() == DetailHost::Popover ? QSize(340, 460) : QSize(340, 478);
}

void ContactInfoRowCommands::valueEditorResultDidApply()
{
    contactDidChange();
}

// The operation announced the change with this view as its sender, so the
// view redraws itself.
void ContactInfoRowCommands::contactDidChange()
{
    m_view->sendContactDidUpdate();
    m_view->updateTable();
}

bool ContactInfoRowCommands::undoReplaceValue(
    const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    ContactInfoControllerDelegate *delegate = m_view->infoDelegate();
    if (!delegate)
        return false;
    const ChangeSenderScope scope(delegate, m_view);
    return delegate->undoReplaceValue(value, identifier, contact);
}

void ContactInfoRowCommands::undoAddLabeledValue(
    const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    ContactInfoControllerDelegate *delegate = m_view->infoDelegate();
    if (!delegate)
        return;
    const ChangeSenderScope scope(delegate, m_view);
    delegate->undoAddLabeledValue(value, identifier, contact);
}
