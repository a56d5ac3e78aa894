#include "InterchangeTestContacts.h"
#include "interchange/TextEncodingTable.h"

#include <gtest/gtest.h>

#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace {

// An interface translated into Japanese, as far as the encoding words go.
class JapaneseWords : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char * /*disambiguation*/ = nullptr,
        int /*n*/ = -1) const override
    {
        if (QByteArrayView(context) == "TextEncodingTable" && QByteArrayView(source) == "Western")
            return u"西欧"_s;
        return {};
    }
};

const QStringList unicodeRows{u"Unicode (UTF-8)"_s, u"Unicode (UTF-16BE)"_s};
const QStringList westernRows{u"Western (ISO-8859-1)"_s, u"Western (ISO-8859-15)"_s, u"Western (IBM850)"_s,
    u"Western (windows-1252)"_s, u"Western (macintosh)"_s};
const QStringList japaneseRowsInJapanese{u"日本語 (Shift_JIS)"_s, u"日本語 (EUC-JP)"_s, u"日本語 (ISO-2022-JP)"_s,
    u"日本語 (ISO-2022-JP-1)"_s, u"日本語 (ISO-2022-JP-2)"_s};

struct DefaultListRow {
    const char *name;
    QStringList preferredLanguages;
    bool japaneseInterface;
    QStringList expected;
};

class DefaultShortList : public testing::TestWithParam<DefaultListRow> { };

TEST_P(DefaultShortList, HoldsUnicodeAndTheEncodingsOfTheFirstTwoLanguages)
{
    const DefaultListRow &row = GetParam();
    JapaneseWords words;
    if (row.japaneseInterface)
        QCoreApplication::installTranslator(&words);
    const QLocale locale(row.japaneseInterface ? QLocale::Japanese : QLocale::English, QLocale::AnyTerritory);
    QList<EncodingRow> rows = TextEncodingTable::initEncodings(locale);
    TextEncodingTable::defaultEncodings(rows, row.preferredLanguages, locale);
    QCoreApplication::removeTranslator(&words);
    EXPECT_EQ(TextEncodingTable::checkedNames(rows), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Languages, DefaultShortList,
    testing::Values(DefaultListRow{"EnglishGerman", {u"en-US"_s, u"de-DE"_s}, false, unicodeRows + westernRows},
        DefaultListRow{"Japanese", {u"ja-JP"_s}, true, unicodeRows + japaneseRowsInJapanese},
        DefaultListRow{"JapaneseEnglish", {u"ja-JP"_s, u"en-US"_s}, true, unicodeRows + japaneseRowsInJapanese},
        DefaultListRow{"EnglishJapanese", {u"en-US"_s, u"ja-JP"_s}, false,
            {u"Unicode (UTF-8)"_s, u"Unicode (UTF-16BE)"_s, u"Western (ISO-8859-1)"_s, u"Western (ISO-8859-15)"_s,
                u"Japanese (Shift_JIS)"_s, u"Japanese (EUC-JP)"_s, u"Western (IBM850)"_s, u"Western (windows-1252)"_s,
                u"Western (macintosh)"_s, u"Japanese (ISO-2022-JP)"_s, u"Japanese (ISO-2022-JP-1)"_s,
                u"Japanese (ISO-2022-JP-2)"_s}},
        DefaultListRow{"Unknown", {u"xx"_s}, false, unicodeRows},
        DefaultListRow{"CLocale", {u"C"_s}, false, unicodeRows},
        DefaultListRow{"PosixLocale", {u"POSIX"_s, u"C"_s}, true, unicodeRows},
        DefaultListRow{"None", {}, false, unicodeRows}),
    rowName);

TEST(StoredShortList, KeepsTheStoredNamesAndUtf8OrFallsBackToTheDefault)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const auto shortList = [&english](const QStringList &stored) {
        QList<EncodingRow> rows = TextEncodingTable::initEncodings(english);
        TextEncodingTable::applyStoredEncodings(rows, stored, {u"en-US"_s}, english);
        return TextEncodingTable::checkedNames(rows);
    };
    EXPECT_EQ(shortList({u"Japanese (Shift_JIS)"_s}), (QStringList{u"Unicode (UTF-8)"_s, u"Japanese (Shift_JIS)"_s}));
    EXPECT_EQ(shortList({u"Klingon (pIqaD)"_s}), QStringList{u"Unicode (UTF-8)"_s});
    EXPECT_EQ(shortList({}).size(), 7);
}

TEST(EncodingIds, AnyAliasFindsItsEncodingAndShiftJisReadsTheVendorCharacters)
{
    const quint32 shiftJis = TextEncodingTable::idForCharset("SHIFT_JIS");
    EXPECT_EQ(TextEncodingTable::idForCharset("windows-31j"), shiftJis);
    EXPECT_EQ(TextEncodingTable::encoding(shiftJis)->name, u"Shift_JIS"_s);
    EXPECT_EQ(TextEncodingTable::idForCharset("IBM424_rtl"), TextEncodingTable::Automatic);
    EXPECT_EQ(TextEncodingTable::validateEncoding(12345), TextEncodingTable::UTF8);
}

} // namespace
