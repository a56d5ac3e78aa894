#include "editors/MultiValueViewController.h"

#include "editors/AddressViewController.h"
#include "editors/CellEditingDelegate.h"
#include "editors/CustomLabelView.h"
#include "editors/MultiValueTableModel.h"
#include "model/AddressText.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"
#include "platform/widgets/Popover.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// An address row of several lines takes 18 pixels for each.
constexpr int addressLineHeight = 18;
const QSize addressPopoverSize(340, 460);

const QHash<QString, int> &columnWidths()
{
    static const QHash<QString, int> widths{{QStringLiteral("Edit"), 25}, {QStringLiteral("label"), 100},
        {QStringLiteral("CountryCode"), 155}, {QStringLiteral("serviceType"), 130}, {QStringLiteral("Username"), 178},
        {QStringLiteral("User Identifier"), 178}, {QStringLiteral("URL String"), 178}, {FieldId::ZIP, 70},
        {FieldId::State, 80}, {FieldId::City, 90}, {FieldId::Street, 150}, {FieldId::Country, 80}};
    return widths;
}

} // namespace

MultiValueViewController::MultiValueViewController(QWidget *parent)
    : ValueEditor(parent)
    , m_table(new MultiValueTableModel(this))
    , m_cellDelegate(new CellEditingDelegate(this))
    , m_tableView(new QTableView(this))
    , m_typePopup(new QComboBox(this))
    , m_addButton(makeTableButton(true))
    , m_delButton(makeTableButton(false))
    , m_addressField(new QLineEdit(this))
    , m_customLabelView(new CustomLabelView(this))
{
    contactNameField()->setPlaceholderText(tr("Name"));
    m_cellDelegate->setKeepsCellsOnOneLine(true);
    m_addressField->setPlaceholderText(tr("Address:"));
    m_addressField->setReadOnly(true);
    buildTable();
    auto *controlRow = new QHBoxLayout;
    controlRow->addWidget(m_addButton);
    controlRow->addWidget(m_delButton);
    controlRow->addStretch(1);
    controlRow->addWidget(m_typePopup);
    bodyLayout()->addWidget(m_customLabelView);
    bodyLayout()->addWidget(m_tableView, 1);
    bodyLayout()->addWidget(m_addressField);
    bodyLayout()->addLayout(controlRow);

    connect(m_addButton, &QPushButton::clicked, this, &MultiValueViewController::addRow);
    connect(m_delButton, &QPushButton::clicked, this, &MultiValueViewController::deleteRows);
    connect(m_customLabelView, &CustomLabelView::finished, this, &MultiValueViewController::finishCustomLabel);
    setControlsEditing(false);
}

MultiValueViewController::~MultiValueViewController() = default;

void MultiValueViewController::buildTable()
{
    setUpTable(m_tableView, m_table, m_cellDelegate);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setMinimumHeight(3 * tableRowHeight);
    // Rows move by dragging them between rows; the drop shows as a gap.
    m_tableView->setDragEnabled(true);
    m_tableView->setAcceptDrops(true);
    m_tableView->setDropIndicatorShown(true);
    m_tableView->setDragDropMode(QAbstractItemView::DragDrop);
    m_tableView->setDefaultDropAction(Qt::MoveAction);
    m_tableView->setDragDropOverwriteMode(false);

    connect(m_tableView, &QTableView::clicked, this, &MultiValueViewController::cellClicked);
    connect(m_tableView, &QTableView::doubleClicked, this, &MultiValueViewController::rowDoubleClicked);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &MultiValueViewController::showAddressOfSelectedRow);
    connect(m_table, &MultiValueTableModel::rowEdited, this, [this] {
        updateRowHeights();
        showAddressOfSelectedRow();
        userDidChange();
    });
    connect(m_table, &MultiValueTableModel::rowMoved, this, [this](int row) {
        selectRow(row);
        updateRowHeights();
        userDidChange();
    });
    connect(m_cellDelegate, &CellEditingDelegate::advanceRequested, this, &MultiValueViewController::moveEditing);
    connect(m_cellDelegate, &CellEditingDelegate::customLabelRequested, this, [this](const QModelIndex &index) {
        selectRow(index.row());
        addCustomLabel();
    });
}

Popover *MultiValueViewController::addressPopover() const
{
    return m_addressPopover;
}

void MultiValueViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    const ContactIdentifier type = contextInfo() ? contextInfo()->type : ContactIdentifier();
    LabeledValueList rows;
    if (person) {
        const PersonValue value = person->valueForIdentifier(type);
        if (const auto *list = std::get_if<LabeledValueList>(&value))
            rows = *list;
    }
    QStringList labels = FieldVocabulary::shared().labelsForIdentifier(type);
    QStringList localizedLabels = FieldVocabulary::shared().localizedLabelsForIdentifier(type);
    if (labels.isEmpty())
        labels = localizedLabels = QStringList{QStringLiteral("home")};
    m_table->reset(type, rows, labels, localizedLabels, person ? person->defaultCountryCode() : QString());
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_tableView->setColumnWidth(column, columnWidths().value(m_table->columns().at(column), 130));
    m_typePopup->clear();
    m_typePopup->addItem(FieldVocabulary::localizedIdentifierForKey(type));
    m_addressField->setVisible(type == FieldId::Address);
    m_addressField->clear();
    m_customLabelView->hide();
    // The opener names the value by its own number, not by its position.
    static const std::optional<qint64> unnamed;
    const std::optional<qint64> &labelIndex = contextInfo() ? contextInfo()->labelIndex : unnamed;
    const auto found = std::find_if(rows.cbegin(), rows.cend(),
        [&labelIndex](const LabeledValueRecordPtr &row) { return labelIndex && row->labelIndex == *labelIndex; });
    selectRow(found == rows.cend() ? -1 : int(found - rows.cbegin()));
}

void MultiValueViewController::setControlsEditing(bool editing)
{
    m_table->setEditing(editing);
    if (!editing)
        m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    else if (m_table->type() == FieldId::Address)
        m_tableView->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    else
        m_tableView->setEditTriggers(
            QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_addButton->setEnabled(editing);
    m_delButton->setEnabled(editing && m_table->rowCount() > 0);
    refreshRows();
    if (editing)
        m_tableView->setFocus();
}

void MultiValueViewController::updateRowHeights()
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int lines = m_table->lineCount(row);
        m_tableView->setRowHeight(row, lines > 1 ? addressLineHeight * lines : tableRowHeight);
    }
}

void MultiValueViewController::refreshRows()
{
    updateRowHeights();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        // Pop-up cells are pop-ups for as long as the editor edits.
        for (int column = 0; column < m_table->columnCount(); ++column) {
            if (!m_table->isPopupColumn(column))
                continue;
            const QModelIndex cell = m_table->index(row, column);
            m_tableView->closePersistentEditor(cell);
            if (m_table->isEditing())
                m_tableView->openPersistentEditor(cell);
        }
    }
}

int MultiValueViewController::selectedRow() const
{
    return selectedTableRow(m_tableView);
}

void MultiValueViewController::selectRow(int row)
{
    selectTableRow(m_tableView, row);
}

void MultiValueViewController::addRow()
{
    const ContactIdentifier &type = m_table->type();
    auto record = std::make_shared<LabeledValueRecord>();
    record->label = m_table->labels().value(0);
    record->labelIndex = -1;
    if (type == FieldId::Address) {
        // A new address enters the table only when its editor ends with Done.
        record->address->zip = QStringLiteral("123");
        AddressText::updateAddressValue(record.get(), AddressText::IncludeCountryAndZIP);
        showOnOneLine(record->stringValue);
        showAddressPopover(*record, -1, m_addButton, m_addButton->rect());
        return;
    }
    record->value = QStringLiteral("new");
    record->stringValue = QStringLiteral("new");
    if (type == FieldId::InstantMessage) {
        record->account->service = MultiValueTableModel::serviceLabels().first();
        ValueRecordFormatter::updateIMSValue(record.get());
    } else if (type == FieldId::SocialNetwork) {
        ValueRecordFormatter::updateSNSValue(record.get());
    }
    const int selected = selectedRow();
    const int row = selected >= 0 ? selected + 1 : m_table->rowCount();
    m_table->insertValue(row, record);
    refreshRows();
    selectRow(row);
    m_delButton->setEnabled(true);
    userDidChange();
}

void MultiValueViewController::deleteRows()
{
    m_table->removeValue(selectedRow());
    m_delButton->setEnabled(isEditing() && m_table->rowCount() > 0);
    userDidChange();
}

void MultiValueViewController::cellClicked(const QModelIndex &index)
{
    if (isEditing() && m_table->type() == FieldId::Address && m_table->columns().value(index.column()) == u"Edit")
        showAddressPopover(
            *m_table->rows().at(index.row()), index.row(), m_tableView->viewport(), m_tableView->visualRect(index));
}

void MultiValueViewController::rowDoubleClicked(const QModelIndex &index)
{
    if (m_table->type() == FieldId::Address && index.isValid())
        showAddressPopover(
            *m_table->rows().at(index.row()), index.row(), m_tableView->viewport(), m_tableView->visualRect(index));
}

