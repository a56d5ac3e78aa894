#pragma once

#include "detail/InfoRowRecord.h"
#include "model/ItemAndRangeRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonRecord.h"
#include "table/FindMarks.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class MVPerson;
class UserDefaults;

// The rows of one contact's details: one per name part, per value of a
// multi-valued field and per single field, in the stored order of the field
// types. The rows are rebuilt and measured at each reset (reload) and read
// from the contact's person when a cell is drawn; nothing else is cached.
class ContactInfoTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { TypeColumn = 0, ValueColumn = 1 };
    // What the value cell of a row shows.
    enum class CellKind { Text, Image, Popup, PopupAndText };
    // No row is lower than this, whatever the font.
    static constexpr double minimumRowHeight = 24;

    explicit ContactInfoTableModel(QObject *parent = nullptr);

    // Where the row order is read, once per model; none gives the built-in order.
    void setUserDefaults(const UserDefaults *defaults) { m_userDefaults = defaults; }

    // Only stored: the rows follow at the next reload. Null is ignored.
    void setContact(const PersonRecordPtr &contact);
    [[nodiscard]] const PersonRecordPtr &contact() const { return m_contact; }
    [[nodiscard]] MVPerson *person() const;
    // Rebuilds and measures every row, as one reset.
    void reload();

    void setRowOrderTable(const QStringList &order);
    [[nodiscard]] const QStringList &rowOrderTable() const { return m_rowOrderTable; }
    void setSelectedLabels(const QStringList &labels) { m_selectedLabels = labels; }
    [[nodiscard]] const QStringList &selectedLabels() const { return m_selectedLabels; }
    void setEditState(bool editState) { m_editState = editState; }
    [[nodiscard]] bool editState() const { return m_editState; }
    // The height of one text line of a row.
    void setRowHeight(double rowHeight) { m_rowHeight = rowHeight; }
    [[nodiscard]] double rowHeight() const { return m_rowHeight; }
    // The photo row's height in text lines.
    void setIconRowCount(int count) { m_iconRowCount = count; }
    [[nodiscard]] int iconRowCount() const { return m_iconRowCount; }
    void setFindString(const QString &findString) { m_findString = findString; }
    [[nodiscard]] const QString &findString() const { return m_findString; }
    void setFindOptions(const QString &findOptions) { m_findOptions = findOptions; }
    [[nodiscard]] const QString &findOptions() const { return m_findOptions; }
    void setFindTarget(const ItemAndRangeRecordPtr &target) { m_findTarget = target; }
    [[nodiscard]] const ItemAndRangeRecordPtr &findTarget() const { return m_findTarget; }
    // A row whose text may be edited whatever the edit state (Return, Tab
    // and the editor hand-off open it); -1 for none. A reload forgets it.
    void setForcedEditableRow(int row) { m_forcedEditableRow = row; }

    // --- Rows ---------------------------------------------------------------
    // The rows of the shown contact in the row order, unmeasured; none
    // without a contact. Registers the labels met as label choices.
    [[nodiscard]] QList<InfoRowRecord> tableFromContact(const QStringList &selectedLabels);
    [[nodiscard]] const QList<InfoRowRecord> &table() const { return m_table; }
    [[nodiscard]] const InfoRowRecord &rowAt(int row) const { return m_table.at(row); }
    // In points, from the row's measured lines.
    [[nodiscard]] int heightOfRow(int row) const;
    // Measures one row again and redraws it, without a reset, after an edit
    // of its value.
    void remeasureRow(int row);
    [[nodiscard]] int firstRowOfType(const ContactIdentifier &type) const;

    // --- Cells --------------------------------------------------------------
    [[nodiscard]] CellKind cellKind(int row) const;
    // The field's name, empty below a row of the same name.
    [[nodiscard]] const QString &typeText(int row) const { return m_typeTexts.at(row); }
    [[nodiscard]] QString valueText(int row) const;
    // Shown in an empty name or phonetic-name cell.
    [[nodiscard]] QString placeholderText(int row) const;
    // The text cell's find marks; the current hit only in the hit's row.
    [[nodiscard]] FindMarks textMarks(int row) const;
    // A copy of the row's labeled value; null on the empty row of a field.
    [[nodiscard]] LabeledValueRecordPtr labeledValue(int row) const;
    // The stored words and titles of a "Name Ordering" or "Name Display"
    // pop-up, and the item it shows.
    [[nodiscard]] QStringList popupWords(int row) const;
    [[nodiscard]] QStringList popupTitles(int row) const;
    [[nodiscard]] int popupSelectedIndex(int row) const;
    [[nodiscard]] bool isPopupEnabled(int row) const;
    // Whether a typed text of the row reaches the contact.
    [[nodiscard]] bool appliesTextEdit(int row) const;
    // Whether a click or F2 may start editing the row's text.
    [[nodiscard]] bool isTextEditable(int row) const;

    // --- Find and Return/Tab ------------------------------------------------
    // The row that shows a find hit: 0 for a hit in another person or in a
    // field without a row.
    [[nodiscard]] int rowOfHit(const ItemAndRangeRecord &hit) const;
    // The next row below `from` whose text Return and Tab move to; -1 when
    // none below takes typed text.
    [[nodiscard]] int nextEditableRow(int from) const;

    // --- QAbstractTableModel ------------------------------------------------
    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void appendRowsOfType(QList<InfoRowRecord> &rows, const ContactIdentifier &type, int rowOrderIndex);
    [[nodiscard]] QString nameOrderingTitle();
    void measureRow(InfoRowRecord &row) const;
    void rebuildTypeTexts();
    [[nodiscard]] bool isHitRow(const InfoRowRecord &row) const;

    const UserDefaults *m_userDefaults = nullptr;
    PersonRecordPtr m_contact;
    QList<InfoRowRecord> m_table;
    QStringList m_typeTexts;
    bool m_rowOrderRead = false;
    QStringList m_rowOrderTable;
    QStringList m_nameOrderingLabels;
    QStringList m_selectedLabels;
    bool m_editState = true;
    double m_rowHeight = 20;
    int m_iconRowCount = 3;
    QString m_findString;
    QString m_findOptions;
    ItemAndRangeRecordPtr m_findTarget;
    int m_forcedEditableRow = -1;
};
