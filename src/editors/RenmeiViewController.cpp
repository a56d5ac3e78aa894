#include "editors/RenmeiViewController.h"

#include "editors/CellEditingDelegate.h"
#include "editors/NameListModel.h"
#include "model/MVPerson.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

RenmeiViewController::RenmeiViewController(QWidget *parent)
    : ValueEditor(parent)
    , m_table(new NameListModel(this))
    , m_cellDelegate(new CellEditingDelegate(this))
    , m_tableView(new QTableView(this))
    , m_addButton(makeTableButton(true))
    , m_delButton(makeTableButton(false))
    , m_doneTitle(tr("Add"))
{
    contactNameField()->setPlaceholderText(tr("Name"));
    setUpTable(m_tableView, m_table, m_cellDelegate);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setEditTriggers(QAbstractItemView::DoubleClicked);
    m_tableView->setMinimumHeight(3 * tableRowHeight);
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
    connect(m_cellDelegate, &CellEditingDelegate::advanceRequested, this, &RenmeiViewController::advanceFrom);
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
        m_startsEmpty = false;
    } else {
        // A sample name put in the row would be stored as a joint name when
        // the user types nothing or types after it.
        m_table->setStringList({QString()});
        m_doneTitle = tr("Add");
        m_startsEmpty = true;
    }
}

void RenmeiViewController::contextInfoDidLoad()
{
    // What the user types at once is the name to add.
    if (m_startsEmpty)
        editRow(0);
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
    return selectedTableRow(m_tableView);
}

void RenmeiViewController::addRow()
{
    const int selected = selectedRow();
    const int row = selected >= 0 ? selected + 1 : m_table->rowCount();
    m_table->insertRows(row, 1);
    m_table->setData(m_table->index(row), QStringLiteral("new"), Qt::EditRole);
    selectTableRow(m_tableView, row);
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
    selectTableRow(m_tableView, row);
    m_tableView->edit(target);
    if (auto *field = qobject_cast<QLineEdit *>(m_tableView->indexWidget(target)))
        field->setPlaceholderText(tr("太郎"));
}

void RenmeiViewController::advanceFrom(const QModelIndex &from, bool tab)
{
    // The one row of a contact without joint names: Return ends the editor
    // rather than opening the same row again.
    if (!tab && m_startsEmpty && m_table->rowCount() == 1) {
        doneButton()->click();
        return;
    }
    editRow(from.row() + 1 < m_table->rowCount() ? from.row() + 1 : 0);
}

bool RenmeiViewController::writeResult()
{
    m_cellDelegate->commitOpenEditor();
    QStringList names = m_table->stringList();
    names.removeAll(QString());
    contextInfo()->values = names;
    // Nothing typed for a contact without joint names changes nothing.
    contextInfo()->dirty = !(m_startsEmpty && names.isEmpty());
    return true;
}

void RenmeiViewController::enterPendingInput()
{
    m_cellDelegate->commitOpenEditor();
}

void RenmeiViewController::didFinish()
{
    m_table->setStringList({});
}