void MultiValueViewController::showAddressPopover(
    const LabeledValueRecord &record, int row, QWidget *view, const QRect &rect)
{
    if (m_addressPopover || !contextInfo())
        return;
    auto context = std::make_shared<PopoverContextInfo>();
    context->contact = contextInfo()->contact;
    context->type = FieldId::Address;
    // A copy: edits cancelled there stay out of the row.
    context->labeledValue = std::make_shared<LabeledValueRecord>(record);
    context->rowIndex = row;
    // A child of this editor, so that a click in it is a click inside ours.
    m_addressPopover = new Popover(this);
    m_addressPopover->setBehavior(Popover::Behavior::Transient);
    m_addressPopover->setAnimates(true);
    connect(m_addressPopover, &Popover::didClose, this, &MultiValueViewController::addressPopoverDidClose);
    auto *editor = new AddressViewController;
    editor->setPopover(m_addressPopover);
    m_addressPopover->setContentWidget(editor);
    m_addressPopover->setContentSize(addressPopoverSize);
    m_addressPopover->showRelativeToRect(rect, view, Popover::Edge::MaxY);
    editor->setContextInfo(context, isEditing());
}

void MultiValueViewController::addressPopoverDidClose(Popover *popover)
{
    const auto *editor = qobject_cast<const ValueEditor *>(popover->contentWidget());
    const PopoverContextInfoPtr context = editor ? editor->contextInfo() : nullptr;
    const auto *address = context ? std::get_if<LabeledValueRecord>(&context->value) : nullptr;
    if (address && context->dirty && context->type == FieldId::Address) {
        const int row = m_table->takeAddress(int(context->rowIndex), *address);
        refreshRows();
        selectRow(row);
        showAddressOfSelectedRow();
        m_delButton->setEnabled(isEditing() && m_table->rowCount() > 0);
        userDidChange();
    }
    popover->deleteLater();
    m_addressPopover = nullptr;
}

void MultiValueViewController::showAddressOfSelectedRow()
{
    const int row = selectedRow();
    if (m_table->type() != FieldId::Address || row < 0)
        return;
    showOnOneLine(m_table->rows().at(row)->stringValue);
}

void MultiValueViewController::showOnOneLine(QString address)
{
    // An address without text leaves the field as it was.
    if (!address.isEmpty())
        m_addressField->setText(address.replace(u'\n', u' '));
}

void MultiValueViewController::moveEditing(const QModelIndex &from, bool tab)
{
    const int rows = m_table->rowCount();
    const int columns = m_table->columnCount();
    if (!isEditing() || rows == 0)
        return;
    int row = from.row();
    int column = from.column();
    // Tab goes along the row, then on to the second column of the next row;
    // Return down the column; both wrap round to the first row.
    if (tab && column + 1 < columns) {
        ++column;
    } else {
        row = (row + 1) % rows;
        column = tab ? 1 : column;
    }
    const QModelIndex target = m_table->index(row, column);
    m_tableView->selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (QWidget *popup = m_tableView->indexWidget(target))
        popup->setFocus();
    else
        m_tableView->edit(target);
}

void MultiValueViewController::addCustomLabel()
{
    if (!isEditing())
        return;
    m_doneEnabledBeforeCustomLabel = doneButton()->isEnabled();
    m_customLabelView->open();
    setDoneEnabled(false);
}

void MultiValueViewController::finishCustomLabel(bool add)
{
    const QString label = m_customLabelView->label();
    if (!add || label.isEmpty()) {
        setDoneEnabled(m_doneEnabledBeforeCustomLabel);
        return;
    }
    m_table->appendLabel(label);
    const int row = selectedRow();
    m_table->setRowLabel(row, label);
    refreshRows();
    selectRow(row);
    userDidChange();
    setDoneTakesReturn(true);
}

bool MultiValueViewController::writeResult()
{
    m_cellDelegate->commitOpenEditor();
    writeRows(m_table->rows());
    return true;
}

void MultiValueViewController::enterPendingInput()
{
    // The address editor opened from a row hands what was typed there to
    // the row first.
    if (m_addressPopover) {
        if (auto *address = qobject_cast<ValueEditor *>(m_addressPopover->contentWidget()))
            address->finish(EditorEnding::Done);
    }
    m_cellDelegate->commitOpenEditor();
}

void MultiValueViewController::didFinish()
{
    if (m_addressPopover)
        m_addressPopover->close();
    m_table->reset(m_table->type(), {}, m_table->labels(), {}, {});
}
