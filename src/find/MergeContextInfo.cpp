#include "find/MergeContextInfo.h"

#include "model/MVPerson.h"

ContactRecordPtr MergeContextInfo::workingCopy(const ContactRecordPtr &contact)
{
    if (!contact || !contact->person)
        return nullptr;
    auto copy = std::make_shared<ContactRecord>(*contact);
    MVPerson &original = *contact->person;
    copy->person = original.copy();
    // The record's copy leaves the joint names out, and applying the merge
    // compares them: without them every merge would empty both contacts'.
    const QString jointNames = original.stringValues()->value(FieldId::Renmei);
    if (!jointNames.isEmpty())
        copy->person->setStringValue(jointNames, FieldId::Renmei);
    copy->person->setShowAsPerson(original.showAsPerson());
    copy->person->setDefaultNameOrdering(original.defaultNameOrdering());
    copy->person->setNameOrdering(original.nameOrdering());
    copy->person->setDefaultCountryCode(original.defaultCountryCode());
    return copy;
}
