#include "app/MainViewDefaults.h"

#include "model/ContactIdentifier.h"
#include "platform/StoredValue.h"
#include "platform/UserDefaults.h"
#include "print/PrintOptions.h"
#include "table/ContactsViewController.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <cmath>

namespace {

const QString allLabels = QStringLiteral("All");
const QString itemsKey = QStringLiteral("items");
const QString selectedKey = QStringLiteral("selected");
const QString phoneticNameColumn = QStringLiteral("Phonetic Name");

// An array whose elements are all strings; nullopt for anything else.
std::optional<QStringList> stringArray(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList && value.typeId() != QMetaType::QStringList)
        return std::nullopt;
    QStringList strings;
    for (const QVariant &element : value.toList()) {
        if (element.typeId() != QMetaType::QString)
            return std::nullopt;
        strings.append(element.toString());
    }
    return strings;
}

std::optional<QString> string(const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<MainViewDefaults::SortOptions> sortOptions(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap entry = value.toMap();
    const std::optional<QStringList> items = stringArray(entry.value(itemsKey));
    const std::optional<QString> selected = string(entry.value(selectedKey));
    if (!items || !selected)
        return std::nullopt;
    return MainViewDefaults::SortOptions{*items, *selected};
}

QStringList readSelectedLabels(UserDefaults &defaults)
{
    const std::optional<QStringList> stored = stringArray(defaults.objectForKey(MainViewDefaults::selectedLabelsKey));
    if (stored && !stored->isEmpty())
        return *stored;
    const QStringList labels{allLabels};
    defaults.setObject(labels, MainViewDefaults::selectedLabelsKey);
    return labels;
}

MainViewDefaults::ViewTypeDict readViewTypeDict(UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(MainViewDefaults::viewTypeDictKey);
    MainViewDefaults::ViewTypeDict viewTypes;
    if (stored.typeId() == QMetaType::QVariantMap) {
        const QVariantMap entries = stored.toMap();
        for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
            if (const std::optional<QStringList> columns = stringArray(entry.value()))
                viewTypes.insert(entry.key(), *columns);
        }
    }
    if (viewTypes.isEmpty()) {
        viewTypes = MainViewDefaults::defaultViewTypeDict();
        defaults.setObject(MainViewDefaults::toVariantMap(viewTypes), MainViewDefaults::viewTypeDictKey);
    }
    return viewTypes;
}

QString readSelectedViewType(UserDefaults &defaults)
{
    const std::optional<QString> stored = string(defaults.objectForKey(MainViewDefaults::selectedViewTypeKey));
    // "Name" was a view type of older versions.
    if (stored && !stored->isEmpty() && *stored != QStringLiteral("Name"))
        return *stored;
    const QString viewType = QStringLiteral("Address");
    defaults.setObject(viewType, MainViewDefaults::selectedViewTypeKey);
    return viewType;
}

MainViewDefaults::SortOptionsDict readSortOptionsDict(UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(MainViewDefaults::sortOptionsDictKey);
    const MainViewDefaults::SortOptionsDict builtIn = MainViewDefaults::defaultSortOptionsDict();
    MainViewDefaults::SortOptionsDict sortOptionsDict;
    bool repaired = stored.typeId() != QMetaType::QVariantMap;
    const QVariantMap entries = stored.toMap();
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        if (const std::optional<MainViewDefaults::SortOptions> options = sortOptions(entry.value()))
            sortOptionsDict.insert(entry.key(), *options);
    }
    // A built-in column whose entry is missing or damaged gets its own back;
    // "Phonetic Name" is the one older versions lack.
    for (auto entry = builtIn.cbegin(); entry != builtIn.cend(); ++entry) {
        if (!sortOptionsDict.contains(entry.key())) {
            sortOptionsDict.insert(entry.key(), entry.value());
            repaired = true;
        }
    }
    if (repaired)
        defaults.setObject(MainViewDefaults::toVariantMap(sortOptionsDict), MainViewDefaults::sortOptionsDictKey);
    return sortOptionsDict;
}

QString readPrintStyle(UserDefaults &defaults)
{
    const std::optional<QString> stored = string(defaults.objectForKey(PrintOptions::printStyleKey));
    if (stored && !stored->isEmpty())
        return *stored;
    const QString style = QStringLiteral("Hagaki");
    defaults.setObject(style, PrintOptions::printStyleKey);
    return style;
}

