#pragma once

#include "model/AddressFormatTable.h"
#include "model/AddressText.h"
#include "model/BirthdayRecord.h"
#include "model/ContactIdentifier.h"
#include "model/FieldVocabulary.h"
#include "model/HagakiLayoutRecord.h"
#include "model/HeapFields.h"
#include "model/HeapOptional.h"
#include "model/InternedText.h"
#include "model/LabeledValueRecord.h"
#include "model/MVPersonPtr.h"
#include "model/NameRecord.h"
#include "model/PersonCaches.h"
#include "model/PersonValue.h"
#include "model/PhoneticNameRecord.h"
#include "model/SortDescriptor.h"
#include "model/StringValuesRecord.h"
#include "model/UniqueId.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/StoreContact.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

#include <limits>
#include <memory>
#include <optional>
#include <span>

class LabeledValueBlock;
class StoreContactWriter;

// One contact, copied out of the contacts store into plain values keyed by
// field identifier. Every pane shares the same MVPerson (hold it by
// std::shared_ptr) and the same value records inside it.
//
// A cache getter creates its cache on first use; when it creates it while a
// store contact is attached, it fills it from that contact. A cache that
// exists is never filled again, so reading it twice never doubles its values.
//
// A record is made from a store contact (initWithCNContact), new (init), from
// vCard data, as a copy or from its keyed coding; it is written back into a
// store contact with contactFromCache, which writes only the caches the record
// holds, so a field it never read keeps the store's value.
//
// The name lives inside the record: every contact has one, and a record of
// its own would cost an allocation and a pointer per contact. The live name
// the getter hands out shares the ownership of the contact that holds it.
class MVPerson : public std::enable_shared_from_this<MVPerson> {
public:
    // What findLabeledValue answers for labelIndex -1.
    static constexpr qsizetype NotFound = std::numeric_limits<qint64>::max();

    // A bare record: no identifier, no caches. The factories below make the
    // records the program uses.
    MVPerson();
    MVPerson(const MVPerson &) = delete;
    MVPerson &operator=(const MVPerson &) = delete;

    // --- Lifecycle -------------------------------------------------------
    // A record of a store contact fetched with the keys of every field: all
    // caches filled, the store contact left as it is, created NO. The record
    // shares the contact's texts, so a contact no one needs after it costs
    // nothing more.
    [[nodiscard]] static MVPersonPtr initWithCNContact(const StoreContact &contact);
    // A new, empty contact with a new identifier, created YES.
    [[nodiscard]] static MVPersonPtr init();
    // The first contact of UTF-8 vCard text, created YES; data without a
    // contact gives a bare record.
    [[nodiscard]] static MVPersonPtr initWithVCardData(const QByteArray &data);
    // A new record (created YES, its own identifier) with this one's values;
    // joint names and postcard layouts are not copied; the photo keeps its
    // bytes as they are.
    [[nodiscard]] MVPersonPtr copy();
    // The record's values written onto a copy of the given store contact, or
    // onto a new one. Only caches the record holds are written.
    [[nodiscard]] StoreContact contactFromCache(const std::optional<StoreContact> &contact = std::nullopt);
    // What contactFromCache() makes from nothing, for a contact that is only
    // written out as vCard: its labeled values have no identifiers, and it
    // shares its own with every other contact made so.
    [[nodiscard]] StoreContact contactForVCard() const;
    // The vCard of contactForVCard(); empty when none is made.
    [[nodiscard]] QByteArray vCardData();

    // --- Identifier-keyed access ---------------------------------------------
    // Readers hand out copies; only the layout list and its layouts are live.
    [[nodiscard]] PersonValue valueForIdentifier(const ContactIdentifier &identifier);
    void setValue(const PersonValue &value, const ContactIdentifier &identifier);
    // The same for a whole list of a labeled field that no one needs after
    // it: the contact keeps the list itself instead of a copy.
    void setValue(LabeledValueList &&values, const ContactIdentifier &identifier);
    using LabeledValues = LabeledFieldValues;
    // What setValue(values, identifier) does for each in turn, the lists
    // kept in one block: a reader of many contacts gives each its lists so.
    void setLabeledValues(std::span<LabeledValues> lists);
    // What values.applyTo(person) does, put off until the labeled lists or
    // the layouts are first asked for or changed; a contact of a large file
    // keeps only the texts meanwhile. Only a new contact, whose lists and
    // layouts were never asked for, holds them so.
    void holdReadValues(ReadLabeledValues values);
    // Brings a value's display text and parts in line with its field, as
    // the contact does for each value it is given.
    static void updateLabeledValue(const ContactIdentifier &identifier, LabeledValueRecord *record);
    // The values a file gave that the contact has not made its lists from
    // yet; null once it has (or when it never held any). For a pass over
    // every contact that only reads, such as laying rows out.
    [[nodiscard]] const ReadLabeledValues *pendingReadValues() const { return m_caches.peek(PersonCaches::ReadValues); }
    // Makes the lists and layouts from the values a file gave, if the
    // contact still holds them: every reader and writer of those caches but
    // peekMadeLabeledValues and pendingReadValues calls it first. A pass on
    // another thread that only reads calls it beforehand, on the window's.
    void settleReadValues() const;
    void deleteValueForIdentifier(const ContactIdentifier &identifier);
    [[nodiscard]] QString stringValueForIdentifier(const ContactIdentifier &identifier, qint64 labelIndex);
    // Nullopt removes the entry, and so does the empty string.
    void setStringValue(const std::optional<QString> &value, const ContactIdentifier &identifier);

