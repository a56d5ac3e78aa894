#include "detail/ContactInfoTableModel.h"

#include "detail/DetailRowKinds_p.h"
#include "detail/DetailRowOrder.h"
#include "editors/FieldIcons.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <QCoreApplication>

using namespace DetailRowKinds;

namespace {

int linesOf(const QString &text)
{
    return int(QStringView(text).count(QLatin1Char('\n'))) + 1;
}

} // namespace

ContactInfoTableModel::ContactInfoTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ContactInfoTableModel::setContact(const PersonRecordPtr &contact)
{
    if (contact)
        m_contact = contact;
}

MVPerson *ContactInfoTableModel::person() const
{
    return m_contact ? m_contact->person.get() : nullptr;
}

void ContactInfoTableModel::setRowOrderTable(const QStringList &order)
{
    m_rowOrderTable = order;
    m_rowOrderRead = true;
}

void ContactInfoTableModel::reload()
{
    beginResetModel();
    m_forcedEditableRow = -1;
    m_table = tableFromContact(m_selectedLabels);
    m_rowHeight = std::max(m_rowHeight, minimumRowHeight);
    for (InfoRowRecord &row : m_table)
        measureRow(row);
    rebuildTypeTexts();
    endResetModel();
}

// --- Rows --------------------------------------------------------------------

QList<InfoRowRecord> ContactInfoTableModel::tableFromContact(const QStringList & /*selectedLabels*/)
{
    if (!m_contact)
        return {};
    if (!m_rowOrderRead)
        setRowOrderTable(
            m_userDefaults ? DetailRowOrder::storedOrder(*m_userDefaults) : DetailRowOrder::defaultOrder());
    QList<InfoRowRecord> rows;
    rows.reserve(m_rowOrderTable.size() + 16);
    int rowOrderIndex = 0;
    for (const ContactIdentifier &type : std::as_const(m_rowOrderTable))
        appendRowsOfType(rows, type, rowOrderIndex++);
    return rows;
}

void ContactInfoTableModel::appendRowsOfType(
    QList<InfoRowRecord> &rows, const ContactIdentifier &type, int rowOrderIndex)
{
    const auto row = [&](std::optional<QString> label, std::optional<qint64> labelIndex = {},
                         std::optional<qsizetype> index = {}) {
        rows.append({type, std::move(label), labelIndex, index, rowOrderIndex, 1});
    };
    MVPerson *shown = person();
    if (type == FieldId::Name) {
        qint64 part = 0;
        for (const QString &key :
            {FieldId::FirstName, FieldId::MiddleName, FieldId::LastName, FieldId::PreviousFamilyName})
            row(key, part++);
    } else if (type == FieldId::PhoneticName) {
        qint64 part = 0;
        for (const QString &key : {FieldId::FirstName, FieldId::MiddleName, FieldId::LastName})
            row(key, part++);
    } else if (type == FieldId::Photo || type == Groups) {
        row(QString());
    } else if (type == FieldId::NameOrdering) {
        row(shown ? nameOrderingTitle() : QString());
    } else if (type == NameDisplay) {
        const bool asPerson = !shown || shown->nameValue()->showAsPerson;
        row(asPerson ? tr("Person") : tr("Company"));
    } else if (isLabeled(type)) {
        const LabeledValueListPtr values = shown ? shown->labeledValues(type) : nullptr;
        if (!values || values->isEmpty()) {
            row(QString());
            return;
        }
        for (qsizetype position = 0; position < values->size(); ++position) {
            const LabeledValueRecord &value = *values->at(position);
            // Labels met on a contact become choices of the label pop-ups.
            if (!value.labelText().isEmpty())
                FieldVocabulary::shared().setLabel(QString(), value.labelText(), type);
            row(value.labelText(), std::max<qint64>(value.labelIndex, 0), position);
        }
    } else if (isStringType(type)) {
        row(std::nullopt);
    } else {
        row(QString());
    }
}

