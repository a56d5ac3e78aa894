#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include "common/TestEnvironment.h"
#include "platform/UserDefaults.h"
#include "platform/VariantPrinting.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <memory>

using namespace PrintOptionsKey;

namespace {

std::unique_ptr<UserDefaults> freshDefaults()
{
    return std::make_unique<UserDefaults>(
        TestEnvironment::makeScratchFolder(QStringLiteral("print-options")) + QStringLiteral("/Quillmark.conf"));
}

// The same file read by a new instance: what is on disk, not in memory.
std::unique_ptr<UserDefaults> reread(const UserDefaults &defaults)
{
    return std::make_unique<UserDefaults>(defaults.filePath());
}

struct LanguageRow {
    QStringList preferredLanguages;
    const char *language;
    const char *printStyle;
    const char *keishou;
};

class PrintOptionsLanguage : public testing::TestWithParam<LanguageRow> { };

} // namespace

TEST_P(PrintOptionsLanguage, FirstPreferredLanguageChoosesTheDefaults)
{
    const LanguageRow &row = GetParam();
    const QString language = PrintOptions::languageOf(row.preferredLanguages);
    EXPECT_EQ(language, QString::fromUtf8(row.language));
    const PrintOptionsRecord record = PrintOptions::initPrintOptions(language);
    EXPECT_EQ(record.value(PrintStyle).toString(), QString::fromUtf8(row.printStyle));
    EXPECT_EQ(record.value(Keishou).toString(), QString::fromUtf8(row.keishou));
    EXPECT_EQ(record.value(AddressFormat).toString(), language);
    EXPECT_EQ(record.value(Version).toInt(), 5);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintOptionsLanguage,
    testing::Values(LanguageRow{{QStringLiteral("ja-JP"), QStringLiteral("en-US")}, "ja", "Hagaki", "様"},
        LanguageRow{{QStringLiteral("en-US"), QStringLiteral("ja-JP")}, "en", "Envelope", "None"},
        LanguageRow{{QStringLiteral("zh-Hans")}, "en", "Envelope", "None"}, LanguageRow{{}, "en", "Envelope", "None"}));

TEST(PrintOptionsRecord, StoredRecordReadsBackAndCopiesUnchanged)
{
    const auto defaults = freshDefaults();
    const PrintOptionsRecord built = PrintOptions::initPrintOptions(QStringLiteral("en"));
    PrintOptions::storePrintOptions(built, *defaults);
    defaults->synchronize();
    const PrintOptionsRecordPtr loaded = PrintOptions::loadPrintOptions(*reread(*defaults));
    EXPECT_EQ(QVariant(*loaded), QVariant(built));
    EXPECT_EQ(QVariant(PrintOptions::deepCopyDictionary(built)), QVariant(built));
}

namespace {

// Records are made when the test runs: building one needs the application's font.
struct StoredRow {
    const char *what;
    QVariant (*stored)();
    bool kept;
};

class PrintOptionsLoading : public testing::TestWithParam<StoredRow> { };

QVariantMap withCustomPreset(const QVariant &version)
{
    QVariantMap record = PrintOptions::initPrintOptions(QStringLiteral("en"));
    QVariantMap labels = record.value(MailingLabels).toMap();
    QVariantList presets = labels.value(PresetArray).toList();
    presets.append(QVariantMap{{Name, QStringLiteral("mine")}, {LabelWidth, 99.5}});
    labels.insert(PresetArray, presets);
    record.insert(MailingLabels, labels);
    if (version.isValid())
        record.insert(Version, version);
    else
        record.remove(Version);
    return record;
}

} // namespace

TEST_P(PrintOptionsLoading, OlderOrDamagedRecordsAreRebuiltWholeCurrentOnesKept)
{
    QLocale::setDefault(QLocale(QStringLiteral("ja_JP")));
    const auto defaults = freshDefaults();
    const QVariant stored = GetParam().stored();
    if (stored.isValid())
        defaults->setObject(stored, PrintOptions::defaultsKey);
    const PrintOptionsRecordPtr loaded = PrintOptions::loadPrintOptions(*defaults);
    const QVariant expected = GetParam().kept ? stored : QVariant(PrintOptions::initPrintOptions(QStringLiteral("ja")));
    EXPECT_EQ(QVariant(*loaded), expected);
    EXPECT_EQ(reread(*defaults)->objectForKey(PrintOptions::defaultsKey), expected);
    QLocale::setDefault(QLocale::c());
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintOptionsLoading,
    testing::Values(StoredRow{"absent", [] { return QVariant(); }, false},
        StoredRow{"version4", [] { return QVariant(withCustomPreset(4)); }, false},
        StoredRow{"noVersion", [] { return QVariant(withCustomPreset(QVariant())); }, false},
        StoredRow{"notADictionary",
            [] {
                return QVariant(QVariantList{QStringLiteral("Version"), 5});
            },
            false},
        StoredRow{"version5", [] { return QVariant(withCustomPreset(5)); }, true}),
    [](const testing::TestParamInfo<StoredRow> &info) { return std::string(info.param.what); });

namespace {

struct ValueRow {
    QVariant stored;
    double number;
    bool flag;
};

class PrintOptionValues : public testing::TestWithParam<ValueRow> { };

} // namespace

TEST_P(PrintOptionValues, TextAndNumbersReadAlike)
{
    EXPECT_DOUBLE_EQ(PrintOptionValue::number(GetParam().stored), GetParam().number);
    EXPECT_EQ(PrintOptionValue::flag(GetParam().stored), GetParam().flag);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintOptionValues,
    testing::Values(ValueRow{QStringLiteral("130"), 130.0, true}, ValueRow{130.0, 130.0, true},
        ValueRow{QStringLiteral(" 12pt"), 12.0, true}, ValueRow{QStringLiteral("-0.5"), -0.5, false},
        ValueRow{QStringLiteral("YES"), 0.0, true}, ValueRow{false, 0.0, false},
        ValueRow{QStringLiteral("none"), 0.0, false}, ValueRow{QVariantList{1}, 0.0, false}));

// Where the sender's boxes stand on each card type is checked on the laid-out card.
TEST(PrintOptionPoints, PointsReadInBothForms)
{
    EXPECT_EQ(PrintOptionValue::point(QStringLiteral("(15.59, 348.66)")), QPointF(15.59, 348.66));
    EXPECT_EQ(PrintOptionValue::point(QStringLiteral("{20, -3.5}")), QPointF(20, -3.5));
    EXPECT_EQ(PrintOptionValue::point(QVariant()), QPointF());
}
