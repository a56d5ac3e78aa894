#pragma once

#include "model/AccountSlot.h"
#include "model/ContactIdentifier.h"
#include "model/HagakiLayoutFields.h"
#include "model/HeapFields.h"
#include "model/HeapOptional.h"
#include "model/HeapText.h"
#include "model/OptionalText.h"
#include "model/StoreObjectSlot.h"
#include "platform/contacts/StoreDateComponents.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>
#include <variant>

// "value" of a labeled value: text for most fields, date parts for "Dates";
// a plain date is what an editor may hand in before the dates builder turns
// it into parts. Addresses keep no value.
using LabeledValue = std::variant<std::monostate, QString, StoreDateComponents, QDate>;

// One value of a multi-valued field. The keys of all eight fields share one
// flat record, as they share one dictionary shape; a field uses its own keys
// and leaves the others empty (the keys only some fields use are kept in
// groups on the heap, so that each group costs a pointer until it is set).
// Empty text counts as an absent key.
struct LabeledValueRecord {
    OptionalText label; // "label": absent and empty differ for services
    LabeledValue value; // "value"
    QString stringValue; // "stringValue": display text
    qint64 labelIndex = -1; // "labelIndex": -1 until numbered

    // "Email", "Social Network" and "Instant Message": user name, domain,
    // service and a social profile's URL and identifier.
    using AccountParts = ::AccountParts;
    // "Address".
    struct AddressParts {
        QString street; // "Street"
        QString city; // "City"
        QString state; // "State"
        QString zip; // "ZIP"
        QString country; // "Country"
        QString isoCountryCode; // "ISOCountryCode"

        bool operator==(const AddressParts &) const = default;
    };
    // Phone numbers, URLs, dates and relations use neither group, so a group
    // is made only when a part of it is set (account->, address->); reads go
    // through accountParts() and addressParts(), which never make it. An
    // e-mail address's own halves are held without a group (AccountSlot).
    AccountSlot account;
    HeapFields<AddressParts> address;
    HeapFields<HagakiLayoutFields> layout; // the applied postcard layout's flags and frames, rarely set

    // The store's object ("contactRelation", "socialProfile" or
    // "instantMessageAddress"), kept on records read from the store for the
    // write-back; of the store's "postalAddress" an address keeps only the
    // parts it has no field for (StoreAddressExtras), which its mailing form
    // and the write-back use. A phone number holds none, as the store's number
    // is only the text the value has already.
    StoreObjectSlot storeObject;

    // The store's object of that kind, or null when the record holds none.
    template <typename T> [[nodiscard]] const T *heldStoreObject() const { return storeObject.get<T>(); }
    template <typename T> void holdStoreObject(const T &object) { storeObject.hold<T>(object); }

    // The account parts by value, as an e-mail's may be worked out on reading.
    [[nodiscard]] AccountParts accountParts() const { return account.parts(); }
    [[nodiscard]] QString accountPart(QString AccountParts::*member) const { return account.part(member); }
    [[nodiscard]] const AddressParts &addressParts() const { return *address; }

    // "value" as text; empty for date parts or no value.
    [[nodiscard]] QString valueText() const;
    [[nodiscard]] bool hasValue() const { return !std::holds_alternative<std::monostate>(value); }
    [[nodiscard]] QString labelText() const { return label.value_or(QString()); }
    // The member of an address part by its identifier ("Street", "City",
    // "State", "ZIP", "Country" or the ISO-code key); null for anything else.
    [[nodiscard]] static QString AddressParts::*addressPartMember(const QString &identifier);
    // An address part by its identifier; empty for anything else.
    [[nodiscard]] QString addressPart(const QString &identifier) const;
    // Sets the address part of that identifier; anything else changes nothing.
    void setAddressPart(const QString &identifier, const QString &text);

    // The dictionary form with the exact keys; store objects are not carried.
    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static LabeledValueRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const LabeledValueRecord &) const = default;
};

using LabeledValueRecordPtr = std::shared_ptr<LabeledValueRecord>;
using LabeledValueList = QList<LabeledValueRecordPtr>;
using LabeledValueListPtr = std::shared_ptr<LabeledValueList>;

// A list of a labeled field and the field it is for.
struct LabeledFieldValues {
    ContactIdentifier identifier;
    LabeledValueList values;
};