    // A copy of the value with that labelIndex, or at that position; null when
    // none (and for "HagakiLayout", whose copies the layout readers give).
    [[nodiscard]] LabeledValueRecordPtr labeledValueForIdentifierAtLabelIndex(
        const ContactIdentifier &identifier, qint64 labelIndex);
    [[nodiscard]] LabeledValueRecordPtr labeledValueForIdentifierAtIndex(
        const ContactIdentifier &identifier, qsizetype index);
    // A copy of a postcard layout, the "HagakiLayout" form of the readers above.
    [[nodiscard]] HagakiLayoutRecordPtr hagakiLayoutForLabelIndex(qint64 labelIndex);
    // What replaceLabeledValueAtIndex(text, "HagakiLayout", 0) does, for a
    // reader of many contacts: a contact whose layouts were never asked for
    // shares them with the contacts read just before it from the same text,
    // and gets its own copy when they are first asked for.
    void shareHagakiLayoutText(const QString &text);

    // A LabeledValueRecord replaces one value, a LabeledValueList the whole
    // list (values of labelIndex -1 numbered from the largest + 1); for
    // "HagakiLayout" the number is always a labelIndex and the value a layout
    // (stored itself) or a layout text.
    void replaceLabeledValueAtLabelIndex(
        const PersonValue &value, const ContactIdentifier &identifier, qint64 labelIndex);
    void replaceLabeledValueAtIndex(const PersonValue &value, const ContactIdentifier &identifier, qsizetype index);
    // Appends a copy numbered largest labelIndex + 1 (0 in an empty list);
    // an address added so gets no layout.
    void addLabeledValue(const LabeledValueRecord &record, const ContactIdentifier &identifier);
    // Deleting never renumbers the values left.
    void deleteLabeledValueForIdentifierAtLabelIndex(const ContactIdentifier &identifier, qint64 labelIndex);
    void deleteLabeledValueForIdentifierAtIndex(const ContactIdentifier &identifier, qsizetype index);
    // Sorts the field named by the key by display string; labelIndex values
    // move with their values.
    void sortLabeledValueForSortDescriptor(const SortDescriptor &descriptor);

    // The photo, read from the attached store contact on first use; null when none.
    [[nodiscard]] QImage photo();
    // Stored as PNG; a null image removes the photo and its thumbnail.
    void setPhoto(const QImage &image);
    // The photo, else its thumbnail, else the guest-user picture for a person
    // and "CompanySquare" for a company.
    [[nodiscard]] QImage thumbnail();
    // Whether the photo was read or set; the write-back leaves the store's
    // image alone otherwise.
    [[nodiscard]] bool holdsPhoto() const { return m_photoHeld; }

