#pragma once

#include <QLocale>
#include <QString>

// The user's contact preferences, derived from the system locale (the desktop
// has no contacts settings of its own).
class StoreUserDefaults {
public:
    enum class SortOrder { None = 0, UserDefault = 1, GivenName = 2, FamilyName = 3 };

    StoreUserDefaults() = delete;

    // The territory of QLocale::system() as a two-letter code in capitals
    // ("JP"); empty when the locale names no territory.
    [[nodiscard]] static QString countryCode();
    [[nodiscard]] static QString countryCodeForLocale(const QLocale &locale);

    // Family name for Japanese, Chinese, Korean and Hungarian, given name
    // otherwise.
    [[nodiscard]] static SortOrder sortOrder();
    [[nodiscard]] static SortOrder sortOrderForLocale(const QLocale &locale);

    // The name order the user's language writes names in: family name first
    // where sortOrder() is FamilyName, given name first otherwise. Values as
    // StoreContactFormatter::DisplayNameOrder (1 given first, 2 family first).
    [[nodiscard]] static int displayNameOrder();
};
