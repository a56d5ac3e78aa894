#include "print/PrintOptions.h"

#include "platform/StoredValue.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/FontResolver.h"

#include <QGuiApplication>
#include <QLocale>
#include <QVariantList>

using namespace PrintOptionsKey;

namespace {

// The face the vertical text of labels, envelopes and postcards starts with.
const QString &verticalFontName()
{
    static const QString name = QStringLiteral("Hiragino Maru Gothic ProN");
    return name;
}

QVariantMap itemTableEntry(const QString &title, bool printed, bool userMayChange)
{
    return {{Title, title}, {State, QString(printed ? u'1' : u'0')}, {Enabled, QString(userMayChange ? u'1' : u'0')}};
}

QVariantMap addressListOptions()
{
    QVariantList itemTable{itemTableEntry(QStringLiteral("Name"), true, false)};
    for (const char *title :
        {"Address", "Email", "Social Network", "Instant Message", "Phone", "URL", "Nickname", "Company", "Department",
            "Job Title", "Suffix", "Relationship", "Phonetic Name", "Birthday", "Dates", "Note"})
        itemTable.append(itemTableEntry(QString::fromLatin1(title), false, true));
    return {
        {PrintFrame, false},
        {AlternatingRow, true},
        {ItemTable, itemTable},
        {SelectedLabels, QVariantList{QStringLiteral("All")}},
    };
}

QVariantMap labelPreset(const QString &name, const char *width, const char *height, const char *hGap, const char *vGap)
{
    return {
        {Name, name},
        {LabelWidth, QString::fromLatin1(width)},
        {LabelHeight, QString::fromLatin1(height)},
        {HGap, QString::fromLatin1(hGap)},
        {VGap, QString::fromLatin1(vGap)},
    };
}

QVariantMap mailingLabelOptions(const QString &verticalFamily)
{
    const QVariantList presets{
        labelPreset(QStringLiteral("130x60 points gap 5 point"), "130", "60", "5", "5"),
        labelPreset(QStringLiteral("2-5/8x1\" gap 1/8\""), "189", "72", "9", "0"),
        labelPreset(QStringLiteral("4x2\" gap 1/8\""), "288", "144", "9", "0"),
        labelPreset(QStringLiteral("55.5x29.7mm gap 0"), "157.32", "84.19", "0", "0"),
        labelPreset(QStringLiteral("66x33.9mm gap 0"), "187.1", "96.1", "0", "0"),
        labelPreset(QStringLiteral("70x37mm gap 0"), "198.4", "104.88", "0", "0"),
    };
    return {
        {LabelWidth, QStringLiteral("130")},
        {LabelHeight, QStringLiteral("60")},
        {HGap, QStringLiteral("5")},
        {VGap, QStringLiteral("5")},
        {PrintFrame, true},
        {PrintCountry, false},
        {DrawTextInVertical, false},
        {VerticalFontName, verticalFamily},
        {RepeatCount, 1},
        {PresetArray, presets},
        {SelectedPreset, QStringLiteral("130x60 points w/5 gap")},
    };
}

QVariantMap envelopeOptions(const QString &verticalFamily)
{
    return {
        {PrintBorder, false},
        {PrintCountry, false},
        {PrintZIP, false},
        {DrawTextInVertical, false},
        {TextDirection, QStringLiteral("Up-Down")},
        {VerticalFontName, verticalFamily},
    };
}

QVariantMap hagakiOptions(const QString &verticalFamily)
{
    return {
        {ShowBackground, true},
        {HagakiType, QStringLiteral("Nenga")},
        {PrintChildren, false},
        {HagakiAutoSenderPosition, false},
        {SenderZIPPositionForNenga, QStringLiteral("(15.59, 348.66)")},
        {FontName, verticalFamily},
    };
}

QVariantList deepCopyArray(const QVariantList &source)
{
    QVariantList copy;
    copy.reserve(source.size());
    for (const QVariant &element : source) {
        if (element.typeId() == QMetaType::QVariantMap)
            copy.append(PrintOptions::deepCopyDictionary(element.toMap()));
        else if (element.typeId() == QMetaType::QString)
            copy.append(element);
    }
    return copy;
}

} // namespace

