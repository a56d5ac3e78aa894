#pragma once

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
// setting all of the cell's properties again for each cell it paints.
class ContactTableCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ContactTableCellDelegate(ContactTableModel *model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The cells as last set up, for what they show.
    [[nodiscard]] const PopupAndTextCell &popupAndTextCell() const { return m_popupAndTextCell; }
    [[nodiscard]] const CheckboxAndTextCell &checkboxAndTextCell() const { return m_checkboxAndTextCell; }

private:
    void paintRowCell(QPainter *painter, const QStyleOptionViewItem &option, const QColor &textColor,
        const SubContactRecord &row, const TableColumn &column, int tableRow) const;
    void setUpPopupAndTextCell(const SubContactRecord &row, const TableColumn &column) const;
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
