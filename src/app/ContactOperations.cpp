// Every change of one contact's values, the Replace All of the find bar and
// the merge editor's result.

#include "app/ContactOperations.h"

#include "app/ContactOperationsHost.h"
#include "model/MVPerson.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/ContactTablePane.h"
#include "app/PersonValueRules_p.h"
#include "platform/UndoManager.h"

using namespace PersonValueRules;

namespace {

bool isNil(const PersonValue &value)
{
    return std::holds_alternative<std::monostate>(value);
}

// The fields a merge hands over, in the order it compares them.
const QList<ContactIdentifier> &mergedIdentifiers()
{
    static const QList<ContactIdentifier> identifiers{FieldId::Name, FieldId::Renmei, FieldId::Email, FieldId::Phone,
        FieldId::Address, FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::URL, FieldId::PhoneticName,
        FieldId::Nickname, FieldId::Birthday, FieldId::Relationship, FieldId::Suffix, FieldId::Title, FieldId::Company,
        FieldId::Department, FieldId::JobTitle, FieldId::Dates, FieldId::Note};
    return identifiers;
}

// The value that a replace of one labeled value takes back to; none when the
// field holds no value of that number, so that the replace changes nothing.
std::optional<PersonValue> labeledOldValue(MVPerson &person, const ContactIdentifier &field, qint64 labelIndex)
{
    const LabeledValueRecordPtr old = person.labeledValueForIdentifierAtLabelIndex(field, labelIndex);
    if (!old)
        return std::nullopt;
    return PersonValue(*old);
}

template <typename Accepted>
std::optional<PersonValue> wholeValue(const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person)
{
    if (!isNil(value) && !std::holds_alternative<Accepted>(value))
        return std::nullopt;
    return person.valueForIdentifier(identifier);
}

// Name and phonetic parts: typing the text a part already holds leaves no
// undo step.
std::optional<PersonValue> partValue(const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person)
{
    const auto *text = std::get_if<QString>(&value);
    if (!text)
        return std::nullopt;
    PersonValue old = person.valueForIdentifier(identifier);
    const auto *oldText = std::get_if<QString>(&old);
    if (oldText && *oldText == *text)
        return std::nullopt;
    return old;
}

QList<UniqueId> uniqueIdsOf(const QList<PersonRecordPtr> &contacts)
{
    QList<UniqueId> ids;
    for (const PersonRecordPtr &contact : contacts)
        ids.append(contact->uniqueId);
    return ids;
}

} // namespace

ContactOperations::ContactOperations(ContactOperationsHost &host)
    : m_host(host)
{
}

// The controller removes the inverses registered here while it still has
// the undo manager.
ContactOperations::~ContactOperations() = default;

void ContactOperations::registerReplaceValue(
    const PersonValue &old, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (UndoManager *manager = m_host.undoManager())
        manager->registerUndo(this, &ContactOperations::undoReplaceValue, old, identifier, contact);
}

namespace {

// Copies, as a layout held is changed in place by a layout text.
HagakiLayoutList layoutCopies(const HagakiLayoutList &layouts)
{
    HagakiLayoutList copies;
    copies.reserve(layouts.size());
    for (const HagakiLayoutRecordPtr &layout : layouts)
        copies.append(layout ? std::make_shared<HagakiLayoutRecord>(*layout) : layout);
    return copies;
}

} // namespace

// Taking a list of addresses back gives each address without a layout a new
// one, which the add itself did not give: the step keeps the layouts with the
// addresses, so that undo gives back the contact as it was and redo as the
// add left it.
void ContactOperations::registerReplaceAddresses(MVPerson &person, const PersonRecordPtr &contact)
{
    if (UndoManager *manager = m_host.undoManager())
        manager->registerUndo(this, &ContactOperations::undoReplaceAddresses,
            person.valueForIdentifier(FieldId::Address), layoutCopies(*person.hagakiLayouts()), contact);
}

void ContactOperations::undoReplaceAddresses(
    const PersonValue &addresses, const HagakiLayoutList &layouts, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return;
    MVPerson &person = *contact->person;
    registerReplaceAddresses(person, contact);
    person.setValue(addresses, FieldId::Address);
    person.setValue(PersonValue(layoutCopies(layouts)), FieldId::HagakiLayout);
    person.setChanged(true);
    m_host.contactDidUpdate(contact, m_host.changeSenderOr({}));
}

bool ContactOperations::undoReplaceValue(
    const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    MVPerson &person = *contact->person;
    const std::optional<PersonValue> old = acceptedOldValue(value, identifier, person);
    if (!old)
        return false;
    registerReplaceValue(*old, identifier, contact);
    applyReplacement(value, identifier, person);
    person.setChanged(true);
    m_host.contactDidUpdate(contact, m_host.changeSenderOr({}));
    return true;
}

