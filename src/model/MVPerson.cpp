#include "model/MVPerson.h"

#include "model/AssignIfChanged.h"
#include "model/HagakiLayoutString.h"
#include "model/PostalAddressTemplate.h"
#include "model/StoreContactReader.h"

#include <algorithm>
#include <array>
#include <mutex>

using namespace Qt::Literals::StringLiterals;
using Caches = PersonCaches;

namespace {
const QString noName = u"No Name"_s;

// A string record without entries, shared as PersonCaches shares the store's
// empty strings: a new contact has no string fields at all.
const StringValuesRecordPtr &noStrings()
{
    static const StringValuesRecordPtr empty = std::make_shared<StringValuesRecord>();
    return empty;
}

// Whether the strings are those of the shared record, null ones included:
// the copy a getter makes must be the very value the record had.
bool sameStrings(const StringValuesRecord &strings, const StringValuesRecord &shared)
{
    for (const ContactIdentifier &identifier : StringValuesRecord::identifiers()) {
        const std::optional<QString> entry = strings.entry(identifier);
        const std::optional<QString> sharedEntry = shared.entry(identifier);
        if (entry.has_value() != sharedEntry.has_value() || (entry && !entry->isNull()))
            return false;
    }
    return true;
}

} // namespace

MVPerson::MVPerson()
{
    initializeClass();
}

void MVPerson::initializeClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Address formats first: the tables after them may consult them.
        (void)addressFormats();
        (void)vocabulary();
        // The store's formatted addresses follow the same country formats
        // as the one-line text.
        PostalAddressTemplate::install();
    });
}

FieldVocabulary &MVPerson::vocabulary()
{
    return FieldVocabulary::shared();
}

AddressFormatTable &MVPerson::addressFormats()
{
    return AddressFormatTable::shared();
}

NameRecordPtr MVPerson::nameValue()
{
    if (!m_nameHeld) {
        m_nameHeld = true;
        if (attachedContact()) {
            StoreContactReader::readName(*attachedContact(), m_name);
            m_nameOrdering = m_name.nameOrdering;
            m_showAsPerson = m_name.showAsPerson;
            return namePointer();
        }
    }
    // The identifier-keyed setters rely on every read bringing the record's
    // flags and the display string in line with the dictionary. What is in
    // line already is not written: a job may be reading it.
    if (m_showAsPerson != m_name.showAsPerson)
        m_showAsPerson = m_name.showAsPerson;
    if (m_nameOrdering != NameOrdering(m_name.nameOrdering))
        m_nameOrdering = NameOrdering(m_name.nameOrdering);
    assignIfChanged(m_name.stringValue, ValueRecordFormatter::compositeNameFromNameDict(m_name));
    return namePointer();
}

NameRecordPtr MVPerson::namePointer()
{
    // A record on the stack (tests make some) has no owner to share.
    return NameRecordPtr(weak_from_this().lock(), &m_name);
}

PhoneticNameRecordPtr MVPerson::phoneticNameValue()
{
    PhoneticNameRecordPtr name = m_caches.takeOwnCopy(Caches::PhoneticName);
    // The phonetic name is written in the name's order, which only reading
    // the name learns from the store contact.
    if (!m_nameHeld && attachedContact())
        (void)nameValue();
    if (!name) {
        name = std::make_shared<PhoneticNameRecord>();
        if (attachedContact())
            StoreContactReader::readPhoneticName(*attachedContact(), *name);
        m_caches.set(Caches::PhoneticName, name);
    }
    assignIfChanged(name->stringValue, ValueRecordFormatter::phoneticNameString(*name, m_nameOrdering));
    return name;
}

BirthdayRecordPtr MVPerson::birthdayValue()
{
    BirthdayRecordPtr birthday = m_caches.takeOwnCopy(Caches::Birthday);
    if (!birthday) {
        birthday = std::make_shared<BirthdayRecord>();
        if (attachedContact())
            StoreContactReader::readBirthday(*attachedContact(), *birthday);
        m_caches.set(Caches::Birthday, birthday);
    }
    return birthday;
}

