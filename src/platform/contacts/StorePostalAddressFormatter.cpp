#include "platform/contacts/StorePostalAddressFormatter.h"

#include "platform/contacts/StoreUserDefaults.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

namespace {

const QString defaultFormat = QStringLiteral("{street}\n{city} {state} {postalCode}\n{country}");

// A few countries whose envelopes differ most from the default; the
// application's address-format data replaces this through setFormatProvider.
const QHash<QString, QString> &builtInFormats()
{
    static const QHash<QString, QString> formats{
        {QStringLiteral("JP"), QStringLiteral("〒{postalCode}\n{state}{city}{subLocality}\n{street}\n{country}")},
        {QStringLiteral("CN"), QStringLiteral("{country}\n{state}{city}{subLocality}\n{street}\n{postalCode}")},
        {QStringLiteral("KR"), QStringLiteral("{state} {city} {subLocality}\n{street}\n{postalCode}\n{country}")},
        {QStringLiteral("DE"), QStringLiteral("{street}\n{postalCode} {city}\n{country}")},
        {QStringLiteral("FR"), QStringLiteral("{street}\n{postalCode} {city}\n{country}")},
        {QStringLiteral("GB"), QStringLiteral("{street}\n{city}\n{postalCode}\n{country}")},
    };
    return formats;
}

QMutex providerMutex;
StorePostalAddressFormatter::FormatProvider &formatProvider()
{
    static StorePostalAddressFormatter::FormatProvider provider;
    return provider;
}

// One line of a template cut at its placeholders: literals.size() is
// keys.size() + 1, the keys standing between the literals.
struct TemplateLine
{
    QStringList literals;
    QStringList keys;
    // The line as it reads when every part is empty: a line that fills to
    // no more than this holds nothing of the address.
    QString withoutValues;
};
using ParsedTemplate = QList<TemplateLine>;

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Runs of two or more spaces and tabs become one space, then the ends are
// trimmed: separators around a missing part would be left doubled or
// dangling, while a street of several lines keeps its line breaks.
QString tidied(QString text)
{
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype out = 0;
    while (out + 1 < text.size() && !(isBlank(text.at(out)) && isBlank(text.at(out + 1))))
        ++out;
    if (out + 1 >= text.size())
        return text.trimmed();
    for (qsizetype in = out; in < text.size();) {
        qsizetype run = in;
        while (run < text.size() && isBlank(text.at(run)))
            ++run;
        if (run - in >= 2) {
            text[out++] = u' ';
            in = run;
        } else {
            text[out++] = text.at(in++);
        }
    }
    text.truncate(out);
    return text.trimmed();
}

// A placeholder is one or more ASCII letters in braces; any other brace is
// text, so "{{street}}" keeps one pair of braces around the street.
TemplateLine parseLine(const QString &line)
{
    TemplateLine parsed;
    QString literal;
    for (qsizetype i = 0; i < line.size();) {
        qsizetype end = i + 1;
        while (line.at(i) == u'{' && end < line.size() && isAsciiLetter(line.at(end)))
            ++end;
        if (end > i + 1 && end < line.size() && line.at(end) == u'}') {
            parsed.literals.append(literal);
            parsed.keys.append(line.mid(i + 1, end - i - 1));
            literal.clear();
            i = end + 1;
        } else {
            literal += line.at(i++);
        }
    }
    parsed.literals.append(literal);
    parsed.withoutValues = tidied(parsed.literals.join(QString()));
    return parsed;
}

// Templates are few (one a country) and every address of a load uses one of
// them, so each is cut into lines and placeholders once per thread.
ParsedTemplate parsedTemplate(const QString &format)
{
    thread_local QHash<QString, ParsedTemplate> cache;
    if (const auto found = cache.constFind(format); found != cache.cend())
        return *found;
    // A provider that makes up templates must not grow the cache for ever.
    if (cache.size() >= 256)
        cache.clear();
    ParsedTemplate lines;
    for (const QString &line : format.split(QLatin1Char('\n')))
        lines.append(parseLine(line));
    cache.insert(format, lines);
    return lines;
}

QString fillLine(const TemplateLine &line, const StorePostalAddress &address)
{
    QString result = line.literals.first();
    for (qsizetype i = 0; i < line.keys.size(); ++i) {
        result += address.valueForKey(line.keys.at(i)).trimmed();
        result += line.literals.at(i + 1);
    }
    return tidied(result);
}

}  // namespace

QString StorePostalAddressFormatter::formatForCountry(const QString &isoCountryCode)
{
    const QString code = isoCountryCode.toUpper();
    {
        QMutexLocker locker(&providerMutex);
        if (formatProvider()) {
            const QString format = formatProvider()(code);
            if (!format.isEmpty())
                return format;
        }
    }
    return builtInFormats().value(code, defaultFormat);
}

void StorePostalAddressFormatter::setFormatProvider(const FormatProvider &provider)
{
    QMutexLocker locker(&providerMutex);
    formatProvider() = provider;
}

QString StorePostalAddressFormatter::stringFromPostalAddress(const StorePostalAddress &address, Style style)
{
    Q_UNUSED(style);
    const QString code = address.isoCountryCode.isEmpty() ? StoreUserDefaults::countryCode() : address.isoCountryCode;
    QStringList lines;
    for (const TemplateLine &line : parsedTemplate(formatForCountry(code))) {
        const QString filled = fillLine(line, address);
        // A line that held only literal text around empty parts ("〒") is dropped.
        if (!filled.isEmpty() && filled != line.withoutValues)
            lines.append(filled);
    }
    return lines.join(QLatin1Char('\n'));
}
