#include "platform/contacts/StorePostalAddressFormatter.h"

#include "platform/contacts/StoreUserDefaults.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

#include <string>
#include <string_view>

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

// The lines are made in UTF-16 room of their own, kept from one address to
// the next: every line of every address formatted is made here, and Qt's
// appends and trims cost a call each for a few characters.
using LineText = std::u16string;

std::u16string_view utf16Of(const QString &text)
{
    const QStringView view(text);
    return {view.utf16(), std::size_t(view.size())};
}

// The text without the white space at its ends, as QStringView::trimmed.
std::u16string_view trimmedUtf16(const QString &text)
{
    std::u16string_view view = utf16Of(text);
    while (!view.empty() && QChar::isSpace(view.front()))
        view.remove_prefix(1);
    while (!view.empty() && QChar::isSpace(view.back()))
        view.remove_suffix(1);
    return view;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Runs of two or more spaces and tabs become one space, then the ends are
// trimmed: separators around a missing part would be left doubled or
// dangling, while a street of several lines keeps its line breaks. The text
// is changed where it lies.
void tidy(LineText &text)
{
    std::size_t out = 0;
    while (out + 1 < text.size() && !(isBlank(text[out]) && isBlank(text[out + 1])))
        ++out;
    if (out + 1 < text.size()) {
        for (std::size_t in = out; in < text.size();) {
            std::size_t run = in;
            while (run < text.size() && isBlank(text[run]))
                ++run;
            if (run - in >= 2) {
                text[out++] = u' ';
                in = run;
            } else {
                text[out++] = text[in++];
            }
        }
        text.resize(out);
    }
    std::size_t end = text.size();
    while (end > 0 && QChar::isSpace(text[end - 1]))
        --end;
    std::size_t begin = 0;
    while (begin < end && QChar::isSpace(text[begin]))
        ++begin;
    text.resize(end);
    text.erase(0, begin);
}

QString tidied(const QString &text)
{
    LineText line(utf16Of(text));
    tidy(line);
    return QString(reinterpret_cast<const QChar *>(line.data()), qsizetype(line.size()));
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

// The line filled in, into text.
void fillLine(const TemplateLine &line, const StorePostalAddress &address, LineText &text)
{
    text.assign(utf16Of(line.literals.first()));
    for (qsizetype i = 0; i < line.parts.size(); ++i) {
        if (const StorePostalAddress::Part part = line.parts.at(i))
            text.append(trimmedUtf16(address.*part));
        text.append(utf16Of(line.literals.at(i + 1)));
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
    thread_local LineText filled;
    // Made in room kept from one address to the next; the text is kept with
    // its address, in room of just its size.
    thread_local LineText text;
    text.clear();
    for (const TemplateLine &line : parsedTemplate(format)) {
        fillLine(line, address, filled);
        // A line that held only literal text around empty parts ("〒") is dropped.
        if (filled.empty() || std::u16string_view(filled) == utf16Of(line.withoutValues))
            continue;
        if (!text.empty())
            text += u'\n';
        text += filled;
    }
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}