PrintOptionsRecord PrintOptions::initPrintOptions(const QString &language)
{
    const bool japanese = language == QStringLiteral("ja");
    // The standard font's family stands for its identifying name: Qt names
    // faces by family and style only.
    const QString standardFamily = QGuiApplication::font().family();
    const QString verticalFamily = FontResolver::resolvedFamily(verticalFontName());
    const QString zero = QStringLiteral("0");
    return {
        {Version, currentVersion},
        {UnitType, QStringLiteral("points")},
        {AddressFormat, japanese ? QStringLiteral("ja") : QStringLiteral("en")},
        {PrintStyle, japanese ? QStringLiteral("Hagaki") : QStringLiteral("Envelope")},
        {Keishou, japanese ? QStringLiteral("様") : QStringLiteral("None")},
        {FontName, standardFamily},
        {FontSize, 14},
        {TopMargin, zero},
        {LeftMargin, zero},
        {RightMargin, zero},
        {BottomMargin, zero},
        {AddressList, addressListOptions()},
        {MailingLabels, mailingLabelOptions(verticalFamily)},
        {Envelope, envelopeOptions(verticalFamily)},
        {Hagaki, hagakiOptions(verticalFamily)},
    };
}

QString PrintOptions::preferredLanguage()
{
    return languageOf(QLocale().uiLanguages());
}

QString PrintOptions::languageOf(const QStringList &preferredLanguages)
{
    if (!preferredLanguages.isEmpty() && preferredLanguages.first().left(2) == QStringLiteral("ja"))
        return QStringLiteral("ja");
    return QStringLiteral("en");
}

QVariantMap PrintOptions::deepCopyDictionary(const QVariantMap &source)
{
    QVariantMap copy;
    for (auto entry = source.cbegin(); entry != source.cend(); ++entry) {
        const QVariant &value = entry.value();
        switch (value.typeId()) {
        case QMetaType::QVariantMap:
            copy.insert(entry.key(), deepCopyDictionary(value.toMap()));
            break;
        case QMetaType::QVariantList:
        case QMetaType::QStringList:
            copy.insert(entry.key(), deepCopyArray(value.toList()));
            break;
        default:
            copy.insert(entry.key(), value);
        }
    }
    return copy;
}

bool PrintOptions::isCurrentRecord(const QVariant &stored)
{
    if (stored.typeId() != QMetaType::QVariantMap)
        return false;
    // A "Version" of another kind (text) reads as none, that is 0.
    const QVariant version = stored.toMap().value(Version);
    return StoredValue::isNumber(version) && version.toDouble() >= currentVersion;
}

PrintOptionsRecordPtr PrintOptions::loadPrintOptions(UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(defaultsKey);
    if (!isCurrentRecord(stored))
        return buildAndStore(defaults);
    return std::make_shared<PrintOptionsRecord>(deepCopyDictionary(stored.toMap()));
}

PrintOptionsRecordPtr PrintOptions::loadStoredPrintOptions(UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(defaultsKey);
    if (stored.typeId() != QMetaType::QVariantMap)
        return buildAndStore(defaults);
    return std::make_shared<PrintOptionsRecord>(deepCopyDictionary(stored.toMap()));
}

void PrintOptions::storePrintOptions(const PrintOptionsRecord &record, UserDefaults &defaults)
{
    defaults.setObject(record, defaultsKey);
}

PrintOptionsRecordPtr PrintOptions::buildAndStore(UserDefaults &defaults)
{
    auto record = std::make_shared<PrintOptionsRecord>(initPrintOptions(preferredLanguage()));
    storePrintOptions(*record, defaults);
    return record;
}
