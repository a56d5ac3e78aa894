// How a contact record is made, copied, identified and written back into the
// contacts store.
#include "model/MVPerson.h"

#include "model/LabeledValueBlock.h"
#include "model/StoreContactReader.h"
#include "model/StoreContactWriter.h"
#include "platform/contacts/StoreContactIdentifier.h"
#include "platform/contacts/StoreUserDefaults.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"
#include "platform/contacts/vcard/VCardUnfoldedBytes.h"

#include <QDateTime>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// The store's sort order as a name ordering: 1 by given name, 2 by family name.
int storeDefaultNameOrdering()
{
    return ValueRecordFormatter::effectiveNameOrdering(0);
}

// The labeled lists a filled record reads from its store contact, in the
// order of PersonCaches::LabeledLists.
struct StoreListReader {
    PersonCaches::Slot<LabeledValueList> slot;
    LabeledValueList (*read)(const StoreContact &, LabeledValueBlock *);
};
constexpr std::array<StoreListReader, 8> storeListReaders{{
    {PersonCaches::Phone, &StoreContactReader::phoneValues},
    {PersonCaches::Email, &StoreContactReader::emailValues},
    {PersonCaches::Address, &StoreContactReader::addressValues},
    {PersonCaches::Url, &StoreContactReader::urlValues},
    {PersonCaches::Sns, &StoreContactReader::snsValues},
    {PersonCaches::Ims, &StoreContactReader::imsValues},
    {PersonCaches::Relationship, &StoreContactReader::relationshipValues},
    {PersonCaches::Dates, &StoreContactReader::datesValues},
}};

// The store contact a record is being made from on this thread. The getters
// read it where it lies, as they read an attached one: a file of many cards
// makes one record after the other, and taking each contact onto the heap
// for the length of the reading cost two blocks and a copy of the contact.
struct ContactBeingRead {
    const MVPerson *person = nullptr;
    const StoreContact *contact = nullptr;
};
thread_local ContactBeingRead contactBeingReadHere;

} // namespace

MVPersonPtr MVPerson::initWithCNContact(const StoreContact &contact)
{
    auto person = std::make_shared<MVPerson>();
    person->m_showAsPerson = true;
    person->m_created = false;
    person->m_uniqueId = contact.identifier();
    person->m_defaultCountryCode = StoreUserDefaults::countryCode();
    person->m_defaultNameOrdering = storeDefaultNameOrdering();
    person->fillFromStoreContact(contact);
    if (!person->m_showAsPerson)
        person->setUniqueId2(person->companyContentKey());
    return person;
}

MVPersonPtr MVPerson::init()
{
    auto person = std::make_shared<MVPerson>();
    person->m_uniqueId = StoreContactIdentifier::create(StoreContactIdentifier::LetterCase::Upper);
    person->m_showAsPerson = true;
    person->m_created = true;
    person->m_defaultCountryCode = StoreUserDefaults::countryCode();
    person->m_defaultNameOrdering = storeDefaultNameOrdering();
    person->m_caches.reserveAll();
    (void)person->stringValues();
    (void)person->hagakiLayouts();
    person->shareEmptyCaches();
    return person;
}

MVPersonPtr MVPerson::initWithVCardData(const QByteArray &data)
{
    auto person = std::make_shared<MVPerson>();
    QList<StoreContact> contacts
        = ContactVCardSerialization::contactsWithData(QString::fromUtf8(VCardUnfoldedBytes(data).bytes()));
    if (contacts.isEmpty())
        return person;
    person->m_created = true;
    person->m_showAsPerson = true;
    person->m_uniqueId = contacts.first().identifier();
    person->m_defaultCountryCode = StoreUserDefaults::countryCode();
    person->fillFromStoreContact(contacts.first());
    return person;
}

const StoreContact *MVPerson::contactBeingRead() const
{
    return contactBeingReadHere.person == this ? contactBeingReadHere.contact : nullptr;
}

void MVPerson::fillFromStoreContact(const StoreContact &contact)
{
    // The caches are filled in one pass while the contact is being read;
    // every later read sees only the record's own values.
    const ContactBeingRead before = std::exchange(contactBeingReadHere, ContactBeingRead{this, &contact});
    const auto restore = qScopeGuard([&before] { contactBeingReadHere = before; });
    dropCnContact();
    m_caches.reserveAll();
    (void)nameValue();
    (void)stringValues();
    (void)phoneticNameValue();
    (void)compositeName();
    fillLabeledCaches();
    (void)birthdayValue();
    // The photo's data is taken now, while the store contact is here, and
    // decoded only when someone asks for the picture.
    takeStorePhotoData();
    // The postcard layouts are made when first asked (hagakiLayouts), one per
    // address as it stands then: most contacts of a large file are never
    // printed, and a layout for each of their addresses was a fifth of what
    // a read card held.
    shareEmptyCaches();
}

