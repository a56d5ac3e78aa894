#include "SixtyValueContact.h"

#include "model/MVPerson.h"

#include <utility>

namespace {

// Each value carries its shown text, as one read from the store does, so that
// the views measured draw and search the text rather than empty rows.
void addValues(MVPerson &person, const ContactIdentifier &field, int count, int contact)
{
    const QStringList labels = MVPerson::labelsForIdentifier(field);
    LabeledValueList values;
    for (int i = 0; i < count; ++i) {
        auto value = std::make_shared<LabeledValueRecord>();
        value->label = labels.isEmpty() ? QStringLiteral("other") : labels.at(i % labels.size());
        value->labelIndex = i;
        if (field == FieldId::Dates) {
            const StoreDateComponents date{1990 + i, 1 + i % 12, 1 + contact % 28};
            value->value = date;
            value->stringValue = MVPerson::dateStringFromDateComponents(date);
        } else if (field == FieldId::Address) {
            value->address->zip = QStringLiteral("%1-%2").arg(100 + i).arg(contact % 10000, 4, 10, QLatin1Char('0'));
            value->address->state = QStringLiteral("東京都");
            value->address->city = QStringLiteral("千代田区");
            value->address->street = QStringLiteral("丸の内%1-%2").arg(i + 1).arg(contact % 50);
            value->address->country = QStringLiteral("Japan");
            value->address->isoCountryCode = QStringLiteral("jp");
            MVPerson::updateAddressValue(value.get(), AddressText::IncludeCountryAndZIP);
        } else {
            const QString text = QStringLiteral("%1 value %2 of contact %3").arg(field).arg(i).arg(contact);
            value->value = text;
            value->stringValue = text;
        }
        values.append(value);
    }
    person.setValue(values, field);
}

} // namespace

namespace SixtyValueContact {

ContactRecordPtr make(int index, const QImage &photo)
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(QStringLiteral("contact-%1").arg(index));
    NameRecord name;
    name.firstName = QStringLiteral("Given%1").arg(index);
    name.lastName = QStringLiteral("Family%1").arg(index);
    person->setValue(name, FieldId::Name);
    person->setValue(QStringLiteral("Company %1").arg(index), FieldId::Company);
    person->setValue(
        QStringLiteral("line one\nline two\nline three\nline four\nline five %1").arg(index), FieldId::Note);
    const QList<std::pair<ContactIdentifier, int>> fields{{FieldId::Phone, 8}, {FieldId::Email, 8}, {FieldId::URL, 8},
        {FieldId::Address, 7}, {FieldId::SocialNetwork, 7}, {FieldId::InstantMessage, 7}, {FieldId::Relationship, 7},
        {FieldId::Dates, 8}};
    for (const auto &[field, count] : fields)
        addValues(*person, field, count, index);
    if (!photo.isNull())
        person->setPhoto(photo);
    return ContactRecord::makeWithPerson(person);
}

} // namespace SixtyValueContact