    // --- Fields --------------------------------------------------------
    [[nodiscard]] bool showAsPerson() const { return m_showAsPerson; }
    void setShowAsPerson(bool showAsPerson) { m_showAsPerson = showAsPerson; }
    [[nodiscard]] bool created() const { return m_created; }
    void setCreated(bool created) { m_created = created; }
    [[nodiscard]] bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    [[nodiscard]] int defaultNameOrdering() const { return m_defaultNameOrdering; }
    void setDefaultNameOrdering(int ordering) { m_defaultNameOrdering = NameOrdering(ordering); }
    [[nodiscard]] const QString &defaultCountryCode() const { return m_defaultCountryCode; }
    void setDefaultCountryCode(const QString &code) { m_defaultCountryCode = code; }
    [[nodiscard]] const HeapOptional<StoreContact> &cnContact() const { return m_rare->cnContact; }
    void setCnContact(const std::optional<StoreContact> &contact);
    [[nodiscard]] int nameOrdering() const { return m_nameOrdering; }
    void setNameOrdering(int ordering) { m_nameOrdering = NameOrdering(ordering); }
    [[nodiscard]] const QByteArray &imageData() const { return m_rare->imageData; }
    void setImageData(const QByteArray &data)
    {
        m_rare.setText(&RareFields::imageData, data);
        m_photoHeld = true;
    }
    [[nodiscard]] const QByteArray &thumbnailImageData() const { return m_rare->thumbnailImageData; }
    void setThumbnailImageData(const QByteArray &data) { m_rare.setText(&RareFields::thumbnailImageData, data); }
    // The record's identity; a record without one takes its display name and
    // the current time.
    [[nodiscard]] QString uniqueId() const;
    [[nodiscard]] const UniqueId &uniqueIdValue() const; // the same, without making a text
    void setUniqueId(const QString &identifier) { m_uniqueId = identifier; }
    [[nodiscard]] const QString &uniqueId2() const { return m_rare->uniqueId2; }
    void setUniqueId2(const QString &identifier) { m_rare.setText(&RareFields::uniqueId2, identifier); }

    // --- Value caches (live records) -----------------------------------
    NameRecordPtr nameValue();
    PhoneticNameRecordPtr phoneticNameValue();
    BirthdayRecordPtr birthdayValue();
    StringValuesRecordPtr stringValues();
    LabeledValueListPtr phoneValues();
    LabeledValueListPtr emailValues();
    LabeledValueListPtr addressValues();
    LabeledValueListPtr urlValues();
    LabeledValueListPtr snsValues();
    LabeledValueListPtr imsValues();
    LabeledValueListPtr relationshipValues();
    LabeledValueListPtr datesValues();
    std::shared_ptr<HagakiLayoutList> hagakiLayouts();

    void setBirthdayValue(const BirthdayRecordPtr &value) { m_caches.set(PersonCaches::Birthday, value); }
    void setEmailValues(const LabeledValueListPtr &values)
    {
        settleReadValues();
        m_caches.set(PersonCaches::Email, values);
    }
    void setUrlValues(const LabeledValueListPtr &values)
    {
        settleReadValues();
        m_caches.set(PersonCaches::Url, values);
    }
    void setHagakiLayouts(const std::shared_ptr<HagakiLayoutList> &layouts)
    {
        settleReadValues();
        m_caches.set(PersonCaches::Layouts, layouts);
        m_layoutsShared = false;
    }

    // Whether a cache has been made (read or set); a cache never made is left
    // alone by the write-back.
    [[nodiscard]] bool holdsNameValue() const { return m_nameHeld; }
    // The name as it stands, without working out its display text again;
    // null when never read.
    [[nodiscard]] const NameRecord *heldNameValue() const { return m_nameHeld ? &m_name : nullptr; }
    // The cache of a labeled field identifier as it stands, without making it.
    [[nodiscard]] LabeledValueListPtr heldLabeledValues(const ContactIdentifier &identifier) const;
    // The same for a reader that neither keeps nor changes the list: no
    // count to take on a list a pass over every contact only looks at.
    [[nodiscard]] const LabeledValueList *peekLabeledValues(const ContactIdentifier &identifier) const;
    // The same, but null while the contact holds the values a file gave
    // (pendingReadValues) instead of making its lists: for a pass that only
    // asks for memory ahead, or looks for what such values never have.
    [[nodiscard]] const LabeledValueList *peekMadeLabeledValues(const ContactIdentifier &identifier) const;
    // The cache, made if needed, for such a reader; the contact keeps it.
    const LabeledValueList *madeLabeledValues(const ContactIdentifier &identifier);
    // The cache of a labeled field identifier, made if needed; null for any
    // other identifier.
    LabeledValueListPtr labeledValues(const ContactIdentifier &identifier);

    // The display name: the name for a person, the company for a company,
    // "No Name" when that is empty. Recomputed on every call.
    QString compositeName();
    // Makes every value the table's painting and an export read, so that
    // neither changes the contact afterwards: a job may then write it out
    // while the window paints it.
    void settleForReaders();
    // The phonetic name's display string as cached.
    [[nodiscard]] QString phoneticName() const;

    // Position of the first record with labelIndex; list size when none;
    // NotFound for -1.
    [[nodiscard]] static qsizetype findLabeledValue(const LabeledValueList &values, qint64 labelIndex);

