#pragma once

#include "model/ContainerRecord.h"

#include <QHash>

#include <memory>
#include <vector>

// What one change of group memberships did to the tables: each flag it set or
// cleared and each row it appended. Undo takes back exactly these steps and
// redo makes them again, so flags that were set before the change stay set,
// and what the change spread to other groups of the container is taken back
// with it.
class MembershipJournal {
public:
    // Sets a present-or-absent flag of a record, noting the change.
    template <typename Record> void setFlag(const std::shared_ptr<Record> &record, bool Record::*flag, bool value)
    {
        recordFlag(record, &((*record).*flag), value);
    }
    // Appends a row to a table, noting where it went.
    void appendRow(const ContactTablePtr &table, const ContactRecordPtr &row);

    // Rows appended to `restored` are left in it: its owner puts that table
    // back as it was itself, without looking up each row appended.
    void revert(const ContactTable *restored = nullptr) const;
    void apply() const;
    [[nodiscard]] bool isEmpty() const { return m_steps.empty(); }

private:
    struct Step {
        std::shared_ptr<void> owner; // keeps the flag's record alive
        bool *flag = nullptr;
        bool before = false;
        bool after = false;
        ContactTablePtr table;
        ContactRecordPtr row;
        qsizetype position = -1;
    };

    void recordFlag(const std::shared_ptr<void> &owner, bool *flag, bool value);
    static void removeLastOccurrences(ContactTable &table, QHash<const ContactRecord *, qsizetype> counts);

    std::vector<Step> m_steps;
};
