// Editing in the find panel's list: in the cell, or in the birthday and
// dates editors for date rows.

#include "find/FindPanel.h"

#include "editors/DateViewController.h"
#include "editors/DatesViewController.h"
#include "find/FindResultsModel.h"

#include <QTableView>

void FindPanel::tableViewDoubleAction(const QModelIndex &index)
{
    if (!index.isValid() || index.row() >= m_results->rowCount() || !m_results->isEditable())
        return;
    const FindResultRowPtr row = m_results->rows().at(index.row());
    if (FindResultsModel::isDateRow(*row)) {
        showDatePopover(row, m_tableView->visualRect(index));
        return;
    }
    const QModelIndex value = m_results->index(index.row(), FindResultsModel::ValueColumn);
    m_tableView->setCurrentIndex(value);
    m_tableView->edit(value);
}

void FindPanel::showDatePopover(const FindResultRowPtr &row, const QRect &cell)
{
    if (m_popover) {
        m_popover->close();
        m_popover->deleteLater();
    }
    auto context = std::make_shared<PopoverContextInfo>();
    context->type = row->item;
    context->contact = row->contact;
    context->editEnabled = true;
    ValueEditor *editor = nullptr;
    QSize size(340, 284);
    if (row->item == FieldId::Birthday) {
        editor = new DateViewController;
    } else {
        // The dates editor opens at the row's date and hands back the whole list.
        context->labelIndex = row->labelIndex;
        // The window's labels of dates, with the row's own even when the
        // window no longer lists it, so that the row's pop-up shows it.
        QStringList labels = m_dateLabels;
        if (!labels.isEmpty() && !row->label.isEmpty() && !labels.contains(row->label))
            labels.append(row->label);
        auto *dates = new DatesViewController;
        dates->setLabels(labels);
        editor = dates;
        size = QSize(340, 392);
    }
    m_dateRow = row;
    m_popover = new Popover(this);
    m_popover->setBehavior(Popover::Behavior::Transient);
    m_popover->setContentWidget(editor);
    m_popover->setContentSize(size);
    connect(m_popover, &Popover::didClose, this, [this, editor] {
        const PopoverContextInfoPtr result = editor->contextInfo();
        if (result && result->dirty && m_dateRow)
            m_results->undoReplaceValue(result->value, {}, m_dateRow);
        m_dateRow.reset();
    });
    m_popover->showRelativeToRect(cell, m_tableView->viewport(), Popover::Edge::MaxY);
    editor->setPopover(m_popover);
    editor->setContextInfo(context, m_results->isEditable());
}
