#pragma once

#include "platform/BackslashEscapes.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <string_view>

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
        // The next "V" and "v" found after searchedFrom: -1 for none up to
        // the end, -2 before the first search.
        qsizetype upperV = -2;
        qsizetype lowerV = -2;
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

    // --- a card being written, in UTF-8 -------------------------------------
    // Where the card's last "END:VCARD" line starts; npos when it has none.
    [[nodiscard]] static std::size_t endLine(std::string_view card);

    // --- values ---------------------------------------------------------------
    // The own text properties (CATEGORIES) read escapes as the store's reader
    // reads the standard ones, so that a card means the same in both.
    static constexpr const BackslashEscapes::Table &textEscapes = ContactVCardSerialization::textEscapes;
    [[nodiscard]] static QString unescapeText(QStringView text);
    // The items of a CATEGORIES value: split at commas that are not escaped,
    // unescaped, trimmed; empty items dropped.
    [[nodiscard]] static QStringList splitCategories(QStringView value);

    // The joint names as X-RENMEI carries them: only line feeds escaped, as
    // files written before always had them; a backslash before anything
    // else is the joint names' own.
    static constexpr BackslashEscapes::Table renmeiEscapes{{u'n', u'\n'}};
    [[nodiscard]] static QString escapeRenmei(const QString &names);
    [[nodiscard]] static QString unescapeRenmei(QStringView value);

    // The layouts of an X-HAGAKILAYOUTS property as the text has it, its
    // continuation lines included: one layout to a line, the first after the
    // name, each further one on a continuation line of its own. A layout
    // longer than a line goes on in continuation lines of the same property
    // (the lines are folded at 75 octets): a continuation line is taken for
    // the rest of the layout before it when that layout's last line was full
    // and it does not start a layout of its own (flags, then ';', after a
    // layout that ended with its ';'). Files written before any line was
    // folded read as they always did.
    [[nodiscard]] static QStringList layoutLines(QStringView written, qsizetype nameLength);

    // The layouts of layoutLines as views, for a reader of many cards: a
    // layout that stands on one line is a view into the written text, one
    // folded over several is joined in room that the reader keeps from one
    // property to the next. The views hold until the next read.
    class LayoutReader {
    public:
        [[nodiscard]] const QList<QStringView> &read(QStringView written, qsizetype nameLength);

    private:
        // A layout continued on the next line is copied here once, and goes on here.
        [[nodiscard]] QStringView joined(QStringView layout, QStringView rest);

        QString m_joined; // never grows past its reserve, so the views into it hold
        QList<QStringView> m_lines; // the layouts of the physical lines, folds removed
        QList<QStringView> m_layouts;
    };
};
