#include "print/AccessoryOptions.h"
#include "print/PrintInfo.h"
#include "print/PrintOptions.h"

#include "common/TestEnvironment.h"
#include "platform/UserDefaults.h"
#include "platform/VariantPrinting.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

std::unique_ptr<UserDefaults> freshDefaults()
{
    return std::make_unique<UserDefaults>(
        TestEnvironment::makeScratchFolder(u"accessory-options"_s) + u"/Quillmark.conf"_s);
}

TEST(AccessoryOptions, BuiltRecordHasItsOwnLayout)
{
    const QVariantMap record = AccessoryOptions::createPrintOptions();
    EXPECT_EQ(record.value(Version).toInt(), 5);
    EXPECT_EQ(record.value(PrintStyle), u"Address List"_s);
    EXPECT_FALSE(record.contains(FontName));
    const QVariantMap list = record.value(AccessoryOptions::AddressListOptions).toMap();
    EXPECT_EQ(list.value(ItemTable).toList().size(), 17);
    EXPECT_EQ(list.value(FontSize), 8);
    EXPECT_EQ(list.value(TopMargin), 15);
    const QVariantMap labels = record.value(AccessoryOptions::MailingLabelsOptions).toMap();
    EXPECT_EQ(labels.value(PresetArray).toList().size(), 6);
    EXPECT_EQ(labels.value(LabelWidth), u"130"_s);
    EXPECT_EQ(record.value(AccessoryOptions::EnvelopeOptions).toMap().value(u"senderLabel"_s), u"home"_s);
    EXPECT_EQ(record.value(AccessoryOptions::HagakiOptions).toMap().value(HagakiType), u"年賀ハガキ"_s);
    for (const auto &[style, name] :
        {std::pair{u"Address List"_s, u"Address List Options"_s}, {u"Mailing Labels"_s, u"Mailing Labels Options"_s},
            {u"Hagaki"_s, u"Hagaki Options"_s}, {u"Labels"_s, QString()}}) {
        EXPECT_EQ(AccessoryOptions::subRecordName(style), name);
    }
}

TEST(AccessoryOptions, LoadingTakesOnlyACurrentDictionaryFromItsOwnKey)
{
    const QVariantMap built = AccessoryOptions::createPrintOptions();
    QVariantMap ownList = built;
    ownList.insert(PrintStyle, u"Mailing Labels"_s);
    QVariantMap lacksEnvelope = ownList;
    lacksEnvelope.remove(AccessoryOptions::EnvelopeOptions);
    lacksEnvelope.insert(AccessoryOptions::HagakiOptions, u"junk"_s);
    QVariantMap older = ownList;
    older.insert(Version, 4);
    // Stored value, then the style and envelope sender label loaded.
    struct Row {
        QVariant stored;
        QString style;
        QString senderLabel;
    };
    for (const Row &row : {Row{QVariant(), u"Address List"_s, u"home"_s}, Row{u"text"_s, u"Address List"_s, u"home"_s},
             Row{older, u"Address List"_s, u"home"_s}, Row{ownList, u"Mailing Labels"_s, u"home"_s},
             Row{lacksEnvelope, u"Mailing Labels"_s, u"home"_s}}) {
        auto defaults = freshDefaults();
        defaults->setObject(row.stored, AccessoryOptions::defaultsKey);
        const QVariantMap loaded = AccessoryOptions::loadPrintOptions(*defaults);
        EXPECT_EQ(loaded.value(PrintStyle).toString(), row.style) << row.stored.toString().toStdString();
        EXPECT_EQ(loaded.value(AccessoryOptions::EnvelopeOptions).toMap().value(u"senderLabel"_s).toString(),
            row.senderLabel);
        EXPECT_EQ(loaded.value(AccessoryOptions::HagakiOptions).typeId(), QMetaType::QVariantMap);
    }
}

TEST(AccessoryOptions, NeverTouchesThePrintOptions)
{
    auto defaults = freshDefaults();
    PrintOptions::storePrintOptions(PrintOptions::initPrintOptions(u"ja"_s), *defaults);
    ASSERT_TRUE(defaults->synchronize());
    const QVariant before = defaults->objectForKey(PrintOptions::defaultsKey);
    QVariantMap record = AccessoryOptions::loadPrintOptions(*defaults);
    record.insert(PrintStyle, u"Mailing Labels"_s);
    AccessoryOptions::storePrintOptions(record, *defaults);
    ASSERT_TRUE(defaults->synchronize());
    const UserDefaults reread(defaults->filePath());
    EXPECT_EQ(reread.objectForKey(PrintOptions::defaultsKey), before);
    EXPECT_EQ(reread.objectForKey(AccessoryOptions::defaultsKey).toMap().value(PrintStyle), u"Mailing Labels"_s);
    EXPECT_EQ(PrintOptions::loadPrintOptions(*defaults)->value(PrintStyle), u"Hagaki"_s);
}

TEST(AccessoryOptions, SummaryAndPrintStyleOfThePrintInfo)
{
    PrintInfo printInfo;
    EXPECT_EQ(AccessoryOptions::printStyle(printInfo), QString());
    using Items = QList<QPair<QString, QString>>;
    EXPECT_EQ(AccessoryOptions::localizedSummaryItems(AccessoryOptions::printStyle(printInfo)),
        Items({{u"Header and Footer"_s, u"Off"_s}, {u"Print Style"_s, QString()}}));
    AccessoryOptions::setPrintStyle(printInfo, u"Mailing Labels"_s);
    EXPECT_EQ(printInfo.dictionary().value(u"KelvoPrintType"_s), u"Mailing Labels"_s);
    EXPECT_EQ(AccessoryOptions::localizedSummaryItems(AccessoryOptions::printStyle(printInfo)),
        Items({{u"Header and Footer"_s, u"Off"_s}, {u"Print Style"_s, u"Mailing Labels"_s}}));
}

} // namespace
