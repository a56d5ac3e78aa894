#pragma once

#include <QStringList>

class StoreContact;

// How a contact's name reads.
class StoreContactFormatter {
public:
    enum class DisplayNameOrder { UserDefault = 0, GivenNameFirst = 1, FamilyNameFirst = 2 };

    StoreContactFormatter() = delete;

    // Family name first when the given or the family name is written in Han,
    // Hiragana, Katakana or Hangul ("山田 太郎" reads family first whatever the
    // user's language); otherwise the user's default order
    // (StoreUserDefaults::displayNameOrder). Never UserDefault.
    [[nodiscard]] static DisplayNameOrder nameOrderForContact(const StoreContact &contact);

    // The keys a contact needs for its full name to be formatted and ordered.
    [[nodiscard]] static QStringList descriptorForRequiredKeys();
};
