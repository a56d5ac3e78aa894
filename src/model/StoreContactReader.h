#pragma once

#include "model/BirthdayRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PhoneticNameRecord.h"
#include "model/StringValuesRecord.h"

class LabeledValueBlock;
class StoreContact;

// Copies the values of a store contact into the contact model's records:
// labels become plain words, labeled values are numbered 0, 1, 2, … in store
// order and every record gets its display string.
class StoreContactReader {
public:
    StoreContactReader() = delete;

    // Sets the name parts, the ordering, the person/company flag and the
    // display string.
    static void readName(const StoreContact &contact, NameRecord &name);
    // Sets the parts the store has; the display string is left to the caller.
    static void readPhoneticName(const StoreContact &contact, PhoneticNameRecord &name);
    // Every string field but "Renmei".
    static void readStringValues(const StoreContact &contact, StringValuesRecord &values);
    static void readBirthday(const StoreContact &contact, BirthdayRecord &birthday);

    // The labeled values of every field, for a block to hold all their records.
    [[nodiscard]] static qsizetype labeledValueCount(const StoreContact &contact);
    // The records of a field's values, made in the room given, each on its
    // own without one.
    [[nodiscard]] static LabeledValueList phoneValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList emailValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList addressValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList urlValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList snsValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList imsValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList relationshipValues(
        const StoreContact &contact, LabeledValueBlock *room = nullptr);
    [[nodiscard]] static LabeledValueList datesValues(const StoreContact &contact, LabeledValueBlock *room = nullptr);

    // "facebook", "twitter", "flickr" and "linkedin" as some services write
    // them become the store's own service names; anything else stays.
    [[nodiscard]] static QString canonicalSocialService(const QString &service);
};
