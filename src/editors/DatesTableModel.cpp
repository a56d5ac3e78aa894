#include "editors/DatesTableModel.h"

#include "editors/CellEditingDelegate.h"
#include "editors/DateControls.h"

#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace {

void assignDate(LabeledValueRecord &record, const QDate &date)
{
    record.value = StoreDateComponents::fromDate(date);
    record.stringValue = DateControls::dateString(date);
}

} // namespace

void DatesTableModel::reset(const LabeledValueList &rows, const QStringList &labels, const QStringList &localizedLabels,
    const ContactIdentifier &type)
{
    beginResetModel();
    m_rows = rows;
    m_labels = labels;
    m_localizedLabels = localizedLabels;
    m_type = type;
    endResetModel();
}

void DatesTableModel::setEditing(bool editing)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
}

QString DatesTableModel::displayLabel(const QString &label) const
{
    const qsizetype position = m_labels.indexOf(label);
    return position >= 0 && position < m_localizedLabels.size() ? m_localizedLabels.at(position) : label;
}

void DatesTableModel::insertDate(int row, const LabeledValueRecordPtr &record)
{
    row = std::clamp(row, 0, int(m_rows.size()));
    beginInsertRows({}, row, row);
    m_rows.insert(row, record);
    endInsertRows();
}

void DatesTableModel::removeDates(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : std::as_const(rows)) {
        if (row < 0 || row >= m_rows.size())
            continue;
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
}

void DatesTableModel::appendLabel(const QString &label)
{
    m_labels.append(label);
}

void DatesTableModel::setRowLabel(int row, const QString &label)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row]->label = label;
    rowChanged(row);
}

void DatesTableModel::setRowDate(int row, const QDate &date)
{
    if (row < 0 || row >= m_rows.size())
        return;
    assignDate(*m_rows[row], date);
    rowChanged(row);
}

void DatesTableModel::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int DatesTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DatesTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DatesTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const LabeledValueRecord &record = *m_rows.at(index.row());
    const bool labelColumn = index.column() == LabelColumn;
    switch (role) {
    case Qt::DisplayRole:
        return labelColumn ? displayLabel(record.labelText()) : record.stringValue;
    case Qt::EditRole:
        return labelColumn ? QVariant(int(m_labels.indexOf(record.labelText()))) : QVariant(record.stringValue);
    case Qt::ForegroundRole:
        if (labelColumn && !m_editing)
            return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    case CellEditingDelegate::PopupItemsRole:
        return labelColumn ? popupItems() : QStringList();
    case CellEditingDelegate::CustomLabelItemRole:
        return labelColumn ? QVariant(int(m_labels.size()) + 1) : QVariant();
    default:
        return {};
    }
}

QStringList DatesTableModel::popupItems() const
{
    QStringList items;
    for (const QString &label : m_labels)
        items.append(displayLabel(label));
    return items + QStringList{QString(), tr("Custom Label")};
}

QVariant DatesTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == LabelColumn ? tr("Label") : tr("Date");
}

Qt::ItemFlags DatesTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_editing && index.isValid())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatesTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editing || role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size())
        return false;
    LabeledValueRecord &record = *m_rows[index.row()];
    if (index.column() == LabelColumn) {
        bool ok = false;
        const int position = value.toInt(&ok);
        // The separator and "Custom Label" follow the labels in the pop-up.
        if (!ok || position < 0 || position >= m_labels.size())
            return false;
        record.label = m_labels.at(position);
    } else if (!setDateText(record, value.toString())) {
        return false;
    }
    rowChanged(index.row());
    Q_EMIT rowEdited(index.row());
    return true;
}

bool DatesTableModel::setDateText(LabeledValueRecord &record, const QString &text) const
{
    if (m_type != FieldId::Dates) {
        record.value = text;
        record.stringValue = text;
        return true;
    }
    const std::optional<QDate> date = DateControls::dateFromString(text);
    if (!date)
        return false;
    assignDate(record, *date);
    return true;
}
