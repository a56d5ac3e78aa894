#include "find/FindWalk.h"
#include "model/ContactPrefetch.h"
#include "model/MVPerson.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString senderColumn = u"Sender"_s;

// The walk's start: the target's part and range, or the whole field when
// the target no longer names what the walk searches.
FindFieldSearch::Start startOf(const ItemAndRangeRecord &target, bool stale)
{
    FindFieldSearch::Start start;
    if (!stale) {
        start.subIdentifier = target.subIdentifier;
        start.range = target.range;
    }
    return start;
}

// The rows' contacts lie all over memory: the walk asks for those ahead of
// the row it searches.
void prefetchContact(const SubContactRecord &row)
{
    ContactPrefetch::whole(row.person.get());
}

// The table's columns worked out once for a walk: which show a value on
// every row and not only on a contact's first, and which read the same
// multi-valued field (the address parts). A contact's rows follow one
// another, so each of its lists is fetched once.
class WalkedColumns {
public:
    explicit WalkedColumns(const QStringList &columns)
        : m_lists(columns.size())
    {
        m_fields.reserve(columns.size());
        m_slots.reserve(columns.size());
        for (const QString &identifier : columns) {
            m_fields.append(FindFieldSearch::fieldFor(identifier));
            const ContactIdentifier &field = m_fields.last().labeledField;
            qsizetype slot = -1;
            for (qsizetype other = 0; other < m_slots.size() && slot < 0 && !field.isEmpty(); ++other) {
                if (m_fields.at(other).labeledField == field)
                    slot = m_slots.at(other);
            }
            m_slots.append(slot >= 0 || field.isEmpty() ? slot : m_slots.size());
        }
    }

    [[nodiscard]] const FindFieldSearch::Field &field(qsizetype column) const { return m_fields.at(column); }

    // The value the column shows on the row, as the label filter lets it
    // show; null when none.
    const LabeledValueRecord *valueAt(
        qsizetype column, const SubContactRecord &row, const FindFieldSearch::Options &options)
    {
        const qsizetype slot = m_slots.at(column);
        if (slot < 0 || !row.person)
            return nullptr;
        if (row.person.get() != m_listsOf) {
            std::fill(m_lists.begin(), m_lists.end(), HeldList());
            m_listsOf = row.person.get();
        }
        HeldList &held = m_lists[slot];
        if (!held.fetched)
            held = {true, FindFieldSearch::valuesOf(*row.person, m_fields.at(column).labeledField)};
        const qsizetype position = row.labelIndex;
        if (!held.values || position < 0 || position >= held.values->size())
            return nullptr;
        const LabeledValueRecord *value = held.values->at(position).get();
        return value && FindFieldSearch::passesLabels(*value, options) ? value : nullptr;
    }

private:
    struct HeldList {
        bool fetched = false;
        LabeledValueListPtr values;
    };
    QList<FindFieldSearch::Field> m_fields;
    QList<qsizetype> m_slots;
    QList<HeldList> m_lists;
    const MVPerson *m_listsOf = nullptr;
};

} // namespace

const QStringList &FindWalk::detailFields()
{
    static const QStringList fields{FieldId::Name, FieldId::NameOrdering, FieldId::ShowAsPerson, FieldId::Company,
        FieldId::PhoneticName, FieldId::Email, FieldId::Phone, FieldId::InstantMessage, FieldId::SocialNetwork,
        FieldId::URL, FieldId::Address, FieldId::Nickname, FieldId::Birthday, FieldId::Relationship, FieldId::Suffix,
        FieldId::Title, FieldId::Department, FieldId::JobTitle, FieldId::Dates, FieldId::Note, FieldId::Renmei};
    return fields;
}

ItemAndRangeRecordPtr FindWalk::defaultTarget(const QList<SubContactRecordPtr> &rows)
{
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->identifier = FieldId::Name;
    target->subIdentifier = QString();
    target->range = {0, 0};
    if (!rows.isEmpty() && rows.first())
        target->uniqueId = rows.first()->uniqueId;
    return target;
}

std::optional<qsizetype> FindWalk::positionOfTarget(
    const ItemAndRangeRecord &target, bool targetFromDetail, MVPerson &person)
{
    if (!target.labelIndex)
        return std::nullopt;
    const ContactIdentifier field = FindFieldSearch::labeledFieldOf(target.identifier);
    if (!targetFromDetail)
        return *target.labelIndex;
    if (field.isEmpty())
        return 0;
    const LabeledValueListPtr values = person.labeledValues(field);
    const qsizetype position = values ? MVPerson::findLabeledValue(*values, *target.labelIndex) : 0;
    if (!values || position >= values->size())
        return std::nullopt;
    return position;
}

