#pragma once

#include "find/MergeTableRow.h"
#include "model/ContactRecord.h"

#include <QAbstractTableModel>
#include <QList>

class MergePanelController;

// One side of the merge sheet: the rows its panel built for the side's
// working copy, in the columns "Type" and "Value". The rows are set by the
// panel at each reload; the model only answers from them, and hands typed
// text, drags and drops to the panel, which knows both sides.
class MergeTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TypeColumn, ValueColumn };

    MergeTableModel(MergePanelController *panel, bool left, QObject *parent = nullptr);

    void setRows(const QList<MergeTableRowPtr> &rows, const ContactRecordPtr &contact);
    [[nodiscard]] const QList<MergeTableRowPtr> &rows() const { return m_rows; }
    [[nodiscard]] MergeTableRowPtr row(int row) const;
    [[nodiscard]] const ContactRecordPtr &contact() const { return m_contact; }
    [[nodiscard]] bool isLeft() const { return m_left; }

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    [[nodiscard]] Qt::DropActions supportedDropActions() const override;
    [[nodiscard]] Qt::DropActions supportedDragActions() const override;
    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] QMimeData *mimeData(const QModelIndexList &indexes) const override;
    [[nodiscard]] bool canDropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) const override;
    bool dropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;

private:
    MergePanelController *m_panel;
    bool m_left;
    QList<MergeTableRowPtr> m_rows;
    QStringList m_typeTexts;
    ContactRecordPtr m_contact;
};
