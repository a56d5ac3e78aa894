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
struct TemplateLine {
    QStringList literals;
    QStringList keys;
    // The address's member for each key, null for a key that names no part:
    // found once for the template instead of for every address.
    QList<StorePostalAddress::Part> parts;
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
// dangling, while a street of several lines keeps its line breaks. The text
// is changed where it lies: every line of every address formatted passes here.
void tidy(QString &text)
{
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype out = 0;
    while (out + 1 < text.size() && !(isBlank(text.at(out)) && isBlank(text.at(out + 1))))
        ++out;
    if (out + 1 < text.size()) {
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
    }
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    qsizetype begin = 0;
    while (begin < end && text.at(begin).isSpace())
        ++begin;
    text.truncate(end);
    text.remove(0, begin);
}

QString tidied(QString text)
{
    tidy(text);
    return text;
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
    for (const QString &key : std::as_const(parsed.keys))
        parsed.parts.append(StorePostalAddress::partForKey(key));
    return parsed;
}

// Templates are few (one a country) and every address of a load uses one of
// them, so each is cut into lines and placeholders once per thread. The one
// last used is compared first: the addresses of a load are mostly of one
// country, and comparing the text costs less than hashing it.
const ParsedTemplate &parsedTemplate(const QString &format)
{
    thread_local QHash<QString, ParsedTemplate> cache;
    thread_local QString lastFormat;
    // Into the cache, which moves its entries when it grows: set anew after each insertion.
    thread_local const ParsedTemplate *last = nullptr;
    if (last && lastFormat == format)
        return *last;
    auto found = cache.constFind(format);
    if (found == cache.cend()) {
        // A provider that makes up templates must not grow the cache for ever.
        if (cache.size() >= 256)
            cache.clear();
        ParsedTemplate lines;
        for (const QString &line : format.split(QLatin1Char('\n')))
            lines.append(parseLine(line));
        found = cache.insert(format, lines);
    }
    lastFormat = format;
    last = &found.value();
    return *last;
}

// The line filled in, into text, whose room is kept from one line to the next.
void fillLine(const TemplateLine &line, const StorePostalAddress &address, QString &text)
{
    text.resize(0);
    text += line.literals.first();
    for (qsizetype i = 0; i < line.parts.size(); ++i) {
        if (const StorePostalAddress::Part part = line.parts.at(i))
            text += QStringView(address.*part).trimmed();
        text += line.literals.at(i + 1);
    }
    tidy(text);
}

} // namespace

QString StorePostalAddressFormatter::formatForCountry(const QString &isoCountryCode)
{
    // Every address of a load asks with the same few codes, often in small
    // letters ("jp"): the capitalised code is made once for each.
    thread_local QString lastCode;
    thread_local QString lastUpper;
    if (isoCountryCode != lastCode) {
        lastCode = isoCountryCode;
        lastUpper = isoCountryCode.toUpper();
    }
    const QString code = lastUpper;
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
    const QString format = formatForCountry(code);
    thread_local QString filled;
    // Made in room kept from one address to the next; the text is kept with
    // its address, in room of just its size.
    thread_local QString text;
    text.resize(0);
    for (const TemplateLine &line : parsedTemplate(format)) {
        fillLine(line, address, filled);
        // A line that held only literal text around empty parts ("〒") is dropped.
        if (filled.isEmpty() || filled == line.withoutValues)
            continue;
        if (!text.isEmpty())
            text += u'\n';
        text += filled;
    }
    return QString(text.constData(), text.size());
}
