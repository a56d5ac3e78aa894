#pragma once

#include "model/HeapFields.h"
#include "model/MVPersonPtr.h"
#include "model/UniqueId.h"

#include <QString>
#include <QStringList>

#include <memory>

// What every row handed between the panes carries: a contact's person and its
// identity. The table rows, the contact tables' records, the detail pane's
// contact and the find hits all reach the undoable operations as one of these,
// so the operations take any of them.
//
// Records are shared and changed in place; a copy is made only where a copy
// is meant, never by slicing through a base pointer.
struct PersonRecord {
    MVPersonPtr person; // "person"
    UniqueId uniqueId; // "uniqueId": the person's when the record was made
    qint64 labelIndex = 0; // "labelIndex"
    HeapFields<QStringList> groupNames; // "groupNames": the groups of the contact, written when its details are shown

    // The kinds that the few places taking any record treat apart. Records
    // carry no table of virtual functions: an import holds a million rows.
    enum class Kind : quint8 { Other, Contact };

    PersonRecord() = default;
    PersonRecord(MVPersonPtr person, UniqueId uniqueId, qint64 labelIndex = 0)
        : PersonRecord(Kind::Other, std::move(person), std::move(uniqueId), labelIndex)
    {
    }
    PersonRecord(const PersonRecord &) = default;
    PersonRecord(PersonRecord &&) = default;
    PersonRecord &operator=(const PersonRecord &) = default;
    PersonRecord &operator=(PersonRecord &&) = default;
    ~PersonRecord() = default;

    [[nodiscard]] Kind kind() const { return m_kind.value; }

protected:
    explicit PersonRecord(Kind kind)
        : m_kind{kind}
    {
    }
    PersonRecord(Kind kind, MVPersonPtr person, UniqueId uniqueId, qint64 labelIndex)
        : person(std::move(person))
        , uniqueId(std::move(uniqueId))
        , labelIndex(labelIndex)
        , m_kind{kind}
    {
    }

private:
    // Made with the record and kept by assignments, which copy only values.
    struct KindTag {
        Kind value = Kind::Other;
        KindTag(Kind kind = Kind::Other)
            : value(kind)
        {
        }
        KindTag(const KindTag &) = default;
        KindTag &operator=(const KindTag &) { return *this; }
    };
    KindTag m_kind;
};

using PersonRecordPtr = std::shared_ptr<PersonRecord>;

namespace PersonRecordKey {
inline const QString Person = QStringLiteral("person");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString LabelIndex = QStringLiteral("labelIndex");
inline const QString GroupNames = QStringLiteral("groupNames");
} // namespace PersonRecordKey