void MVPerson::fillLabeledCaches()
{
    // The lists of one contact share one block: a holder of its own for each
    // was 48 bytes a list, and most read contacts have three. A list handed
    // out keeps the block alive, and a list put in a cache later takes no
    // list's place in it, so holders see what they saw before.
    // Their records share another: a record of its own took a count and a
    // block of its own, and most read contacts have three.
    LabeledValueBlock records(std::size_t(StoreContactReader::labeledValueCount(*attachedContact())));
    std::array<LabeledValueList, storeListReaders.size()> lists;
    for (std::size_t i = 0; i < lists.size(); ++i)
        lists[i] = storeListReaders[i].read(*attachedContact(), &records);
    const auto filled = std::ranges::count_if(lists, [](const LabeledValueList &list) { return !list.isEmpty(); });
    const LabeledValueListPtr block = LabeledValueBlock::lists(std::size_t(filled));
    std::size_t used = 0;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const PersonCaches::Slot<LabeledValueList> slot = storeListReaders[i].slot;
        if (lists[i].isEmpty()) {
            m_caches.set(slot, PersonCaches::sharedEmpty(slot));
            continue;
        }
        // The addresses are formatted as they are read: a list just made from
        // the store contact needs no update, whatever its field.
        const LabeledValueListPtr list = LabeledValueBlock::at(block, used++);
        *list = std::move(lists[i]);
        m_caches.set(slot, list);
    }
}

QString MVPerson::companyContentKey()
{
    QString key;
    const StringValuesRecordPtr strings = stringValues();
    for (const ContactIdentifier &identifier :
        {FieldId::Company, FieldId::Department, FieldId::JobTitle, FieldId::Title, FieldId::Suffix, FieldId::Note})
        key += strings->value(identifier);
    // URLs take no part.
    for (const ContactIdentifier &identifier : {FieldId::Phone, FieldId::Email, FieldId::Address,
             FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::Relationship, FieldId::Dates}) {
        for (const LabeledValueRecordPtr &record : std::as_const(*labeledValues(identifier)))
            key += record->labelText() + record->stringValue;
    }
    return key + birthdayValue()->stringValue;
}

MVPersonPtr MVPerson::copy()
{
    MVPersonPtr duplicate = init();
    for (const ContactIdentifier &identifier : allIdentifiers()) {
        if (identifier == FieldId::Photo)
            continue;
        const PersonValue value = valueForIdentifier(identifier);
        if (!std::holds_alternative<std::monostate>(value))
            duplicate->setValue(value, identifier);
    }
    // The photo's own bytes: decoding and encoding again would turn a JPEG
    // into a PNG that no longer compares equal to its original.
    takeStorePhotoData();
    if (!imageData().isEmpty())
        duplicate->setImageData(imageData());
    if (!thumbnailImageData().isEmpty())
        duplicate->setThumbnailImageData(thumbnailImageData());
    return duplicate;
}

QString MVPerson::uniqueId() const
{
    return uniqueIdValue();
}

const UniqueId &MVPerson::uniqueIdValue() const
{
    if (m_uniqueId.isEmpty()) {
        const QString name = m_compositeMade ? heldCompositeName() : u"MorvaneSoftware"_s;
        m_uniqueId = QString(name + u'+' + QDateTime::currentDateTimeUtc().toString(u"yyyy-MM-dd HH:mm:ss +0000"_s));
    }
    return m_uniqueId;
}

StoreContact MVPerson::contactFromCache(const std::optional<StoreContact> &contact)
{
    StoreContact target = contact ? contact->mutableCopy() : StoreContact();
    StoreContactWriter writer(target, contact ? StoreContactWriter::Target::Fetched : StoreContactWriter::Target::New);
    writeCaches(writer);
    return target;
}

StoreContact MVPerson::contactForVCard() const
{
    // A new contact would draw an identifier that no card shows: these are
    // copies of one blank contact instead, and share its identifier.
    thread_local const StoreContact blank;
    StoreContact target = blank;
    StoreContactWriter writer(target, StoreContactWriter::Target::Serialized);
    writeCaches(writer);
    return target;
}

void MVPerson::writeCaches(StoreContactWriter &writer) const
{
    using Caches = PersonCaches;
    settleReadValues();
    const auto write = [this, &writer](auto slot, auto writeValue) {
        if (const auto *cache = m_caches.peek(slot))
            (writer.*writeValue)(*cache);
    };
    if (m_nameHeld)
        writer.writeName(m_name);
    write(Caches::PhoneticName, &StoreContactWriter::writePhoneticName);
    write(Caches::Phone, &StoreContactWriter::writePhoneValues);
    write(Caches::Email, &StoreContactWriter::writeEmailValues);
    write(Caches::Url, &StoreContactWriter::writeUrlValues);
    write(Caches::Address, &StoreContactWriter::writeAddressValues);
    write(Caches::Sns, &StoreContactWriter::writeSnsValues);
    write(Caches::Ims, &StoreContactWriter::writeImsValues);
    write(Caches::Relationship, &StoreContactWriter::writeRelationshipValues);
    write(Caches::Dates, &StoreContactWriter::writeDatesValues);
    // A birthday or photo the user removed is cleared in the store; one the
    // record never read is left as the store has it.
    write(Caches::Birthday, &StoreContactWriter::writeBirthday);
    write(Caches::Strings, &StoreContactWriter::writeStringValues);
    if (m_photoHeld)
        writer.writeImageData(imageData());
}

QByteArray MVPerson::vCardData()
{
    return ContactVCardSerialization::dataWithContacts({contactForVCard()});
}
