#pragma once

#include "model/BirthdayRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PhoneticNameRecord.h"
#include "model/StringValuesRecord.h"

#include <QByteArray>

class StoreContact;

// Writes the contact model's records into a store contact: plain label words
// become the store's labels, and values the store cannot hold are left out
// (an empty phone number, a profile or instant-message address without a
// user name, a relation without a name, a date or an e-mail or URL entry
// without a value).
//
// A single field is set only when it differs from the target's, so an update
// writes nothing it need not. A key the target was fetched without counts as
// empty there: an empty value never clears a field the fetch did not carry.
class StoreContactWriter {
public:
    StoreContactWriter() = delete;

    // Name parts and, from "showAsPerson", the contact type.
    static void writeName(const NameRecord &name, StoreContact &target);
    static void writePhoneticName(const PhoneticNameRecord &name, StoreContact &target);

    // Each replaces the target's whole list.
    static void writePhoneValues(const LabeledValueList &records, StoreContact &target);
    static void writeEmailValues(const LabeledValueList &records, StoreContact &target);
    static void writeUrlValues(const LabeledValueList &records, StoreContact &target);
    static void writeAddressValues(const LabeledValueList &records, StoreContact &target);
    // A profile without a service becomes a Twitter profile, labeled by its service.
    static void writeSnsValues(const LabeledValueList &records, StoreContact &target);
    // An address without a service becomes an AIM address.
    static void writeImsValues(const LabeledValueList &records, StoreContact &target);
    // An unlabeled relation is a friend.
    static void writeRelationshipValues(const LabeledValueList &records, StoreContact &target);
    // An unlabeled date is an anniversary.
    static void writeDatesValues(const LabeledValueList &records, StoreContact &target);

    // A record without a date clears the target's birthday.
    static void writeBirthday(const BirthdayRecord &birthday, StoreContact &target);
    // The seven string fields the store holds ("Renmei" is kept beside the
    // store); an absent entry is empty.
    static void writeStringValues(const StringValuesRecord &values, StoreContact &target);
    // Empty data removes the target's image.
    static void writeImageData(const QByteArray &imageData, StoreContact &target);
};
