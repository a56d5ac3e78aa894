#include "editors/MultiValueTableModel.h"

#include "editors/CellEditingDelegate.h"
#include "editors/IMSViewController.h"
#include "model/AddressFormatTable.h"
#include "model/AddressText.h"
#include "model/FieldVocabulary.h"
#include "model/ValueRecordFormatter.h"

#include <QIcon>
#include <QLocale>
#include <QMimeData>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace {

const QString editColumn = QStringLiteral("Edit");
const QString labelColumn = QStringLiteral("label");
const QString serviceColumn = QStringLiteral("serviceType");
const QString countryCodeColumn = QStringLiteral("CountryCode");
const QString usernameColumn = QStringLiteral("Username");
const QString userIdentifierColumn = QStringLiteral("User Identifier");
const QString urlStringColumn = QStringLiteral("URL String");
// What a drag from the table carries; the rows are taken from the table.
const QString dragText = QStringLiteral("ABC");

// The country's name in the application's language; empty when ICU knows no
// name for it (it then answers the code).
QString displayCountry(const QString &code)
{
    const icu::Locale displayLocale(QLocale().name().toLatin1().constData());
    icu::UnicodeString name;
    icu::Locale("", code.toLatin1().constData()).getDisplayCountry(displayLocale, name);
    const QString text(reinterpret_cast<const QChar *>(name.getBuffer()), name.length());
    return text == code ? QString() : text;
}

} // namespace

QStringList MultiValueTableModel::columnsForField(const ContactIdentifier &type)
{
    if (type == FieldId::Address)
        return {editColumn, labelColumn, FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country,
            countryCodeColumn};
    if (type == FieldId::InstantMessage)
        return {labelColumn, serviceColumn, usernameColumn};
    if (type == FieldId::SocialNetwork)
        return {labelColumn, usernameColumn, userIdentifierColumn, urlStringColumn};
    return {labelColumn, type};
}

const QStringList &MultiValueTableModel::serviceLabels()
{
    return IMSViewController::serviceLabels();
}

QList<CountryEntry> MultiValueTableModel::countryEntries()
{
    QList<CountryEntry> entries{{QString(), tr("System Default")}, {QString(), QStringLiteral("---")}};
    for (const AddressFormatRowPtr &format : AddressFormatTable::shared().rows()) {
        const QString code = format->countryCode.toUpper();
        const QString name = displayCountry(code);
        if (!name.isEmpty())
            entries.append({code, name});
    }
    return entries;
}

void MultiValueTableModel::reset(const ContactIdentifier &type, const LabeledValueList &rows, const QStringList &labels,
    const QStringList &localizedLabels, const QString &defaultCountryCode)
{
    beginResetModel();
    m_type = type;
    m_columns = columnsForField(type);
    m_rows = rows;
    m_labels = labels;
    m_localizedLabels = localizedLabels;
    m_defaultCountryCode = defaultCountryCode;
    if (type == FieldId::Address && m_countries.isEmpty())
        m_countries = countryEntries();
    endResetModel();
}

void MultiValueTableModel::setEditing(bool editing)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool MultiValueTableModel::isPopupColumn(int column) const
{
    const QString identifier = m_columns.value(column);
    return identifier == labelColumn || identifier == serviceColumn || identifier == countryCodeColumn;
}

int MultiValueTableModel::lineCount(int row) const
{
    if (m_type != FieldId::Address || row < 0 || row >= m_rows.size())
        return 1;
    const LabeledValueRecord::AddressParts &address = m_rows.at(row)->addressParts();
    qsizetype lines = 1;
    for (const QString *part : {&address.zip, &address.state, &address.city, &address.street})
        lines = std::max(lines, part->count(u'\n') + 1);
    return int(lines);
}

void MultiValueTableModel::insertValue(int row, const LabeledValueRecordPtr &record)
{
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    m_rows.insert(row, record);
    endInsertRows();
}

void MultiValueTableModel::removeValue(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void MultiValueTableModel::appendLabel(const QString &label)
{
    m_labels.append(label);
    m_localizedLabels.append(label);
}

void MultiValueTableModel::setRowLabel(int row, const QString &label)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row]->label = label;
    updateRecord(*m_rows[row]);
    rowChanged(row);
}

