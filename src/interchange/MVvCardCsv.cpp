#include "interchange/MVvCard.h"

#include "interchange/ColumnTexts_p.h"
#include "interchange/CsvColumn_p.h"
#include "interchange/CsvContactBuilder_p.h"
#include "interchange/CsvRecordReader.h"
#include "interchange/CsvText_p.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"
#include "platform/ReadOnceText.h"

#include <QHash>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString compositeNameType = u"compositeName"_s;
const QString otherLabel = u"other"_s;

// The values one line shows, each field's taken once for all its columns.
// A table row shows the values at its position; a contact written whole
// shows in each labeled column its first value of that label, so that one
// line carries a home, a work and an other value of each field.
class RowValues {
public:
    RowValues(MVPerson &person, qint64 row, bool wholeContact)
        : m_person(person)
        , m_row(row)
        , m_wholeContact(wholeContact)
    {
    }

    [[nodiscard]] MVPerson &person() const { return m_person; }
    [[nodiscard]] qint64 row() const { return m_row; }

    // The value of a multi-valued field that the column shows, or null.
    LabeledValueRecordPtr valueOf(const ContactIdentifier &identifier, const QString &columnLabel)
    {
        const QString key = m_wholeContact ? identifier + u'|' + columnLabel : identifier;
        const auto it = m_values.constFind(key);
        if (it != m_values.cend())
            return *it;
        LabeledValueRecordPtr value;
        // Only the parts of an address are shown: the held list spares
        // formatting every address for each of its columns.
        LabeledValueListPtr list = identifier == FieldId::Address ? m_person.heldLabeledValues(identifier) : nullptr;
        if (!list)
            list = m_person.labeledValues(identifier);
        if (!list) {
        } else if (!m_wholeContact) {
            if (m_row >= 0 && m_row < list->size())
                value = list->at(m_row);
        } else {
            for (const LabeledValueRecordPtr &candidate : std::as_const(*list)) {
                if (collects(columnLabel, candidate->labelText())) {
                    value = candidate;
                    break;
                }
            }
        }
        if (value && identifier == FieldId::Phone) {
            value = std::make_shared<LabeledValueRecord>(*value);
            ValueRecordFormatter::updatePhoneValue(value.get());
        }
        m_values.insert(key, value);
        return value;
    }

    // Whether a column of the label shows a value of the other: the Other
    // columns take every label but home and work.
    [[nodiscard]] static bool collects(const QString &columnLabel, const QString &valueLabel)
    {
        const QString label = valueLabel.toLower();
        const QString column = columnLabel.toLower();
        return label == column || (column == otherLabel && label != u"home"_s && label != u"work"_s);
    }

private:
    MVPerson &m_person;
    qint64 m_row = 0;
    bool m_wholeContact = false;
    QHash<QString, LabeledValueRecordPtr> m_values;
};

// The text a column shows for one row: the display name on every row, the
// single fields on a contact's first row (its name parts on every row), and
// for a labeled column the row's value when its label is the column's; the
// Other columns take every label but home and work.
QString cellOfColumn(const CsvColumn &column, RowValues &values)
{
    MVPerson &person = values.person();
    if (column.type == compositeNameType)
        return person.compositeName();
    if (column.label.isEmpty()) {
        if (column.type == FieldId::Name)
            return person.stringValueForIdentifier(column.subType, 0);
        return values.row() == 0 ? person.stringValueForIdentifier(column.type, 0) : QString();
    }
    const LabeledValueRecordPtr value = values.valueOf(column.type, column.label);
    if (!value || !RowValues::collects(column.label, value->labelText()))
        return {};
    return column.subType.isEmpty() ? value->stringValue : value->addressPart(column.subType);
}

QString csvCell(const QString &value)
{
    const QString escaped = CsvText::escape(value);
    return CsvText::needsQuotes(escaped, u",") ? CsvText::quote(escaped) : escaped;
}

