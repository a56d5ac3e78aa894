#include "interchange/QuillmarkCsvReader.h"

#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isLineEnd(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case 0x0B:
    case 0x0C:
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// What one record sets, by column name.
struct OwnRecord {
    QString name;
    QString company;
    QString renmei;
    QString layout;
    QString zip;
    QString state;
    QString street;
    QString phone;
    QString email;

    using Member = QString OwnRecord::*;

    // Where a column's text goes; null for a column that is not the
    // contact's ("Note" among them).
    static Member memberFor(QStringView column)
    {
        static const std::array<std::pair<QStringView, Member>, 10> members{{
            {u"Name", &OwnRecord::name},
            {u"Company", &OwnRecord::company},
            {u"Renmei", &OwnRecord::renmei},
            {u"Spouse", &OwnRecord::renmei},
            {u"layoutString", &OwnRecord::layout},
            {u"ZIP", &OwnRecord::zip},
            {u"State&City", &OwnRecord::state},
            {u"Street", &OwnRecord::street},
            {u"Phone", &OwnRecord::phone},
            {u"Email", &OwnRecord::email},
        }};
        for (const auto &[name, member] : members) {
            if (name == column)
                return member;
        }
        return nullptr;
    }

    [[nodiscard]] bool hasAddress() const { return !zip.isEmpty() || !state.isEmpty() || !street.isEmpty(); }

    [[nodiscard]] bool isEmpty() const
    {
        return name.isEmpty() && company.isEmpty() && renmei.isEmpty() && layout.isEmpty() && !hasAddress()
            && phone.isEmpty() && email.isEmpty();
    }

    [[nodiscard]] ContactRecordPtr makeContact() const;
};

LabeledValueList oneValue(const QString &value)
{
    auto record = std::make_shared<LabeledValueRecord>();
    record->label = u"home"_s;
    record->labelIndex = 0;
    record->value = value;
    record->stringValue = value;
    return {record};
}

ContactRecordPtr OwnRecord::makeContact() const
{
    const MVPersonPtr person = MVPerson::init();
    if (!name.isEmpty()) {
        NameRecord nameRecord;
        nameRecord.showAsPerson = true;
        nameRecord.lastName = name;
        person->setValue(nameRecord, FieldId::Name);
    }
    if (!email.isEmpty())
        person->setValue(oneValue(email), FieldId::Email);
    if (!phone.isEmpty())
        person->setValue(oneValue(phone), FieldId::Phone);
    // Only a record with an address part or a layout has an address.
    if (hasAddress() || !layout.isEmpty()) {
        auto address = std::make_shared<LabeledValueRecord>();
        address->label = u"home"_s;
        address->labelIndex = 0;
        address->address->zip = zip;
        address->address->state = state;
        address->address->street = street;
        person->setValue(LabeledValueList{address}, FieldId::Address);
        if (!layout.isEmpty())
            person->replaceLabeledValueAtIndex(layout, FieldId::HagakiLayout, 0);
    }
    if (!company.isEmpty())
        person->setValue(company, FieldId::Company);
    if (!renmei.isEmpty())
        person->setStringValue(renmei, FieldId::Renmei);
    return ContactRecord::makeWithPerson(person);
}

} // namespace

const QStringList &QuillmarkCsvReader::fixedColumns()
{
    static const QStringList columns{u"Name"_s, u"Renmei"_s, u"Company"_s, u"ZIP"_s, u"State&City"_s, u"Street"_s,
        u"layoutString"_s, u"Email"_s, u"Phone"_s, u"Note"_s};
    return columns;
}

