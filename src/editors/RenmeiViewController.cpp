#include "editors/RenmeiViewController.h"

#include "editors/CellEditingDelegate.h"
#include "editors/NameListModel.h"
#include "model/MVPerson.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// The editors' own tables use rows of 20 pixels.
constexpr int rowHeight = 20;

QPushButton *smallButton(const QString &title, QWidget *parent)
{
    auto *button = new QPushButton(title, parent);
    button->setFixedWidth(28);
    return button;
}

} // namespace

RenmeiViewController::RenmeiViewController(QWidget *parent)
    : ValueEditor(parent)
    , m_table(new NameListModel(this))
    , m_cellDelegate(new CellEditingDelegate(this))
    , m_tableView(new QTableView(this))
    , m_addButton(smallButton(QStringLiteral("+"), this))
    , m_delButton(smallButton(QStringLiteral("\u2212"), this))
    , m_doneTitle(tr("Add"))
{
    contactNameField()->setPlaceholderText(tr("Name"));
    m_tableView->setModel(m_table);
    m_tableView->setItemDelegate(m_cellDelegate);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setEditTriggers(QAbstractItemView::DoubleClicked);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->setMinimumHeight(3 * rowHeight);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_addButton);
    buttonRow->addWidget(m_delButton);
    buttonRow->addStretch(1);
    bodyLayout()->addWidget(m_tableView, 1);
    bodyLayout()->addLayout(buttonRow);
    // Cancel stays as it is laid out in both states.
    cancelButton()->show();

    connect(m_addButton, &QPushButton::clicked, this, &RenmeiViewController::addRow);
    connect(m_delButton, &QPushButton::clicked, this, &RenmeiViewController::deleteRow);
    connect(m_table, &NameListModel::nameEdited, this, &RenmeiViewController::userDidChange);
    connect(m_cellDelegate, &CellEditingDelegate::advanceRequested, this,
        [this](const QModelIndex &from) { editRow(from.row() + 1 < m_table->rowCount() ? from.row() + 1 : 0); });
    setControlsEditing(false);
}

QStringList RenmeiViewController::names() const
{
    return m_table->stringList();
}

void RenmeiViewController::setSelectedFont(const QFont &font)
{
    m_tableView->setFont(font);
}

QString RenmeiViewController::doneTitle(bool /*editing*/) const
{
    return m_doneTitle;
}

void RenmeiViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    const PersonValue value = person ? person->valueForIdentifier(FieldId::Renmei) : PersonValue();
    const auto *text = std::get_if<QString>(&value);
    if (text && !text->isEmpty()) {
        m_table->setStringList(text->split(u'\n'));
        m_doneTitle = tr("Change");
    } else {
        m_table->setStringList({QStringLiteral("太郎")});
        m_doneTitle = tr("Add");
    }
}

void RenmeiViewController::setControlsEditing(bool editing)
{
    // Every toggle gives Done the Return key; a cell being edited keeps it.
    m_table->setEditing(editing);
    m_addButton->setEnabled(editing);
    m_delButton->setEnabled(editing && m_table->rowCount() > 0);
    if (editing)
        m_tableView->setFocus();
}

int RenmeiViewController::selectedRow() const
{
    const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void RenmeiViewController::addRow()
{
    const int selected = selectedRow();
    const int row = selected >= 0 ? selected + 1 : m_table->rowCount();
    m_table->insertRows(row, 1);
    m_table->setData(m_table->index(row), QStringLiteral("new"), Qt::EditRole);
    m_tableView->selectRow(row);
    m_delButton->setEnabled(true);
    userDidChange();
}

void RenmeiViewController::deleteRow()
{
    const int selected = selectedRow();
    if (selected >= 0)
        m_table->removeRows(selected, 1);
    m_delButton->setEnabled(m_table->rowCount() > 0);
    userDidChange();
}

void RenmeiViewController::editRow(int row)
{
    const QModelIndex target = m_table->index(row);
    if (!isEditing() || !target.isValid())
        return;
    m_tableView->selectRow(row);
    m_tableView->edit(target);
}

bool RenmeiViewController::writeResult()
{
    m_cellDelegate->commitOpenEditor();
    contextInfo()->values = m_table->stringList();
    contextInfo()->dirty = true;
    return true;
}

void RenmeiViewController::didFinish()
{
    m_table->setStringList({});
}
