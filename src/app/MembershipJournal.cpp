#include "app/MembershipJournal.h"

#include <QHash>

#include <algorithm>
#include <vector>

void MembershipJournal::recordFlag(const std::shared_ptr<void> &owner, bool *flag, bool value)
{
    if (*flag == value)
        return;
    m_steps.push_back({owner, flag, *flag, value, {}, {}, -1});
    *flag = value;
}

void MembershipJournal::appendRow(const ContactTablePtr &table, const ContactRecordPtr &row)
{
    m_steps.push_back({{}, nullptr, false, false, table, row, table->size()});
    table->append(row);
}

// The rows are taken out of each table in one pass, whatever order a pane
// sorted the table into meanwhile: looking each up would read the table once
// per added row, minutes for a large file's contacts.
void MembershipJournal::revert(const ContactTable *restored) const
{
    QHash<ContactTable *, QHash<const ContactRecord *, qsizetype>> appended;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        if (step->flag)
            *step->flag = step->before;
        else if (step->table.get() != restored)
            ++appended[step->table.get()][step->row.get()];
    }
    for (auto table = appended.begin(); table != appended.end(); ++table)
        removeLastOccurrences(*table.key(), table.value());
}

// Each row as often as counted, its last occurrences first.
void MembershipJournal::removeLastOccurrences(ContactTable &table, QHash<const ContactRecord *, qsizetype> counts)
{
    std::vector<bool> removed(std::size_t(table.size()), false);
    for (qsizetype at = table.size() - 1; at >= 0; --at) {
        const auto count = counts.find(table.at(at).get());
        if (count != counts.end() && count.value() > 0) {
            --count.value();
            removed[std::size_t(at)] = true;
        }
    }
    ContactTable kept;
    kept.reserve(table.size());
    for (qsizetype at = 0; at < table.size(); ++at) {
        if (!removed[std::size_t(at)])
            kept.append(table.at(at));
    }
    table = std::move(kept);
}

void MembershipJournal::apply() const
{
    for (const Step &step : m_steps) {
        if (step.flag)
            *step.flag = step.after;
        else
            step.table->insert(std::min(step.position, step.table->size()), step.row);
    }
}
