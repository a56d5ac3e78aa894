#pragma once

#include "interchange/EncodingRow.h"

#include <QAbstractTableModel>
#include <QList>

#include <functional>

// The customize panel's table: a check box and the name of every encoding.
// The rows are the accessory's; a ticked or cleared box is handed back to it.
class EncodingListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { CheckBoxColumn, NameColumn, ColumnCount };

    using CheckHandler = std::function<void(int row, bool checked)>;

    EncodingListModel(const QList<EncodingRow> &rows, CheckHandler onCheck, QObject *parent = nullptr);

    // Shows the rows as they are now.
    void reload();

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    const QList<EncodingRow> &m_rows;
    CheckHandler m_onCheck;
};
