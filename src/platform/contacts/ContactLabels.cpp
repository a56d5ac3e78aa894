#include "platform/contacts/ContactLabels.h"

#include <QCoreApplication>

namespace {

struct LabelName {
    QLatin1StringView label;
    const char *englishName;
};

constexpr LabelName labelNames[] = {
    {ContactLabels::home, QT_TRANSLATE_NOOP("ContactLabels", "home")},
    {ContactLabels::work, QT_TRANSLATE_NOOP("ContactLabels", "work")},
    {ContactLabels::school, QT_TRANSLATE_NOOP("ContactLabels", "school")},
    {ContactLabels::other, QT_TRANSLATE_NOOP("ContactLabels", "other")},
    {ContactLabels::phoneNumberMain, QT_TRANSLATE_NOOP("ContactLabels", "main")},
    {ContactLabels::phoneNumberMobile, QT_TRANSLATE_NOOP("ContactLabels", "mobile")},
    {ContactLabels::phoneNumberiPhone, QT_TRANSLATE_NOOP("ContactLabels", "iPhone")},
    {ContactLabels::phoneNumberPager, QT_TRANSLATE_NOOP("ContactLabels", "pager")},
    {ContactLabels::phoneNumberHomeFax, QT_TRANSLATE_NOOP("ContactLabels", "home fax")},
    {ContactLabels::phoneNumberWorkFax, QT_TRANSLATE_NOOP("ContactLabels", "work fax")},
    {ContactLabels::phoneNumberOtherFax, QT_TRANSLATE_NOOP("ContactLabels", "other fax")},
    {ContactLabels::urlAddressHomePage, QT_TRANSLATE_NOOP("ContactLabels", "home page")},
    {ContactLabels::dateAnniversary, QT_TRANSLATE_NOOP("ContactLabels", "anniversary")},
    {ContactLabels::contactRelationFather, QT_TRANSLATE_NOOP("ContactLabels", "father")},
    {ContactLabels::contactRelationMother, QT_TRANSLATE_NOOP("ContactLabels", "mother")},
    {ContactLabels::contactRelationParent, QT_TRANSLATE_NOOP("ContactLabels", "parent")},
    {ContactLabels::contactRelationBrother, QT_TRANSLATE_NOOP("ContactLabels", "brother")},
    {ContactLabels::contactRelationSister, QT_TRANSLATE_NOOP("ContactLabels", "sister")},
    {ContactLabels::contactRelationChild, QT_TRANSLATE_NOOP("ContactLabels", "child")},
    {ContactLabels::contactRelationSon, QT_TRANSLATE_NOOP("ContactLabels", "son")},
    {ContactLabels::contactRelationDaughter, QT_TRANSLATE_NOOP("ContactLabels", "daughter")},
    {ContactLabels::contactRelationFriend, QT_TRANSLATE_NOOP("ContactLabels", "friend")},
    {ContactLabels::contactRelationSpouse, QT_TRANSLATE_NOOP("ContactLabels", "spouse")},
    {ContactLabels::contactRelationPartner, QT_TRANSLATE_NOOP("ContactLabels", "partner")},
    {ContactLabels::contactRelationAssistant, QT_TRANSLATE_NOOP("ContactLabels", "assistant")},
    {ContactLabels::contactRelationManager, QT_TRANSLATE_NOOP("ContactLabels", "manager")},
};

} // namespace

QString ContactLabels::localizedStringForLabel(const QString &label)
{
    for (const LabelName &entry : labelNames) {
        if (label == entry.label)
            return QCoreApplication::translate("ContactLabels", entry.englishName);
    }
    return label;
}