StringValuesRecordPtr MVPerson::stringValues()
{
    StringValuesRecordPtr strings = m_caches.takeOwnCopy(Caches::Strings);
    if (strings && strings == noStrings()) {
        strings = std::make_shared<StringValuesRecord>();
        m_caches.set(Caches::Strings, strings);
    }
    if (!strings) {
        strings = std::make_shared<StringValuesRecord>();
        if (attachedContact())
            StoreContactReader::readStringValues(*attachedContact(), *strings);
        m_caches.set(Caches::Strings, strings);
    }
    return strings;
}

LabeledValueListPtr MVPerson::makeLabeledCache(
    Caches::Slot<LabeledValueList> slot, LabeledValueList (*read)(const StoreContact &, LabeledValueBlock *))
{
    settleReadValues();
    LabeledValueListPtr cache = m_caches.takeOwnCopy(slot);
    if (!cache) {
        cache = std::make_shared<LabeledValueList>(
            attachedContact() ? read(*attachedContact(), nullptr) : LabeledValueList());
        m_caches.set(slot, cache);
    }
    return cache;
}

LabeledValueListPtr MVPerson::phoneValues()
{
    return makeLabeledCache(Caches::Phone, &StoreContactReader::phoneValues);
}

LabeledValueListPtr MVPerson::emailValues()
{
    return makeLabeledCache(Caches::Email, &StoreContactReader::emailValues);
}

LabeledValueListPtr MVPerson::addressValues()
{
    settleReadValues();
    const bool made = !m_caches.holds(Caches::Address);
    const LabeledValueListPtr addresses = makeLabeledCache(Caches::Address, &StoreContactReader::addressValues);
    // An address's display string always follows its parts, however they
    // were changed since the last read.
    if (!made || !attachedContact()) {
        for (const LabeledValueRecordPtr &address : std::as_const(*addresses))
            AddressText::updateAddressValue(address.get(), AddressText::IncludeCountryAndZIP);
    }
    return addresses;
}

LabeledValueListPtr MVPerson::urlValues()
{
    return makeLabeledCache(Caches::Url, &StoreContactReader::urlValues);
}

LabeledValueListPtr MVPerson::snsValues()
{
    return makeLabeledCache(Caches::Sns, &StoreContactReader::snsValues);
}

LabeledValueListPtr MVPerson::imsValues()
{
    return makeLabeledCache(Caches::Ims, &StoreContactReader::imsValues);
}

LabeledValueListPtr MVPerson::relationshipValues()
{
    return makeLabeledCache(Caches::Relationship, &StoreContactReader::relationshipValues);
}

LabeledValueListPtr MVPerson::datesValues()
{
    return makeLabeledCache(Caches::Dates, &StoreContactReader::datesValues);
}

struct MVPerson::LabeledCacheEntry {
    const QString &identifier;
    Caches::Slot<LabeledValueList> cache;
    LabeledValueListPtr (MVPerson::*getter)();
};

const MVPerson::LabeledCacheEntry *MVPerson::labeledCacheEntry(const ContactIdentifier &identifier)
{
    static const std::array<LabeledCacheEntry, 8> entries{{
        {FieldId::Phone, Caches::Phone, &MVPerson::phoneValues},
        {FieldId::Email, Caches::Email, &MVPerson::emailValues},
        {FieldId::Address, Caches::Address, &MVPerson::addressValues},
        {FieldId::URL, Caches::Url, &MVPerson::urlValues},
        {FieldId::SocialNetwork, Caches::Sns, &MVPerson::snsValues},
        {FieldId::InstantMessage, Caches::Ims, &MVPerson::imsValues},
        {FieldId::Relationship, Caches::Relationship, &MVPerson::relationshipValues},
        {FieldId::Dates, Caches::Dates, &MVPerson::datesValues},
    }};
    for (const LabeledCacheEntry &entry : entries) {
        if (entry.identifier == identifier)
            return &entry;
    }
    return nullptr;
}

LabeledValueListPtr MVPerson::heldLabeledValues(const ContactIdentifier &identifier) const
{
    const LabeledCacheEntry *entry = labeledCacheEntry(identifier);
    if (!entry)
        return nullptr;
    settleReadValues();
    return m_caches.get(entry->cache);
}

