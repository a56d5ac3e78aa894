#pragma once

#include "model/ContainerRecord.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QList>

class GroupViewController;

// The outline's items over the shared records: the containers in the order
// of the container table, under each its groups in the order of its list,
// groups flagged deleted left out. The items are taken from the records at
// each reload; between reloads the outline shows them as they were then.
class GroupOutlineModel : public QAbstractItemModel {
    Q_OBJECT

public:
    static inline const QString allContacts = QStringLiteral("All Contacts");

    explicit GroupOutlineModel(GroupViewController *controller);

    void setContainerTable(const ContainerTablePtr &containerTable) { m_containerTable = containerTable; }
    [[nodiscard]] const ContainerTablePtr &containerTable() const { return m_containerTable; }
    // Takes the items from the records anew, as one reset.
    void reload();
    void setEditState(bool editState) { m_editState = editState; }
    void setSelectedFont(const QFont &font) { m_selectedFont = font; }
    void setRowHeight(int rowHeight) { m_rowHeight = rowHeight; }

    [[nodiscard]] ContainerRecordPtr containerAt(const QModelIndex &index) const;
    // Null for a container's item.
    [[nodiscard]] GroupRecordPtr groupAt(const QModelIndex &index) const;
    // The container whose item holds the group's, or null.
    [[nodiscard]] ContainerRecordPtr containerOfGroup(const GroupRecordPtr &group) const;
    // The group's item; invalid when the outline does not show it.
    [[nodiscard]] QModelIndex indexOfGroup(const GroupRecordPtr &group) const;

    [[nodiscard]] QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex &child) const override;
    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] Qt::DropActions supportedDropActions() const override;
    [[nodiscard]] bool canDropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) const override;
    bool dropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;

private:
    struct ContainerItem {
        ContainerRecordPtr container;
        QList<GroupRecordPtr> groups; // the groups shown
    };

    GroupViewController *m_controller = nullptr;
    ContainerTablePtr m_containerTable;
    QList<ContainerItem> m_items;
    QFont m_selectedFont;
    int m_rowHeight = 20;
    bool m_editState = false;
};
