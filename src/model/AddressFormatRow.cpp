#include "model/AddressFormatRow.h"

namespace {
const QString countryCodeKey = QStringLiteral("CountryCode");
const QString countryKey = QStringLiteral("Country");
const QString alpha3Key = QStringLiteral("Alpha3");
const QString formatStringKey = QStringLiteral("formatString");
const QString orderKey = QStringLiteral("Order");
const QString localizedCountryKey = QStringLiteral("LocalizedCountry");
const QString languageKey = QStringLiteral("Language");
const QString stateCodesKey = QStringLiteral("StateCodes");
const QString statesKey = QStringLiteral("States");
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
    if (!stateCodes.isEmpty())
        map.insert(stateCodesKey, stateCodes);
    if (!states.isEmpty())
        map.insert(statesKey, states);
    for (auto it = statesByLanguage.cbegin(); it != statesByLanguage.cend(); ++it)
        map.insert(statesKey + u'.' + it.key(), it.value());
    return map;
}

AddressFormatRow AddressFormatRow::fromVariantMap(const QVariantMap &map)
{
    AddressFormatRow row;
    row.countryCode = map.value(countryCodeKey).toString();
    row.country = map.value(countryKey).toString();
    row.alpha3 = map.value(alpha3Key).toString();
    row.formatString = map.value(formatStringKey).toString();
    row.stateCodes = map.value(stateCodesKey).toStringList();
    row.states = map.value(statesKey).toStringList();
    const QString languagePrefix = statesKey + u'.';
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().startsWith(languagePrefix))
            row.statesByLanguage.insert(it.key().sliced(languagePrefix.size()), it.value().toStringList());
    }
    return row;
}

QStringList AddressFormatRow::stateChoices(const QString &language) const
{
    if (!stateCodes.isEmpty())
        return stateCodes;
    const QStringList inLanguage = statesByLanguage.value(language.toLower());
    return inLanguage.isEmpty() ? states : inLanguage;
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
