#include "interchange/TextEncodingTable.h"

#include <QHash>

#include <unicode/locid.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace {

constexpr quint32 firstOwnId = 0x1000;

struct Kind {
    const char *languageCode = nullptr;
    const char *scriptWord = nullptr;
};

const char *const unicode = QT_TRANSLATE_NOOP("TextEncodingTable", "Unicode");
const char *const western = QT_TRANSLATE_NOOP("TextEncodingTable", "Western");
const char *const centralEuropean = QT_TRANSLATE_NOOP("TextEncodingTable", "Central European");
const char *const southEuropean = QT_TRANSLATE_NOOP("TextEncodingTable", "South European");
const char *const baltic = QT_TRANSLATE_NOOP("TextEncodingTable", "Baltic");
const char *const cyrillic = QT_TRANSLATE_NOOP("TextEncodingTable", "Cyrillic");
const char *const nordic = QT_TRANSLATE_NOOP("TextEncodingTable", "Nordic");
const char *const celtic = QT_TRANSLATE_NOOP("TextEncodingTable", "Celtic");

// What each encoding is for, by its name. US-ASCII, the EBCDIC code pages and
// the vendor sets of no one script get no word.
const QHash<QString, Kind> &kinds()
{
    static const QHash<QString, Kind> table = [] {
        QHash<QString, Kind> kinds;
        const auto add = [&kinds](const Kind &kind, std::initializer_list<const char *> names) {
            for (const char *name : names)
                kinds.insert(QString::fromLatin1(name), kind);
        };
        add({nullptr, unicode},
            {"UTF-8", "UTF-16", "UTF-16BE", "UTF-16LE", "UTF-32", "UTF-32BE", "UTF-32LE", "UTF-7", "SCSU", "BOCU-1",
                "CESU-8"});
        add({nullptr, western}, {"ISO-8859-1", "ISO-8859-15", "windows-1252", "macintosh", "IBM850"});
        add({nullptr, centralEuropean}, {"ISO-8859-2", "windows-1250", "IBM852"});
        add({nullptr, southEuropean}, {"ISO-8859-3"});
        add({nullptr, baltic}, {"ISO-8859-4", "ISO-8859-13", "windows-1257", "IBM775"});
        add({nullptr, cyrillic}, {"ISO-8859-5", "windows-1251", "IBM855", "IBM866"});
        add({nullptr, nordic}, {"ISO-8859-10", "IBM865"});
        add({nullptr, celtic}, {"ISO-8859-14"});
        add({"ja"}, {"Shift_JIS", "EUC-JP", "ISO-2022-JP", "ISO-2022-JP-1", "ISO-2022-JP-2"});
        add({"zh"},
            {"GB18030", "GBK", "GB2312", "GB_2312-80", "HZ-GB-2312", "ISO-2022-CN", "ISO-2022-CN-EXT", "Big5",
                "Big5-HKSCS"});
        add({"ko"}, {"EUC-KR", "cp1363", "ISO-2022-KR"});
        add({"ar"}, {"ISO-8859-6", "windows-1256", "IBM864"});
        add({"el"}, {"ISO-8859-7", "windows-1253", "cp851", "IBM869"});
        add({"he"}, {"ISO-8859-8", "windows-1255", "IBM862"});
        add({"tr"}, {"ISO-8859-9", "windows-1254", "IBM857"});
        add({"th"}, {"TIS-620"});
        add({"vi"}, {"windows-1258"});
        add({"ru"}, {"KOI8-R"});
        add({"uk"}, {"KOI8-U"});
        add({"pt"}, {"IBM860"});
        add({"is"}, {"IBM861"});
        add({"fr"}, {"IBM863"});
        return kinds;
    }();
    return table;
}

QList<TextEncodingTable::Encoding> buildEncodings()
{
    QList<TextEncodingTable::Encoding> encodings;
    const int32_t count = ucnv_countAvailable();
    for (int32_t index = 0; index < count; ++index) {
        const char *converterName = ucnv_getAvailableName(index);
        UErrorCode error = U_ZERO_ERROR;
        const char *iana = ucnv_getStandardName(converterName, "IANA", &error);
        if (!iana || U_FAILURE(error))
            continue;
        error = U_ZERO_ERROR;
        const char *mime = ucnv_getStandardName(converterName, "MIME", &error);
        TextEncodingTable::Encoding encoding;
        encoding.converterName = converterName;
        encoding.name = QString::fromLatin1(mime && U_SUCCESS(error) ? mime : iana);
        if (encoding.name == u"UTF-8")
            encoding.id = TextEncodingTable::UTF8;
        else if (encoding.name == u"UTF-16BE")
            encoding.id = TextEncodingTable::UTF16BigEndian;
        else
            encoding.id = firstOwnId + quint32(index);
        const Kind kind = kinds().value(encoding.name);
        encoding.languageCode = QString::fromLatin1(kind.languageCode);
        encoding.scriptWord = kind.scriptWord;
        encodings.append(encoding);
    }
    return encodings;
}

