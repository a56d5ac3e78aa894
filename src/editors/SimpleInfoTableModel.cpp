#include "editors/SimpleInfoTableModel.h"

#include "editors/FieldIcons.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <QIcon>
#include <QSize>

namespace {

// The field name shown beside each row; the first name shares the name's.
const QStringList &typeKeys()
{
    static const QStringList keys{FieldId::Name, QString(), FieldId::Renmei, FieldId::Company, FieldId::ZIP,
        FieldId::State, FieldId::City, FieldId::Street, FieldId::Note};
    return keys;
}

bool isAddressKey(const QString &key)
{
    return key == FieldId::ZIP || key == FieldId::State || key == FieldId::City || key == FieldId::Street;
}

// An empty name or address cell is named by its own key; the joint names,
// company and note stay blank.
QString placeholderFor(const QString &valueKey)
{
    static const char *const keys[]{QT_TRANSLATE_NOOP("SimpleInfoTableModel", "LastName"),
        QT_TRANSLATE_NOOP("SimpleInfoTableModel", "FirstName"), QT_TRANSLATE_NOOP("SimpleInfoTableModel", "ZIP"),
        QT_TRANSLATE_NOOP("SimpleInfoTableModel", "State"), QT_TRANSLATE_NOOP("SimpleInfoTableModel", "City"),
        QT_TRANSLATE_NOOP("SimpleInfoTableModel", "Street")};
    for (const char *key : keys) {
        if (valueKey == QLatin1String(key))
            return SimpleInfoTableModel::tr(key);
    }
    return {};
}

} // namespace

SimpleInfoTableModel::SimpleInfoTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

const QStringList &SimpleInfoTableModel::valueKeys()
{
    static const QStringList keys{FieldId::LastName, FieldId::FirstName, FieldId::Renmei, FieldId::Company,
        FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street, FieldId::Note};
    return keys;
}

void SimpleInfoTableModel::setContact(const ContactRecordPtr &contact)
{
    beginResetModel();
    m_contact = contact;
    m_addressIndex = contact ? qsizetype(contact->labelIndex) : 0;
    endResetModel();
}

void SimpleInfoTableModel::reload()
{
    // A layout change rather than a reset keeps the selection, the current
    // cell and an editor open on the next row.
    Q_EMIT layoutAboutToBeChanged();
    Q_EMIT layoutChanged();
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 1));
}

LabeledValueRecord SimpleInfoTableModel::address(bool *held) const
{
    const LabeledValueRecordPtr stored
        = m_contact->person->labeledValueForIdentifierAtIndex(FieldId::Address, m_addressIndex);
    if (held)
        *held = stored != nullptr;
    if (stored)
        return *stored;
    LabeledValueRecord made;
    made.label = m_newAddressLabel;
    made.address->isoCountryCode = QStringLiteral("JP");
    made.labelIndex = 0;
    return made;
}

QString SimpleInfoTableModel::valueText(const QString &valueKey) const
{
    if (!m_contact || !m_contact->person)
        return {};
    MVPerson &person = *m_contact->person;
    if (isAddressKey(valueKey))
        return address().addressPart(valueKey);
    if (valueKey == FieldId::FirstName || valueKey == FieldId::LastName) {
        const PersonValue value = person.valueForIdentifier(valueKey);
        return std::holds_alternative<QString>(value) ? std::get<QString>(value) : QString();
    }
    return person.stringValues()->value(valueKey);
}

int SimpleInfoTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_contact ? 0 : int(valueKeys().size());
}

int SimpleInfoTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant SimpleInfoTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QString &valueKey = valueKeys().at(index.row());
    const QString &typeKey = typeKeys().at(index.row());
    const bool type = index.column() == TypeColumn;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return type ? (typeKey.isEmpty() ? QString() : FieldVocabulary::localizedIdentifierForKey(typeKey))
                    : valueText(valueKey);
    case Qt::DecorationRole:
        if (type && !typeKey.isEmpty() && typeKey != FieldId::Renmei) {
            // The address parts show the address's picture.
            const QImage icon = FieldIcons::iconForType(isAddressKey(typeKey) ? FieldId::Address : typeKey);
            return icon.isNull() ? QVariant() : QVariant(QIcon(QPixmap::fromImage(icon)));
        }
        return {};
    case Qt::FontRole:
        return m_font;
    case Qt::SizeHintRole: {
        // The rows of texts of several lines grow by a row height a line.
        static const QStringList tall{FieldId::Note, FieldId::Renmei, FieldId::State, FieldId::City, FieldId::Street};
        const qsizetype lines = tall.contains(valueKey) ? valueText(valueKey).count(QLatin1Char('\n')) + 1 : 1;
        return QSize(-1, m_rowHeight * int(lines));
    }
    case Qt::ToolTipRole:
        return type ? QVariant() : QVariant(valueKey);
    case PlaceholderRole:
        return type || !valueText(valueKey).isEmpty() ? QVariant() : QVariant(placeholderFor(valueKey));
    default:
        return {};
    }
}

QVariant SimpleInfoTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == TypeColumn ? tr("Type") : tr("Value");
}

Qt::ItemFlags SimpleInfoTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.column() == ValueColumn && index.row() != RenmeiRow)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool SimpleInfoTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !m_editHandler)
        return false;
    m_editHandler(valueKeys().at(index.row()), value.toString());
    return true;
}
