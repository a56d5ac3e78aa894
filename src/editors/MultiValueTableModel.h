#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class QMimeData;

// One country the all-values editor offers for an address.
struct CountryEntry {
    QString countryCode; // "countryCode": upper case; empty for the first two entries
    QString country; // "country": its name in the user's language
};

// The rows of the all-values editor: copies of every value of one field,
// with the columns of that field. Cells can be edited only while the editor
// is editing; a pop-up cell (label, service, country) takes a position in
// its list, any other cell a text. Rows are reordered by dragging them
// between rows of this same table while editing.
class MultiValueTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The columns shown for a field, by identifier.
    [[nodiscard]] static QStringList columnsForField(const ContactIdentifier &type);
    // The instant-message services, in the order the pop-up lists them.
    [[nodiscard]] static const QStringList &serviceLabels();
    // "System Default", "---", then every country of the address formats
    // that the user's language can name.
    [[nodiscard]] static QList<CountryEntry> countryEntries();

    void reset(const ContactIdentifier &type, const LabeledValueList &rows, const QStringList &labels,
        const QStringList &localizedLabels, const QString &defaultCountryCode);
    void setEditing(bool editing);
    [[nodiscard]] bool isEditing() const { return m_editing; }
    [[nodiscard]] const ContactIdentifier &type() const { return m_type; }
    [[nodiscard]] const QStringList &columns() const { return m_columns; }
    [[nodiscard]] const LabeledValueList &rows() const { return m_rows; }
    [[nodiscard]] const QStringList &labels() const { return m_labels; }
    [[nodiscard]] bool isPopupColumn(int column) const;
    // How many 18-pixel lines an address row needs: its most in one part.
    [[nodiscard]] int lineCount(int row) const;

    void insertValue(int row, const LabeledValueRecordPtr &record);
    void removeValue(int row);
    // A label of the user's own, offered in every row's pop-up.
    void appendLabel(const QString &label);
    void setRowLabel(int row, const QString &label);
    // Copies the parts, country code and label of an address edited in the
    // nested editor into the row, or into a new row appended for -1; returns
    // the row.
    int takeAddress(int row, const LabeledValueRecord &address);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] QMimeData *mimeData(const QModelIndexList &indexes) const override;
    [[nodiscard]] Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    [[nodiscard]] Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    [[nodiscard]] bool canDropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) const override;
    bool dropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;

Q_SIGNALS:
    // A cell edit or a drop changed the table.
    void rowEdited(int row);
    void rowMoved(int row);

private:
    [[nodiscard]] QString displayText(const LabeledValueRecord &record, const QString &column) const;
    [[nodiscard]] QString displayLabel(const QString &label) const;
    [[nodiscard]] int popupPosition(const LabeledValueRecord &record, const QString &column) const;
    // The entry of the country code in the country pop-up, or -1.
    [[nodiscard]] qsizetype countryPosition(const QString &isoCountryCode) const;
    // "JP (Japan)": the pop-up's item and the cell's text for the entry.
    [[nodiscard]] QString countryItem(qsizetype position) const;
    [[nodiscard]] QStringList popupItems(const QString &column) const;
    bool setPopupPosition(LabeledValueRecord &record, const QString &column, int position);
    void setText(LabeledValueRecord &record, const QString &column, const QString &text);
    void updateRecord(LabeledValueRecord &record) const;
    void rowChanged(int row);

    ContactIdentifier m_type;
    QStringList m_columns;
    LabeledValueList m_rows;
    QStringList m_labels;
    QStringList m_localizedLabels;
    QList<CountryEntry> m_countries;
    QString m_defaultCountryCode;
    bool m_editing = false;
    // The drag this table started: a drop of any other data comes from
    // elsewhere.
    mutable QPointer<QMimeData> m_dragData;
    mutable int m_draggingSourceIndex = -1;
};
