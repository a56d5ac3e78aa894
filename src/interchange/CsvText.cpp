#include "interchange/CsvText_p.h"

#include "interchange/BackslashEscapes_p.h"

QString CsvText::escape(QStringView value)
{
    QString escaped;
    escaped.reserve(value.size() + 4);
    for (const QChar c : value) {
        if (c == u'\\')
            escaped.append(u"\\\\");
        else if (c == u'\t')
            escaped.append(u"\\t");
        else if (c == u'\n')
            escaped.append(u"\\n");
        else
            escaped.append(c);
    }
    return escaped;
}

QString CsvText::unescape(QStringView cell)
{
    return BackslashEscapes::unescape(cell, [](char16_t escaped) -> char16_t {
        switch (escaped) {
        case u'n':
            return u'\n';
        case u't':
            return u'\t';
        case u'\\':
            return escaped;
        default:
            return 0;
        }
    });
}

QString CsvText::quote(QStringView value)
{
    QString quoted;
    quoted.reserve(value.size() + 2);
    quoted.append(u'"');
    for (const QChar c : value) {
        if (c == u'"')
            quoted.append(u'"');
        quoted.append(c);
    }
    quoted.append(u'"');
    return quoted;
}

bool CsvText::needsQuotes(QStringView value, QStringView separator)
{
    for (const QChar c : value) {
        if (c == u',' || c == u'"' || c == u'\r')
            return true;
    }
    return !separator.isEmpty() && value.contains(separator);
}
