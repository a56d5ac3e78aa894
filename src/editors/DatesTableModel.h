#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"

#include <QAbstractTableModel>
#include <QStringList>

// The rows of the dates editor: copies of the contact's dates, a label
// column and a date column. Cells can be edited only while the editor is
// editing; a label cell takes the position of a label in the editor's list,
// a date cell a date text.
class DatesTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { LabelColumn, DateColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // The stored labels and their display names, position for position; a
    // label past the display names shows as it is stored.
    void reset(const LabeledValueList &rows, const QStringList &labels, const QStringList &localizedLabels,
        const ContactIdentifier &type);
    void setEditing(bool editing);
    [[nodiscard]] const LabeledValueList &rows() const { return m_rows; }
    [[nodiscard]] const QStringList &labels() const { return m_labels; }
    [[nodiscard]] QString displayLabel(const QString &label) const;

    void insertDate(int row, const LabeledValueRecordPtr &record);
    void removeDates(QList<int> rows);
    void appendLabel(const QString &label);
    void setRowLabel(int row, const QString &label);
    // The row's date changed through the editor's controls.
    void setRowDate(int row, const QDate &date);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

Q_SIGNALS:
    // A cell edit changed the row.
    void rowEdited(int row);

private:
    [[nodiscard]] bool setDateText(LabeledValueRecord &record, const QString &text) const;
    // The label pop-up's items: the labels, a separator and "Custom Label".
    [[nodiscard]] QStringList popupItems() const;
    void rowChanged(int row);

    LabeledValueList m_rows;
    QStringList m_labels;
    QStringList m_localizedLabels;
    ContactIdentifier m_type = FieldId::Dates;
    bool m_editing = false;
};