std::optional<PersonValue> ContactOperations::acceptedOldValue(
    const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person)
{
    const auto *record = std::get_if<LabeledValueRecord>(&value);
    if (isLabeledIdentifier(identifier)) {
        if (std::holds_alternative<LabeledValueList>(value))
            return person.valueForIdentifier(identifier);
        if (record)
            return labeledOldValue(person, identifier, record->labelIndex);
        if (isNil(value))
            qWarning("%s: ERROR no value for %s", Q_FUNC_INFO, qPrintable(identifier));
        return std::nullopt;
    }
    // An address part's edit hands in the whole address.
    if (isAddressPart(identifier))
        return record ? labeledOldValue(person, FieldId::Address, record->labelIndex) : std::nullopt;
    if (identifier == FieldId::Name)
        return wholeValue<NameRecord>(value, identifier, person);
    if (identifier == FieldId::PhoneticName)
        return wholeValue<PhoneticNameRecord>(value, identifier, person);
    if (identifier == FieldId::Birthday)
        return wholeValue<BirthdayRecord>(value, identifier, person);
    if (identifier == FieldId::Photo)
        return wholeValue<QImage>(value, identifier, person);
    if (isNamePart(identifier) || isPhoneticPart(identifier))
        return partValue(value, identifier, person);
    if (identifier == FieldId::HagakiLayout) {
        const auto *layout = std::get_if<HagakiLayoutRecordPtr>(&value);
        if (!layout || !*layout)
            return std::nullopt;
        // An address added since the load has no layout yet; undoing its first
        // layout puts an empty one in its place, which prints as none.
        HagakiLayoutRecordPtr old = person.hagakiLayoutForLabelIndex((*layout)->labelIndex);
        if (!old) {
            old = std::make_shared<HagakiLayoutRecord>();
            old->labelIndex = (*layout)->labelIndex;
            old->label = (*layout)->label;
        }
        return PersonValue(old);
    }
    if (isStringIdentifier(identifier))
        return wholeValue<QString>(value, identifier, person);
    return std::nullopt;
}

void ContactOperations::applyReplacement(
    const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person)
{
    if (const auto *record = std::get_if<LabeledValueRecord>(&value)) {
        const ContactIdentifier field = isAddressPart(identifier) ? FieldId::Address : identifier;
        person.replaceLabeledValueAtLabelIndex(value, field, record->labelIndex);
    } else if (const auto *layout = std::get_if<HagakiLayoutRecordPtr>(&value)) {
        person.replaceLabeledValueAtLabelIndex(value, identifier, (*layout)->labelIndex);
    } else if (isNil(value)
        && (identifier == FieldId::Name || identifier == FieldId::PhoneticName || identifier == FieldId::Birthday
            || identifier == FieldId::Photo)) {
        person.deleteValueForIdentifier(identifier);
    } else {
        person.setValue(value, identifier);
    }
}

void ContactOperations::undoDeleteLabeledValue(
    const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return;
    if (!isLabeledIdentifier(identifier)) {
        qWarning("%s: ERROR %s holds no labeled values", Q_FUNC_INFO, qPrintable(identifier));
        return;
    }
    MVPerson &person = *contact->person;
    registerReplaceValue(person.valueForIdentifier(identifier), identifier, contact);
    person.deleteLabeledValueForIdentifierAtLabelIndex(identifier, value.labelIndex);
    person.setChanged(true);
    m_host.contactDidUpdate(contact, m_host.changeSenderOr(m_host.tablePane()));
}

void ContactOperations::undoAddLabeledValue(
    const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return;
    MVPerson &person = *contact->person;
    if (identifier == FieldId::Address) {
        registerReplaceAddresses(person, contact);
        person.addLabeledValue(value, identifier);
    } else if (isLabeledIdentifier(identifier)) {
        registerReplaceValue(person.valueForIdentifier(identifier), identifier, contact);
        person.addLabeledValue(value, identifier);
    } else if (identifier == FieldId::Birthday) {
        registerReplaceValue(person.valueForIdentifier(identifier), identifier, contact);
        if (const auto *components = std::get_if<StoreDateComponents>(&value.value))
            person.setValue(*components, identifier);
        else if (const auto *date = std::get_if<QDate>(&value.value))
            person.setValue(*date, identifier);
    }
    person.setChanged(true);
    m_host.contactDidUpdate(contact, m_host.changeSenderOr(m_host.tablePane()));
}

bool ContactOperations::undoReplaceString(const QString &find, const QString &replacement,
    const ContactIdentifier &identifier, qsizetype index, Qt::CaseSensitivity options, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    MVPerson &person = *contact->person;
    if (isNamePart(identifier) || isPhoneticPart(identifier) || isStringIdentifier(identifier)) {
        const PersonValue current = person.valueForIdentifier(identifier);
        const QString *text = std::get_if<QString>(&current);
        const QString old = text ? *text : QString();
        const QString replaced = replacedString(old, find, replacement, options);
        if (replaced == old)
            return false;
        registerReplaceValue(old, identifier, contact);
        person.setValue(replaced, identifier);
    } else if (!replaceLabeledText(find, replacement, identifier, index, options, contact)) {
        return false;
    }
    person.setChanged(true);
    return true;
}

