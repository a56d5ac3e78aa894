#include "platform/contacts/StoreContactFormatter.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreUserDefaults.h"

namespace {

// Every contact read and written asks this of its names: the characters are
// walked where they lie, a surrogate pair taken as its one character, rather
// than copied out as UCS-4 first.
bool isWrittenFamilyFirst(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t character = name[i].unicode();
        if (QChar::isHighSurrogate(character) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
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
