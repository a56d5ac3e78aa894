#pragma once

#include "model/ContactIdentifier.h"
#include "model/HeapOptionalText.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <optional>

// The single-string fields ("stringValues"), each under its field identifier.
// An absent entry reads as the empty string; the difference matters only to
// the write-back, which leaves a field it never held alone.
//
// An entry costs a pointer unless it holds characters: a store contact gives
// all but one of the eight, most of them empty, and a file of a few hundred
// thousand contacts holds these records.
struct StringValuesRecord {
    using Entry = HeapOptionalText;
    Entry company; // "Company"
    Entry department; // "Department"
    Entry jobTitle; // "Job Title"
    Entry nickname; // "Nickname"
    Entry title; // "Title" (the name prefix)
    Entry suffix; // "Suffix"
    Entry note; // "Note"
    Entry renmei; // "Renmei": joint names, kept beside the store

    using Member = Entry StringValuesRecord::*;
    // The member that holds a field identifier's entry; nullptr for an
    // identifier that is not one of the eight string fields. Writers of many
    // records look it up once instead of comparing identifiers for each.
    [[nodiscard]] static Member memberFor(const ContactIdentifier &identifier);

    // The entry of a field identifier; nullopt when absent or not a string field.
    [[nodiscard]] std::optional<QString> entry(const ContactIdentifier &identifier) const;
    [[nodiscard]] QString value(const ContactIdentifier &identifier) const
    {
        return entry(identifier).value_or(QString());
    }
    // Sets or (with nullopt) removes an entry; false for an identifier that is
    // not one of the eight string fields.
    bool setEntry(const ContactIdentifier &identifier, const std::optional<QString> &value);

    // The eight identifiers in the order they are coded.
    [[nodiscard]] static const QStringList &identifiers();

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static StringValuesRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const StringValuesRecord &) const = default;
};

using StringValuesRecordPtr = std::shared_ptr<StringValuesRecord>;
