#include "platform/contacts/StorePostalAddressFormatter.h"

#include "platform/contacts/StoreUserDefaults.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>
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

QString fillLine(const QString &line, const StorePostalAddress &address)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{([A-Za-z]+)\\}"));
    QString result;
    qsizetype position = 0;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(line)) {
        result += line.mid(position, match.capturedStart() - position);
        result += address.valueForKey(match.captured(1)).trimmed();
        position = match.capturedEnd();
    }
    result += line.mid(position);
    // Separators around a missing part would be left doubled or dangling; a
    // street of several lines keeps its line breaks.
    static const QRegularExpression spaces(QStringLiteral("[ \\t]{2,}"));
    return result.replace(spaces, QStringLiteral(" ")).trimmed();
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
    for (const QString &line : formatForCountry(code).split(QLatin1Char('\n'))) {
        const QString filled = fillLine(line, address);
        // A line that held only literal text around empty parts ("〒") is dropped.
        if (!filled.isEmpty() && filled != fillLine(line, StorePostalAddress()))
            lines.append(filled);
    }
    return lines.join(QLatin1Char('\n'));
}