QString ContactInfoTableModel::nameOrderingTitle()
{
    MVPerson &shown = *person();
    m_nameOrderingLabels = FieldVocabulary::shared().labelsForIdentifier(FieldId::NameOrdering);
    m_nameOrderingLabels.removeAll(QStringLiteral("All"));
    if (!m_nameOrderingLabels.isEmpty()) {
        m_nameOrderingLabels.first() = shown.defaultNameOrdering() == 1
            ? QStringLiteral(QT_TR_NOOP("System Default (First Name First)"))
            : QStringLiteral(QT_TR_NOOP("System Default (Last Name First)"));
    }
    switch (shown.nameValue()->nameOrdering) {
    case 1:
        return tr("First Name First");
    case 2:
        return tr("Last Name First");
    default:
        return m_nameOrderingLabels.isEmpty() ? QString() : tr(m_nameOrderingLabels.first().toUtf8().constData());
    }
}

void ContactInfoTableModel::measureRow(InfoRowRecord &row) const
{
    MVPerson *shown = person();
    if (row.type == FieldId::Photo)
        row.numLines = m_iconRowCount;
    else if (shown && isLabeled(row.type))
        row.numLines = linesOf(shown->stringValueForIdentifier(row.type, row.labelIndex.value_or(0)));
    else if (shown && isStringType(row.type))
        row.numLines = linesOf(shown->stringValueForIdentifier(row.type, 0));
    else
        row.numLines = 1;
}

int ContactInfoTableModel::heightOfRow(int row) const
{
    const int lines = m_table.at(row).numLines;
    const double height = lines < 2 ? m_rowHeight : lines * m_rowHeight + 2;
    return int(std::ceil(height));
}

void ContactInfoTableModel::remeasureRow(int row)
{
    if (row < 0 || row >= m_table.size())
        return;
    InfoRowRecord &record = m_table[row];
    QList<InfoRowRecord> fresh;
    appendRowsOfType(fresh, record.type, record.rowOrderIndex);
    for (const InfoRowRecord &candidate : std::as_const(fresh)) {
        if (candidate.labelIndex == record.labelIndex && candidate.index == record.index) {
            record = candidate;
            break;
        }
    }
    measureRow(record);
    Q_EMIT dataChanged(index(row, TypeColumn), index(row, ValueColumn));
}

void ContactInfoTableModel::rebuildTypeTexts()
{
    m_typeTexts.clear();
    m_typeTexts.reserve(m_table.size());
    QString above;
    for (const InfoRowRecord &row : std::as_const(m_table)) {
        const QString localized = FieldVocabulary::localizedIdentifierForKey(row.type);
        m_typeTexts.append(localized == above ? QString() : localized);
        above = localized;
    }
}

int ContactInfoTableModel::firstRowOfType(const ContactIdentifier &type) const
{
    for (int row = 0; row < m_table.size(); ++row) {
        if (m_table.at(row).type == type)
            return row;
    }
    return -1;
}

// --- QAbstractTableModel -------------------------------------------------------

int ContactInfoTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.size());
}

int ContactInfoTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ContactInfoTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.size())
        return {};
    const int row = index.row();
    if (index.column() == TypeColumn) {
        if (role == Qt::DisplayRole)
            return typeText(row);
        if (role == Qt::DecorationRole && !typeText(row).isEmpty())
            return FieldIcons::iconForType(m_table.at(row).type);
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return valueText(row);
    case Qt::ToolTipRole:
        if (m_table.at(row).type == FieldId::NameOrdering)
            return tr("Sorry, change will not be saved due to the lack of system service.");
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags ContactInfoTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    const int row = index.row();
    if (index.column() == ValueColumn && (isTextEditable(row) || (row == m_forcedEditableRow && appliesTextEdit(row))))
        flags |= Qt::ItemIsEditable;
    return flags;
}
