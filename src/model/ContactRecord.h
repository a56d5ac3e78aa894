#pragma once

#include "model/HeapFields.h"
#include "model/HeapOptional.h"
#include "model/PersonRecord.h"
#include "platform/contacts/StoreContact.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// One contact in a group's contact table. The rows of every group of a
// container share the MVPerson of the top group's row; the rows themselves are
// shared between the application delegate, the window and its panes, and
// changed in place.
//
// The flags "new" and "deleted" are either present with YES or absent: the
// undo operations add them with YES and remove them, and nothing ever stores
// NO, so each is one bool here (true = present).
struct ContactRecord : PersonRecord {
    bool isNew = false; // "new": added to this group since the last load
    bool deleted = false; // "deleted": removed from this group since the last load

    ContactRecord()
        : PersonRecord(Kind::Contact)
    {
    }
    ContactRecord(MVPersonPtr person, UniqueId uniqueId, qint64 labelIndex = 0)
        : PersonRecord(Kind::Contact, std::move(person), std::move(uniqueId), labelIndex)
    {
    }

    // The contact record behind any record, or null when it is another kind.
    [[nodiscard]] static const ContactRecord *from(const PersonRecord *record)
    {
        return record && record->kind() == Kind::Contact ? static_cast<const ContactRecord *>(record) : nullptr;
    }

    // "uniqueId2": present only when not empty (only companies have one).
    [[nodiscard]] const QString &uniqueId2() const { return m_rare->uniqueId2; }
    void setUniqueId2(const QString &identifier) { m_rare.setText(&RareFields::uniqueId2, identifier); }
    // "cnContact": the store contact an update was built on.
    [[nodiscard]] const HeapOptional<StoreContact> &cnContact() const { return m_rare->cnContact; }
    void setCnContact(const StoreContact &contact) { m_rare->cnContact = contact; }

    // A row for a person just copied out of the store or made anew.
    [[nodiscard]] static std::shared_ptr<ContactRecord> makeWithPerson(const MVPersonPtr &person);

private:
    // Fields few rows hold, which share one pointer.
    struct RareFields {
        QString uniqueId2;
        HeapOptional<StoreContact> cnContact;
    };
    HeapFields<RareFields> m_rare;
};

using ContactRecordPtr = std::shared_ptr<ContactRecord>;
using ContactTable = QList<ContactRecordPtr>;
using ContactTablePtr = std::shared_ptr<ContactTable>;

namespace ContactRecordKey {
inline const QString Person = PersonRecordKey::Person;
inline const QString UniqueId = PersonRecordKey::UniqueId;
inline const QString UniqueId2 = QStringLiteral("uniqueId2");
inline const QString LabelIndex = PersonRecordKey::LabelIndex;
inline const QString New = QStringLiteral("new");
inline const QString Deleted = QStringLiteral("deleted");
inline const QString CnContact = QStringLiteral("cnContact");
} // namespace ContactRecordKey