int MultiValueTableModel::takeAddress(int row, const LabeledValueRecord &address)
{
    if (row < 0 || row >= m_rows.size()) {
        row = rowCount();
        insertValue(row, std::make_shared<LabeledValueRecord>());
    }
    LabeledValueRecord &target = *m_rows[row];
    // Its mailing form is made again from these parts below.
    target.address = address.addressParts();
    target.label = address.label;
    updateRecord(target);
    rowChanged(row);
    return row;
}

void MultiValueTableModel::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int MultiValueTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MultiValueTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString MultiValueTableModel::displayLabel(const QString &label) const
{
    const qsizetype position = m_labels.indexOf(label);
    return position >= 0 && position < m_localizedLabels.size() ? m_localizedLabels.at(position) : label;
}

QString MultiValueTableModel::displayText(const LabeledValueRecord &record, const QString &column) const
{
    if (column == labelColumn)
        return m_type == FieldId::SocialNetwork ? record.accountParts().service : displayLabel(record.labelText());
    if (column == serviceColumn)
        return record.accountParts().service;
    if (column == usernameColumn)
        return record.accountParts().username;
    if (column == userIdentifierColumn)
        return record.accountParts().userIdentifier.text();
    if (column == urlStringColumn)
        return record.accountParts().urlString.text();
    if (column == countryCodeColumn) {
        if (record.addressParts().isoCountryCode.isEmpty())
            return tr("System Default");
        const qsizetype position = countryPosition(record.addressParts().isoCountryCode);
        return position >= 0 ? countryItem(position) : QString();
    }
    if (column == editColumn)
        return {};
    if (m_type == FieldId::Address)
        return record.addressPart(column);
    return record.stringValue;
}

int MultiValueTableModel::popupPosition(const LabeledValueRecord &record, const QString &column) const
{
    if (column == labelColumn)
        return int(m_labels.indexOf(record.labelText()));
    if (column == serviceColumn)
        return int(serviceLabels().indexOf(record.accountParts().service));
    return int(std::max<qsizetype>(countryPosition(record.addressParts().isoCountryCode), 0));
}

qsizetype MultiValueTableModel::countryPosition(const QString &isoCountryCode) const
{
    // The first two entries are the system default and the "---" separator.
    const QString code = isoCountryCode.toUpper();
    for (qsizetype i = 2; !code.isEmpty() && i < m_countries.size(); ++i) {
        if (m_countries.at(i).countryCode == code)
            return i;
    }
    return -1;
}

QString MultiValueTableModel::countryItem(qsizetype position) const
{
    return QStringLiteral("%1 (%2)").arg(m_countries.at(position).countryCode, m_countries.at(position).country);
}

QStringList MultiValueTableModel::popupItems(const QString &column) const
{
    if (column == labelColumn)
        return m_localizedLabels + QStringList{QString(), tr("Custom Label")};
    if (column == serviceColumn)
        return serviceLabels();
    if (column != countryCodeColumn)
        return {};
    // Item i stands for entry i: the separator takes the place of "---".
    QStringList items{tr("System Default (%1)").arg(m_defaultCountryCode.toUpper()), QString()};
    for (qsizetype i = 2; i < m_countries.size(); ++i)
        items.append(countryItem(i));
    return items;
}

QVariant MultiValueTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const LabeledValueRecord &record = *m_rows.at(index.row());
    const QString &column = m_columns.at(index.column());
    const bool popup = m_editing && isPopupColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(record, column);
    case Qt::EditRole:
        return popup ? QVariant(popupPosition(record, column)) : QVariant(displayText(record, column));
    case Qt::DecorationRole:
        if (m_editing && column == editColumn)
            return QIcon(QStringLiteral(":/Compose.png"));
        return {};
    case CellEditingDelegate::PopupItemsRole:
        return popup ? popupItems(column) : QStringList();
    case CellEditingDelegate::CustomLabelItemRole:
        return column == labelColumn ? QVariant(int(m_localizedLabels.size()) + 1) : QVariant();
    default:
        return {};
    }
}

