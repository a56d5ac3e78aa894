#pragma once

#include "model/ContactIdentifier.h"
#include "table/CheckboxAndTextCell.h"
#include "table/CheckboxCell.h"
#include "table/GroupRowView.h"
#include "table/ImageAndTextCell.h"
#include "table/PopupAndTextCell.h"
#include "table/TextCell.h"

#include <QStyledItemDelegate>

class ContactTableModel;
struct SubContactRecord;
struct TableColumn;

// Paints every cell of the contact table with one cell object per kind,
// setting all of the cell's properties again for each cell it paints, and
// makes the in-place editor over a cell's text: a multi-line one (Alt+Return
// types a line break) for joint names, note and street, one line otherwise.
// Tab and Return in an editor are the table's (navigationKeyPressed); Qt's
// own move to the next item never runs. Escape ends the edit unapplied.
class ContactTableCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ContactTableCellDelegate(ContactTableModel *model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Ends the editor: its text applied first when commit is set.
    void endEditing(QWidget *editor, bool commit);

    // Where a cell's label pop-up and check box lie in the cell's rectangle;
    // empty when the cell shows none.
    [[nodiscard]] QRect labelPopupRect(const QRect &cellRect, const QModelIndex &index, const QWidget *widget) const;
    [[nodiscard]] QRect checkboxRect(const QRect &cellRect, const QModelIndex &index, const QWidget *widget) const;
    // Whether the column's text is edited over several lines.
    [[nodiscard]] static bool editsLines(const ContactIdentifier &identifier);

    // The cells as last set up, for what they show.
    [[nodiscard]] const PopupAndTextCell &popupAndTextCell() const { return m_popupAndTextCell; }
    [[nodiscard]] const CheckboxAndTextCell &checkboxAndTextCell() const { return m_checkboxAndTextCell; }

Q_SIGNALS:
    // An in-place edit ended with its text (line breaks of a one-line field
    // turned into spaces).
    void cellTextEdited(const QModelIndex &index, const QString &text);
    // Tab (tab set) or Return typed in an editor.
    void navigationKeyPressed(bool tab);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void paintRowCell(QPainter *painter, const QStyleOptionViewItem &option, const QColor &textColor,
        const SubContactRecord &row, const TableColumn &column, int tableRow) const;
    void setUpPopupAndTextCell(const SubContactRecord &row, const TableColumn &column) const;
    [[nodiscard]] QString editedText(const QModelIndex &index) const;
    void setUpTextCell(
        TextCell &cell, const SubContactRecord &row, const TableColumn &column, int tableRow, const QFont &font) const;

    ContactTableModel *m_model = nullptr;
    // Set up anew for every cell painted.
    mutable PopupAndTextCell m_popupAndTextCell;
    mutable TextCell m_textCell;
    mutable ImageAndTextCell m_imageAndTextCell;
    mutable CheckboxAndTextCell m_checkboxAndTextCell;
    mutable CheckboxCell m_checkboxCell;
    mutable GroupRowView m_groupRowView;
};
