#include "interchange/QRCodePayload.h"

#include "model/MVPerson.h"

namespace {

const QString docomo = QStringLiteral("docomo");
const QString au = QStringLiteral("au");
const QString softBank = QStringLiteral("SoftBank");
const QString phoneFormat = QStringLiteral("Phone");
const QString emailFormat = QStringLiteral("Email");
const QString urlFormat = QStringLiteral("URL");
const QString vCardFormat = QStringLiteral("vCard");

const QString crlf = QStringLiteral("\r\n");

void appendLabeledRows(QList<QRFieldRow> &rows, MVPerson &person, const ContactIdentifier &identifier, bool tickFirst)
{
    const PersonValue value = person.valueForIdentifier(identifier);
    const auto *records = std::get_if<LabeledValueList>(&value);
    if (!records || records->isEmpty()) {
        rows.append({identifier, QString(), QString(), false, std::nullopt});
        return;
    }
    for (const LabeledValueRecordPtr &record : *records) {
        QRFieldRow row{identifier, record->labelText(), record->valueText(), tickFirst && record == records->first(),
            std::nullopt};
        if (identifier == FieldId::Address) {
            row.value = record->stringValue;
            row.adrsDict = *record;
        }
        rows.append(row);
    }
}

QString lastTicked(const QList<QRFieldRow> &table, const QString &type)
{
    for (auto row = table.crbegin(); row != table.crend(); ++row) {
        if (row->selected && row->type == type)
            return row->value;
    }
    return {};
}

QString phoneticName(MVPerson &person)
{
    const PersonValue value = person.valueForIdentifier(FieldId::PhoneticName);
    const auto *name = std::get_if<PhoneticNameRecord>(&value);
    return name ? name->stringValue : QString();
}

// The carrier formats: each part that has a value, as "<tag><value><end>".
struct Part {
    const char *tag;
    QString value;
};

QString joinParts(const QString &head, const QList<Part> &parts, const QString &end, bool escape)
{
    QString text = head;
    for (const Part &part : parts) {
        if (!part.value.isEmpty())
            text += QLatin1StringView(part.tag) + (escape ? QRCodePayload::escapeSemicolon(part.value) : part.value)
                + end;
    }
    return text;
}

QString carrierPayload(const QString &format, MVPerson &person, const QList<QRFieldRow> &table)
{
    const QString name = person.compositeName();
    const QString phonetic = phoneticName(person);
    const QString phone = lastTicked(table, FieldId::Phone);
    const QString mail = lastTicked(table, FieldId::Email);
    const QString address = lastTicked(table, FieldId::Address).replace(u'\n', u' ');
    if (format == docomo)
        return joinParts(QStringLiteral("MECARD:"),
            {{"N:", name}, {"SOUND:", phonetic}, {"TEL:", phone}, {"EMAIL:", mail}, {"ADR:", address}},
            QStringLiteral(";"), true);
    QList<Part> parts{{"NAME1:", name}, {"NAME2:", phonetic}, {"TEL1:", phone}, {"MAIL1:", mail}};
    if (format == au)
        parts.append({"ADD:", address});
    return joinParts(QStringLiteral("MEMORY:\n"), parts, QStringLiteral("\n"), false);
}

// "home" and "work" are the only labels a vCard type parameter carries here.
QString typedLine(const QString &property, const QString &label, const QString &value)
{
    const QString lower = label.toLower();
    if (lower == u"home" || lower == u"work")
        return property + QStringLiteral(";type=") + label + QLatin1Char(':') + value + crlf;
    return property + QLatin1Char(':') + value + crlf;
}

QString addressLine(const QRFieldRow &row)
{
    QStringList parts;
    const LabeledValueRecord::AddressParts &address = row.adrsDict->addressParts();
    for (QString text : {address.street, address.city, address.state, address.zip, address.country}) {
        text.replace(u'\n', u' ').replace(u'\t', u' ');
        parts.append(QRCodePayload::escapeSemicolon(text));
    }
    return typedLine(QStringLiteral("ADR"), row.label, QStringLiteral(";;") + parts.join(u';'));
}

QString rowLines(const QList<QRFieldRow> &table, const QString &type)
{
    QString lines;
    for (const QRFieldRow &row : table) {
        if (!row.selected || row.type != type)
            continue;
        if (type == FieldId::Email)
            lines += typedLine(QStringLiteral("EMAIL"), row.label, row.value);
        else if (type == FieldId::Phone)
            lines += typedLine(QStringLiteral("TEL"), row.label, row.value);
        else if (type == FieldId::Address && row.adrsDict)
            lines += addressLine(row);
        else if (type == FieldId::URL)
            lines += typedLine(QStringLiteral("URL"), row.label, QRCodePayload::webAddress(row.value));
    }
    return lines;
}

bool isTicked(const QList<QRFieldRow> &table, const QString &type)
{
    return std::any_of(
        table.cbegin(), table.cend(), [&type](const QRFieldRow &row) { return row.selected && row.type == type; });
}

QString organisationLines(MVPerson &person, const QList<QRFieldRow> &table)
{
    const StringValuesRecordPtr values = person.stringValues();
    const QString company = isTicked(table, FieldId::Company) ? values->value(FieldId::Company) : QString();
    const QString department = isTicked(table, FieldId::Department) ? values->value(FieldId::Department) : QString();
    QString lines;
    if (!company.isEmpty() || !department.isEmpty())
        lines += QStringLiteral("ORG:") + QRCodePayload::escapeSemicolon(company) + QLatin1Char(';')
            + QRCodePayload::escapeSemicolon(department) + crlf;
    const QString jobTitle = values->value(FieldId::JobTitle);
    if (isTicked(table, FieldId::JobTitle) && !jobTitle.isEmpty())
        lines += QStringLiteral("TITLE:") + jobTitle + crlf;
    return lines;
}

QString nameLines(MVPerson &person)
{
    const QString composite = person.compositeName();
    QString lines = QStringLiteral("FN:")
        + (composite.isEmpty() ? QStringLiteral("No name") : QRCodePayload::escapeSemicolon(composite)) + crlf;
    const NameRecordPtr name = person.nameValue();
    lines += QStringLiteral("N:") + QRCodePayload::escapeSemicolon(name->lastName) + QLatin1Char(';')
        + QRCodePayload::escapeSemicolon(name->firstName) + QStringLiteral(";;;") + crlf;
    const PersonValue phonetic = person.valueForIdentifier(FieldId::PhoneticName);
    if (const auto *reading = std::get_if<PhoneticNameRecord>(&phonetic)) {
        if (!reading->firstName.isEmpty())
            lines
                += QStringLiteral("X-PHONETIC-FIRST-NAME:") + QRCodePayload::escapeSemicolon(reading->firstName) + crlf;
        if (!reading->lastName.isEmpty())
            lines += QStringLiteral("X-PHONETIC-LAST-NAME:") + QRCodePayload::escapeSemicolon(reading->lastName) + crlf;
    }
    return lines;
}

} // namespace

