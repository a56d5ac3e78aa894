#include "table/ViewSettings.h"

#include "platform/UserDefaults.h"

namespace {

const QString itemsKey = QStringLiteral("items");
const QString selectedKey = QStringLiteral("selected");

} // namespace

// Read as leniently as the table always read them: a value of another shape
// converts to what it can.
ViewSettings::ViewSettings(UserDefaults &defaults, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_selectedLabels(defaults.stringArrayForKey(selectedLabelsKey))
    , m_selectedViewType(defaults.stringForKey(selectedViewTypeKey))
{
    const QVariantMap viewTypes = defaults.dictionaryForKey(viewTypeDictKey);
    for (auto entry = viewTypes.cbegin(); entry != viewTypes.cend(); ++entry)
        m_viewTypeDict.insert(entry.key(), entry.value().toStringList());
    const QVariantMap sortOptions = defaults.dictionaryForKey(sortOptionsDictKey);
    for (auto entry = sortOptions.cbegin(); entry != sortOptions.cend(); ++entry) {
        const QVariantMap options = entry.value().toMap();
        m_sortOptionsDict.insert(
            entry.key(), {options.value(itemsKey).toStringList(), options.value(selectedKey).toString()});
    }
}

void ViewSettings::assign(const QStringList &selectedLabels, const ViewTypeDict &viewTypeDict,
    const QString &selectedViewType, const SortOptionsDict &sortOptionsDict)
{
    m_selectedLabels = selectedLabels;
    m_viewTypeDict = viewTypeDict;
    m_selectedViewType = selectedViewType;
    m_sortOptionsDict = sortOptionsDict;
}

void ViewSettings::setSelectedLabels(const QStringList &labels)
{
    m_selectedLabels = labels;
    m_defaults.setObject(m_selectedLabels, selectedLabelsKey);
}

void ViewSettings::setSelectedViewType(const QString &viewType)
{
    m_selectedViewType = viewType;
    m_defaults.setObject(m_selectedViewType, selectedViewTypeKey);
}

void ViewSettings::setColumns(const QString &viewType, const QStringList &columns)
{
    m_viewTypeDict.insert(viewType, columns);
    m_defaults.setObject(toVariantMap(m_viewTypeDict), viewTypeDictKey);
}

bool ViewSettings::setSelectedSortKey(const QString &column, const QString &key)
{
    SortOptions &options = m_sortOptionsDict[column];
    if (options.selected == key)
        return false;
    options.selected = key;
    m_defaults.setObject(toVariantMap(m_sortOptionsDict), sortOptionsDictKey);
    return true;
}

QVariantMap ViewSettings::toVariantMap(const ViewTypeDict &viewTypes)
{
    QVariantMap map;
    for (auto entry = viewTypes.cbegin(); entry != viewTypes.cend(); ++entry)
        map.insert(entry.key(), entry.value());
    return map;
}

QVariantMap ViewSettings::toVariantMap(const SortOptionsDict &sortOptions)
{
    QVariantMap map;
    for (auto entry = sortOptions.cbegin(); entry != sortOptions.cend(); ++entry)
        map.insert(entry.key(), QVariantMap{{itemsKey, entry->items}, {selectedKey, entry->selected}});
    return map;
}
