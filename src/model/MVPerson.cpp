#include "model/MVPerson.h"

#include "model/PostalAddressTemplate.h"
#include "model/StoreContactReader.h"

#include <array>
#include <mutex>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString noName = u"No Name"_s;

// The value a cache holds when the store contact gave nothing for it. A record
// whose cache equals it points at this one shared object instead of a copy of
// its own: an import of a million cards holds one empty phonetic name, one
// empty URL list and so on, not a million each. Every getter gives the record
// a copy of its own before handing the cache out, so the shared one is never
// changed; only the record's own readers and the write-back see it.
template <typename T> const std::shared_ptr<T> &sharedEmpty()
{
    static const std::shared_ptr<T> empty = std::make_shared<T>();
    return empty;
}

// The string fields of a store contact without any: each present and null.
const StringValuesRecordPtr &emptyStoreStrings()
{
    static const StringValuesRecordPtr empty = [] {
        auto strings = std::make_shared<StringValuesRecord>();
        for (const ContactIdentifier &identifier : StringValuesRecord::identifiers()) {
            if (identifier != FieldId::Renmei)
                strings->setEntry(identifier, QString());
        }
        return strings;
    }();
    return empty;
}

// The layout list of a contact without addresses: one unset layout.
const std::shared_ptr<HagakiLayoutList> &emptyLayouts()
{
    static const auto empty
        = std::make_shared<HagakiLayoutList>(HagakiLayoutList{std::make_shared<HagakiLayoutRecord>()});
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

template <typename T> void takeOwnCopy(std::shared_ptr<T> &cache, const std::shared_ptr<T> &shared)
{
    if (cache && cache == shared)
        cache = std::make_shared<T>(*shared);
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

void MVPerson::setAddressFormatDict(const QList<AddressFormatRow> &rows)
{
    addressFormats().mergeRows(rows, AddressFormatTable::userLanguage(), AddressFormatTable::userRegion());
}

NameRecordPtr MVPerson::nameValue()
{
    if (!m_nameValue) {
        m_nameValue = std::make_shared<NameRecord>();
        if (m_cnContact) {
            StoreContactReader::readName(*m_cnContact, *m_nameValue);
            m_nameOrdering = m_nameValue->nameOrdering;
            m_showAsPerson = m_nameValue->showAsPerson;
            return m_nameValue;
        }
    }
    // The identifier-keyed setters rely on every read bringing the record's
    // flags and the display string in line with the dictionary.
    m_showAsPerson = m_nameValue->showAsPerson;
    m_nameOrdering = m_nameValue->nameOrdering;
    m_nameValue->stringValue = ValueRecordFormatter::compositeNameFromNameDict(*m_nameValue);
    return m_nameValue;
}

PhoneticNameRecordPtr MVPerson::phoneticNameValue()
{
    takeOwnCopy(m_phoneticNameValue, sharedEmpty<PhoneticNameRecord>());
    // The phonetic name is written in the name's order, which only reading
    // the name learns from the store contact.
    if (!m_nameValue && m_cnContact)
        (void)nameValue();
    if (!m_phoneticNameValue) {
        m_phoneticNameValue = std::make_shared<PhoneticNameRecord>();
        if (m_cnContact)
            StoreContactReader::readPhoneticName(*m_cnContact, *m_phoneticNameValue);
    }
    m_phoneticNameValue->stringValue = ValueRecordFormatter::phoneticNameString(*m_phoneticNameValue, m_nameOrdering);
    return m_phoneticNameValue;
}

BirthdayRecordPtr MVPerson::birthdayValue()
{
    takeOwnCopy(m_birthdayValue, sharedEmpty<BirthdayRecord>());
    if (!m_birthdayValue) {
        m_birthdayValue = std::make_shared<BirthdayRecord>();
        if (m_cnContact)
            StoreContactReader::readBirthday(*m_cnContact, *m_birthdayValue);
    }
    return m_birthdayValue;
}

StringValuesRecordPtr MVPerson::stringValues()
{
    takeOwnCopy(m_stringValues, sharedEmpty<StringValuesRecord>());
    takeOwnCopy(m_stringValues, emptyStoreStrings());
    if (!m_stringValues) {
        m_stringValues = std::make_shared<StringValuesRecord>();
        if (m_cnContact)
            StoreContactReader::readStringValues(*m_cnContact, *m_stringValues);
    }
    return m_stringValues;
}

LabeledValueListPtr &MVPerson::makeLabeledCache(
    LabeledValueListPtr &cache, LabeledValueList (*read)(const StoreContact &))
{
    takeOwnCopy(cache, sharedEmpty<LabeledValueList>());
    if (!cache)
        cache = std::make_shared<LabeledValueList>(m_cnContact ? read(*m_cnContact) : LabeledValueList());
    return cache;
}

LabeledValueListPtr MVPerson::phoneValues()
{
    return makeLabeledCache(m_phoneValues, &StoreContactReader::phoneValues);
}

LabeledValueListPtr MVPerson::emailValues()
{
    return makeLabeledCache(m_emailValues, &StoreContactReader::emailValues);
}

LabeledValueListPtr MVPerson::addressValues()
{
    const bool made = !m_addressValues;
    makeLabeledCache(m_addressValues, &StoreContactReader::addressValues);
    // An address's display string always follows its parts, however they
    // were changed since the last read.
    if (!made || !m_cnContact) {
        for (const LabeledValueRecordPtr &address : std::as_const(*m_addressValues))
            AddressText::updateAddressValue(address.get(), AddressText::IncludeCountryAndZIP);
    }
    return m_addressValues;
}

LabeledValueListPtr MVPerson::urlValues()
{
    return makeLabeledCache(m_urlValues, &StoreContactReader::urlValues);
}

LabeledValueListPtr MVPerson::snsValues()
{
    return makeLabeledCache(m_snsValues, &StoreContactReader::snsValues);
}

LabeledValueListPtr MVPerson::imsValues()
{
    return makeLabeledCache(m_imsValues, &StoreContactReader::imsValues);
}

LabeledValueListPtr MVPerson::relationshipValues()
{
    return makeLabeledCache(m_relationshipValues, &StoreContactReader::relationshipValues);
}

LabeledValueListPtr MVPerson::datesValues()
{
    return makeLabeledCache(m_datesValues, &StoreContactReader::datesValues);
}

struct MVPerson::LabeledCacheEntry {
    const QString &identifier;
    LabeledValueListPtr MVPerson::*cache;
    LabeledValueListPtr (MVPerson::*getter)();
};

const MVPerson::LabeledCacheEntry *MVPerson::labeledCacheEntry(const ContactIdentifier &identifier)
{
    static const std::array<LabeledCacheEntry, 8> entries{{
        {FieldId::Phone, &MVPerson::m_phoneValues, &MVPerson::phoneValues},
        {FieldId::Email, &MVPerson::m_emailValues, &MVPerson::emailValues},
        {FieldId::Address, &MVPerson::m_addressValues, &MVPerson::addressValues},
        {FieldId::URL, &MVPerson::m_urlValues, &MVPerson::urlValues},
        {FieldId::SocialNetwork, &MVPerson::m_snsValues, &MVPerson::snsValues},
        {FieldId::InstantMessage, &MVPerson::m_imsValues, &MVPerson::imsValues},
        {FieldId::Relationship, &MVPerson::m_relationshipValues, &MVPerson::relationshipValues},
        {FieldId::Dates, &MVPerson::m_datesValues, &MVPerson::datesValues},
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
    return entry ? this->*entry->cache : nullptr;
}

void MVPerson::setLabeledCache(const ContactIdentifier &identifier, const LabeledValueListPtr &values)
{
    if (const LabeledCacheEntry *entry = labeledCacheEntry(identifier))
        this->*entry->cache = values;
}

LabeledValueListPtr MVPerson::labeledValues(const ContactIdentifier &identifier)
{
    const LabeledCacheEntry *entry = labeledCacheEntry(identifier);
    return entry ? (this->*entry->getter)() : nullptr;
}

std::shared_ptr<HagakiLayoutList> MVPerson::hagakiLayouts()
{
    // The layouts are live objects too: the shared list gets a new layout.
    if (m_hagakiLayouts && m_hagakiLayouts == emptyLayouts())
        makeHagakiLayouts(LabeledValueList());
    else if (!m_hagakiLayouts)
        makeHagakiLayouts(*addressValues());
    return m_hagakiLayouts;
}

void MVPerson::makeHagakiLayouts(const LabeledValueList &addresses)
{
    m_hagakiLayouts = std::make_shared<HagakiLayoutList>();
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        auto layout = std::make_shared<HagakiLayoutRecord>();
        layout->labelIndex = i;
        layout->label = addresses.at(i)->label;
        m_hagakiLayouts->append(layout);
    }
    if (m_hagakiLayouts->isEmpty())
        m_hagakiLayouts->append(std::make_shared<HagakiLayoutRecord>());
}

void MVPerson::shareEmptyCaches()
{
    const auto share = [](auto &cache, const auto &shared, bool empty) {
        if (cache && empty)
            cache = shared;
    };
    for (LabeledValueListPtr *cache : {&m_phoneValues, &m_emailValues, &m_addressValues, &m_urlValues, &m_snsValues,
             &m_imsValues, &m_relationshipValues, &m_datesValues})
        share(*cache, sharedEmpty<LabeledValueList>(), *cache && (*cache)->isEmpty());
    share(m_phoneticNameValue, sharedEmpty<PhoneticNameRecord>(),
        m_phoneticNameValue && m_phoneticNameValue->firstName.isNull() && m_phoneticNameValue->middleName.isNull()
            && m_phoneticNameValue->lastName.isNull() && m_phoneticNameValue->stringValue.isNull());
    share(m_birthdayValue, sharedEmpty<BirthdayRecord>(),
        m_birthdayValue && !m_birthdayValue->value && m_birthdayValue->stringValue.isNull());
    if (m_stringValues && sameStrings(*m_stringValues, *emptyStoreStrings()))
        m_stringValues = emptyStoreStrings();
    else if (m_stringValues && sameStrings(*m_stringValues, *sharedEmpty<StringValuesRecord>()))
        m_stringValues = sharedEmpty<StringValuesRecord>();
    share(m_hagakiLayouts, emptyLayouts(),
        m_hagakiLayouts && m_hagakiLayouts->size() == 1 && *m_hagakiLayouts->constFirst() == HagakiLayoutRecord());
}

QString MVPerson::compositeName()
{
    // The caches as they stand: the name's display string is not recomputed.
    const NameRecordPtr name = m_nameValue ? m_nameValue : nameValue();
    QString composite = m_showAsPerson ? name->stringValue : stringValues()->value(FieldId::Company);
    if (composite.isEmpty())
        composite = noName;
    m_compositeName = composite;
    return m_compositeName;
}

QString MVPerson::phoneticName() const
{
    return m_phoneticNameValue ? m_phoneticNameValue->stringValue : QString();
}

void MVPerson::refreshCache()
{
    m_nameValue.reset();
    m_phoneticNameValue.reset();
    m_birthdayValue.reset();
    m_stringValues.reset();
    for (LabeledValueListPtr *cache : {&m_phoneValues, &m_emailValues, &m_addressValues, &m_urlValues, &m_snsValues,
             &m_imsValues, &m_relationshipValues, &m_datesValues})
        cache->reset();
    m_imageData.clear();
    // The image is unread again: a write-back must not take the cleared data
    // for a photo the user removed.
    m_photoHeld = false;
    (void)nameValue();
    (void)stringValues();
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

void MVPerson::hagakiLayoutFromLayoutString(HagakiLayoutFields *layout, const QString &text)
{
    if (layout)
        HagakiLayoutString::parse(text, *layout);
}
