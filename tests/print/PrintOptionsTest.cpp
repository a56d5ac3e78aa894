#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include "common/TestEnvironment.h"
#include "platform/UserDefaults.h"
#include "platform/VariantPrinting.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

std::unique_ptr<UserDefaults> freshDefaults()
{
    return std::make_unique<UserDefaults>(
        TestEnvironment::makeScratchFolder(u"print-options"_s) + u"/Quillmark.conf"_s);
}

// The same file read by a new instance: what is on disk, not in memory.
std::unique_ptr<UserDefaults> reread(const UserDefaults &defaults)
{
    return std::make_unique<UserDefaults>(defaults.filePath());
}

TEST(PrintOptionsRecord, FirstPreferredLanguageChoosesTheDefaults)
{
    // Language, print style, honorific, address format and version.
    for (const auto &[preferred, expected] : {std::pair{QStringList{u"ja-JP"_s, u"en-US"_s}, u"ja Hagaki 様 ja 5"_s},
             {QStringList{u"en-US"_s, u"ja-JP"_s}, u"en Envelope None en 5"_s},
             {QStringList{u"zh-Hans"_s}, u"en Envelope None en 5"_s}, {QStringList{}, u"en Envelope None en 5"_s}}) {
        const QString language = PrintOptions::languageOf(preferred);
        const PrintOptionsRecord record = PrintOptions::initPrintOptions(language);
        EXPECT_EQ(
            QStringList({language, record.value(PrintStyle).toString(), record.value(Keishou).toString(),
                            record.value(AddressFormat).toString(), QString::number(record.value(Version).toInt())})
                .join(u' '),
            expected);
    }
}

TEST(PrintOptionsRecord, StoredRecordReadsBackAndCopiesUnchanged)
{
    const auto defaults = freshDefaults();
    const PrintOptionsRecord built = PrintOptions::initPrintOptions(u"en"_s);
    PrintOptions::storePrintOptions(built, *defaults);
    defaults->synchronize();
    EXPECT_EQ(QVariant(*PrintOptions::loadPrintOptions(*reread(*defaults))), QVariant(built));
    EXPECT_EQ(QVariant(PrintOptions::deepCopyDictionary(built)), QVariant(built));
}

QVariant withCustomPreset(const QVariant &version)
{
    QVariantMap record = PrintOptions::initPrintOptions(u"en"_s);
    QVariantMap labels = record.value(MailingLabels).toMap();
    labels.insert(
        PresetArray, labels.value(PresetArray).toList() << QVariantMap{{Name, u"mine"_s}, {LabelWidth, 99.5}});
    record.insert(MailingLabels, labels);
    if (version.isValid())
        record.insert(Version, version);
    else
        record.remove(Version);
    return record;
}

TEST(PrintOptionsRecord, OlderOrDamagedRecordsAreRebuiltWholeCurrentOnesKept)
{
    QLocale::setDefault(QLocale(u"ja_JP"_s));
    const QVariant rebuilt = PrintOptions::initPrintOptions(u"ja"_s);
    const std::pair<const char *, QVariant> rows[]
        = {{"absent", QVariant()}, {"version4", withCustomPreset(4)}, {"noVersion", withCustomPreset(QVariant())},
            {"notADictionary", QVariantList{u"Version"_s, 5}}, {"version5", withCustomPreset(5)}};
    for (const auto &[what, stored] : rows) {
        const auto defaults = freshDefaults();
        if (stored.isValid())
            defaults->setObject(stored, PrintOptions::defaultsKey);
        const QVariant expected = qstrcmp(what, "version5") == 0 ? stored : rebuilt;
        EXPECT_EQ(QVariant(*PrintOptions::loadPrintOptions(*defaults)), expected) << what;
        EXPECT_EQ(reread(*defaults)->objectForKey(PrintOptions::defaultsKey), expected) << what;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(PrintOptionValues, TextAndNumbersReadAlikeAndPointsInBothForms)
{
    for (const auto &[stored, number, flag] : {std::tuple{QVariant(u"130"_s), 130.0, true}, {130.0, 130.0, true},
             {u" 12pt"_s, 12.0, true}, {u"-0.5"_s, -0.5, false}, {u"YES"_s, 0.0, true}, {false, 0.0, false},
             {u"none"_s, 0.0, false}, {QVariantList{1}, 0.0, false}}) {
        EXPECT_DOUBLE_EQ(PrintOptionValue::number(stored), number) << stored.toString().toStdString();
        EXPECT_EQ(PrintOptionValue::flag(stored), flag) << stored.toString().toStdString();
    }
    EXPECT_EQ(PrintOptionValue::point(u"(15.59, 348.66)"_s), QPointF(15.59, 348.66));
    EXPECT_EQ(PrintOptionValue::point(u"{20, -3.5}"_s), QPointF(20, -3.5));
    EXPECT_EQ(PrintOptionValue::point(QVariant()), QPointF());
}

} // namespace