namespace QRCodePayload {

const QStringList &formats()
{
    static const QStringList titles{docomo, au, softBank, phoneFormat, emailFormat, urlFormat, vCardFormat};
    return titles;
}

QList<QRFieldRow> fieldTable(MVPerson &person)
{
    QList<QRFieldRow> rows;
    appendLabeledRows(rows, person, FieldId::Phone, true);
    appendLabeledRows(rows, person, FieldId::Email, true);
    appendLabeledRows(rows, person, FieldId::Address, true);
    appendLabeledRows(rows, person, FieldId::URL, false);
    const StringValuesRecordPtr values = person.stringValues();
    for (const ContactIdentifier &identifier : {FieldId::Company, FieldId::Department, FieldId::JobTitle})
        rows.append({identifier, QString(), values->value(identifier), false, std::nullopt});
    return rows;
}

bool isEnabled(const QString &format, const QString &type)
{
    const bool organisation = type == FieldId::Company || type == FieldId::Department || type == FieldId::JobTitle;
    if (format == docomo || format == au || format == softBank)
        return type == FieldId::Phone || type == FieldId::Email || type == FieldId::Address;
    if (format == phoneFormat)
        return type == FieldId::Phone;
    if (format == emailFormat)
        return type == FieldId::Email;
    if (format == urlFormat)
        return type == FieldId::URL;
    if (format == vCardFormat)
        return true;
    return !organisation;
}

QString payload(const QString &format, MVPerson &person, const QList<QRFieldRow> &table)
{
    if (format == docomo || format == au || format == softBank)
        return carrierPayload(format, person, table);
    if (format == phoneFormat)
        return QStringLiteral("tel:") + lastTicked(table, FieldId::Phone);
    if (format == emailFormat)
        return QStringLiteral("mailto:") + lastTicked(table, FieldId::Email);
    if (format == urlFormat)
        return webAddress(lastTicked(table, FieldId::URL));
    if (format == vCardFormat) {
        const QString card = vCardFromContact(person, table);
        return card.isEmpty() ? QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n") : card;
    }
    return {};
}

QString vCardFromContact(MVPerson &person, const QList<QRFieldRow> &table)
{
    QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n") + nameLines(person);
    for (const ContactIdentifier &type : {FieldId::Email, FieldId::Phone, FieldId::Address, FieldId::URL})
        card += rowLines(table, type);
    return card + organisationLines(person, table) + QStringLiteral("END:VCARD\r\n");
}

QString escapeSemicolon(const QString &text)
{
    QString escaped = text;
    return escaped.replace(QLatin1Char(';'), QStringLiteral("\\;"));
}

QString webAddress(const QString &address)
{
    if (address.isEmpty())
        return QStringLiteral("http:");
    if (address.startsWith(u"http://") || address.startsWith(u"https://"))
        return address;
    return QStringLiteral("http://") + address;
}

} // namespace QRCodePayload
