#pragma once

#include "model/BirthdayRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PhoneticNameRecord.h"
#include "model/StringValuesRecord.h"

#include "platform/contacts/StoreLabeledValue.h"

#include <QByteArray>
#include <QList>

class StoreContact;

// Writes the contact model's records into a store contact: plain label words
// become the store's labels, and values the store cannot hold are left out
// (an empty phone number, a profile or instant-message address without a
// user name, a relation without a name, a date or an e-mail or URL entry
// without a value).
//
// Into a contact fetched before, a single field is set only when it differs
// from the target's, so an update writes nothing it need not. A key the
// target was fetched without counts as empty there: an empty value never
// clears a field the fetch did not carry. A new contact has every key and
// every field empty, so there a field is set when its value is not empty,
// with the same result and without reading the target back.
class StoreContactWriter {
public:
    enum class Target {
        Fetched, // fetched or set before
        New, // made new for the record: every key available, every field empty
        // New, and only written out as vCard and dropped: its labeled values
        // need no identifiers, and making one for each value was a twentieth
        // of the time of an export.
        Serialized,
    };

    StoreContactWriter(StoreContact &target, Target kind)
        : m_target(target)
        , m_kind(kind)
    {
    }

    // Name parts and, from "showAsPerson", the contact type.
    void writeName(const NameRecord &name);
    void writePhoneticName(const PhoneticNameRecord &name);

    // Each replaces the target's whole list.
    void writePhoneValues(const LabeledValueList &records);
    void writeEmailValues(const LabeledValueList &records);
    void writeUrlValues(const LabeledValueList &records);
    void writeAddressValues(const LabeledValueList &records);
    // A profile without a service becomes a Twitter profile, labeled by its service.
    void writeSnsValues(const LabeledValueList &records);
    // An address without a service becomes an AIM address.
    void writeImsValues(const LabeledValueList &records);
    // An unlabeled relation is a friend.
    void writeRelationshipValues(const LabeledValueList &records);
    // An unlabeled date is an anniversary.
    void writeDatesValues(const LabeledValueList &records);

    // A record without a date clears the target's birthday.
    void writeBirthday(const BirthdayRecord &birthday);
    // The seven string fields the store holds ("Renmei" is kept beside the
    // store); an absent entry is empty.
    void writeStringValues(const StringValuesRecord &values);
    // Empty data removes the target's image.
    void writeImageData(const QByteArray &imageData);

private:
    // A new identifier for a labeled value, or none for a serialized target.
    [[nodiscard]] QString valueIdentifier() const;
    template <typename T, typename Make>
    [[nodiscard]] QList<StoreLabeledValue<T>> labeledValues(const LabeledValueList &records, Make make) const;

    StoreContact &m_target;
    Target m_kind = Target::Fetched;
};