ItemAndRangeRecordPtr FindWalk::walkContact(const QString &find, const ItemAndRangeRecord &target,
    bool targetFromDetail, const PersonRecordPtr &contact, const Options &options)
{
    if (find.isEmpty() || !contact || !contact->person)
        return nullptr;
    MVPerson &person = *contact->person;
    const QStringList &fields = detailFields();
    const qsizetype count = fields.size();
    qsizetype first = fields.indexOf(target.identifier);
    std::optional<qsizetype> startPosition = positionOfTarget(target, targetFromDetail, person);
    const bool valueGone = target.labelIndex && !startPosition;
    const bool stale = first < 0 || valueGone || target.uniqueId != person.uniqueIdValue();
    if (stale) {
        first = 0;
        startPosition.reset();
    }
    FindFieldSearch::Start start = startOf(target, stale);
    const FindFieldSearch::Options fieldOptions{
        options.caseSensitivity, options.backward, FindFieldSearch::Scope::Detail, std::nullopt};
    // Forward the first field is visited again at the end, for what lies
    // before the target in it.
    const qsizetype visits = options.backward ? count : count + 1;
    for (qsizetype visit = 0; visit < visits; ++visit) {
        const qsizetype index = options.backward ? ((first - visit) % count + count) % count : (first + visit) % count;
        start.identifier = fields.at(index);
        const ContactIdentifier field = FindFieldSearch::labeledFieldOf(start.identifier);
        const LabeledValueListPtr values = field.isEmpty() ? nullptr : person.labeledValues(field);
        const qsizetype end = values ? std::max<qsizetype>(1, values->size()) : 1;
        const std::optional<qsizetype> from = visit == 0 ? startPosition : std::nullopt;
        qsizetype position = options.backward ? (from && *from < end ? *from : end - 1) : from.value_or(0);
        for (; position >= 0 && position < end; position += options.backward ? -1 : 1) {
            start.position = position;
            if (ItemAndRangeRecordPtr hit = FindFieldSearch::findString(find, start, contact, fieldOptions))
                return hit;
            start.range = {};
            start.subIdentifier.reset();
        }
    }
    return nullptr;
}

ItemAndRangeRecordPtr FindWalk::walkTable(const QString &find, const ItemAndRangeRecord &target, bool targetFromDetail,
    const QList<SubContactRecordPtr> &rows, const QStringList &columns, const QStringList &labels,
    const Options &options)
{
    const qsizetype rowCount = rows.size();
    const qsizetype columnCount = columns.size();
    if (find.isEmpty() || rowCount == 0 || columnCount == 0)
        return nullptr;
    qsizetype row = -1;
    std::optional<qsizetype> position;
    for (qsizetype i = 0; i < rowCount && row < 0; ++i) {
        const SubContactRecord &candidate = *rows.at(i);
        if (candidate.uniqueId != target.uniqueId || !candidate.person)
            continue;
        // The first target names no label position: the contact's first row.
        if (!position)
            position = target.labelIndex ? positionOfTarget(target, targetFromDetail, *candidate.person) : 0;
        if (position && candidate.labelIndex == *position)
            row = i;
    }
    qsizetype column = row < 0 ? -1 : columns.indexOf(target.identifier);
    const bool stale = column < 0;
    row = std::max<qsizetype>(row, 0);
    if (column < 0)
        column = options.backward ? columnCount - 1 : 0;
    WalkedColumns walked(columns);
    FindFieldSearch::Start start = startOf(target, stale);
    const FindFieldSearch::Options fieldOptions{
        options.caseSensitivity, options.backward, FindFieldSearch::Scope::Table, labels};
    const qsizetype step = options.backward ? -1 : 1;
    // The start row is searched twice, the second time from its first
    // column: what lies before the target is found last. The rows after it
    // would find the second time what they found the first, nothing.
    const qsizetype startRow = row;
    constexpr qsizetype prefetchDistance = 8;
    for (int wraps = 0;;) {
        const SubContactRecordPtr &record = rows.at(row);
        if (const qsizetype ahead = row + step * prefetchDistance; ahead >= 0 && ahead < rowCount)
            prefetchContact(*rows.at(ahead));
        for (; column >= 0 && column < columnCount; column += step) {
            const FindFieldSearch::Field &field = walked.field(column);
            if (field.identifier == senderColumn || (field.labeledField.isEmpty() && record->labelIndex != 0))
                continue;
            const LabeledValueRecord *value = walked.valueAt(column, *record, fieldOptions);
            start.identifier = field.identifier;
            start.position = record->labelIndex;
            if (ItemAndRangeRecordPtr hit
                = FindFieldSearch::findInField(find, start, field, record, value, fieldOptions))
                return hit;
            start.range = {};
            start.subIdentifier.reset();
        }
        if (wraps == 1 && row == startRow)
            return nullptr;
        column = options.backward ? columnCount - 1 : 0;
        row += step;
        if (row == rowCount || row < 0) {
            row = options.backward ? rowCount - 1 : 0;
            ++wraps;
        }
    }
}
