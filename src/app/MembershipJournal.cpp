#include "app/MembershipJournal.h"

#include <algorithm>

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

void MembershipJournal::revert() const
{
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        if (step->flag) {
            *step->flag = step->before;
            continue;
        }
        // Later steps are already taken back, so the row is where it was put;
        // it is looked up by identity all the same, in case a pane reordered
        // the table by sorting it.
        const qsizetype at = step->table->lastIndexOf(step->row);
        if (at >= 0)
            step->table->removeAt(at);
    }
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
