#include "print/LabelConfigPanelController.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

LabelConfigPanelController::LabelConfigPanelController(QWidget *parent)
    : QDialog(parent)
    , m_model(new LabelPresetTableModel(this))
    , m_tableView(new QTableView(this))
    , m_plusButton(new QPushButton(QStringLiteral("+"), this))
    , m_minusButton(new QPushButton(QStringLiteral("\u2212"), this))
    , m_unitPopup(new QComboBox(this))
    , m_doneButton(new QPushButton(tr("Done"), this))
{
    setWindowTitle(tr("Label Sizes"));
    m_tableView->setModel(m_model);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->verticalHeader()->hide();
    // The names take what the lengths leave.
    m_tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tableView->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);

    // The titles "mm" and "inches" choose the unit; the first item is points.
    m_unitPopup->addItem(tr("points"), QStringLiteral("points"));
    m_unitPopup->addItem(QStringLiteral("mm"), QStringLiteral("mm"));
    m_unitPopup->addItem(QStringLiteral("inches"), QStringLiteral("inches"));
    m_plusButton->setAutoDefault(false);
    m_minusButton->setAutoDefault(false);
    m_doneButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_plusButton);
    buttons->addWidget(m_minusButton);
    buttons->addSpacing(12);
    buttons->addWidget(new QLabel(tr("Unit:"), this));
    buttons->addWidget(m_unitPopup);
    buttons->addStretch(1);
    buttons->addWidget(m_doneButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(buttons);
    resize(520, 260);

    connect(m_plusButton, &QPushButton::clicked, this, &LabelConfigPanelController::addPreset);
    connect(m_minusButton, &QPushButton::clicked, this, &LabelConfigPanelController::removeSelectedPreset);
    connect(m_doneButton, &QPushButton::clicked, this, [this] { done(1); });
    connect(m_unitPopup, &QComboBox::currentIndexChanged, this, &LabelConfigPanelController::unitPopupSelected);
}

void LabelConfigPanelController::setLabelAttributes(LabelPresetListPtr presets)
{
    m_model->setPresets(std::move(presets));
}

int LabelConfigPanelController::selectedRow() const
{
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString LabelConfigPanelController::selectedPreset() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->presetName(row);
}

void LabelConfigPanelController::addPreset()
{
    const int row = m_model->appendNewPreset();
    if (row < 0)
        return;
    m_tableView->selectionModel()->select(
        m_model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_tableView->setCurrentIndex(m_model->index(row, 0));
}

void LabelConfigPanelController::removeSelectedPreset()
{
    const int row = selectedRow();
    if (row >= 0)
        m_model->removePreset(row);
}

void LabelConfigPanelController::unitPopupSelected()
{
    m_model->setUnit(LabelPresetTableModel::unitForTitle(m_unitPopup->currentData().toString()));
}
