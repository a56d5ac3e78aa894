#include "find/FindPanel.h"

#include "editors/EditLockToggle.h"
#include "editors/SeparatorBox.h"
#include "find/FindResultsModel.h"
#include "find/FindScope.h"
#include "find/FindSearch.h"
#include "find/FindValueDelegate.h"
#include "model/FieldVocabulary.h"
#include "editors/UndoKeys.h"
#include "platform/UndoManager.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QVBoxLayout>

FindPanel::FindPanel(QWidget *parent)
    : QDialog(parent)
    , m_results(new FindResultsModel(this))
{
    setWindowTitle(tr("Find"));
    buildWindow();
    connect(m_results, &FindResultsModel::currentRowChanged, this, &FindPanel::showCurrentRow);
    updateTable();
}

FindPanel::~FindPanel() = default;

FindResultRows FindPanel::searchString(const QString &searchString, const PersonRecordPtr &contact,
    const QStringList &items, const QStringList &subItems, const QStringList &labels, uint compareOptions)
{
    return FindSearch::searchString(searchString, contact, items, subItems, labels, compareOptions);
}

void FindPanel::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_itemPopup = new QPushButton(this);
    m_subItemPopup = new QPushButton(this);
    m_labelPopup = new QPushButton(this);
    for (QPushButton *popup : {m_itemPopup, m_subItemPopup, m_labelPopup}) {
        popup->setMenu(new QMenu(popup));
        top->addWidget(popup);
    }
    top->addStretch();
    m_editButton = new EditLockToggle(this);
    top->addWidget(m_editButton);
    layout->addLayout(top);
    m_redSeparator = m_editButton->addSeparatorTo(layout, this);
    layout->addLayout(buildSearchRow());
    layout->addLayout(buildReplaceRow());
    buildTable();
    layout->addWidget(m_tableView, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    m_closeButton = new QPushButton(tr("Done"), this);
    m_closeButton->setAutoDefault(false);
    bottom->addWidget(m_closeButton);
    layout->addLayout(bottom);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_editButton, &QPushButton::clicked, this, [this] { setEditState(m_editButton->isChecked()); });
    setEditState(false);
    resize(720, 420);
}

QLayout *FindPanel::buildSearchRow()
{
    auto *row = new QHBoxLayout;
    m_searchModePopup = new QComboBox(this);
    m_searchModePopup->addItems({tr("Ignore Case"), tr("Match Case"), tr("Regular Expression")});
    m_searchField = new QLineEdit(this);
    m_searchField->setPlaceholderText(tr("Find"));
    m_previousButton = new QPushButton(QStringLiteral("‹"), this);
    m_nextButton = new QPushButton(QStringLiteral("›"), this);
    m_previousButton->setToolTip(tr("Previous"));
    m_nextButton->setToolTip(tr("Next"));
    row->addWidget(m_searchModePopup);
    row->addWidget(m_searchField, 1);
    row->addWidget(m_previousButton);
    row->addWidget(m_nextButton);
    connect(m_searchModePopup, &QComboBox::activated, this, &FindPanel::searchModeDidSelect);
    connect(m_searchField, &QLineEdit::returnPressed, this, [this] {
        m_searchString = m_searchField->text();
        updateTable();
    });
    connect(m_previousButton, &QPushButton::clicked, this, [this] { directionButtonDidClick(false); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { directionButtonDidClick(true); });
    return row;
}

QLayout *FindPanel::buildReplaceRow()
{
    auto *row = new QHBoxLayout;
    m_replaceField = new QLineEdit(this);
    m_replaceField->setPlaceholderText(tr("Replace"));
    m_replaceButton = new QPushButton(tr("Replace"), this);
    m_replaceAllButton = new QPushButton(tr("All"), this);
    for (QPushButton *button : {m_previousButton, m_nextButton, m_replaceButton, m_replaceAllButton})
        button->setAutoDefault(false);
    row->addWidget(m_replaceField, 1);
    row->addWidget(m_replaceButton);
    row->addWidget(m_replaceAllButton);
    connect(m_replaceButton, &QPushButton::clicked, this, [this] { m_results->replace(m_replaceField->text()); });
    connect(m_replaceAllButton, &QPushButton::clicked, this,
        [this] { m_results->replaceAll(m_searchField->text(), m_replaceField->text()); });
    return row;
}

void FindPanel::buildTable()
{
    m_tableView = new QTableView(this);
    m_tableView->setModel(m_results);
    m_tableView->setItemDelegate(new FindValueDelegate(m_tableView));
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->setSortingEnabled(true);
    m_tableView->horizontalHeader()->setSortIndicatorShown(false);
    connect(m_tableView, &QAbstractItemView::doubleClicked, this, &FindPanel::tableViewDoubleAction);
    connect(m_tableView, &QAbstractItemView::clicked, this,
        [this](const QModelIndex &index) { rowDidSelect(index.row()); });
    // A row chosen with the keys is the user's choice too, unlike the row the
    // panel selects to show the current match.
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = m_tableView->selectionModel()->selectedRows();
        if (!m_showingCurrentRow && !rows.isEmpty() && rows.first().row() != m_results->selectedRow())
            rowDidSelect(rows.first().row());
    });
    connect(m_tableView->horizontalHeader(), &QHeaderView::sectionClicked, this,
        [this] { m_tableView->horizontalHeader()->setSortIndicatorShown(true); });
}