namespace {

// The lines as views of the text: a file of a hundred thousand records
// copies none of them. LF, CR and the other Unicode line separators each end
// one, so CR LF leaves an empty line between two records.
QList<QStringView> lineViews(QStringView text)
{
    QList<QStringView> lines;
    lines.reserve(text.count(u'\n') + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineEnd(text.at(i))) {
            lines.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

// For each line, the next line holding a double quote; -1 when none does.
QList<qsizetype> nextQuoteLines(const QList<QStringView> &lines)
{
    QList<qsizetype> next(lines.size(), -1);
    qsizetype following = -1;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        next[i] = following;
        if (lines.at(i).contains(u'"'))
            following = i;
    }
    return next;
}

// The fields of the record starting at lines[*line], at most `columns`; a
// field opening a quote runs to the next quote, taking the following lines
// in as it must (*line then moves past them). A quote that no later line
// closes is an ordinary character, so that one stray quote does not swallow
// every later record. Each field is copied as it is found: a second quoted
// field spanning lines joins them anew, which frees the text earlier fields
// were found in.
QStringList splitRecord(
    const QList<QStringView> &lines, const QList<qsizetype> &nextQuoteLine, qsizetype *line, qsizetype columns)
{
    QStringView current = lines.at(*line);
    QString joinedLines;
    QStringList fields;
    qsizetype position = 0;
    const qsizetype wanted = std::max<qsizetype>(columns, 1);
    fields.reserve(wanted);
    while (fields.size() < wanted && position <= current.size()) {
        if (position < current.size() && current.at(position) == u'"') {
            qsizetype close = current.indexOf(u'"', position + 1);
            if (close < 0 && nextQuoteLine.at(*line) >= 0) {
                const qsizetype last = nextQuoteLine.at(*line);
                joinedLines = current.toString();
                for (qsizetype joined = *line + 1; joined <= last; ++joined) {
                    joinedLines += u'\n';
                    joinedLines += lines.at(joined);
                }
                current = joinedLines;
                *line = last;
                close = current.indexOf(u'"', position + 1);
            }
            if (close >= 0) {
                fields.append(current.sliced(position + 1, close - position - 1).toString());
                position = close + 1;
                if (position >= current.size())
                    break;
                if (current.at(position) == u',')
                    ++position;
                continue;
            }
        }
        const qsizetype comma = current.indexOf(u',', position);
        if (comma < 0) {
            fields.append(current.sliced(position).toString());
            break;
        }
        fields.append(current.sliced(position, comma - position).toString());
        position = comma + 1;
    }
    return fields;
}

} // namespace

QuillmarkCsvReader::Result QuillmarkCsvReader::contactsFromQuillmarkCSV(const QString &text)
{
    Result result;
    if (text.isNull())
        return result;
    result.contacts = std::make_shared<ContactTable>();
    const QList<QStringView> lines = lineViews(text);
    qsizetype line = 0;
    while (line < lines.size() && lines.at(line).isEmpty())
        ++line;
    if (line >= lines.size())
        return result;
    const QList<qsizetype> nextQuoteLine = nextQuoteLines(lines);
    QList<OwnRecord::Member> members;
    const QList<QStringView> headerCells = lines.at(line).split(u',');
    if (headerCells.constFirst() == u"Name") {
        for (const QStringView cell : headerCells)
            members.append(OwnRecord::memberFor(cell));
        ++line;
    } else {
        for (const QString &column : fixedColumns())
            members.append(OwnRecord::memberFor(column));
        result.headerFound = false;
    }
    for (; line < lines.size(); ++line) {
        const QStringView current = lines.at(line);
        if (current.isEmpty())
            continue;
        OwnRecord record;
        if (!current.contains(u",\""_s)) {
            // No quoted field: the fields are the line's pieces between commas.
            qsizetype column = 0;
            for (qsizetype start = 0; start <= current.size() && column < members.size(); ++column) {
                qsizetype comma = current.indexOf(u',', start);
                if (comma < 0)
                    comma = current.size();
                if (const OwnRecord::Member member = members.at(column))
                    record.*member = current.sliced(start, comma - start).toString();
                start = comma + 1;
            }
        } else {
            const QStringList fields = splitRecord(lines, nextQuoteLine, &line, members.size());
            for (qsizetype i = 0; i < fields.size() && i < members.size(); ++i) {
                if (const OwnRecord::Member member = members.at(i))
                    record.*member = fields.at(i);
            }
        }
        if (!record.isEmpty())
            result.contacts->append(record.makeContact());
    }
    return result;
}
