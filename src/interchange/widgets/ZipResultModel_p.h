#pragma once

#include "interchange/PostalRecord.h"

#include <QAbstractTableModel>
#include <QList>

// The postal-code sheet's hits: "ZIP", "Company" and the address with its
// readings, straight from the search's table.
class ZipResultModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { ZipColumn = 0, CompanyColumn = 1, AddressColumn = 2 };

    explicit ZipResultModel(const QList<PostalRecord> &table, QObject *parent = nullptr);

    // The table changed: every row is shown anew.
    void reload();

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const QList<PostalRecord> &m_table;
};
