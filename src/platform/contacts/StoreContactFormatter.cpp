#include "platform/contacts/StoreContactFormatter.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreUserDefaults.h"

namespace {

bool isWrittenFamilyFirst(const QString &name)
{
    for (const char32_t character : name.toUcs4()) {
        switch (QChar::script(character)) {
        case QChar::Script_Han:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
        case QChar::Script_Hangul:
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace

StoreContactFormatter::DisplayNameOrder StoreContactFormatter::nameOrderForContact(const StoreContact &contact)
{
    const QString given = contact.isKeyAvailable(ContactKeys::givenName) ? contact.givenName() : QString();
    const QString family = contact.isKeyAvailable(ContactKeys::familyName) ? contact.familyName() : QString();
    if (isWrittenFamilyFirst(family) || isWrittenFamilyFirst(given))
        return DisplayNameOrder::FamilyNameFirst;
    return StoreUserDefaults::displayNameOrder() == 2 ? DisplayNameOrder::FamilyNameFirst
                                                      : DisplayNameOrder::GivenNameFirst;
}

QStringList StoreContactFormatter::descriptorForRequiredKeys()
{
    return {ContactKeys::contactType, ContactKeys::namePrefix, ContactKeys::givenName, ContactKeys::middleName,
        ContactKeys::familyName, ContactKeys::previousFamilyName, ContactKeys::nameSuffix, ContactKeys::nickname,
        ContactKeys::organizationName, ContactKeys::phoneticGivenName, ContactKeys::phoneticMiddleName,
        ContactKeys::phoneticFamilyName};
}