    // --- Postcard layout text -------------------------------------------
    [[nodiscard]] QString layoutStringFromHagakiLayoutDict(const HagakiLayoutFields *layout) const;
    void updateHagakiLayout(HagakiLayoutRecord *layout) const;

    // --- Class-wide tables ------------------------------------------------
    // Builds the address formats, then the identifier and label tables.
    static void initializeClass();
    [[nodiscard]] static const QStringList &allIdentifiers() { return vocabulary().allIdentifiers(); }
    [[nodiscard]] static const QStringList &labeledIdentifiers() { return vocabulary().labeledIdentifiers(); }
    [[nodiscard]] static const QStringList &addressIdentifiers() { return vocabulary().addressIdentifiers(); }
    [[nodiscard]] static const QHash<QString, QString> &CNIdentifiers() { return vocabulary().CNIdentifiers(); }
    static void setCNIdentifiers(const QHash<QString, QString> &map) { vocabulary().setCNIdentifiers(map); }
    [[nodiscard]] static QStringList labelsForIdentifier(const ContactIdentifier &identifier)
    {
        return vocabulary().labelsForIdentifier(identifier);
    }
    [[nodiscard]] static FieldVocabulary::LabelList customLabelsForIdentifier(const ContactIdentifier &identifier)
    {
        return vocabulary().customLabelsForIdentifier(identifier);
    }
    [[nodiscard]] static QHash<QString, QStringList> labelTableDict() { return vocabulary().labelTableDict(); }
    [[nodiscard]] static QStringList localizedLabelsForIdentifier(const ContactIdentifier &identifier)
    {
        return vocabulary().localizedLabelsForIdentifier(identifier);
    }
    static bool setLabel(const QString &oldLabel, const QString &newLabel, const ContactIdentifier &identifier)
    {
        return vocabulary().setLabel(oldLabel, newLabel, identifier);
    }
    [[nodiscard]] static QString labelFromCNLabel(const QString &label)
    {
        return FieldVocabulary::labelFromCNLabel(label);
    }
    [[nodiscard]] static QString CNLabelFromLabel(const QString &label)
    {
        return FieldVocabulary::CNLabelFromLabel(label);
    }

    // --- Address formats and text ----------------------------------------
    [[nodiscard]] static QString predictCountryCode(const QString &countryName)
    {
        return addressFormats().predictCountryCode(countryName);
    }
    [[nodiscard]] static QStringList orderOfaddressFormats(const QString &countryCode, const QString &countryName)
    {
        return addressFormats().orderOfaddressFormats(countryCode, countryName);
    }
    static QString addressFromLabeledValue(LabeledValueRecord *address, int option)
    {
        return AddressText::addressFromLabeledValue(address, option);
    }
    static void updateAddressValue(LabeledValueRecord *address, int option)
    {
        AddressText::updateAddressValue(address, option);
    }
    [[nodiscard]] static QList<AddressRangeEntry> rangeTableFromAddressDictionary(const LabeledValueRecord *address)
    {
        return AddressText::rangeTableFromAddressDictionary(address);
    }

