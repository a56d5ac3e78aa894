#include "table/GroupViewController.h"

#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"
#include "table/GroupOutlineModel.h"
#include "table/GroupViewControllerDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int systemFontSize = 12;

// Rows as high as the outline says, names edited in a line field of its font.
class GroupCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    int rowHeight = GroupViewController::loadedRowHeight;
    QFont font;

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight};
    }
    [[nodiscard]] QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFont(font);
        editor->setFrame(false);
        return editor;
    }
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        // One point above the row's bottom, two lower than the row.
        QRect rect = option.rect;
        rect.setTop(rect.bottom() - (rowHeight - 2));
        rect.setBottom(option.rect.bottom() - 1);
        editor->setGeometry(rect);
    }
};

} // namespace

GroupViewController::GroupViewController(QWidget *parent)
    : QWidget(parent)
    , m_outlineView(new QTreeView(this))
    , m_model(new GroupOutlineModel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outlineView);
    m_outlineView->setObjectName(QStringLiteral("groupOutlineView"));
    // The pane shares its height with the preview: the pane's own minimum
    // keeps a few rows, the view's asks for none of its own.
    m_outlineView->setMinimumHeight(1);
    m_outlineView->setModel(m_model);
    m_outlineView->setItemDelegate(new GroupCellDelegate(m_outlineView));
    m_outlineView->setUniformRowHeights(true);
    m_outlineView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_outlineView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_outlineView->setExpandsOnDoubleClick(false);
    m_outlineView->setAcceptDrops(true);
    m_outlineView->setDragDropMode(QAbstractItemView::DropOnly);
    m_outlineView->setDropIndicatorShown(true);
    m_outlineView->header()->setStretchLastSection(true);
    connect(m_outlineView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &GroupViewController::outlineSelectionDidChange);
    QFont font = QApplication::font();
    font.setPointSize(systemFontSize);
    setSelectedFont(font);
    // Until the window hands over its font, the rows keep the layout's height.
    m_rowHeight = loadedRowHeight;
    m_model->setRowHeight(m_rowHeight);
    static_cast<GroupCellDelegate *>(m_outlineView->itemDelegate())->rowHeight = m_rowHeight;
}

GroupViewController::~GroupViewController() = default;

QSize GroupViewController::minimumSizeHint() const
{
    constexpr int shownRows = 5;
    const QHeaderView *header = m_outlineView->header();
    const int headerHeight = header->isHidden() ? 0 : header->sizeHint().height();
    return {
        QWidget::minimumSizeHint().width(), headerHeight + shownRows * m_rowHeight + 2 * m_outlineView->frameWidth()};
}

void GroupViewController::setContainerTable(const ContainerTablePtr &containerTable)
{
    m_model->setContainerTable(containerTable);
    if (isVisible())
        viewWillAppear();
}

const ContainerTablePtr &GroupViewController::containerTable() const
{
    return m_model->containerTable();
}

void GroupViewController::setSelectedGroupDict(const GroupRecordPtr &selectedGroupDict)
{
    m_selectedGroupDict = selectedGroupDict;
}

void GroupViewController::setEditState(bool editState)
{
    m_editState = editState;
    m_model->setEditState(editState);
    m_outlineView->viewport()->update();
}

void GroupViewController::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    const QFontMetricsF metrics(font);
    int height = int(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()));
    const qreal pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    height = std::max(height, int(std::ceil(pointSize * 1.42)));
    m_rowHeight = std::max(height, smallestRowHeight);
    updateGeometry();
    m_model->setSelectedFont(font);
    m_model->setRowHeight(m_rowHeight);
    auto *cells = static_cast<GroupCellDelegate *>(m_outlineView->itemDelegate());
    cells->rowHeight = m_rowHeight;
    cells->font = font;
    if (!containerTable() || containerTable()->isEmpty())
        return;
    reloadOutline();
    m_outlineView->expandAll();
    selectSelectedGroup(false);
}

void GroupViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        viewWillAppear();
}

void GroupViewController::viewWillAppear()
{
    const ContainerTablePtr &containers = containerTable();
    if (!containers || containers->isEmpty() || m_filledTable == containers.get())
        return;
    m_filledTable = containers.get();
    for (const ContainerRecordPtr &container : std::as_const(*containers)) {
        if (m_delegate && container && container->groups->size() == 1)
            m_delegate->updateGroupTable(*container);
    }
    reloadOutline();
    if (m_selectedGroupDict) {
        expandParentOfSelectedGroup();
        selectSelectedGroup(true);
    }
}

void GroupViewController::updateTable()
{
    if (!containerTable() || containerTable()->isEmpty())
        return;
    reloadOutline();
    expandParentOfSelectedGroup();
    selectSelectedGroup(true);
}

void GroupViewController::reloadOutline()
{
    // A reset forgets which containers were open.
    QList<ContainerRecordPtr> expanded;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex item = m_model->index(row, 0);
        if (m_outlineView->isExpanded(item))
            expanded.append(m_model->containerAt(item));
    }
    m_selectingQuietly = true;
    m_model->reload();
    m_selectingQuietly = false;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex item = m_model->index(row, 0);
        if (expanded.contains(m_model->containerAt(item)))
            m_outlineView->expand(item);
    }
}

void GroupViewController::expandParentOfSelectedGroup()
{
    const QModelIndex item = m_model->indexOfGroup(m_selectedGroupDict);
    if (item.isValid())
        m_outlineView->expand(item.parent());
}

void GroupViewController::selectSelectedGroup(bool scroll)
{
    const QModelIndex item = m_model->indexOfGroup(m_selectedGroupDict);
    if (!item.isValid())
        return;
    const bool quiet = m_selectingQuietly;
    m_selectingQuietly = true;
    m_outlineView->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    m_selectingQuietly = quiet;
    if (scroll)
        m_outlineView->scrollTo(item);
}

void GroupViewController::outlineSelectionDidChange()
{
    if (m_selectingQuietly)
        return;
    const QModelIndexList selected = m_outlineView->selectionModel()->selectedIndexes();
    const GroupRecordPtr group = selected.isEmpty() ? nullptr : m_model->groupAt(selected.first());
    if (!group || group == m_selectedGroupDict)
        return;
    m_selectedGroupDict = group;
    if (m_delegate)
        m_delegate->groupSelectionDidChange(group);
}

// The controller changes the records and reloads the outline, which the
// editor that typed the name must not see while it is being closed.
void GroupViewController::textFieldCellChanged(const GroupRecordPtr &group, const QString &text)
{
    if (!group || text.isEmpty() || text == group->name)
        return;
    QMetaObject::invokeMethod(
        this,
        [this, group, text] {
            if (m_delegate)
                m_delegate->groupNameWillChange(text, group);
        },
        Qt::QueuedConnection);
}

bool GroupViewController::validateDrop(const QMimeData *data, const QModelIndex &item) const
{
    if (!m_editState || !data || !m_contactsTableView || DraggingMimeData::sourceOf(data) != m_contactsTableView)
        return false;
    if (!data->hasFormat(DragType::stringIndexes) || data->data(DragType::stringIndexes).isEmpty())
        return false;
    const GroupRecordPtr group = m_model->groupAt(item);
    if (!group || group == m_selectedGroupDict)
        return false;
    // The store keeps members of one container only.
    const ContainerRecordPtr container = m_model->containerOfGroup(group);
    return container && m_selectedGroupDict && container == m_model->containerOfGroup(m_selectedGroupDict);
}

bool GroupViewController::acceptDrop(const QMimeData *data, const QModelIndex &item)
{
    if (!m_delegate || !validateDrop(data, item))
        return false;
    m_delegate->addContactByStringIndexes(
        QString::fromUtf8(data->data(DragType::stringIndexes)), m_model->groupAt(item));
    return true;
}
