#include "model/AddressText.h"

#include "model/AddressFormatTable.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/StorePostalAddressFormatter.h"
#include "platform/contacts/StoreUserDefaults.h"

namespace {

// The country's field order without its leading code.
QStringList fieldOrderFor(const QString &countryCode)
{
    return AddressFormatTable::shared().fieldOrder(countryCode);
}

bool includesField(const QString &token, int option)
{
    if (token == FieldId::Street || token == FieldId::City || token == FieldId::State)
        return true;
    if (token == FieldId::ZIP)
        return (option & AddressText::IncludeZIP) != 0;
    if (token == FieldId::Country)
        return (option & AddressText::IncludeCountry) != 0;
    return false;
}

QString formattedAddress(const LabeledValueRecord &address, const QString &countryCode, int option)
{
    StorePostalAddress postal = address.postalAddress.value_or(StorePostalAddress{});
    postal.city = address.city;
    postal.state = address.state;
    postal.street = address.street;
    postal.country = option == 0 ? QString() : address.country;
    postal.isoCountryCode = countryCode;
    return StorePostalAddressFormatter::stringFromPostalAddress(postal);
}

}  // namespace

QString AddressText::countryCodeOfAddress(const LabeledValueRecord &address)
{
    QString code = address.isoCountryCode;
    if (code.isEmpty() && !address.country.isEmpty())
        code = AddressFormatTable::shared().predictCountryCode(address.country.toUpper());
    if (code.isEmpty())
        code = StoreUserDefaults::countryCode().toUpper();
    return code;
}

QString AddressText::addressFromLabeledValue(LabeledValueRecord *address, int option)
{
    if (!address)
        return {};
    const QString code = countryCodeOfAddress(*address);
    address->formattedString = formattedAddress(*address, code, option);
    QString text;
    // The parts and their spaces, as one allocation.
    text.reserve(address->street.size() + address->city.size() + address->state.size() + address->zip.size()
                 + address->country.size() + 5);
    for (const QString &token : fieldOrderFor(code)) {
        if (!includesField(token, option))
            continue;
        const QString value = address->addressPart(token);
        if (!value.isEmpty()) {
            text += value;
            text += u' ';
        }
    }
    return text;
}

void AddressText::updateAddressValue(LabeledValueRecord *address, int option)
{
    if (!address)
        return;
    if (address->labelText().isEmpty())
        address->label = QStringLiteral("No label");
    address->stringValue = addressFromLabeledValue(address, option);
}

QList<AddressRangeEntry> AddressText::rangeTableFromAddressDictionary(const LabeledValueRecord *address)
{
    if (!address)
        return {};
    QList<AddressRangeEntry> table;
    qsizetype position = 0;
    for (const QString &token : fieldOrderFor(countryCodeOfAddress(*address))) {
        const QString value = address->addressPart(token);
        if (value.isEmpty()) {
            table.append({token, QString(), position, 0});
            continue;
        }
        table.append({token, value + u' ', position, value.size() + 1});
        position += value.size() + 1;
    }
    return table;
}