QVariant MultiValueTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_columns.size())
        return {};
    const QString &column = m_columns.at(section);
    if (column == labelColumn)
        return tr("Label");
    if (column == serviceColumn)
        return tr("Service Type");
    if (column == editColumn)
        return QString();
    if (FieldVocabulary::shared().addressIdentifiers().contains(column) || column == m_type)
        return FieldVocabulary::localizedIdentifierForKey(column);
    return tr(column.toUtf8().constData());
}

Qt::ItemFlags MultiValueTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (m_editing && m_columns.value(index.column()) != editColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool MultiValueTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editing || role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size())
        return false;
    LabeledValueRecord &record = *m_rows[index.row()];
    const QString &column = m_columns.at(index.column());
    if (isPopupColumn(index.column())) {
        bool ok = false;
        const int position = value.toInt(&ok);
        if (!ok || !setPopupPosition(record, column, position))
            return false;
    } else {
        setText(record, column, value.toString());
    }
    updateRecord(record);
    rowChanged(index.row());
    Q_EMIT rowEdited(index.row());
    return true;
}

bool MultiValueTableModel::setPopupPosition(LabeledValueRecord &record, const QString &column, int position)
{
    // The separator, "Custom Label" and anything past the lists change nothing.
    if (column == labelColumn) {
        if (position < 0 || position >= m_labels.size())
            return false;
        record.label = m_labels.at(position);
    } else if (column == serviceColumn) {
        if (position < 0 || position >= serviceLabels().size())
            return false;
        record.account->service = serviceLabels().at(position);
    } else {
        if (position < 0 || position >= m_countries.size())
            return false;
        record.address->isoCountryCode = m_countries.at(position).countryCode;
    }
    return true;
}

void MultiValueTableModel::setText(LabeledValueRecord &record, const QString &column, const QString &text)
{
    if (m_type == FieldId::Address) {
        if (column == FieldId::ZIP)
            record.address->zip = text;
        else if (column == FieldId::State)
            record.address->state = text;
        else if (column == FieldId::City)
            record.address->city = text;
        else if (column == FieldId::Street)
            record.address->street = text;
        else if (column == FieldId::Country)
            record.address->country = text;
    } else if (column == userIdentifierColumn) {
        record.account->userIdentifier = text;
    } else if (column == urlStringColumn) {
        record.account->urlString = text;
    } else {
        // The user name of a chat or a profile, or the value of any other field.
        record.value = text;
        record.stringValue = text;
        if (column == usernameColumn)
            record.account->username = text;
    }
}

void MultiValueTableModel::updateRecord(LabeledValueRecord &record) const
{
    if (m_type == FieldId::InstantMessage)
        ValueRecordFormatter::updateIMSValue(&record);
    else if (m_type == FieldId::SocialNetwork)
        ValueRecordFormatter::updateSNSValue(&record);
    else if (m_type == FieldId::Address)
        AddressText::updateAddressValue(&record, AddressText::IncludeCountryAndZIP);
}

QStringList MultiValueTableModel::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QMimeData *MultiValueTableModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    m_draggingSourceIndex = indexes.first().row();
    auto *data = new QMimeData;
    data->setText(dragText);
    m_dragData = data;
    return data;
}

bool MultiValueTableModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int /*column*/, const QModelIndex &parent) const
{
    // Only between rows of this same table, and never onto the row itself.
    return m_editing && action == Qt::MoveAction && data && data == m_dragData && !parent.isValid() && row >= 0
        && row <= rowCount() && m_draggingSourceIndex >= 0 && m_draggingSourceIndex < rowCount()
        && row != m_draggingSourceIndex;
}

bool MultiValueTableModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const int source = m_draggingSourceIndex;
    m_draggingSourceIndex = -1;
    // Dropped just below itself, the row stays where it is.
    if (row != source + 1) {
        beginMoveRows({}, source, source, {}, row);
        m_rows.move(source, source < row ? row - 1 : row);
        endMoveRows();
    }
    Q_EMIT rowMoved(source < row ? row - 1 : row);
    return true;
}
