#pragma once

#include "interchange/EncodingRow.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The text encodings files are read in: ICU's converters that have an IANA
// name, in ICU's order. Each has an id of its own; 0 stands for "Automatic"
// (no encoding), 4 for UTF-8 and 0x90000100 for UTF-16 big-endian, the ids the
// chooser's defaults name. Ids live only as long as the process: nothing
// stores them, the user's short list is kept by name.
class TextEncodingTable {
    Q_DECLARE_TR_FUNCTIONS(TextEncodingTable)

public:
    static constexpr quint32 Automatic = 0;
    static constexpr quint32 UTF8 = 4;
    static constexpr quint32 UTF16BigEndian = 0x90000100;

    struct Encoding {
        quint32 id = 0;
        QByteArray converterName; // ICU's own name, what ucnv_open takes
        QString name; // the preferred MIME name, else the IANA name
        QString languageCode; // the one language the encoding is made for, or empty
        const char *scriptWord = nullptr; // the script or region it covers, untranslated
    };

    [[nodiscard]] static const QList<Encoding> &encodings();
    // Null for an id no encoding has.
    [[nodiscard]] static const Encoding *encoding(quint32 id);
    // The id of the encoding any of ICU's aliases names ("SHIFT_JIS",
    // "windows-31j", "latin1"), or 0 when none of the list's has that alias.
    [[nodiscard]] static quint32 idForCharset(QByteArrayView charset);
    // The id when an encoding has it, else UTF-8.
    [[nodiscard]] static quint32 validateEncoding(quint32 id);

    // "Japanese (Shift_JIS)", "日本語 (Shift_JIS)": the language's name in the
    // locale, else the script word, else the name alone.
    [[nodiscard]] static QString displayName(const Encoding &encoding, const QLocale &locale = QLocale());
    // A language code's name in the locale; empty when ICU knows no name for it.
    [[nodiscard]] static QString languageName(const QString &code, const QLocale &locale = QLocale());

    // --- The chooser's list ------------------------------------------------
    // One unchecked row per encoding, named in the locale.
    [[nodiscard]] static QList<EncodingRow> initEncodings(const QLocale &locale = QLocale());
    // UTF-8, UTF-16 big-endian and the encodings of the first one or two
    // preferred languages ("ja-JP", "en-US", as QLocale::uiLanguages gives them).
    static void defaultEncodings(
        QList<EncodingRow> &rows, const QStringList &preferredLanguages, const QLocale &locale = QLocale());
    // The short list the user stored, or the default one when nothing is stored.
    static void applyStoredEncodings(QList<EncodingRow> &rows, const QStringList &storedNames,
        const QStringList &preferredLanguages, const QLocale &locale = QLocale());
    // The names of the checked rows, in table order, as stored.
    [[nodiscard]] static QStringList checkedNames(const QList<EncodingRow> &rows);
};