bool isFiniteNumber(const QVariant &value)
{
    return StoredValue::isNumber(value) && std::isfinite(value.toDouble());
}

} // namespace

MainViewDefaults MainViewDefaults::readAndRepair(UserDefaults &defaults)
{
    MainViewDefaults settings;
    settings.selectedLabels = readSelectedLabels(defaults);
    settings.viewTypeDict = readViewTypeDict(defaults);
    settings.selectedViewType = readSelectedViewType(defaults);
    settings.sortOptionsDict = readSortOptionsDict(defaults);
    settings.printOptions = PrintOptions::loadPrintOptions(defaults);
    settings.printStyle = readPrintStyle(defaults);
    return settings;
}

QVariantMap MainViewDefaults::aViewTypeDict()
{
    const QStringList nameOnly = {QStringLiteral("Sender"), FieldId::Name};
    const QStringList address = nameOnly + QStringList{FieldId::Renmei, FieldId::Company, FieldId::Address};
    const QStringList addressDetail = nameOnly
        + QStringList{FieldId::Renmei, FieldId::Company, FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street,
            FieldId::Country};
    return {
        {QStringLiteral("Name Only"), nameOnly},
        {QStringLiteral("Address"), address},
        {QStringLiteral("Address Detail"), addressDetail},
    };
}

MainViewDefaults::ViewTypeDict MainViewDefaults::defaultViewTypeDict()
{
    ViewTypeDict viewTypes;
    const QVariantMap builtIn = aViewTypeDict();
    for (auto entry = builtIn.cbegin(); entry != builtIn.cend(); ++entry)
        viewTypes.insert(entry.key(), entry.value().toStringList());
    return viewTypes;
}

MainViewDefaults::SortOptionsDict MainViewDefaults::defaultSortOptionsDict()
{
    return {
        {QStringLiteral("Name"),
            {{QStringLiteral("compositeName"), QStringLiteral("FirstName"), QStringLiteral("LastName")},
                QStringLiteral("compositeName")}},
        {QStringLiteral("Address"),
            {{QStringLiteral("Address"), QStringLiteral("ZIP"), QStringLiteral("State"), QStringLiteral("City"),
                 QStringLiteral("Street"), QStringLiteral("Country"), QStringLiteral("Address label")},
                QStringLiteral("Address")}},
        {phoneticNameColumn,
            {{QStringLiteral("PhoneticFirstName"), QStringLiteral("PhoneticLastName")},
                QStringLiteral("PhoneticLastName")}},
    };
}

SortDescriptor MainViewDefaults::lastSortDescriptor(const UserDefaults &defaults)
{
    return ContactsViewController::lastSortDescriptor(defaults);
}

QString MainViewDefaults::fontNameKeyFor(const QString &documentName)
{
    if (documentName.isEmpty() || documentName == QStringLiteral("AddressBook"))
        return fontNameKey;
    return fontNameKey + u' ' + documentName;
}

QString MainViewDefaults::fontSizeKeyFor(const QString &documentName)
{
    if (documentName.isEmpty() || documentName == QStringLiteral("AddressBook"))
        return fontSizeKey;
    return fontSizeKey + u' ' + documentName;
}

QFont MainViewDefaults::systemFont()
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(12);
    return font;
}

std::optional<QFont> MainViewDefaults::storedFont(const UserDefaults &defaults, const QString &documentName)
{
    const std::optional<QString> name = string(defaults.objectForKey(fontNameKeyFor(documentName)));
    if (!name || name->isEmpty() || *name == systemFontName)
        return systemFont();
    if (*name != QGuiApplication::font().family() && !QFontDatabase::hasFamily(*name))
        return std::nullopt;
    const QVariant size = defaults.objectForKey(fontSizeKeyFor(documentName));
    QFont font(*name);
    font.setPointSizeF(isFiniteNumber(size) ? std::max(size.toDouble(), 7.0) : 12.0);
    return font;
}

void MainViewDefaults::storeFont(const QFont &font, UserDefaults &defaults, const QString &documentName)
{
    defaults.setObject(font.family(), fontNameKeyFor(documentName));
    defaults.setObject(font.pointSizeF(), fontSizeKeyFor(documentName));
}