bool isWesternLanguage(const QString &code)
{
    static const QStringList codes{QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"),
        QStringLiteral("es"), QStringLiteral("it"), QStringLiteral("nl")};
    return codes.contains(code);
}

// Plain ASCII and the EBCDIC pages never join the default short list, even
// where a name calls them Western.
const QStringList &excludedWesternRows()
{
    static const QStringList names{QStringLiteral("Western (ASCII)"), QStringLiteral("Western (Mac Mail)"),
        QStringLiteral("Western (NextStep)"), QStringLiteral("Western (EBCDIC Latin Core)"),
        QStringLiteral("Western (EBCDIC Latin 1)")};
    return names;
}

} // namespace

const QList<TextEncodingTable::Encoding> &TextEncodingTable::encodings()
{
    static const QList<Encoding> list = buildEncodings();
    return list;
}

const TextEncodingTable::Encoding *TextEncodingTable::encoding(quint32 id)
{
    for (const Encoding &candidate : encodings()) {
        if (candidate.id == id)
            return &candidate;
    }
    return nullptr;
}

quint32 TextEncodingTable::idForCharset(QByteArrayView charset)
{
    const QByteArray name = charset.trimmed().toByteArray();
    if (name.isEmpty())
        return Automatic;
    UErrorCode error = U_ZERO_ERROR;
    const char *converterName = ucnv_getAlias(name.constData(), 0, &error);
    if (!converterName || U_FAILURE(error))
        return Automatic;
    for (const Encoding &candidate : encodings()) {
        if (candidate.converterName == converterName)
            return candidate.id;
    }
    return Automatic;
}

quint32 TextEncodingTable::validateEncoding(quint32 id)
{
    return encoding(id) ? id : UTF8;
}

QString TextEncodingTable::languageName(const QString &code, const QLocale &locale)
{
    icu::UnicodeString name;
    const icu::Locale language(code.toLatin1().constData());
    language.getDisplayLanguage(icu::Locale(locale.name().toLatin1().constData()), name);
    const QString text = QString(reinterpret_cast<const QChar *>(name.getBuffer()), name.length());
    // ICU names a language it doesn't know by its code, lowercased ("C" and
    // "POSIX" come back as "c" and "po"): that is no name, and as a word it
    // would match every encoding whose name holds the letters.
    const bool unknown = text.compare(code, Qt::CaseInsensitive) == 0
        || text.compare(QLatin1String(language.getLanguage()), Qt::CaseInsensitive) == 0;
    return unknown ? QString() : text;
}

QString TextEncodingTable::displayName(const Encoding &encoding, const QLocale &locale)
{
    QString word;
    if (!encoding.languageCode.isEmpty())
        word = languageName(encoding.languageCode, locale);
    else if (encoding.scriptWord)
        word = tr(encoding.scriptWord);
    return word.isEmpty() ? encoding.name : word + QStringLiteral(" (") + encoding.name + QLatin1Char(')');
}

QList<EncodingRow> TextEncodingTable::initEncodings(const QLocale &locale)
{
    QList<EncodingRow> rows;
    rows.reserve(encodings().size());
    for (const Encoding &encoding : encodings())
        rows.append({false, encoding.id, displayName(encoding, locale)});
    return rows;
}

void TextEncodingTable::defaultEncodings(
    QList<EncodingRow> &rows, const QStringList &preferredLanguages, const QLocale &locale)
{
    for (EncodingRow &row : rows)
        row.checkBox = row.nsEncoding == UTF8 || row.nsEncoding == UTF16BigEndian;
    for (const QString &language : preferredLanguages.mid(0, 2)) {
        const QString code = language.left(2);
        // Compared as it stands: under a translated interface the rows carry
        // the translated word, and English adds nothing there.
        const QString word = isWesternLanguage(code) ? QStringLiteral("Western") : languageName(code, locale);
        if (word.isEmpty())
            continue;
        for (EncodingRow &row : rows) {
            if (row.encodingName.contains(word))
                row.checkBox = true;
        }
    }
    for (EncodingRow &row : rows) {
        if (excludedWesternRows().contains(row.encodingName))
            row.checkBox = false;
    }
}

void TextEncodingTable::applyStoredEncodings(QList<EncodingRow> &rows, const QStringList &storedNames,
    const QStringList &preferredLanguages, const QLocale &locale)
{
    if (storedNames.isEmpty()) {
        defaultEncodings(rows, preferredLanguages, locale);
        return;
    }
    for (EncodingRow &row : rows)
        row.checkBox = false;
    // UTF-8 comes first in the list, so every stored name, found or not,
    // keeps it in the short list.
    for (const QString &name : storedNames) {
        for (EncodingRow &row : rows) {
            if (row.nsEncoding == UTF8)
                row.checkBox = true;
            if (row.encodingName == name) {
                row.checkBox = true;
                break;
            }
        }
    }
}

QStringList TextEncodingTable::checkedNames(const QList<EncodingRow> &rows)
{
    QStringList names;
    for (const EncodingRow &row : rows) {
        if (row.checkBox)
            names.append(row.encodingName);
    }
    return names;
}
