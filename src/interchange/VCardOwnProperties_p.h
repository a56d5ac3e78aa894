#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>

// The wire rules of the system's own vCard properties, one function each.
// Property names are recognised only where a line starts, so text inside a
// value (a note mentioning "END:VCARD") is never taken for a property.
class VCardOwnProperties {
public:
    VCardOwnProperties() = delete;

    // Where one card lies in a text: from "BEGIN:VCARD" to just past the line
    // end after "END:VCARD" (or the end of "END:VCARD" when none follows).
    struct CardExtent {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    // What the card search learnt of the text so far, so that cutting a long
    // text stays linear: where the next END:VCARD or BEGIN:VCARD line is.
    struct LineSearch {
        qsizetype searchedFrom = -1; // where the search last started, -1 before the first
        qsizetype foundAt = -1; // what it found there, -1 for none up to the end
    };
    struct CardSearch {
        LineSearch delimiter;
    };
    // The next card at or after from; nullopt when there is no BEGIN:VCARD
    // or it has no END:VCARD line after it. Both are matched ignoring case;
    // the end only where a line starts, so that a value holding the words
    // does not end the card. A card that the next BEGIN:VCARD line cuts off
    // ends there, and a last card that the end of the text cuts off runs to
    // it: both are read for what they hold.
    [[nodiscard]] static std::optional<CardExtent> findCard(QStringView text, qsizetype from, CardSearch &search);

    // Position of the first line that starts with name in text, searched from
    // from, case-sensitively; -1 when none. The first line counts as starting
    // only at position 0.
    [[nodiscard]] static qsizetype findLine(QStringView text, QStringView name, qsizetype from = 0);
    // Whether text has a line of the property name (followed by ':' or ';').
    [[nodiscard]] static bool hasProperty(QStringView text, QStringView name);
    // Which of names have a line in text, as hasProperty finds them: bit i
    // stands for names[i] (at most 32). One pass over the text, however many
    // names are asked for.
    [[nodiscard]] static quint32 propertiesWithLines(QStringView text, std::span<const QStringView> names);
    // Where the card's "END:VCARD" line starts, -1 when it has none.
    [[nodiscard]] static qsizetype endLine(QStringView card);

    // The rest of the line from position from, without its line end.
    [[nodiscard]] static QStringView restOfLine(QStringView text, qsizetype from);
    // The folded extent of the property whose name starts at from: its line
    // with its line end, and every following line that begins with a space.
    [[nodiscard]] static QStringView retriveVCardElement(QStringView text, qsizetype from);
    // The lines of a folded extent: the first without its name, each
    // continuation without its leading space, none with its line end.
    [[nodiscard]] static QList<QStringView> foldedLines(QStringView extent, qsizetype nameLength);

    // A vCard 3.0 text value: backslash, comma and semicolon escaped, every
    // line end written as \n.
    [[nodiscard]] static QString escapeText(QStringView text);
    // Undoes \\, \n, \N, \, and \; a backslash before anything else stays.
    [[nodiscard]] static QString unescapeText(QStringView text);
    // The items of a CATEGORIES value: split at commas that are not escaped,
    // unescaped, trimmed; empty items dropped.
    [[nodiscard]] static QStringList splitCategories(QStringView value);
    // The categories of one card: every "CATEGORIES:" line, in order.
    [[nodiscard]] static QStringList findCategories2(QStringView card);

    // The joint names as X-RENMEI carries them: only line feeds escaped, as
    // files written before always had them.
    [[nodiscard]] static QString escapeRenmei(const QString &names);
    [[nodiscard]] static QString unescapeRenmei(QStringView value);

    // "PHOTO;ENCODING=b;TYPE=JPEG:" with the first 48 base64 characters, then
    // continuation lines of one space and up to 74 characters, each line
    // ended by CRLF.
    [[nodiscard]] static QString foldedPhoto(const QByteArray &base64);
};
