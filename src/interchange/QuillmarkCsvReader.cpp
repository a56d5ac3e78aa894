#include "interchange/QuillmarkCsvReader.h"

#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/ReadOnceText.h"
#include "platform/RecentStrings.h"

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

// What one record sets, by column name. The texts that repeat from record
// to record (a region, a postal code, a layout) are held once for the file.
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

// Whether a character ends a line or is a double quote: the characters the
// line scan stops at, found with a few comparisons for all others.
bool endsLineOrQuotes(char16_t c)
{
    return (c <= u'"' || c == 0x85 || c == 0x2028 || c == 0x2029) && (c == u'"' || isLineEnd(QChar(c)));
}

// The lines as views of the text: a file of a hundred thousand records
// copies none of them. LF, CR and the other Unicode line separators each end
// one, so CR LF leaves an empty line between two records. For each line, the
// next line holding a double quote; -1 when none does.
struct TextLines {
    QList<QStringView> lines;
    QList<qsizetype> nextQuoteLine;

    explicit TextLines(QStringView text)
    {
        QList<bool> quoted;
        bool quote = false;
        qsizetype start = 0;
        const char16_t *characters = text.utf16();
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!endsLineOrQuotes(characters[i]))
                continue;
            if (characters[i] == u'"') {
                quote = true;
                continue;
            }
            lines.append(text.sliced(start, i - start));
            quoted.append(quote);
            quote = false;
            start = i + 1;
        }
        if (start < text.size()) {
            lines.append(text.sliced(start));
            quoted.append(quote);
        }
        nextQuoteLine.resize(lines.size(), -1);
        qsizetype following = -1;
        for (qsizetype i = lines.size() - 1; i >= 0; --i) {
            nextQuoteLine[i] = following;
            if (quoted.at(i))
                following = i;
        }
    }
};

// Lines first to last joined by line feeds: the text itself where line feeds
// alone part them there, else a copy made in joined.
QStringView joinedLines(const QList<QStringView> &lines, qsizetype first, qsizetype last, QString &joined)
{
    bool lineFeedsOnly = true;
    // Every line before the last has its line end after it in the text.
    for (qsizetype i = first; i < last && lineFeedsOnly; ++i)
        lineFeedsOnly = *(lines.at(i).data() + lines.at(i).size()) == u'\n';
    if (lineFeedsOnly)
        return {lines.at(first).data(), lines.at(last).data() + lines.at(last).size()};
    joined.clear();
    for (qsizetype i = first; i <= last; ++i) {
        if (i > first)
            joined += u'\n';
        joined += lines.at(i);
    }
    return joined;
}

// The fields of the record starting at lines[*line], at most `columns`, each
// handed to take(index, text) as it is found; a field opening a quote runs to
// the next quote, taking the following lines in as it must (*line then moves
// past them). A quote that no later line closes is an ordinary character, so
// that one stray quote does not swallow every later record. A field's text
// lasts only until take returns: a second quoted field spanning lines joins
// them anew.
template <typename Take> void splitRecord(const TextLines &text, qsizetype *line, qsizetype columns, const Take &take)
{
    const qsizetype first = *line;
    QStringView current = text.lines.at(first);
    QString joined;
    qsizetype fields = 0;
    qsizetype position = 0;
    const qsizetype wanted = std::max<qsizetype>(columns, 1);
    while (fields < wanted && position <= current.size()) {
        if (position < current.size() && current.at(position) == u'"') {
            qsizetype close = current.indexOf(u'"', position + 1);
            if (close < 0 && text.nextQuoteLine.at(*line) >= 0) {
                *line = text.nextQuoteLine.at(*line);
                current = joinedLines(text.lines, first, *line, joined);
                close = current.indexOf(u'"', position + 1);
            }
            if (close >= 0) {
                take(fields++, current.sliced(position + 1, close - position - 1));
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
            take(fields++, current.sliced(position));
            break;
        }
        take(fields++, current.sliced(position, comma - position));
        position = comma + 1;
    }
}

} // namespace

QuillmarkCsvReader::Result QuillmarkCsvReader::contactsFromQuillmarkCSV(const QString &text)
{
    return contactsOfText(text, nullptr);
}

QuillmarkCsvReader::Result QuillmarkCsvReader::contactsFromQuillmarkCSV(QString &&text)
{
    ReadOnceText once(std::move(text));
    return contactsOfText(once.text(), &once);
}

QuillmarkCsvReader::Result QuillmarkCsvReader::contactsOfText(const QString &text, ReadOnceText *once)
{
    Result result;
    if (text.isNull())
        return result;
    result.contacts = std::make_shared<ContactTable>();
    const TextLines textLines(text);
    const QList<QStringView> &lines = textLines.lines;
    qsizetype line = 0;
    while (line < lines.size() && lines.at(line).isEmpty())
        ++line;
    if (line >= lines.size())
        return result;
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
        // A record reads its own line and those after it, never one before.
        if (once)
            once->giveBackBefore(current.constData() - text.constData());
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
                    record.*member = RecentStrings::shared(current.sliced(start, comma - start));
                start = comma + 1;
            }
        } else {
            splitRecord(textLines, &line, members.size(), [&record, &members](qsizetype index, QStringView field) {
                if (index >= members.size())
                    return;
                if (const OwnRecord::Member member = members.at(index))
                    record.*member = RecentStrings::shared(field);
            });
        }
        if (!record.isEmpty())
            result.contacts->append(record.makeContact());
    }
    return result;
}