const LabeledValueList *MVPerson::peekLabeledValues(const ContactIdentifier &identifier) const
{
    settleReadValues();
    return peekMadeLabeledValues(identifier);
}

const LabeledValueList *MVPerson::peekMadeLabeledValues(const ContactIdentifier &identifier) const
{
    const LabeledCacheEntry *entry = labeledCacheEntry(identifier);
    return entry ? m_caches.peek(entry->cache) : nullptr;
}

const LabeledValueList *MVPerson::madeLabeledValues(const ContactIdentifier &identifier)
{
    if (const LabeledValueList *values = peekLabeledValues(identifier))
        return values;
    return labeledValues(identifier).get();
}

void MVPerson::setLabeledCache(const ContactIdentifier &identifier, const LabeledValueListPtr &values)
{
    if (const LabeledCacheEntry *entry = labeledCacheEntry(identifier)) {
        settleReadValues();
        m_caches.set(entry->cache, values);
    }
}

LabeledValueListPtr MVPerson::labeledValues(const ContactIdentifier &identifier)
{
    const LabeledCacheEntry *entry = labeledCacheEntry(identifier);
    return entry ? (this->*entry->getter)() : nullptr;
}

std::shared_ptr<HagakiLayoutList> MVPerson::hagakiLayouts()
{
    // The layouts are live objects too: the shared list gets a new layout,
    // and layouts shared with other contacts are copied.
    settleReadValues();
    if (m_layoutsShared)
        takeOwnHagakiLayouts();
    else if (m_caches.holdsSharedEmpty(Caches::Layouts))
        makeHagakiLayouts(LabeledValueList());
    else if (!m_caches.holds(Caches::Layouts))
        makeHagakiLayouts(*addressValues());
    return m_caches.get(Caches::Layouts);
}

void MVPerson::makeHagakiLayouts(const LabeledValueList &addresses)
{
    auto layouts = std::make_shared<HagakiLayoutList>();
    layouts->reserve(std::max<qsizetype>(addresses.size(), 1));
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        auto layout = std::make_shared<HagakiLayoutRecord>();
        layout->labelIndex = i;
        layout->label = addresses.at(i)->label;
        layouts->append(layout);
    }
    if (layouts->isEmpty())
        layouts->append(std::make_shared<HagakiLayoutRecord>());
    setHagakiLayouts(layouts);
}

void MVPerson::takeOwnHagakiLayouts()
{
    const HagakiLayoutList &shared = *m_caches.peek(Caches::Layouts);
    auto layouts = std::make_shared<HagakiLayoutList>();
    layouts->reserve(shared.size());
    for (const HagakiLayoutRecordPtr &layout : shared)
        layouts->append(std::make_shared<HagakiLayoutRecord>(*layout));
    setHagakiLayouts(layouts);
}

void MVPerson::shareEmptyCaches()
{
    settleReadValues();
    // A filled record's empty lists hold the shared value already.
    const auto share = [this](auto slot, bool empty) {
        if (empty && !m_caches.holdsSharedEmpty(slot))
            m_caches.set(slot, Caches::sharedEmpty(slot));
    };
    for (const Caches::Slot<LabeledValueList> slot : Caches::LabeledLists) {
        const LabeledValueList *cache = m_caches.peek(slot);
        share(slot, cache && cache->isEmpty());
    }
    const PhoneticNameRecord *phonetic = m_caches.peek(Caches::PhoneticName);
    share(Caches::PhoneticName,
        phonetic && phonetic->firstName.isNull() && phonetic->middleName.isNull() && phonetic->lastName.isNull()
            && phonetic->stringValue.isNull());
    const BirthdayRecord *birthday = m_caches.peek(Caches::Birthday);
    share(Caches::Birthday, birthday && !birthday->value && birthday->stringValue.isNull());
    const StringValuesRecord *strings = m_caches.peek(Caches::Strings);
    if (strings && sameStrings(*strings, *Caches::sharedEmpty(Caches::Strings)))
        share(Caches::Strings, true);
    else if (strings && sameStrings(*strings, *noStrings()))
        m_caches.set(Caches::Strings, noStrings());
    const HagakiLayoutList *layouts = m_caches.peek(Caches::Layouts);
    share(Caches::Layouts, layouts && layouts->size() == 1 && *layouts->constFirst() == HagakiLayoutRecord());
    m_caches.compact();
}