QList<SubContactRecord> rowsOf(const ContactTable &contacts)
{
    QList<SubContactRecord> rows;
    rows.reserve(contacts.size());
    for (const ContactRecordPtr &contact : contacts) {
        if (contact)
            rows.append({contact->person, contact->uniqueId, contact->labelIndex});
    }
    return rows;
}

// One value of the row-copy text.
QString rowValue(MVPerson &person, const ContactIdentifier &identifier, qint64 row)
{
    if (identifier == FieldId::Name)
        return person.compositeName();
    if (identifier == FieldId::PhoneticName || identifier == FieldId::Birthday)
        return person.stringValueForIdentifier(identifier, 0);
    if (FieldVocabulary::shared().labeledIdentifiers().contains(identifier)) {
        const LabeledValueRecordPtr value = person.labeledValueForIdentifierAtIndex(identifier, row);
        if (!value || value->labelText().isEmpty() || value->stringValue.isEmpty())
            return {};
        return value->labelText() + u':' + value->stringValue;
    }
    // The table's Address Detail cells show each part of the row's address
    // alone, so it is copied without the label the whole address carries.
    if (FieldVocabulary::shared().addressIdentifiers().contains(identifier)) {
        const LabeledValueRecordPtr value = person.labeledValueForIdentifierAtIndex(FieldId::Address, row);
        return value ? value->addressPart(identifier) : QString();
    }
    return row == 0 ? person.stringValueForIdentifier(identifier, 0) : QString();
}

} // namespace

QString MVvCard::csvFromRows(const QList<SubContactRecord> &rows, bool wholeContacts) const
{
    const QList<CsvColumn> &columns = CsvColumn::layout();
    QStringList header;
    for (const CsvColumn &column : columns)
        header.append(column.fieldName);
    QString csv = header.join(u',') + u'\n';
    QStringList cells;
    for (const SubContactRecord &row : rows) {
        if (!row.person)
            continue;
        cells.clear();
        RowValues values(*row.person, wholeContacts ? 0 : row.labelIndex, wholeContacts);
        for (const CsvColumn &column : columns)
            cells.append(csvCell(cellOfColumn(column, values)));
        csv.append(cells.join(u','));
        csv.append(u'\n');
    }
    return csv;
}

QString MVvCard::csvFromSubContacts(const QList<SubContactRecordPtr> &rows) const
{
    QList<SubContactRecord> plain;
    plain.reserve(rows.size());
    for (const SubContactRecordPtr &row : rows) {
        if (row)
            plain.append(*row);
    }
    return csvFromRows(plain, false);
}

QString MVvCard::csvFromSubContacts(const ContactTable &rows) const
{
    return csvFromRows(rowsOf(rows), true);
}

QString MVvCard::csvStringFromRow(
    const SubContactRecord &row, const QStringList &identifiers, const QString &separator) const
{
    if (!row.person)
        return {};
    QStringList values;
    for (const ContactIdentifier &identifier : identifiers) {
        const QString value = CsvText::escape(rowValue(*row.person, identifier, row.labelIndex));
        const bool quoted = !value.isEmpty()
            && (identifier == FieldId::Note || value.contains(u' ') || CsvText::needsQuotes(value, separator));
        values.append(quoted ? CsvText::quote(value) : value);
    }
    return values.join(separator);
}

QString MVvCard::csvStringFromContact(
    const SubContactRecordPtr &row, const QStringList &identifiers, const QString &separator) const
{
    return row ? csvStringFromRow(*row, identifiers, separator) : QString();
}

QString MVvCard::csvStringFromContact(
    const ContactRecordPtr &row, const QStringList &identifiers, const QString &separator) const
{
    if (!row)
        return {};
    return csvStringFromRow({row->person, row->uniqueId, row->labelIndex}, identifiers, separator);
}

