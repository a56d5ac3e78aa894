#include "interchange/CsvText_p.h"

#include "platform/BackslashEscapes.h"

namespace {

constexpr BackslashEscapes::Table cellEscapes{{u'n', u'\n'}, {u't', u'\t'}, {u'\\', u'\\'}};

} // namespace

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
    return BackslashEscapes::unescape(cell, cellEscapes);
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
