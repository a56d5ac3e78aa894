#pragma once

#include "find/FindResultRow.h"
#include "model/PersonValue.h"

#include <QAbstractTableModel>
#include <QStringList>

class UndoManager;
class ValueEditorDelegate;

// The find panel's hits as a table, with the current match and every change
// the panel makes to them: replacing one hit or all, an edit in the list, a
// date editor's result. Each write is undoable on the panel's own undo
// manager and goes into the contact through the parent's undoable
// operation, so that it can be undone in the window once the panel is gone.
class FindResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn, ItemColumn, SubItemColumn, LabelColumn, ValueColumn, ColumnCount };
    enum Role {
        RangesRole = Qt::UserRole + 1, // QList<TextRange> of the row's hits
        CurrentRangeRole, // the current hit's position in them, -1 when not on this row
    };

    explicit FindResultsModel(QObject *parent = nullptr);

    void setValueEditorDelegate(ValueEditorDelegate *delegate) { m_valueEditorDelegate = delegate; }
    [[nodiscard]] UndoManager *undoManager() const { return m_undoManager; }
    void setEditable(bool editable) { m_editable = editable; }
    [[nodiscard]] bool isEditable() const { return m_editable; }

    // Searches every contact again; the first hit of row 0 becomes current.
    void search(const QString &searchString, uint compareOptions, const QList<PersonRecordPtr> &contacts,
        const QStringList &items, const QStringList &subItems, const QStringList &labels);
    [[nodiscard]] const FindResultRows &rows() const { return m_rows; }
    [[nodiscard]] const QString &searchString() const { return m_searchString; }

    // The current match; a position past the rows or the row's hits is no match.
    [[nodiscard]] int selectedRow() const { return m_selectedRow; }
    [[nodiscard]] int selectedRangeIndex() const { return m_selectedRangeIndex; }
    [[nodiscard]] bool hasCurrentMatch() const;
    // The user chose a row: its first hit becomes current.
    void selectRow(int row);
    void next();
    void previous();
    // Replaces the current hit, then moves on as Next does.
    void replace(const QString &replacement);
    // Every literal, case-sensitive occurrence of the text in every row but
    // the date rows, as one undo step; leaves no current match.
    void replaceAll(const QString &find, const QString &replacement);
    // Writes one row and registers its inverse. Birthday rows take the
    // birthday, Dates rows the date's LabeledValueRecord or the whole list of
    // dates, others text.
    bool undoReplaceValue(const PersonValue &value, const QList<TextRange> &ranges, const FindResultRowPtr &row);
    [[nodiscard]] static bool isDateRow(const FindResultRow &row);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // Keeps the current row on the same hit.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

Q_SIGNALS:
    // The current match moved to this row (or -1).
    void currentRowChanged(int row);

private:
    [[nodiscard]] QString columnText(const FindResultRow &row, int column) const;
    void moveToNextMatch(qsizetype rangeCount);
    void setCurrent(int row, int rangeIndex);
    void reloadValue(int row);
    void reloadValue(const FindResultRowPtr &row);
    [[nodiscard]] PersonValue oldValueOf(const FindResultRow &row) const;
    QString writeIntoContact(const PersonValue &value, const FindResultRow &row);

    FindResultRows m_rows;
    QString m_searchString;
    uint m_compareOptions = 1;
    int m_selectedRow = 0;
    int m_selectedRangeIndex = 0;
    bool m_editable = false;
    bool m_batch = false;
    ValueEditorDelegate *m_valueEditorDelegate = nullptr;
    UndoManager *m_undoManager = nullptr;
};
