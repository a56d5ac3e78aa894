#include "find/FindScope.h"

#include "find/FindSearch.h"
#include "model/FieldVocabulary.h"
#include "platform/contacts/ContactLabels.h"

namespace {

void moveLabel(QStringList &labels, const QString &label, qsizetype position)
{
    if (!labels.contains(label))
        return;
    labels.removeAll(label);
    labels.insert(std::min(position, labels.size()), label);
}

const QStringList &services()
{
    static const QStringList names{ContactLabels::instantMessageServiceAIM,
        ContactLabels::instantMessageServiceFacebook, ContactLabels::instantMessageServiceGaduGadu,
        ContactLabels::instantMessageServiceGoogleTalk, ContactLabels::instantMessageServiceICQ,
        ContactLabels::instantMessageServiceJabber, ContactLabels::instantMessageServiceMSN,
        ContactLabels::instantMessageServiceQQ, ContactLabels::instantMessageServiceSkype,
        ContactLabels::instantMessageServiceYahoo};
    return names;
}

} // namespace

void FindScope::choose(QStringList &selection, const QString &entry)
{
    if (entry == FindSearch::All) {
        selection = {FindSearch::All};
        return;
    }
    selection.removeAll(FindSearch::All);
    if (selection.size() > 1 && selection.contains(entry))
        selection.removeAll(entry);
    else if (!(selection.size() == 1 && selection.first() == entry))
        selection.append(entry);
}

const QStringList &FindScope::fields()
{
    return FieldVocabulary::shared().allIdentifiers();
}

QStringList FindScope::fieldsToSearch(const QStringList &selectedItems)
{
    if (selectedItems.isEmpty() || selectedItems.first() == FindSearch::All)
        return fields();
    return selectedItems;
}

QStringList FindScope::subItemsFor(const QStringList &selectedItems)
{
    const bool all = selectedItems.isEmpty() || selectedItems.first() == FindSearch::All;
    const auto chosen = [&](const QString &field) { return all || selectedItems.contains(field); };
    QStringList subItems{FindSearch::All};
    if (chosen(FieldId::Name))
        subItems << FieldId::FirstName << FieldId::MiddleName << FieldId::LastName;
    if (chosen(FieldId::PhoneticName))
        subItems << FieldId::PhoneticFirstName << FieldId::PhoneticMiddleName << FieldId::PhoneticLastName;
    if (chosen(FieldId::Address))
        subItems << FindSearch::addressParts() << FindSearch::CountryCode;
    if (chosen(FieldId::InstantMessage))
        subItems << services();
    return subItems;
}

QStringList FindScope::labelsFor(const QStringList &fieldList)
{
    QStringList labels;
    for (const QString &field : fieldList) {
        if (field != FindSearch::All)
            labels << FieldVocabulary::shared().labelsForIdentifier(field);
    }
    moveLabel(labels, QStringLiteral("home"), 1);
    moveLabel(labels, QStringLiteral("work"), 2);
    moveLabel(labels, QStringLiteral("other"), 2);
    return labels;
}
