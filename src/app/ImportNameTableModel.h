#pragma once

#include "model/ContactRecord.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QImage>

// The import chooser's one column "Name": each offered contact's name, or
// "No name", with its picture. Pictures are decoded when a row is first
// drawn, so a file of a hundred thousand cards lists at once.
class ImportNameTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setNameTable(const ContactTablePtr &nameTable);
    [[nodiscard]] const ContactTablePtr &nameTable() const { return m_nameTable; }

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int iconSize = 16;

private:
    [[nodiscard]] QImage pictureOf(int row) const;

    ContactTablePtr m_nameTable = std::make_shared<ContactTable>();
    mutable QHash<int, QImage> m_pictures;
};