void FindPanel::setSearchString(const QString &text)
{
    m_searchString = text;
    m_searchField->setText(text);
}

void FindPanel::setSelectedItems(const QStringList &items)
{
    m_selectedItems = items.isEmpty() ? QStringList{FindSearch::All} : items;
}

void FindPanel::setEditState(bool editing)
{
    m_editButton->showEditState(editing);
    m_results->setEditable(editing);
}

QPushButton *FindPanel::editButton() const
{
    return m_editButton;
}

void FindPanel::setValueEditorDelegate(ValueEditorDelegate *delegate)
{
    m_results->setValueEditorDelegate(delegate);
}

void FindPanel::fillPopup(QPushButton *popup, const QString &word, const QStringList &entries,
    const QStringList &titles, const QStringList &selection, void (FindPanel::*choose)(const QString &))
{
    QMenu *menu = popup->menu();
    menu->clear();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QAction *action = menu->addAction(titles.at(i));
        action->setCheckable(true);
        action->setChecked(selection.contains(entries.at(i)));
        const QString entry = entries.at(i);
        connect(action, &QAction::triggered, this, [this, entry, choose] { (this->*choose)(entry); });
    }
    QStringList chosen;
    for (const QString &entry : selection) {
        const qsizetype at = entries.indexOf(entry);
        chosen.append(at >= 0 ? titles.at(at) : entry);
    }
    const bool all = selection.isEmpty() || selection.first() == FindSearch::All;
    popup->setText(
        all ? tr("%1 - %2").arg(word, tr("All")) : tr("%1 - ").arg(word) + chosen.join(QStringLiteral(" + ")));
}

QStringList FindPanel::labelTitles(const QStringList &labels) const
{
    QStringList titles;
    for (const QString &label : labels) {
        titles.append(label == FindSearch::All
                ? tr("All")
                : FieldVocabulary::localizedLabelFromCNLabel(FieldVocabulary::CNLabelFromLabel(label)));
    }
    return titles;
}

void FindPanel::updateTable()
{
    QStringList items{FindSearch::All};
    items << FindScope::fields();
    QStringList itemTitles{tr("All")};
    for (qsizetype i = 1; i < items.size(); ++i)
        itemTitles.append(FieldVocabulary::localizedIdentifierForKey(items.at(i)));
    fillPopup(m_itemPopup, tr("Items"), items, itemTitles, m_selectedItems, &FindPanel::chooseItem);

    const QStringList fields = FindScope::fieldsToSearch(m_selectedItems);
    const QStringList subItems = FindScope::subItemsFor(m_selectedItems);
    QStringList subItemTitles{tr("All")};
    for (qsizetype i = 1; i < subItems.size(); ++i)
        subItemTitles.append(FieldVocabulary::localizedIdentifierForKey(subItems.at(i)));
    fillPopup(m_subItemPopup, tr("Sub Items"), subItems, subItemTitles, m_selectedSubItems, &FindPanel::chooseSubItem);

    QStringList labels{FindSearch::All};
    labels << FindScope::labelsFor(fields);
    fillPopup(m_labelPopup, tr("Labels"), labels, labelTitles(labels), m_selectedLabels, &FindPanel::chooseLabel);

    m_results->search(m_searchString, m_compareOptions, m_contacts, fields, m_selectedSubItems, m_selectedLabels);
    m_tableView->horizontalHeader()->setSortIndicatorShown(false);
}

void FindPanel::chooseItem(const QString &item)
{
    FindScope::choose(m_selectedItems, item);
    updateTable();
}

void FindPanel::chooseSubItem(const QString &subItem)
{
    FindScope::choose(m_selectedSubItems, subItem);
    updateTable();
}

void FindPanel::chooseLabel(const QString &label)
{
    FindScope::choose(m_selectedLabels, label);
    updateTable();
}

void FindPanel::searchModeDidSelect(int entry)
{
    m_compareOptions = entry == 0 ? TextMatcher::CaseInsensitive
        : entry == 1              ? TextMatcher::CaseSensitive
                                  : TextMatcher::RegularExpression;
    updateTable();
}

void FindPanel::directionButtonDidClick(bool next)
{
    if (!m_tableView->selectionModel()->hasSelection()) {
        updateTable();
        return;
    }
    if (next)
        m_results->next();
    else
        m_results->previous();
}

void FindPanel::rowDidSelect(int row)
{
    m_results->selectRow(row);
}

void FindPanel::showCurrentRow(int row)
{
    const bool valid = row >= 0 && row < m_results->rowCount();
    if (valid) {
        const QScopedValueRollback showing(m_showingCurrentRow, true);
        m_tableView->selectRow(row);
        m_tableView->scrollTo(m_results->index(row, 0));
    }
    // Dates are changed only through their editors.
    const bool dateRow = valid && FindResultsModel::isDateRow(*m_results->rows().at(row));
    m_replaceButton->setEnabled(!dateRow);
    m_replaceAllButton->setEnabled(true);
}

void FindPanel::keyPressEvent(QKeyEvent *event)
{
    if (UndoKeys::handle(event, m_results->undoManager()))
        return;
    // The panel has no default button: Return in the search field searches
    // and must not go on to press the first pull-down.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
