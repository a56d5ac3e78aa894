#include "interchange/QuillmarkCsvReader.h"

#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/PackedTexts.h"
#include "platform/ReadOnceText.h"
#include "platform/RecentStrings.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <limits>

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

ContactRecordPtr OwnRecord::makeContact() const
{
    const MVPersonPtr person = MVPerson::init();
    if (!name.isEmpty()) {
        NameRecord nameRecord;
        nameRecord.showAsPerson = true;
        nameRecord.lastName = name;
        person->setValue(nameRecord, FieldId::Name);
    }
    // The phone number, e-mail address and address wait as texts until the
    // contact's lists are asked for.
    person->holdReadValues({phone, email, zip, state, street, layout});
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

// The text line by line, each line a view of it: a file of a hundred
// thousand records copies none of them, and no table of all its lines sits
// beside the contacts made from them. LF, CR and the other Unicode line
// separators each end one, so CR LF leaves an empty line between two
// records. The cursor only moves on: the text behind it may be given back.
class LineCursor {
public:
    explicit LineCursor(QStringView text)
        : m_text(text)
    {
    }

    [[nodiscard]] QStringView text() const { return m_text; }
    [[nodiscard]] bool atEnd() const { return m_next >= m_text.size(); }

    // The next line, the cursor moved past its line end.
    QStringView nextLine()
    {
        const qsizetype start = m_next;
        const qsizetype end = lineEndFrom(start);
        m_next = end + 1;
        return m_text.sliced(start, end - start);
    }

    // Moves past the next line that holds a double quote, the lines before it
    // with it, and answers where that line ends; -1, the cursor staying, when
    // no later line holds one.
    qsizetype takeLinesToNextQuote()
    {
        // No quote lies past a search that found none: a file of stray quotes
        // searches its rest once.
        if (m_next >= m_noQuoteFrom)
            return -1;
        const qsizetype quote = m_text.indexOf(u'"', m_next);
        if (quote < 0) {
            m_noQuoteFrom = m_next;
            return -1;
        }
        const qsizetype end = lineEndFrom(quote);
        m_next = end + 1;
        return end;
    }

private:
    [[nodiscard]] qsizetype lineEndFrom(qsizetype from) const
    {
        const char16_t *characters = m_text.utf16();
        for (qsizetype i = from; i < m_text.size(); ++i) {
            // Most characters are told apart by two comparisons.
            const char16_t c = characters[i];
            if ((c <= u'\r' || c >= 0x85) && isLineEnd(QChar(c)))
                return i;
        }
        return m_text.size();
    }

    QStringView m_text;
    qsizetype m_next = 0;
    qsizetype m_noQuoteFrom = std::numeric_limits<qsizetype>::max();
};

// The text from start to end with each line end read as a line feed: the
// text itself where line feeds alone end its lines, else a copy made in
// joined.
QStringView joinedLines(QStringView text, qsizetype start, qsizetype end, QString &joined)
{
    const QStringView span = text.sliced(start, end - start);
    const auto otherLineEnd = [](QChar c) { return c != u'\n' && isLineEnd(c); };
    if (std::none_of(span.begin(), span.end(), otherLineEnd))
        return span;
    joined = span.toString();
    std::replace_if(joined.begin(), joined.end(), otherLineEnd, QChar(u'\n'));
    return joined;
}

// The fields of the record starting at the line `first`, at most `columns`,
// each handed to take(index, text) as it is found; a field opening a quote
// runs to the next quote, taking the following lines in as it must (the
// cursor then moves past them). A quote that no later line closes is an
// ordinary character, so that one stray quote does not swallow every later
// record. A field's text lasts only until take returns: a second quoted
// field spanning lines joins them anew.
template <typename Take> void splitRecord(QStringView first, LineCursor &cursor, qsizetype columns, const Take &take)
{
    const qsizetype start = first.constData() - cursor.text().constData();
    QStringView current = first;
    QString joined;
    qsizetype fields = 0;
    qsizetype position = 0;
    const qsizetype wanted = std::max<qsizetype>(columns, 1);
    while (fields < wanted && position <= current.size()) {
        if (position < current.size() && current.at(position) == u'"') {
            qsizetype close = current.indexOf(u'"', position + 1);
            if (close < 0) {
                if (const qsizetype end = cursor.takeLinesToNextQuote(); end >= 0) {
                    current = joinedLines(cursor.text(), start, end, joined);
                    close = current.indexOf(u'"', position + 1);
                }
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

// Sets a record's fields. A text an earlier record had is shared with it;
// the record's own texts that its contact keeps as plain strings (not the
// company, the renmei or the e-mail address, which are kept in a word of
// their own when their text fills its block) are copied into one block.
class RecordFields {
public:
    explicit RecordFields(OwnRecord &record)
        : m_record(record)
    {
    }

    void set(OwnRecord::Member member, QStringView text)
    {
        // A later column of the same member wins, as with any other.
        std::replace(m_packed.begin(), m_packed.end(), member, OwnRecord::Member());
        if (!isPacked(member) || text.isEmpty()) {
            m_record.*member = RecentStrings::shared(text);
        } else if (QString earlier = RecentStrings::found(text); !earlier.isNull()) {
            m_record.*member = std::move(earlier);
        } else {
            m_texts.add(text);
            m_packed.append(member);
        }
    }

    // Gives the record its own texts.
    void finish()
    {
        const QVarLengthArray<QString, 8> texts = m_texts.take();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (const OwnRecord::Member member = m_packed.at(i)) {
                m_record.*member = texts.at(i);
                RecentStrings::remember(texts.at(i));
            }
        }
        m_packed.clear();
    }

private:
    [[nodiscard]] static bool isPacked(OwnRecord::Member member)
    {
        return member == &OwnRecord::name || member == &OwnRecord::zip || member == &OwnRecord::state
            || member == &OwnRecord::street || member == &OwnRecord::phone;
    }

    OwnRecord &m_record;
    PackedTexts m_texts;
    QVarLengthArray<OwnRecord::Member, 8> m_packed; // null for a text a later column replaced
};

// The record of the line and those a quoted field takes in; null when every
// field is empty.
ContactRecordPtr contactOfRecord(QStringView line, LineCursor &cursor, const QList<OwnRecord::Member> &members)
{
    OwnRecord record;
    RecordFields fields(record);
    if (!line.contains(u",\""_s)) {
        // No quoted field: the fields are the line's pieces between commas.
        qsizetype column = 0;
        for (qsizetype start = 0; start <= line.size() && column < members.size(); ++column) {
            qsizetype comma = line.indexOf(u',', start);
            if (comma < 0)
                comma = line.size();
            if (const OwnRecord::Member member = members.at(column))
                fields.set(member, line.sliced(start, comma - start));
            start = comma + 1;
        }
    } else {
        splitRecord(line, cursor, members.size(), [&fields, &members](qsizetype index, QStringView field) {
            if (index >= members.size())
                return;
            if (const OwnRecord::Member member = members.at(index))
                fields.set(member, field);
        });
    }
    fields.finish();
    return record.isEmpty() ? nullptr : record.makeContact();
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
    LineCursor cursor(text);
    QStringView first;
    while (first.isEmpty()) {
        if (cursor.atEnd())
            return result;
        first = cursor.nextLine();
    }
    QList<OwnRecord::Member> members;
    const QList<QStringView> headerCells = first.split(u',');
    const bool header = headerCells.constFirst() == u"Name";
    if (header) {
        for (const QStringView cell : headerCells)
            members.append(OwnRecord::memberFor(cell));
    } else {
        for (const QString &column : fixedColumns())
            members.append(OwnRecord::memberFor(column));
        result.headerFound = false;
    }
    const auto read = [&](QStringView line) {
        // A record reads its own line and those after it, never one before.
        if (once)
            once->giveBackBefore(line.constData() - text.constData());
        if (line.isEmpty())
            return;
        if (ContactRecordPtr contact = contactOfRecord(line, cursor, members))
            result.contacts->append(std::move(contact));
    };
    if (!header)
        read(first);
    while (!cursor.atEnd())
        read(cursor.nextLine());
    return result;
}