// Addresses are rewritten part by part, each under its own key, and chat and
// social user names in the value and the user name together; the field's
// builder then makes the display string again.
bool ContactOperations::replaceLabeledText(const QString &find, const QString &replacement,
    const ContactIdentifier &identifier, qsizetype index, Qt::CaseSensitivity options, const PersonRecordPtr &contact)
{
    const bool addressPart = isAddressPart(identifier);
    const bool userName = identifier == FieldId::InstantMessage || identifier == FieldId::SocialNetwork;
    const bool plain = identifier == FieldId::Phone || identifier == FieldId::Email || identifier == FieldId::URL
        || identifier == FieldId::Relationship;
    if (!addressPart && !userName && !plain)
        return false;
    const ContactIdentifier field = addressPart ? FieldId::Address : identifier;
    MVPerson &person = *contact->person;
    const auto textOf = [&](const LabeledValueRecord &value) {
        if (addressPart)
            return value.addressPart(identifier);
        if (userName && !value.accountParts().username.isEmpty())
            return value.accountParts().username;
        return value.valueText();
    };
    // Most texts of a Replace All hold nothing to replace: they are looked
    // at as held, for reading the list anew formats every address again.
    const LabeledValueListPtr held = person.heldLabeledValues(field);
    if (!find.isEmpty() && held && index >= 0 && index < held->size()
        && !textOf(*held->at(index)).contains(find, options))
        return false;
    const LabeledValueRecordPtr old = person.labeledValueForIdentifierAtIndex(field, index);
    if (!old)
        return false;
    LabeledValueRecord changed = *old;
    const QString text = textOf(*old);
    const QString replaced = replacedString(text, find, replacement, options);
    if (replaced == text)
        return false;
    if (addressPart) {
        setAddressPart(changed, identifier, replaced);
    } else {
        changed.value = replaced;
        if (userName)
            changed.account->username = replaced;
    }
    registerReplaceValue(*old, field, contact);
    person.replaceLabeledValueAtIndex(changed, field, index);
    return true;
}

void ContactOperations::undoReplacePersonByContacts(
    const QList<PersonRecordPtr> &newContacts, const QList<PersonRecordPtr> &contacts)
{
    UndoManager *manager = m_host.undoManager();
    if (manager)
        manager->beginUndoGrouping();
    const qsizetype count = std::min(newContacts.size(), contacts.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (newContacts.at(i) && newContacts.at(i)->person && contacts.at(i) && contacts.at(i)->person)
            mergeInto(*newContacts.at(i)->person, contacts.at(i));
    }
    if (manager)
        manager->endUndoGrouping();
    refreshPopoversAfterMerge(newContacts, contacts);
    if (!newContacts.isEmpty())
        m_host.contactDidUpdate(newContacts.first(), m_host.tablePane());
}

void ContactOperations::mergeInto(MVPerson &source, const PersonRecordPtr &target)
{
    MVPerson &person = *target->person;
    // Reading the photos first brings in image data still held by a store
    // contact. A copy keeps its photo's bytes, so different bytes mean the
    // photo was set, moved or removed on the copy: an untouched photo is
    // neither encoded again nor given an undo step.
    const QImage sourcePhoto = source.photo();
    (void)person.photo();
    if (source.imageData() != person.imageData())
        undoReplaceValue(sourcePhoto.isNull() ? PersonValue() : PersonValue(sourcePhoto), FieldId::Photo, target);
    for (const ContactIdentifier &identifier : mergedIdentifiers()) {
        const PersonValue value = source.valueForIdentifier(identifier);
        if (!sameValue(value, person.valueForIdentifier(identifier)))
            undoReplaceValue(value, identifier, target);
    }
}

void ContactOperations::refreshPopoversAfterMerge(
    const QList<PersonRecordPtr> &newContacts, const QList<PersonRecordPtr> &contacts)
{
    const QList<UniqueId> newIds = uniqueIdsOf(newContacts);
    if (m_host.popover() && m_host.popover()->contact()) {
        const UniqueId shown = m_host.popover()->contact()->uniqueId;
        if (uniqueIdsOf(contacts).contains(shown)) {
            m_host.popover()->closePopover();
            m_host.setPopover(nullptr);
        } else if (newIds.contains(shown)) {
            m_host.popover()->updateTable();
        }
    }
    if (!m_host.tablePane())
        return;
    for (ContactInfoPopoverPane *detached : m_host.tablePane()->detachedWindows()) {
        if (detached && detached->contact() && newIds.contains(detached->contact()->uniqueId))
            detached->updateTable();
    }
}
