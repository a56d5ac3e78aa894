#include "find/FindWalk.h"

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
    // Which columns show a value on every row and not only on a contact's first.
    QList<bool> everyRow;
    for (const QString &identifier : columns)
        everyRow.append(!FindFieldSearch::labeledFieldOf(identifier).isEmpty());
    FindFieldSearch::Start start = startOf(target, stale);
    const FindFieldSearch::Options fieldOptions{
        options.caseSensitivity, options.backward, FindFieldSearch::Scope::Table, labels};
    const qsizetype step = options.backward ? -1 : 1;
    // The start row and those after it are searched twice, the second time
    // from its first column: what lies before the target is found last.
    for (int wraps = 0; wraps < 2;) {
        const SubContactRecordPtr &record = rows.at(row);
        for (; column >= 0 && column < columnCount; column += step) {
            if (columns.at(column) == senderColumn || (!everyRow.at(column) && record->labelIndex != 0))
                continue;
            start.identifier = columns.at(column);
            start.position = record->labelIndex;
            if (ItemAndRangeRecordPtr hit = FindFieldSearch::findString(find, start, record, fieldOptions))
                return hit;
            start.range = {};
            start.subIdentifier.reset();
        }
        column = options.backward ? columnCount - 1 : 0;
        row += step;
        if (row == rowCount || row < 0) {
            row = options.backward ? rowCount - 1 : 0;
            ++wraps;
        }
    }
    return nullptr;
}
