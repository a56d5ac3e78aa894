#include "print/AddressListTab.h"

#include "print/LabelChecklist.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

using namespace PrintOptionsKey;

AddressListTab::AddressListTab(QWidget *parent)
    : QWidget(parent)
    , m_printFrame(new QCheckBox(tr("Print Frame"), this))
    , m_alternateRow(new QCheckBox(tr("Alternating Rows"), this))
    , m_labelChecklist(new LabelChecklist(this))
    , m_itemModel(new AddressListItemTableModel(this))
    , m_itemTableView(new QTableView(this))
{
    m_labelChecklist->setObjectName(QStringLiteral("aListLabelPopup"));
    m_itemTableView->setObjectName(QStringLiteral("aListTabItemTableView"));
    m_itemModel->setUpView(m_itemTableView);
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_printFrame);
    switches->addWidget(m_alternateRow);
    switches->addStretch(1);
    switches->addWidget(new QLabel(tr("Labels:"), this));
    switches->addWidget(m_labelChecklist);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(switches);
    layout->addWidget(m_itemTableView, 1);

    for (QCheckBox *box : {m_printFrame, m_alternateRow})
        connect(box, &QCheckBox::clicked, this, &AddressListTab::switchChanged);
    connect(m_labelChecklist, &LabelChecklist::selectionChanged, this, &AddressListTab::labelsChosen);
    connect(m_itemModel, &AddressListItemTableModel::itemStateChanged, this, &AddressListTab::itemStateChanged);
    connect(m_itemModel, &AddressListItemTableModel::itemsReordered, this, &AddressListTab::itemsReordered);
}

void AddressListTab::setItems(ItemTableListPtr items)
{
    m_itemModel->setItems(std::move(items));
}

void AddressListTab::fill(const QVariantMap &list)
{
    // Reloaded: the items may have changed in place.
    m_itemModel->setItems(m_itemModel->items());
    m_printFrame->setChecked(PrintOptionValue::flag(list.value(PrintFrame)));
    m_alternateRow->setChecked(PrintOptionValue::flag(list.value(AlternatingRow)));
    m_labelChecklist->fill(LabelChecklist::labelTitles(), list.value(SelectedLabels).toStringList());
}

void AddressListTab::storeSwitches(QVariantMap &list) const
{
    list.insert(PrintFrame, m_printFrame->isChecked());
    list.insert(AlternatingRow, m_alternateRow->isChecked());
}
