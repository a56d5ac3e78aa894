#include "model/AddressText.h"

#include "model/AddressFormatTable.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/StorePostalAddressFormatter.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <QVarLengthArray>

namespace {

// The country's field order without its leading code.
QStringList fieldOrderFor(const QString &countryCode)
{
    return AddressFormatTable::shared().fieldOrder(countryCode);
}

// The parts of the one-line text in a country's order, as record members with
// the option each needs (none for street, city and state); other tokens give
// nothing. Worked out once for each order and thread: every address of a
// load asks with one of a few orders.
struct OrderedPart {
    HeapString LabeledValueRecord::*member = nullptr;
    int option = 0;
};
struct ResolvedOrder {
    QStringList order;
    QVarLengthArray<OrderedPart, 8> parts;
};

const ResolvedOrder &resolvedOrder(const QStringList &order)
{
    thread_local ResolvedOrder last;
    if (!last.order.isEmpty() && last.order == order)
        return last;
    last.order = order;
    last.parts.clear();
    for (const QString &token : order) {
        if (token == FieldId::Street)
            last.parts.append({&LabeledValueRecord::street, 0});
        else if (token == FieldId::City)
            last.parts.append({&LabeledValueRecord::city, 0});
        else if (token == FieldId::State)
            last.parts.append({&LabeledValueRecord::state, 0});
        else if (token == FieldId::ZIP)
            last.parts.append({&LabeledValueRecord::zip, AddressText::IncludeZIP});
        else if (token == FieldId::Country)
            last.parts.append({&LabeledValueRecord::country, AddressText::IncludeCountry});
    }
    return last;
}

QString formattedAddress(const LabeledValueRecord &address, const QString &countryCode, int option)
{
    // A record read from the store still holds the store's address with the
    // same parts: it is formatted as it stands, without a copy to fill in.
    const StorePostalAddress *held = address.heldStoreObject<StorePostalAddress>();
    if (held && option != 0 && held->street == address.street && held->city == address.city
        && held->state == address.state && held->country == address.country && held->isoCountryCode == countryCode)
        return StorePostalAddressFormatter::stringFromPostalAddress(*held);
    StorePostalAddress postal = held ? *held : StorePostalAddress{};
    postal.city = address.city;
    postal.state = address.state;
    postal.street = address.street;
    postal.country = option == 0 ? QString() : address.country.text();
    postal.isoCountryCode = countryCode;
    return StorePostalAddressFormatter::stringFromPostalAddress(postal);
}

} // namespace

QString AddressText::countryCodeOfAddress(const LabeledValueRecord &address)
{
    QString code = address.isoCountryCode;
    if (code.isEmpty() && !address.country.isEmpty())
        code = AddressFormatTable::shared().predictCountryCode(address.country.text().toUpper());
    if (code.isEmpty())
        code = StoreUserDefaults::countryCode().toUpper();
    return code;
}

QString AddressText::addressFromLabeledValue(LabeledValueRecord *address, int option)
{
    if (!address)
        return {};
    const QString code = countryCodeOfAddress(*address);
    QString formatted = formattedAddress(*address, code, option);
    // Made line by line; the address keeps it for as long as it lives.
    formatted.squeeze();
    address->formattedString = formatted;
    QString text;
    // The parts and their spaces, as one allocation.
    text.reserve(address->street.size() + address->city.size() + address->state.size() + address->zip.size()
        + address->country.size() + 5);
    for (const OrderedPart &part : resolvedOrder(fieldOrderFor(code)).parts) {
        if (part.option != 0 && (option & part.option) == 0)
            continue;
        const QString &value = address->*part.member;
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
