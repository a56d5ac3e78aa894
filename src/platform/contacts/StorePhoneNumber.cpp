#include "platform/contacts/StorePhoneNumber.h"

std::optional<StorePhoneNumber> StorePhoneNumber::phoneNumberWithStringValue(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    return StorePhoneNumber(text);
}
