#include "find/MergeTableModel.h"

#include "editors/FieldIcons.h"
#include "find/MergePanelController.h"
#include "find/MergeRows.h"
#include "model/FieldVocabulary.h"
#include "table/DragTypes.h"

#include <QMimeData>

MergeTableModel::MergeTableModel(MergePanelController *panel, bool left, QObject *parent)
    : QAbstractTableModel(parent)
    , m_panel(panel)
    , m_left(left)
{
}

void MergeTableModel::setRows(const QList<MergeTableRowPtr> &rows, const ContactRecordPtr &contact)
{
    // Rows of the same number redraw in place, so that an open cell editor
    // survives the redraw its own commit causes.
    const bool sameShape = rows.size() == m_rows.size() && contact == m_contact;
    if (!sameShape)
        beginResetModel();
    m_rows = rows;
    m_contact = contact;
    // Each block is named once, on its first row.
    m_typeTexts.clear();
    QString above;
    for (const MergeTableRowPtr &row : std::as_const(m_rows)) {
        const QString localized = FieldVocabulary::localizedIdentifierForKey(row->type);
        m_typeTexts.append(localized == above ? QString() : localized);
        above = localized;
    }
    if (!sameShape)
        endResetModel();
    else if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, 1));
}

MergeTableRowPtr MergeTableModel::row(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : nullptr;
}

int MergeTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MergeTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant MergeTableModel::data(const QModelIndex &index, int role) const
{
    const MergeTableRowPtr record = row(index.row());
    if (!record || !m_contact || !m_contact->person)
        return {};
    if (index.column() == TypeColumn) {
        const QString &text = m_typeTexts.at(index.row());
        if (role == Qt::DisplayRole)
            return text;
        if (role == Qt::DecorationRole && !text.isEmpty()) {
            const QImage icon = FieldIcons::iconForType(record->type);
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        return {};
    }
    MVPerson &person = *m_contact->person;
    if (role == Qt::EditRole)
        return MergeRows::valueText(person, *record);
    if (role == Qt::DisplayRole) {
        if (record->type == FieldId::Note)
            return MergeRows::valueText(person, *record);
        return MergeRows::valueText(person, *record).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return {};
}

QVariant MergeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == TypeColumn ? tr("Type") : tr("Value");
}

Qt::ItemFlags MergeTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return flags;
    flags |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (index.column() == ValueColumn && m_panel->isCellEditable(m_left, index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool MergeTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || index.column() != ValueColumn)
        return false;
    return m_panel->textFieldCellChanged(m_left, index.row(), value.toString());
}

Qt::DropActions MergeTableModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

Qt::DropActions MergeTableModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

QStringList MergeTableModel::mimeTypes() const
{
    return {DragType::plainText, QStringLiteral("image/tiff"), QStringLiteral("image/png")};
}

QMimeData *MergeTableModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    return m_panel->writeRow(m_left, indexes.first().row());
}

bool MergeTableModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int /*column*/, const QModelIndex &parent) const
{
    const bool on = parent.isValid();
    return m_panel->validateDrop(m_left, data, action, on ? parent.row() : row, on);
}

bool MergeTableModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int /*column*/, const QModelIndex &parent)
{
    const bool on = parent.isValid();
    return m_panel->acceptDrop(m_left, data, action, on ? parent.row() : row, on);
}
