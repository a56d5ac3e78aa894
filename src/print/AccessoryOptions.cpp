#include "print/AccessoryOptions.h"

#include "platform/StoredValue.h"
#include "platform/TranslationContext.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/FontResolver.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "print/VerticalFontList.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>

using namespace PrintOptionsKey;

namespace {

constexpr qint64 accessoryVersion = 5;

// Font and margins as each sub-record starts with them.
QVariantMap fontAndMargins(int fontSize, const QVariant &margin)
{
    return {
        {FontName, QGuiApplication::font().family()},
        {FontSize, fontSize},
        {TopMargin, margin},
        {LeftMargin, margin},
        {RightMargin, margin},
        {BottomMargin, margin},
    };
}

QVariantMap addressListOptions(const PrintOptionsRecord &sheetRecord)
{
    QVariantMap options = fontAndMargins(8, 15);
    options.insert({
        {PrintFrame, false},
        {AlternatingRow, true},
        {PrintCountry, false},
        // The same seventeen items the options sheet starts with.
        {ItemTable, PrintOptionValue::dictionary(sheetRecord, AddressList).value(ItemTable)},
    });
    return options;
}

QVariantMap mailingLabelsOptions(const PrintOptionsRecord &sheetRecord)
{
    const QString address = QStringLiteral("Address");
    const QString addressAndPhone = QStringLiteral("Address and Phone");
    QVariantMap options = fontAndMargins(8, QStringLiteral("10"));
    options.insert({
        {UnitType, QStringLiteral("points")},
        {QStringLiteral("printFormat"), QStringLiteral("Home address")},
        {QStringLiteral("printFormatTitles"), QStringList{address, addressAndPhone}},
        {QStringLiteral("printFormatDictionary"),
            QVariantMap{{address, QStringList{QStringLiteral("Name"), address}},
                {addressAndPhone, QStringList{QStringLiteral("Name"), address, QStringLiteral("Phone")}}}},
        {LabelHeight, QStringLiteral("60")},
        {LabelWidth, QStringLiteral("130")},
        {VGap, QStringLiteral("5")},
        {HGap, QStringLiteral("5")},
        {QStringLiteral("printPhone"), false},
        {QStringLiteral("printCompany"), false},
        {PrintCountry, false},
        {PrintFrame, true},
        {RepeatCount, 1},
        // The six presets the options sheet starts with.
        {PresetArray, PrintOptionValue::dictionary(sheetRecord, MailingLabels).value(PresetArray)},
    });
    return options;
}

QVariantMap envelopeOptions()
{
    QVariantMap options = fontAndMargins(8, QStringLiteral("20"));
    options.insert({
        {UnitType, QStringLiteral("points")},
        {QStringLiteral("printSender"), true},
        {QStringLiteral("printPhone"), false},
        {QStringLiteral("printCompany"), false},
        {PrintCountry, false},
        {QStringLiteral("printDepartment"), false},
        {QStringLiteral("printSpouse"), false},
        {QStringLiteral("senderLabel"), QStringLiteral("home")},
        {QStringLiteral("senderLabelIndex"), 0},
    });
    return options;
}

QVariantMap hagakiOptions()
{
    const QString newYear = QStringLiteral("年賀ハガキ");
    return {
        {FontSize, 16},
        {FontName, QStringLiteral("HiraMaruPro-W4")},
        {TopMargin, QStringLiteral("0")},
        {LeftMargin, QStringLiteral("0")},
        {ShowBackground, true},
        {QStringLiteral("hagakiTypeArray"), QStringList{newYear, QStringLiteral("普通ハガキ")}},
        {HagakiType, newYear},
        {Keishou, QStringLiteral("様")},
        {QStringLiteral("printCompany"), false},
        {QStringLiteral("printSender"), true},
        {QStringLiteral("printSpouse"), false},
        {PrintChildren, false},
    };
}

bool isCurrentAccessoryRecord(const QVariant &stored)
{
    if (stored.typeId() != QMetaType::QVariantMap)
        return false;
    const QVariant version = stored.toMap().value(Version);
    return StoredValue::isNumber(version) && version.toDouble() >= accessoryVersion;
}

} // namespace

QVariantMap AccessoryOptions::createPrintOptions()
{
    const PrintOptionsRecord sheetRecord = PrintOptions::initPrintOptions(QStringLiteral("en"));
    return {
        {Version, accessoryVersion},
        {PrintStyle, QStringLiteral("Address List")},
        {UnitType, QStringLiteral("points")},
        {AddressListOptions, addressListOptions(sheetRecord)},
        {MailingLabelsOptions, mailingLabelsOptions(sheetRecord)},
        {EnvelopeOptions, envelopeOptions()},
        {HagakiOptions, hagakiOptions()},
    };
}

QString AccessoryOptions::subRecordName(const QString &style)
{
    for (const QString &name : {AddressList, MailingLabels, Envelope, Hagaki}) {
        if (style == name)
            return name + QStringLiteral(" Options");
    }
    return {};
}

QVariantMap AccessoryOptions::loadPrintOptions(const UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(defaultsKey);
    QVariantMap built = createPrintOptions();
    if (!isCurrentAccessoryRecord(stored))
        return built;
    QVariantMap record = PrintOptions::deepCopyDictionary(stored.toMap());
    for (const QString &name : {AddressListOptions, MailingLabelsOptions, EnvelopeOptions, HagakiOptions}) {
        if (record.value(name).typeId() != QMetaType::QVariantMap)
            record.insert(name, built.value(name));
    }
    return record;
}

void AccessoryOptions::storePrintOptions(const QVariantMap &record, UserDefaults &defaults)
{
    defaults.setObject(record, defaultsKey);
}

QList<QPair<QString, QString>> AccessoryOptions::localizedSummaryItems(const QString &printStyle)
{
    constexpr TranslationContext tr{"AccessoryViewController"};
    return {
        {tr("Header and Footer"), tr("Off")},
        {tr("Print Style"),
            printStyle.isEmpty() ? QString()
                                 : QCoreApplication::translate("PrintStyle", printStyle.toUtf8().constData())},
    };
}

QString AccessoryOptions::printStyle(const PrintInfo &printInfo)
{
    return PrintOptionValue::text(printInfo.dictionary().value(printTypeKey));
}

void AccessoryOptions::setPrintStyle(PrintInfo &printInfo, const QString &style)
{
    if (style.isEmpty())
        printInfo.dictionary().remove(printTypeKey);
    else
        printInfo.dictionary().insert(printTypeKey, style);
}

QStringList AccessoryOptions::verticalFontNames(const QList<VerticalFontEntry> &fonts)
{
    static const QString printerFontPrefix = QStringLiteral("EPSON-");
    QStringList names;
    for (const VerticalFontEntry &font : fonts) {
        const QString name
            = font.fontName.startsWith(printerFontPrefix) ? font.fontName : FontResolver::resolvedFamily(font.fontName);
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    if (names.isEmpty())
        names.append(QGuiApplication::font().family());
    return names;
}
