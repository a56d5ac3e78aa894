#include "model/AddressFormatRow.h"

namespace {
const QString countryCodeKey = QStringLiteral("CountryCode");
const QString countryKey = QStringLiteral("Country");
const QString alpha3Key = QStringLiteral("Alpha3");
const QString formatStringKey = QStringLiteral("formatString");
const QString orderKey = QStringLiteral("Order");
const QString localizedCountryKey = QStringLiteral("LocalizedCountry");
const QString languageKey = QStringLiteral("Language");
constexpr char16_t leftToRightMark = u'\u200E';
} // namespace

QVariantMap AddressFormatRow::toVariantMap() const
{
    QVariantMap map{
        {countryCodeKey, countryCode},
        {countryKey, country},
        {alpha3Key, alpha3},
        {formatStringKey, formatString},
        {orderKey, order},
    };
    if (localizedCountry)
        map.insert(localizedCountryKey, *localizedCountry);
    if (language) {
        map.insert(languageKey, *language);
        if (keyedByLanguage && localizedCountry)
            map.insert(countryKey + u'.' + *language, *localizedCountry);
    }
    return map;
}

AddressFormatRow AddressFormatRow::fromVariantMap(const QVariantMap &map)
{
    AddressFormatRow row;
    row.countryCode = map.value(countryCodeKey).toString();
    row.country = map.value(countryKey).toString();
    row.alpha3 = map.value(alpha3Key).toString();
    row.formatString = map.value(formatStringKey).toString();
    return row;
}

QStringList AddressFormatRow::orderFromFormatString(const QString &formatString)
{
    QString text = formatString;
    text.remove(QChar(leftToRightMark));
    QStringList tokens;
    QString token;
    for (const QChar c : text) {
        if (c.isSpace() || c == u'\u2028' || c == u'\u2029') {
            tokens.append(token);
            token.clear();
        } else {
            token.append(c);
        }
    }
    tokens.append(token);
    return tokens;
}
