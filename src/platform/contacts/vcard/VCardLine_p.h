#pragma once

#include <QLatin1StringView>
#include <QStringView>
#include <QVarLengthArray>

// Property and parameter names and TYPE words compared as vCard compares them,
// ASCII letters without case; the length is looked at first, since most
// comparisons on the reader's path fail there.
template <typename Word> [[nodiscard]] inline bool isSameVCardWord(QStringView text, Word word)
{
    if (text.size() != word.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t a = text.at(i).unicode();
        char16_t b = QChar(word.at(i)).unicode();
        if (a >= u'a' && a <= u'z')
            a -= 32;
        if (b >= u'a' && b <= u'z')
            b -= 32;
        if (a != b)
            return false;
    }
    return true;
}

// The neutral form of one content line, whatever vCard version wrote it:
// "item1.TEL;type=HOME;type=FAX:…", "TEL;TYPE=home,fax:…" and the 2.1 form
// "TEL;HOME;FAX:…" all give group "item1" (or none), name "TEL" and the types
// HOME and FAX. Every view points into the logical line it was parsed from and
// lives as long as that line.
struct VCardParameter {
    QStringView name; // as written; compare without case
    QStringView value; // quotes removed
};

struct VCardLine {
    QStringView group;
    QStringView name;
    // TYPE values in the order met, from "TYPE=a,b", "TYPE=a;TYPE=b" and bare
    // 2.1 parameters ("HOME", "VOICE").
    QVarLengthArray<QStringView, 6> types;
    // Every other parameter, ENCODING included (a bare 2.1 "BASE64" or
    // "QUOTED-PRINTABLE" becomes ENCODING=…).
    QVarLengthArray<VCardParameter, 4> parameters;
    QStringView value;
    // The charset of the file the text was read from, for QUOTED-PRINTABLE
    // and BASE64 values without CHARSET; null: UTF-8, or ISO-8859-1 for bytes
    // that are not UTF-8. It stays the same from line to line.
    QStringView fallbackCharset;

    // Emptied field by field: the line form is reused for every line of a
    // file, and a new one would set up both of its arrays each time.
    void clear()
    {
        group = {};
        name = {};
        types.clear();
        parameters.clear();
        value = {};
    }

    // The value of the first parameter of this name, null when there is none.
    [[nodiscard]] QStringView parameter(QStringView parameterName) const
    {
        for (const VCardParameter &p : parameters) {
            if (isSameVCardWord(p.name, parameterName))
                return p.value.isNull() ? QStringView(u"") : p.value;
        }
        return {};
    }

    [[nodiscard]] bool hasType(QStringView type) const { return hasTypeWord(type); }
    [[nodiscard]] bool hasType(QLatin1StringView type) const { return hasTypeWord(type); }

private:
    template <typename Word> [[nodiscard]] bool hasTypeWord(Word type) const
    {
        for (QStringView t : types) {
            if (isSameVCardWord(t, type))
                return true;
        }
        return false;
    }
};
