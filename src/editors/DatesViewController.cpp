#include "editors/DatesViewController.h"

#include "editors/CustomLabelView.h"
#include "editors/DatesCellDelegate.h"
#include "editors/DatesTableModel.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

DatesViewController::DatesViewController(QWidget *parent)
    : ValueEditor(parent)
    , m_table(new DatesTableModel(this))
    , m_cellDelegate(new DatesCellDelegate(this))
    , m_tableView(new QTableView(this))
    , m_addButton(makeTableButton(true))
    , m_delButton(makeTableButton(false))
    , m_dateControls(new DateControls(this))
{
    contactNameField()->setPlaceholderText(tr("Name"));
    setUpTable(m_tableView, m_table, m_cellDelegate);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->horizontalHeader()->hide();
    m_tableView->setColumnWidth(DatesTableModel::LabelColumn, 120);
    m_tableView->setMinimumHeight(4 * tableRowHeight);
    m_customLabelView = new CustomLabelView(this);

    auto *controlRow = new QHBoxLayout;
    controlRow->addWidget(m_addButton);
    controlRow->addWidget(m_delButton);
    controlRow->addStretch(1);
    controlRow->addWidget(m_dateControls->yearField());
    controlRow->addWidget(m_dateControls->monthPopup());
    controlRow->addWidget(m_dateControls->datePicker());
    bodyLayout()->addWidget(m_customLabelView);
    bodyLayout()->addWidget(m_tableView, 1);
    bodyLayout()->addLayout(controlRow);

    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &DatesViewController::showSelectedDate);
    connect(m_table, &DatesTableModel::rowEdited, this, &DatesViewController::rowEdited);
    connect(m_cellDelegate, &DatesCellDelegate::customLabelRequested, this, &DatesViewController::addCustomLabel);
    connect(m_customLabelView, &CustomLabelView::finished, this, &DatesViewController::finishCustomLabel);
    connect(m_addButton, &QPushButton::clicked, this, &DatesViewController::addRow);
    connect(m_delButton, &QPushButton::clicked, this, &DatesViewController::deleteRows);
    connect(m_dateControls, &DateControls::dateChosen, this, &DatesViewController::dateChosen);
    setControlsEditing(false);
}

QLineEdit *DatesViewController::customLabelField() const
{
    return m_customLabelView->customLabelField();
}

QPushButton *DatesViewController::addButtonInCustomLabelView() const
{
    return m_customLabelView->addButton();
}

void DatesViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    if (contextInfo() && !contextInfo()->type.isEmpty())
        m_type = contextInfo()->type;
    LabeledValueList rows;
    if (person) {
        const PersonValue value = person->valueForIdentifier(m_type);
        if (const auto *list = std::get_if<LabeledValueList>(&value))
            rows = *list;
    }
    if (m_labels.isEmpty()) {
        m_table->reset(rows, FieldVocabulary::shared().labelsForIdentifier(FieldId::Dates),
            FieldVocabulary::shared().localizedLabelsForIdentifier(FieldId::Dates), m_type);
    } else {
        QStringList localized;
        for (const QString &label : std::as_const(m_labels))
            localized.append(FieldVocabulary::localizedLabelFromCNLabel(FieldVocabulary::CNLabelFromLabel(label)));
        m_table->reset(rows, m_labels, localized, m_type);
    }
    m_customLabelView->hide();
    // The opener names the value by its own number, not by its position.
    int selected = -1;
    const std::optional<qint64> labelIndex = contextInfo() ? contextInfo()->labelIndex : std::nullopt;
    for (int row = 0; labelIndex && *labelIndex != -1 && row < rows.size(); ++row) {
        if (rows.at(row)->labelIndex == *labelIndex) {
            selected = row;
            break;
        }
    }
    selectRow(selected);
}

void DatesViewController::contextInfoDidLoad()
{
    if (isEditing() && m_table->rowCount() == 0)
        addRow();
}

void DatesViewController::setControlsEditing(bool editing)
{
    m_table->setEditing(editing);
    m_tableView->setEditTriggers(editing
            ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
            : QAbstractItemView::NoEditTriggers);
    m_dateControls->setEnabled(editing);
    m_addButton->setEnabled(editing);
    m_delButton->setEnabled(editing && m_table->rowCount() > 0);
    if (editing)
        m_tableView->setFocus();
}

int DatesViewController::selectedRow() const
{
    return selectedTableRow(m_tableView);
}

void DatesViewController::selectRow(int row)
{
    selectTableRow(m_tableView, row);
}

void DatesViewController::showSelectedDate()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    if (const auto *components = std::get_if<StoreDateComponents>(&m_table->rows().at(row)->value))
        m_dateControls->updateUIFromDateComponents(*components);
}

void DatesViewController::addRow()
{
    if (m_type != FieldId::Dates)
        return;
    const StoreDateComponents today = StoreDateComponents::fromDate(QDate::currentDate());
    auto record = std::make_shared<LabeledValueRecord>();
    record->value = today;
    record->stringValue = m_dateControls->updateUIFromDateComponents(today);
    record->label = m_table->labels().value(0);
    record->labelIndex = -1;
    int row = m_table->rowCount();
    const QModelIndexList selected = m_tableView->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        row = std::max_element(selected.cbegin(), selected.cend(),
                  [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); })
                  ->row()
            + 1;
    }
    m_table->insertDate(row, record);
    selectRow(row);
    m_delButton->setEnabled(true);
    userDidChange();
}

void DatesViewController::deleteRows()
{
    QList<int> rows;
    const QModelIndexList selected = m_tableView->selectionModel()->selectedRows();
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    m_table->removeDates(rows);
    m_delButton->setEnabled(isEditing() && m_table->rowCount() > 0);
    userDidChange();
}

void DatesViewController::dateChosen(const QDate &date, DateControls::Source source)
{
    if (!isEditing())
        return;
    const int row = selectedRow();
    if (row >= 0)
        m_table->setRowDate(row, date);
    if (row >= 0 || source == DateControls::Source::Month)
        userDidChange();
}

void DatesViewController::rowEdited(int row)
{
    userDidChange();
    if (const auto *components = std::get_if<StoreDateComponents>(&m_table->rows().at(row)->value))
        m_dateControls->updateUIFromDateComponents(*components);
}

void DatesViewController::addCustomLabel()
{
    if (!isEditing())
        return;
    m_doneEnabledBeforeCustomLabel = doneButton()->isEnabled();
    m_customLabelView->open();
    setDoneEnabled(false);
}

void DatesViewController::finishCustomLabel(bool add)
{
    if (!add) {
        setDoneEnabled(m_doneEnabledBeforeCustomLabel);
        return;
    }
    const QString label = m_customLabelView->label();
    if (!label.isEmpty()) {
        m_table->appendLabel(label);
        m_table->setRowLabel(selectedRow(), label);
    }
    userDidChange();
}

bool DatesViewController::writeResult()
{
    m_cellDelegate->commitOpenEditor();
    writeRows(m_table->rows());
    return true;
}

void DatesViewController::enterPendingInput()
{
    m_cellDelegate->commitOpenEditor();
}

void DatesViewController::didFinish()
{
    m_table->reset(
        {}, m_table->labels(), FieldVocabulary::shared().localizedLabelsForIdentifier(FieldId::Dates), m_type);
}