namespace {

// The contacts of CSV text whose header names its columns in words; with
// `once`, the text of each record read is given back behind the reader.
ContactTablePtr contactsOfCsv(QStringView text, ReadOnceText *once)
{
    auto contacts = std::make_shared<ContactTable>();
    const qsizetype bodyStart = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    const QStringView body = text.sliced(bodyStart);
    CsvRecordReader reader(body, CsvRecordReader::detectSeparator(body));
    QStringList cells;
    if (!reader.next(cells))
        return contacts;
    QList<CsvHeaderColumn> columns;
    QList<bool> known;
    for (const QString &cell : std::as_const(cells)) {
        columns.append(CsvHeaderColumn::fromHeaderCell(cell));
        known.append(columns.constLast().type != u"Unknown"_s);
    }
    if (!known.contains(true))
        return contacts;
    // Only the system's own layout escapes line breaks and tabs.
    const bool ownLayout = cells.constFirst() == u"Name"_s;
    std::vector<ColumnTexts> texts(columns.size());
    while (reader.next(cells)) {
        // The cells are copies: the record's text is not read again.
        if (once)
            once->giveBackBefore(bodyStart + reader.position());
        if (reader.recordLength() < 2)
            continue;
        CsvContactBuilder builder;
        const qsizetype count = qMin(cells.size(), columns.size());
        for (qsizetype i = 0; i < count; ++i) {
            // A column of nothing known gives no field: its texts are neither
            // unescaped nor held for sharing.
            if (!known.at(i))
                continue;
            const QString &cell = cells.at(i);
            const QString value = texts[i].shared(ownLayout && cell.contains(u'\\') ? CsvText::unescape(cell) : cell);
            builder.createContact(value, columns.at(i).type, columns.at(i).label);
        }
        if (!builder.isEmpty())
            contacts->append(builder.makeContact());
    }
    return contacts;
}

} // namespace

ContactTablePtr MVvCard::contactsFromCSV(const QString &text) const
{
    if (text.isNull())
        return nullptr;
    return contactsOfCsv(text, nullptr);
}

ContactTablePtr MVvCard::contactsFromCSV(QString &&text) const
{
    if (text.isNull())
        return nullptr;
    ReadOnceText once(std::move(text));
    return contactsOfCsv(once.view(), &once);
}

QString MVvCard::detectType(const QString &cell)
{
    static const QList<std::pair<QStringList, QString>> words{
        {{u"First Name"_s}, FieldId::FirstName},
        {{u"Last Name"_s}, FieldId::LastName},
        {{u"Nickname"_s}, FieldId::Nickname},
        {{u"Name"_s}, FieldId::Name},
        {{u"Phone"_s}, FieldId::Phone},
        {{u"Email"_s}, FieldId::Email},
        {{u"ZIP"_s, u"State"_s, u"City"_s, u"Street"_s}, FieldId::Address},
        {{u"Birthday"_s}, FieldId::Birthday},
        {{u"Job Title"_s}, FieldId::JobTitle},
        {{u"Title"_s}, FieldId::Title},
        {{u"Company"_s}, FieldId::Company},
        {{u"Department"_s}, FieldId::Department},
        {{u"Note"_s}, FieldId::Note},
        {{u"Facebook"_s}, u"Facebook"_s},
        {{u"LinkedIn"_s}, u"LinkedIn"_s},
        {{u"Flickr"_s}, u"Flickr"_s},
        {{u"SinaWeibo"_s}, u"SinaWeibo"_s},
    };
    for (const auto &[needles, type] : words) {
        for (const QString &needle : needles) {
            if (cell.contains(needle, Qt::CaseInsensitive))
                return type;
        }
    }
    return {};
}

QString MVvCard::detectLabel(const QString &cell)
{
    if (cell.contains(u"Home"_s, Qt::CaseInsensitive))
        return u"home"_s;
    if (cell.contains(u"Work"_s, Qt::CaseInsensitive) || cell.contains(u"Business"_s, Qt::CaseInsensitive))
        return u"work"_s;
    if (cell.contains(u"Mobile"_s, Qt::CaseInsensitive))
        return u"mobile"_s;
    return u"other"_s;
}

QString MVvCard::detectAddressType(const QString &cell)
{
    for (const QString &part : {FieldId::ZIP, FieldId::State, FieldId::City}) {
        if (cell.contains(part, Qt::CaseInsensitive))
            return part;
    }
    return FieldId::Street;
}
