#include "print/AddressListItemTableModel.h"

#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"

#include <QHeaderView>
#include <QMimeData>
#include <QTableView>

#include <optional>

using namespace PrintOptionsKey;

AddressListItemTableModel::AddressListItemTableModel(QObject *parent, bool localizeTitles)
    : QAbstractTableModel(parent)
    , m_localizeTitles(localizeTitles)
{
}

void AddressListItemTableModel::setUpView(QTableView *view)
{
    view->setModel(this);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setDragEnabled(true);
    view->setAcceptDrops(true);
    view->setDropIndicatorShown(true);
    view->setDragDropOverwriteMode(false);
    view->setDragDropMode(QAbstractItemView::DragDrop);
    view->setDefaultDropAction(Qt::CopyAction);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
}

void AddressListItemTableModel::setItems(ItemTableListPtr items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

void AddressListItemTableModel::markColumns(ItemTableList &items, const QStringList &columns)
{
    for (QVariant &item : items) {
        QVariantMap entry = item.toMap();
        const QString title = PrintOptionValue::text(entry.value(Title));
        if (title != QLatin1String("Name") && columns.contains(title)) {
            entry.insert(State, true);
            item = entry;
        }
    }
}

QStringList AddressListItemTableModel::titles(const ItemTableList &items)
{
    QStringList result;
    for (const QVariant &item : items)
        result << PrintOptionValue::text(item.toMap().value(Title));
    return result;
}

bool AddressListItemTableModel::moveItem(int from, int to)
{
    const int count = rowCount();
    if (from < 0 || from >= count || to < 1 || to > count)
        return false;
    beginResetModel();
    const QVariant item = m_items->at(from);
    if (from >= to) {
        m_items->removeAt(from);
        m_items->insert(to, item);
    } else {
        m_items->insert(to, item);
        m_items->removeAt(from);
    }
    endResetModel();
    return true;
}

int AddressListItemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_items ? 0 : int(m_items->size());
}

int AddressListItemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant AddressListItemTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QVariantMap entry = m_items->at(index.row()).toMap();
    switch (role) {
    case Qt::DisplayRole: {
        const QString title = PrintOptionValue::text(entry.value(Title));
        return m_localizeTitles ? tr(title.toUtf8().constData()) : title;
    }
    case Qt::CheckStateRole:
        return PrintOptionValue::flag(entry.value(State)) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

QVariant AddressListItemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return tr("Print Items");
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags AddressListItemTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled;
    if (PrintOptionValue::flag(m_items->at(index.row()).toMap().value(Enabled)))
        result |= Qt::ItemIsEnabled;
    return result;
}

bool AddressListItemTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.row() >= rowCount())
        return false;
    QVariantMap entry = m_items->at(index.row()).toMap();
    entry.insert(State, value.toInt() == Qt::Checked);
    (*m_items)[index.row()] = entry;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    Q_EMIT itemStateChanged();
    return true;
}

QStringList AddressListItemTableModel::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QByteArray AddressListItemTableModel::originTag() const
{
    return QByteArray::number(reinterpret_cast<quintptr>(this));
}

QMimeData *AddressListItemTableModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && !rows.contains(index.row()))
            rows << index.row();
    }
    // Only one item moves at a time.
    if (rows.size() != 1)
        return nullptr;
    auto *data = new QMimeData;
    data->setText(QString::asprintf("%ld", long(rows.first())));
    data->setData(originFormat, originTag());
    return data;
}

Qt::DropActions AddressListItemTableModel::supportedDragActions() const
{
    // The model moves the item itself on the drop; a move action would have
    // the view remove the dragged row a second time.
    return Qt::CopyAction;
}

Qt::DropActions AddressListItemTableModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

std::optional<int> AddressListItemTableModel::draggedRow(const QMimeData *data) const
{
    if (!data || data->data(originFormat) != originTag())
        return std::nullopt;
    bool isNumber = false;
    const int row = data->text().trimmed().toInt(&isNumber);
    if (!isNumber || row < 0 || row >= rowCount())
        return std::nullopt;
    return row;
}

bool AddressListItemTableModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent) const
{
    // Only between rows, below the first one.
    return !parent.isValid() && row >= 1 && row <= rowCount() && draggedRow(data).has_value();
}

bool AddressListItemTableModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    if (!moveItem(*draggedRow(data), row))
        return false;
    Q_EMIT itemsReordered();
    return true;
}
