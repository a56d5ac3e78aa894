#include "platform/contacts/StoreUserDefaults.h"

QString StoreUserDefaults::countryCode()
{
    return countryCodeForLocale(QLocale::system());
}

QString StoreUserDefaults::countryCodeForLocale(const QLocale &locale)
{
    if (locale.territory() == QLocale::AnyTerritory)
        return {};
    return QLocale::territoryToCode(locale.territory()).toUpper();
}

StoreUserDefaults::SortOrder StoreUserDefaults::sortOrder()
{
    return sortOrderForLocale(QLocale::system());
}

StoreUserDefaults::SortOrder StoreUserDefaults::sortOrderForLocale(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Japanese:
    case QLocale::Chinese:
    case QLocale::Korean:
    case QLocale::Hungarian:
        return SortOrder::FamilyName;
    default:
        return SortOrder::GivenName;
    }
}

int StoreUserDefaults::displayNameOrder()
{
    return sortOrder() == SortOrder::FamilyName ? 2 : 1;
}
