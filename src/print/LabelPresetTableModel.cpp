#include "print/LabelPresetTableModel.h"

#include "platform/NotificationCenter.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"
#include "print/PrintUnits.h"

#include <cmath>

using namespace PrintOptionsKey;

namespace {
// The stored lengths are single-precision: the 72 is applied in float.
constexpr float pointsPerInch = float(PrintUnits::pointsPerInch);
using PrintUnits::millimetresPerInch;
} // namespace

const QStringList &LabelPresetTableModel::columnKeys()
{
    static const QStringList keys{Name, LabelWidth, LabelHeight, HGap, VGap};
    return keys;
}

LabelLengthUnit LabelPresetTableModel::unitForTitle(const QString &title)
{
    if (title == QLatin1String("mm"))
        return LabelLengthUnit::Millimetres;
    if (title == QLatin1String("inches"))
        return LabelLengthUnit::Inches;
    return LabelLengthUnit::Points;
}

float LabelPresetTableModel::shownLength(double points, LabelLengthUnit unit)
{
    switch (unit) {
    case LabelLengthUnit::Millimetres:
        return static_cast<float>(static_cast<double>(static_cast<float>(points) / pointsPerInch) * millimetresPerInch);
    case LabelLengthUnit::Inches:
        return static_cast<float>(points) / pointsPerInch;
    case LabelLengthUnit::Points:
        break;
    }
    return static_cast<float>(points);
}

float LabelPresetTableModel::storedLength(double typed, LabelLengthUnit unit)
{
    switch (unit) {
    case LabelLengthUnit::Millimetres:
        return static_cast<float>(static_cast<double>(static_cast<float>(typed) * pointsPerInch) / millimetresPerInch);
    case LabelLengthUnit::Inches:
        return static_cast<float>(typed) * pointsPerInch;
    case LabelLengthUnit::Points:
        break;
    }
    return static_cast<float>(typed);
}

QVariantMap LabelPresetTableModel::newPreset()
{
    return {{Name, QStringLiteral("new")}, {LabelWidth, 100.0f}, {LabelHeight, 50.0f}, {HGap, 5.0f}, {VGap, 6.0f}};
}

LabelPresetTableModel::LabelPresetTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void LabelPresetTableModel::setPresets(LabelPresetListPtr presets)
{
    beginResetModel();
    m_presets = std::move(presets);
    endResetModel();
}

void LabelPresetTableModel::setUnit(LabelLengthUnit unit)
{
    if (unit == m_unit)
        return;
    m_unit = unit;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 1), index(rowCount() - 1, columnCount() - 1));
}

int LabelPresetTableModel::appendNewPreset()
{
    if (!m_presets) {
        qWarning("%s: ERROR no preset list to add to", Q_FUNC_INFO);
        return -1;
    }
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_presets->append(newPreset());
    endInsertRows();
    announce(QStringLiteral("new"), row);
    return row;
}

bool LabelPresetTableModel::removePreset(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    beginRemoveRows({}, row, row);
    m_presets->removeAt(row);
    endRemoveRows();
    // Without a name: the sheet must drop the removed preset from its pop-up.
    NotificationCenter::defaultCenter().postNotification(labelAttributeChanged);
    return true;
}

QString LabelPresetTableModel::presetName(int row) const
{
    return PrintOptionValue::text(presetAt(row).value(Name));
}

QVariantMap LabelPresetTableModel::presetAt(int row) const
{
    if (!m_presets || row < 0 || row >= m_presets->size())
        return {};
    return m_presets->at(row).toMap();
}

int LabelPresetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_presets ? 0 : int(m_presets->size());
}

int LabelPresetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columnKeys().size());
}

QVariant LabelPresetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QString &key = columnKeys().at(index.column());
    const QVariantMap preset = presetAt(index.row());
    if (key == Name)
        return PrintOptionValue::text(preset.value(Name));
    const float shown = shownLength(PrintOptionValue::number(preset.value(key)), m_unit);
    // Edited as text, so that the cell takes any entry and setData() judges it.
    if (role == Qt::EditRole)
        return QString::number(shown);
    return shown;
}

QVariant LabelPresetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[]
        = {QT_TR_NOOP("Name"), QT_TR_NOOP("Width"), QT_TR_NOOP("Height"), QT_TR_NOOP("H Gap"), QT_TR_NOOP("V Gap")};
    return tr(titles[section]);
}

Qt::ItemFlags LabelPresetTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

std::optional<float> LabelPresetTableModel::acceptedLength(const QString &key, const QVariant &value) const
{
    bool isNumber = false;
    const double typed = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&isNumber)
                                                              : value.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(typed))
        return std::nullopt;
    const float points = storedLength(typed, m_unit);
    if (!std::isfinite(points))
        return std::nullopt;
    // A label needs a size; gaps may be nothing but never negative.
    const bool isGap = key == HGap || key == VGap;
    if (isGap ? points < 0.0f : points <= 0.0f)
        return std::nullopt;
    return points;
}

bool LabelPresetTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_presets || index.row() >= m_presets->size())
        return false;
    const QString &key = columnKeys().at(index.column());
    QVariantMap preset = presetAt(index.row());
    if (key == Name) {
        preset.insert(Name, value.toString());
    } else {
        const std::optional<float> points = acceptedLength(key, value);
        if (!points)
            return false;
        preset.insert(key, *points);
    }
    (*m_presets)[index.row()] = preset;
    Q_EMIT dataChanged(index, index);
    announce(PrintOptionValue::text(preset.value(Name)), index.row());
    return true;
}

void LabelPresetTableModel::announce(const QString &name, int row)
{
    NotificationCenter::defaultCenter().postNotification(labelAttributeChanged, QVariant(name), {{presetRowKey, row}});
}