    // --- Display strings ----------------------------------------------------
    [[nodiscard]] static QString compositeNameFromNameDict(const NameRecord &name)
    {
        return ValueRecordFormatter::compositeNameFromNameDict(name);
    }
    [[nodiscard]] static QString dateStringFromDateComponents(const StoreDateComponents &components)
    {
        return ValueRecordFormatter::dateStringFromDateComponents(components);
    }
    static void updateEmailValue(LabeledValueRecord *record) { ValueRecordFormatter::updateEmailValue(record); }
    static void updateSNSValue(LabeledValueRecord *record) { ValueRecordFormatter::updateSNSValue(record); }
    static void updateIMSValue(LabeledValueRecord *record) { ValueRecordFormatter::updateIMSValue(record); }
    static void updateDatesValue(LabeledValueRecord *record) { ValueRecordFormatter::updateDatesValue(record); }

private:
    struct LabeledCacheEntry;
    void fillFromStoreContact(const StoreContact &contact);
    // Fills the labeled caches from the attached store contact; a field
    // without values holds the shared empty list at once.
    void fillLabeledCaches();
    // Writes the caches the record holds, in the write-back's order.
    void writeCaches(StoreContactWriter &writer) const;
    // Points every cache that holds nothing at the one empty value shared by
    // all records; the getters give the record its own copy on first use.
    void shareEmptyCaches();
    // The layout list of these addresses, one layout each (one for none).
    void makeHagakiLayouts(const LabeledValueList &addresses);
    // A copy of the layouts shared with other contacts, each layout copied.
    void takeOwnHagakiLayouts();
    // The attached store contact's image data, taken when the record has none;
    // taking it counts as reading the photo.
    void takeStorePhotoData();
    void setLabeledCache(const ContactIdentifier &identifier, const LabeledValueListPtr &values);
    [[nodiscard]] QString companyContentKey();
    void refreshName();
    // The live name, owned with the contact when a shared pointer holds it.
    [[nodiscard]] NameRecordPtr namePointer();
    // The display name from the caches as they stand, making none.
    [[nodiscard]] QString heldCompositeName() const;
    void replaceHagakiLayout(const PersonValue &value, qint64 labelIndex);
    void replaceLabeledValues(LabeledValueList records, const ContactIdentifier &identifier);
    // Numbers and formats a new list of a labeled field and holds it.
    void takeLabeledValues(const LabeledValueListPtr &list, const ContactIdentifier &identifier);
    // The labelIndex of each layout, the layouts made first if needed.
    [[nodiscard]] QList<qint64> heldLayoutIndexes();
    void addLayoutsForAddresses(const LabeledValueList &addresses, const QList<qint64> &layoutIndexes);
    void replaceLabeledValue(
        const PersonValue &value, const ContactIdentifier &identifier, qint64 number, bool byLabelIndex);
    [[nodiscard]] PersonValue labeledValuesCopy(const ContactIdentifier &identifier);
    bool setNamePart(const ContactIdentifier &identifier, const QString &value);
    bool setPhoneticPart(const ContactIdentifier &identifier, const QString &value);
    void setBirthday(const PersonValue &value);
    [[nodiscard]] QString labeledStringValue(const ContactIdentifier &identifier, qint64 labelIndex);
    [[nodiscard]] static const LabeledCacheEntry *labeledCacheEntry(const ContactIdentifier &identifier);
    static FieldVocabulary &vocabulary();
    static AddressFormatTable &addressFormats();
    // Makes a labeled cache, filled from the attached store contact if any.
    LabeledValueListPtr makeLabeledCache(
        PersonCaches::Slot<LabeledValueList> slot, LabeledValueList (*read)(const StoreContact &, LabeledValueBlock *));
    // The attached store contact, held only while the record is saved (the
    // rare fields' room goes with it when nothing else is held), or the one
    // the record is being made from.
    [[nodiscard]] const StoreContact *attachedContact() const
    {
        return m_rare.isHeld() && m_rare->cnContact ? &*m_rare->cnContact : contactBeingRead();
    }
    [[nodiscard]] const StoreContact *contactBeingRead() const;
    void dropCnContact();
    // The photo data, the company key and the attached store contact, which
    // most records leave empty.
    struct RareFields {
        QByteArray imageData;
        QByteArray thumbnailImageData;
        QString uniqueId2; // only companies have one
        HeapOptional<StoreContact> cnContact;
        [[nodiscard]] bool isEmpty() const
        {
            return imageData.isNull() && thumbnailImageData.isNull() && uniqueId2.isNull() && !cnContact;
        }
    };
    // A display order of names (0 the system's, 1 given name first, 2 family
    // name first): four bits, so that both fit in a byte beside the flags.
    using NameOrdering = qint8;

    // The flags and numbers side by side, the caches a contact holds empty
    // shared and the rarely held fields on the heap: an import holds a
    // million of these.
    // The country code goes in the room the caches leave at their end, the
    // flags and the orderings in the room the name leaves at its end.
    [[no_unique_address]] PersonCaches m_caches;
    InternedText m_defaultCountryCode;
    [[no_unique_address]] NameRecord m_name;
    // A job writing the contact out reads these while the window paints it:
    // the getters painting calls leave them as they are once the contact is
    // settled (settleForReaders).
    bool m_showAsPerson : 1 = true;
    bool m_created : 1 = false;
    bool m_changed : 1 = false;
    bool m_photoHeld : 1 = false;
    bool m_nameHeld : 1 = false; // the name was read or set
    bool m_layoutsShared : 1 = false; // the layouts held are other contacts' too, never to be changed
    NameOrdering : 0;
    NameOrdering m_defaultNameOrdering : 4 = 0;
    NameOrdering m_nameOrdering : 4 = 0;
    // Set by the first display name worked out, which painting may ask for
    // while a job reads the flags: a byte of its own, apart from them.
    bool m_compositeMade = false;
    HeapFields<RareFields> m_rare;
    mutable UniqueId m_uniqueId;
};
