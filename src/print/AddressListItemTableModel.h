#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>

class QTableView;

// The items of an address list ("Name", "Address", "Phone", ...), one
// dictionary each with "Title", "State" (printed) and "Enabled" (the user may
// switch it). The options sheet owns the list; the table edits it in place.
using ItemTableList = QVariantList;
using ItemTableListPtr = std::shared_ptr<ItemTableList>;

// One check-box column over the item list. A single row can be dragged, as
// its index in plain text, and dropped between rows of the same table below
// the first, which stays where it is.
class AddressListItemTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Private format that tells a drag from this model apart from any other.
    static inline const QString originFormat = QStringLiteral("application/x-quillmark-item-table");

    // Titles pass through tr() unless told otherwise.
    explicit AddressListItemTableModel(QObject *parent = nullptr, bool localizeTitles = true);

    // Shows the model in a table that drags and drops its items as above.
    void setUpView(QTableView *view);

    void setItems(ItemTableListPtr items);
    [[nodiscard]] ItemTableListPtr items() const { return m_items; }

    // Turns on the items named by the main table's columns ("Name" aside);
    // never turns one off.
    static void markColumns(ItemTableList &items, const QStringList &columns);
    // The item order by title.
    [[nodiscard]] static QStringList titles(const ItemTableList &items);

    // Moves the item at `from` so that it ends just above the item that was
    // at `to` (or last, for `to` == the row count). False, and nothing moved,
    // for a source out of range or a target of 0 or past the end.
    bool moveItem(int from, int to);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] QMimeData *mimeData(const QModelIndexList &indexes) const override;
    [[nodiscard]] Qt::DropActions supportedDragActions() const override;
    [[nodiscard]] Qt::DropActions supportedDropActions() const override;
    [[nodiscard]] bool canDropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) const override;
    bool dropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;

Q_SIGNALS:
    // An item was switched on or off by the user.
    void itemStateChanged();
    // A drop changed the order.
    void itemsReordered();

private:
    // The dragged row, when the data is a drag from this model of a row that exists.
    [[nodiscard]] std::optional<int> draggedRow(const QMimeData *data) const;
    [[nodiscard]] QByteArray originTag() const;

    ItemTableListPtr m_items;
    bool m_localizeTitles = true;
};
