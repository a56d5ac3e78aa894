#include "interchange/CsvContactBuilder_p.h"

#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"

#include <QDate>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString noNamePlaceholder = u"No Name"_s;

// The single-text fields a CSV cell can fill, in the order they are set.
const QStringList &stringFields()
{
    static const QStringList fields{
        FieldId::Nickname, FieldId::Title, FieldId::Company, FieldId::Department, FieldId::JobTitle, FieldId::Note};
    return fields;
}

LabeledValueRecordPtr findLabel(const LabeledValueList &list, const QString &label)
{
    for (const LabeledValueRecordPtr &record : list) {
        if (record->labelText() == label)
            return record;
    }
    return nullptr;
}

// Reads up to maxDigits digits at position; -1 when there is none.
int readNumber(const QString &text, qsizetype &position, int maxDigits)
{
    int number = 0;
    int digits = 0;
    while (position < text.size() && digits < maxDigits && text.at(position).isDigit()
        && text.at(position).unicode() < 128) {
        number = number * 10 + (text.at(position).unicode() - u'0');
        ++position;
        ++digits;
    }
    return digits ? number : -1;
}

} // namespace

void CsvContactBuilder::createContact(const QString &value, const QString &key, const QString &label)
{
    if (value.isEmpty())
        return;
    if (key == FieldId::Name) {
        // What a contact without a name shows is no name to give it.
        if (value != noNamePlaceholder)
            m_nameText = value;
    } else if (key == FieldId::FirstName) {
        m_firstName = value;
    } else if (key == FieldId::LastName) {
        m_lastName = value;
    } else if (stringFields().contains(key)) {
        m_strings.insert(key, value);
    } else if (key == FieldId::Phone) {
        setLabeledValue(m_phones, label, value);
    } else if (key == FieldId::Email) {
        setLabeledValue(m_emails, label, value);
    } else if (key == FieldId::SocialNetwork) {
        setLabeledValue(m_socialProfiles, label, value);
        ValueRecordFormatter::updateSNSValue(findLabel(m_socialProfiles, label).get());
    } else if (key == FieldId::ZIP || key == FieldId::State || key == FieldId::City || key == FieldId::Street) {
        setAddressPart(key, label, value);
    } else if (key == FieldId::Birthday) {
        if (const auto date = birthdayFromText(value))
            m_birthday = date;
    }
}

void CsvContactBuilder::setLabeledValue(LabeledValueList &list, const QString &label, const QString &value)
{
    LabeledValueRecordPtr record = findLabel(list, label);
    if (!record) {
        record = std::make_shared<LabeledValueRecord>();
        record->label = label;
        record->labelIndex = list.size();
        list.append(record);
    }
    record->value = value;
    record->stringValue = value;
}

void CsvContactBuilder::setAddressPart(const QString &part, const QString &label, const QString &value)
{
    LabeledValueRecordPtr address = findLabel(m_addresses, label);
    if (!address) {
        address = std::make_shared<LabeledValueRecord>();
        address->label = label;
        address->labelIndex = m_addresses.size();
        m_addresses.append(address);
    }
    if (part == FieldId::ZIP)
        address->address->zip = value;
    else if (part == FieldId::State)
        address->address->state = value;
    else if (part == FieldId::City)
        address->address->city = value;
    else
        address->address->street = value;
    // The display text is made once, when the contact takes the list.
}

bool CsvContactBuilder::isEmpty() const
{
    return m_nameText.isEmpty() && m_firstName.isEmpty() && m_lastName.isEmpty() && m_strings.isEmpty()
        && m_phones.isEmpty() && m_emails.isEmpty() && m_socialProfiles.isEmpty() && m_addresses.isEmpty()
        && !m_birthday;
}

// The name parts when the row has them, else the "Name" cell as the last
// name; a "Name" cell equal to the company makes a company.
void CsvContactBuilder::applyName(MVPerson &person) const
{
    NameRecord name;
    name.firstName = m_firstName;
    name.lastName = m_lastName;
    const QString company = m_strings.value(FieldId::Company);
    const bool isCompany = !m_nameText.isEmpty() && m_nameText == company;
    if (name.firstName.isEmpty() && name.lastName.isEmpty() && !isCompany)
        name.lastName = m_nameText;
    name.showAsPerson = !isCompany;
    if (name.firstName.isEmpty() && name.lastName.isEmpty() && name.showAsPerson)
        return;
    person.setValue(name, FieldId::Name);
}

ContactRecordPtr CsvContactBuilder::makeContact() const
{
    const MVPersonPtr person = MVPerson::init();
    applyName(person.operator*());
    const auto setList = [&person](const LabeledValueList &list, const ContactIdentifier &identifier) {
        if (!list.isEmpty())
            person->setValue(list, identifier);
    };
    setList(m_emails, FieldId::Email);
    setList(m_socialProfiles, FieldId::SocialNetwork);
    setList(m_phones, FieldId::Phone);
    setList(m_addresses, FieldId::Address);
    if (m_birthday)
        person->setValue(*m_birthday, FieldId::Birthday);
    for (const QString &field : stringFields()) {
        if (const auto it = m_strings.constFind(field); it != m_strings.cend())
            person->setValue(*it, field);
    }
    return ContactRecord::makeWithPerson(person);
}

std::optional<StoreDateComponents> CsvContactBuilder::birthdayFromText(const QString &text)
{
    qsizetype position = 0;
    while (position < text.size() && text.at(position).isSpace())
        ++position;
    const int year = readNumber(text, position, 4);
    if (year < 0 || position >= text.size() || text.at(position) != u'.')
        return std::nullopt;
    ++position;
    const int month = readNumber(text, position, 2);
    if (month < 0 || position >= text.size() || text.at(position) != u'.')
        return std::nullopt;
    ++position;
    const int day = readNumber(text, position, 2);
    if (day < 0 || (position < text.size() && text.at(position).isDigit()))
        return std::nullopt;
    if (!QDate(year, month, day).isValid())
        return std::nullopt;
    return StoreDateComponents{year, month, day};
}