QString MVPerson::compositeName()
{
    // The caches as they stand: the name's display string is not recomputed.
    // Painting asks while a job may be writing the contact out: once the
    // name and the string fields are held, nothing here is written.
    if (!m_nameHeld)
        (void)nameValue();
    if (!m_showAsPerson && !m_caches.holds(Caches::Strings))
        (void)stringValues();
    if (!m_compositeMade)
        m_compositeMade = true;
    return heldCompositeName();
}

void MVPerson::settleForReaders()
{
    settleReadValues();
    takeStorePhotoData();
    (void)compositeName();
    // The table paints the strings (which an export asks for too) and the
    // birthday through their getters: each in a record of its own, asking
    // again changes nothing. The other caches are painted as held; those
    // never made are made now.
    (void)stringValues();
    (void)birthdayValue();
    if (!m_caches.holds(Caches::PhoneticName))
        (void)phoneticNameValue();
    for (const ContactIdentifier &identifier : vocabulary().labeledIdentifiers())
        (void)madeLabeledValues(identifier);
}

QString MVPerson::heldCompositeName() const
{
    QString composite;
    if (m_showAsPerson)
        composite = m_name.stringValue;
    else if (const StringValuesRecord *strings = m_caches.peek(Caches::Strings))
        composite = strings->value(FieldId::Company);
    return composite.isEmpty() ? noName : composite;
}

QString MVPerson::phoneticName() const
{
    const PhoneticNameRecord *name = m_caches.peek(Caches::PhoneticName);
    return name ? name->stringValue : QString();
}

void MVPerson::setCnContact(const std::optional<StoreContact> &contact)
{
    if (contact)
        m_rare->cnContact = *contact;
    else
        dropCnContact();
}

void MVPerson::dropCnContact()
{
    if (!m_rare.isHeld())
        return;
    m_rare->cnContact.reset();
    if (std::as_const(m_rare)->isEmpty())
        m_rare.reset();
}

qsizetype MVPerson::findLabeledValue(const LabeledValueList &values, qint64 labelIndex)
{
    if (labelIndex == -1)
        return NotFound;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (values.at(i)->labelIndex == labelIndex)
            return i;
    }
    return values.size();
}

QString MVPerson::layoutStringFromHagakiLayoutDict(const HagakiLayoutFields *layout) const
{
    return layout ? HagakiLayoutString::fromLayout(*layout) : QString();
}

void MVPerson::updateHagakiLayout(HagakiLayoutRecord *layout) const
{
    if (layout)
        layout->stringValue = layoutStringFromHagakiLayoutDict(layout);
}

void MVPerson::holdReadValues(ReadLabeledValues values)
{
    if (values.isEmpty())
        return;
    settleReadValues();
    // Made later, the lists and layouts must come out as they would now:
    // only a contact that has none of its own yet waits.
    const bool untouched = !m_caches.holds(Caches::Phone) && !m_caches.holds(Caches::Email)
        && (!m_caches.holds(Caches::Address) || m_caches.holdsSharedEmpty(Caches::Address))
        && m_caches.holdsSharedEmpty(Caches::Layouts) && !m_layoutsShared;
    if (!untouched) {
        values.applyTo(*this);
        return;
    }
    m_caches.set(Caches::ReadValues, std::make_shared<ReadLabeledValues>(std::move(values)));
}

void MVPerson::settleReadValues() const
{
    if (!m_caches.holds(Caches::ReadValues))
        return;
    // Persons are made only on the heap, never const themselves; the lists
    // are made in place as a lazily made cache is.
    auto &self = const_cast<MVPerson &>(*this);
    const std::shared_ptr<ReadLabeledValues> values = self.m_caches.get(Caches::ReadValues);
    self.m_caches.reset(Caches::ReadValues);
    values->applyTo(self);
}

// A small contact's record, its name included, and its shared_ptr's counts
// fit a 176-byte heap chunk; every byte more is a million bytes more for a
// large import.
static_assert(sizeof(void *) != 8 || sizeof(MVPerson) <= 152);
