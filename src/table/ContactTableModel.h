#pragma once

#include "model/ContactRecord.h"
#include "model/ItemAndRangeRecord.h"
#include "model/ReadLabeledValues.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"
#include "table/PersonPlaces.h"
#include "table/TableColumn.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <cstdint>
#include <optional>
#include <vector>

class ContactsDragAndDrop;
class ContactsViewControllerDelegate;
class MVPerson;

// The rows of the contact table: one row per contact and label position that
// a visible column needs, and after them the footer row with the group's
// total. Every cell is answered from the live records; nothing of a contact
// is copied. Rows change only by a rebuild or a sort followed by reload().
class ContactTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using SubContactTable = QList<SubContactRecordPtr>;

    explicit ContactTableModel(QObject *parent = nullptr);

    void setContactTable(const ContactTablePtr &contactTable) { m_contactTable = contactTable; }
    [[nodiscard]] const ContactTablePtr &contactTable() const { return m_contactTable; }
    // The columns in display order; the view sees them at the next reload().
    void setColumnIdentifiers(const QStringList &identifiers);
    [[nodiscard]] QStringList columnIdentifiers() const;
    [[nodiscard]] const QList<TableColumn> &columns() const { return m_columns; }
    void setSelectedLabels(const QStringList &labels) { m_selectedLabels = labels; }
    [[nodiscard]] const QStringList &selectedLabels() const { return m_selectedLabels; }
    void setDelegate(ContactsViewControllerDelegate *delegate) { m_delegate = delegate; }
    // What makes the data of dragged rows and takes drops; rows are neither
    // dragged nor dropped on without it.
    void setDragAndDrop(ContactsDragAndDrop *dragAndDrop) { m_dragAndDrop = dragAndDrop; }

    // What the cells show beside the rows.
    void setSelectedFont(const QFont &font, const QFont &boldFont);
    [[nodiscard]] const QFont &selectedFont() const { return m_selectedFont; }
    [[nodiscard]] const QFont &selectedBoldfont() const { return m_selectedBoldfont; }
    void setRowHeight(int rowHeight) { m_rowHeight = rowHeight; }
    [[nodiscard]] int rowHeight() const { return m_rowHeight; }
    void setEditState(bool editState) { m_editState = editState; }
    [[nodiscard]] bool editState() const { return m_editState; }
    void setFindString(const QString &findString) { m_findString = findString; }
    [[nodiscard]] const QString &findString() const { return m_findString; }
    void setFindOptions(const QString &findOptions) { m_findOptions = findOptions; }
    [[nodiscard]] const QString &findOptions() const { return m_findOptions; }
    void setSelectedItemAndRange(const ItemAndRangeRecordPtr &target) { m_selectedItemAndRange = target; }
    [[nodiscard]] const ItemAndRangeRecordPtr &selectedItemAndRange() const { return m_selectedItemAndRange; }

    // Makes the rows anew from the contact table, for the columns and the
    // label filter; neither sorts nor resets the model.
    void updateSubContactTable();
    // The rows made anew and sorted by the first descriptor, as
    // updateSubContactTable and sortSubContactTable make them.
    void updateSortedSubContactTable(const QList<SortDescriptor> &descriptors);
    // Labels by column position, registered during one rebuild: a handful each.
    using RegisteredLabels = QList<QStringList>;
    // Sorts the rows by the first descriptor; stable.
    void sortSubContactTable(const QList<SortDescriptor> &descriptors);
    // Puts the rows there in the order a rebuild and a sort by the descriptor
    // would give, keeping them and their line counts; false, changing
    // nothing, when the sort moves single rows or the rows are not the
    // contact table's. With contactsSorted the contact table is known to be
    // in the descriptor's order already, and the rows are not sorted again.
    bool reorderRows(const SortDescriptor &descriptor, bool contactsSorted = false);
    // Resets the model over the rows as they stand and marks the rows that
    // continue a contact; answers the last row whose address is the sender.
    SubContactRecordPtr reload();
    // Tells the views that the rows of the contacts show new values; false,
    // changing nothing, when a contact would now have other rows.
    bool refreshRowsOfContacts(const QList<PersonRecordPtr> &contacts);

    [[nodiscard]] const SubContactTable &subContactTable() const { return m_rows; }
    // Null for the footer row and beyond.
    [[nodiscard]] SubContactRecordPtr subContactAt(int row) const;
    [[nodiscard]] bool isFooterRow(int row) const { return !m_rows.isEmpty() && row == m_rows.size(); }
    // "<group>: total <n> contacts", counting the contacts not deleted.
    [[nodiscard]] QString footerText() const;
    // The row's height in points; stores its line count in the row.
    int heightOfRow(int row);
    // The heights of every row, the footer's last, in one pass.
    [[nodiscard]] QList<int> heightsOfRows();
    // The same from the line counts the rows hold, without measuring.
    [[nodiscard]] QList<int> measuredHeightsOfRows() const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The one cell that answers editable, while the table opens its editor;
    // (-1, -1) for none.
    void setEditableCell(int row, int column) { m_editableCell = {row, column}; }
    // Dragging and dropping (ContactTableModelDragAndDrop.cpp): a drop at a
    // row lands above it, one onto the parent index onto that row.
    [[nodiscard]] QStringList mimeTypes() const override;
    [[nodiscard]] QMimeData *mimeData(const QModelIndexList &indexes) const override;
    [[nodiscard]] Qt::DropActions supportedDragActions() const override;
    [[nodiscard]] Qt::DropActions supportedDropActions() const override;
    [[nodiscard]] bool canDropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) const override;
    bool dropMimeData(
        const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;

    // The text a cell of the row shows.
    [[nodiscard]] QString cellText(const SubContactRecord &row, const TableColumn &column, int tableRow) const;
    // The contact's composite name, or "No Name".
    [[nodiscard]] static QString displayName(MVPerson &person);
    // Whether the name cell of the row stays empty: the contact's earlier row
    // shows it.
    [[nodiscard]] static bool hidesName(const SubContactRecord &row, int tableRow)
    {
        return row.notFirstRow && tableRow != 0;
    }

private:
    [[nodiscard]] std::optional<PersonPlaces> placesOfContacts() const;
    [[nodiscard]] std::optional<std::vector<qsizetype>> rowsInContactOrder(const PersonPlaces &places) const;
    static bool orderEachContactsRows(
        std::vector<qsizetype> &rowAt, const std::vector<qsizetype> &ends, const std::vector<qint64> &positions);
    // Appends the rows of one contact; labels already in registered are not
    // registered again.
    static void appendSubContacts(const PersonRecord &contact, const QList<TableColumn> &columns,
        const QStringList &labels, RegisteredLabels &registered, SubContactTable &rows);
    // The values of the table's labeled fields at the row's position; the
    // person holds them while the row is measured.
    using FieldValues = QVarLengthArray<const LabeledValueRecord *, 4>;
    // The lists of the person last looked at: a contact's rows mostly follow
    // one another.
    struct HeldLists {
        const MVPerson *person = nullptr;
        // The contact's lists as it keeps them while the rows are read.
        QVarLengthArray<const LabeledValueList *, 4> lists;
        // For a contact that still holds the values a file gave, its lists
        // made here as it would make them, and dropped with the next contact:
        // their texts are read at once.
        ReadLabeledValues::Lists made;
        bool madeHere = false;
    };
    [[nodiscard]] FieldValues fieldValuesOfRow(const SubContactRecord &row, HeldLists &held) const;
    [[nodiscard]] static FieldValues valuesAt(const SubContactRecord &row, const HeldLists &held);
    // Registers a label of the column's field once per rebuild.
    static void registerLabel(const QString &label, const ContactIdentifier &identifier, QStringList &known);
    struct GatheredTexts;
    void gatherRow(const SubContactRecord &row, HeldLists &held, GatheredTexts &gathered) const;
    // How far ahead of the row being read a pass over the rows asks for
    // rows and contacts.
    static constexpr qsizetype prefetchDistance = 16;
    void prefetchRowsAhead(qsizetype row, qsizetype last) const;
    // The same, down to the values the rows are measured by.
    void prefetchRowValuesAhead(qsizetype row, qsizetype last) const;
    // The same for a rebuild's pass over the contacts, down to the values
    // the rows are made from.
    // The contact list read in the order given, or in its own when none is.
    struct ContactPlaces {
        const ContactTable &contacts;
        const std::vector<std::uint32_t> &order;
        [[nodiscard]] const ContactRecordPtr &contactAt(qsizetype at) const
        {
            return contacts.at(order.empty() ? at : qsizetype(order[std::size_t(at)]));
        }
    };
    void makeRows(const std::vector<std::uint32_t> &order);
    void prefetchContactsAhead(const ContactPlaces &places, qsizetype at) const;
    // The steps of both from a contact's person to its values, personAt
    // answering null for a place to skip.
    static constexpr qsizetype valueStep = 4;
    template <typename PersonAt> void prefetchValuesAhead(qsizetype place, PersonAt personAt) const;
    // Measures the rows from first to last (not included), stores their line
    // counts and answers their heights.
    QList<int> measureRows(qsizetype first, qsizetype last);
    // One block of them, appending the heights.
    void measureBlock(qsizetype first, qsizetype last, HeldLists &held, GatheredTexts &gathered, QList<int> &heights);
    [[nodiscard]] static int linesOfText(QStringView text);
    // The text a column is measured by, null when it has none; holder keeps
    // a text made for the call.
    [[nodiscard]] static const QString *measuredText(
        const SubContactRecord &row, const FieldValues &values, const TableColumn &column, QString &holder);

    ContactTablePtr m_contactTable;
    std::pair<int, int> m_editableCell{-1, -1};
    SubContactTable m_rows;
    QList<TableColumn> m_columns;
    // The distinct labeled fields the columns read.
    QList<ContactIdentifier> m_fields;
    QStringList m_selectedLabels;
    ContactsViewControllerDelegate *m_delegate = nullptr;
    ContactsDragAndDrop *m_dragAndDrop = nullptr;
    QFont m_selectedFont;
    QFont m_selectedBoldfont;
    int m_rowHeight = 24;
    bool m_editState = false;
    QString m_findString;
    QString m_findOptions;
    ItemAndRangeRecordPtr m_selectedItemAndRange;
};
