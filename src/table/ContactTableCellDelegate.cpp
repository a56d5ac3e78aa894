#include "table/ContactTableCellDelegate.h"

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/SelectedCellBackground.h"
#include "table/ContactTableModel.h"

#include <QPainter>

ContactTableCellDelegate::ContactTableCellDelegate(ContactTableModel *model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{
}

void ContactTableCellDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_model->isFooterRow(index.row())) {
        m_groupRowView.setFont(m_model->selectedFont());
        m_groupRowView.setText(m_model->footerText());
        m_groupRowView.paint(painter, option.rect, option.widget);
        return;
    }
    const SubContactRecordPtr row = m_model->subContactAt(index.row());
    if (!row || index.column() >= m_model->columns().size())
        return;
    const QColor textColor = paintSelectedCellBackground(painter, option);
    paintRowCell(painter, option, textColor, *row, m_model->columns().at(index.column()), index.row());
}

void ContactTableCellDelegate::paintRowCell(QPainter *painter, const QStyleOptionViewItem &option,
    const QColor &textColor, const SubContactRecord &row, const TableColumn &column, int tableRow) const
{
    MVPerson &person = *row.person;
    switch (column.kind) {
    case TableColumn::Kind::Sender: {
        const LabeledValueRecordPtr address = TableColumn::labeledValueAt(person, FieldId::Address, row.labelIndex);
        m_checkboxCell.setChecked(address && std::as_const(address->layout)->printsSender());
        m_checkboxCell.setRowHeight(m_model->rowHeight());
        m_checkboxCell.setEnabled(m_model->editState());
        m_checkboxCell.paint(painter, option.rect, option.widget);
        return;
    }
    case TableColumn::Kind::Name: {
        setUpTextCell(m_imageAndTextCell, row, column, tableRow, m_model->selectedBoldfont());
        const bool hidden = ContactTableModel::hidesName(row, tableRow);
        m_imageAndTextCell.setImage(hidden ? QImage() : person.thumbnail());
        m_imageAndTextCell.paint(painter, option.rect, textColor, option.widget);
        return;
    }
    case TableColumn::Kind::CompanyOrRenmei: {
        setUpTextCell(m_checkboxAndTextCell, row, column, tableRow, m_model->selectedFont());
        const LabeledValueRecordPtr address = TableColumn::labeledValueAt(person, FieldId::Address, row.labelIndex);
        const bool flag = address
            && (column.identifier == FieldId::Company ? std::as_const(address->layout)->printsCompany()
                                                      : std::as_const(address->layout)->printsRenmei());
        m_checkboxAndTextCell.setChecked(flag);
        m_checkboxAndTextCell.setCheckboxHidden(m_checkboxAndTextCell.marks().text().isEmpty());
        m_checkboxAndTextCell.setNumLines(row.numLines);
        m_checkboxAndTextCell.setCheckboxEnabled(m_model->editState());
        m_checkboxAndTextCell.paint(painter, option.rect, textColor, option.widget);
        return;
    }
    case TableColumn::Kind::Labeled:
    case TableColumn::Kind::AddressPart:
        setUpPopupAndTextCell(row, column);
        m_popupAndTextCell.paint(painter, option.rect, textColor, option.widget);
        return;
    default:
        setUpTextCell(m_textCell, row, column, tableRow, m_model->selectedFont());
        m_textCell.paint(painter, option.rect, textColor, option.widget);
        return;
    }
}

void ContactTableCellDelegate::setUpTextCell(
    TextCell &cell, const SubContactRecord &row, const TableColumn &column, int tableRow, const QFont &font) const
{
    cell.setText(m_model->cellText(row, column, tableRow));
    cell.setFont(font);
    cell.setRowHeight(m_model->rowHeight());
    cell.setFindString(m_model->findString());
    cell.setFindOptions(m_model->findOptions());
    cell.setFindTarget(m_model->selectedItemAndRange());
    cell.setUniqueId(row.uniqueId);
    cell.setIdentifier(column.identifier);
    cell.setLabelIndex(row.labelIndex);
    cell.updateText();
}

void ContactTableCellDelegate::setUpPopupAndTextCell(const SubContactRecord &row, const TableColumn &column) const
{
    PopupAndTextCell &cell = m_popupAndTextCell;
    const LabeledValueRecordPtr value = column.filteredValueAt(*row.person, row.labelIndex, m_model->selectedLabels());
    const ItemAndRangeRecordPtr &target = m_model->selectedItemAndRange();
    cell.setRowHeight(m_model->rowHeight());
    cell.setFindString(m_model->findString());
    cell.setFindOptions(m_model->findOptions());
    cell.setPerson(row.person);
    cell.setFindTarget(target && target->identifier == column.identifier ? target : nullptr);
    cell.setSelectedFont(m_model->selectedFont());
    cell.setEditState(m_model->editState());
    if (value) {
        cell.setLabels(FieldVocabulary::shared().labelsForIdentifier(column.field));
        cell.setLocalizedLabels(FieldVocabulary::shared().localizedLabelsForIdentifier(column.field));
    } else {
        cell.setLabels({});
        cell.setLocalizedLabels({});
    }
    if (value && column.addressPart) {
        // An address part shows as a value of its own, labeled as the address.
        auto part = std::make_shared<LabeledValueRecord>();
        part->stringValue = value->addressParts().*column.addressPart;
        part->labelIndex = value->labelIndex;
        part->label = value->label;
        cell.setLabeledValue(part);
    } else {
        cell.setLabeledValue(value);
    }
    cell.setLabelIndex(row.labelIndex);
    cell.updatePopupAndText();
}
