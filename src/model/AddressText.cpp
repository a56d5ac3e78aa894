#include "model/AddressText.h"

#include "model/AddressFormatTable.h"
#include "model/AssignIfChanged.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/StorePostalAddressFormatter.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <QVarLengthArray>

#include <algorithm>

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
    QString LabeledValueRecord::AddressParts::*member = nullptr;
    int option = 0;
};
struct ResolvedOrder {
    QStringList order;
    QVarLengthArray<OrderedPart, 8> parts;
};

const ResolvedOrder &resolvedOrder(const QStringList &order)
{
    thread_local ResolvedOrder last;
    if (!last.order.isEmpty() && (last.order.isSharedWith(order) || last.order == order))
        return last;
    last.order = order;
    last.parts.clear();
    for (const QString &token : order) {
        if (token == FieldId::Street)
            last.parts.append({&LabeledValueRecord::AddressParts::street, 0});
        else if (token == FieldId::City)
            last.parts.append({&LabeledValueRecord::AddressParts::city, 0});
        else if (token == FieldId::State)
            last.parts.append({&LabeledValueRecord::AddressParts::state, 0});
        else if (token == FieldId::ZIP)
            last.parts.append({&LabeledValueRecord::AddressParts::zip, AddressText::IncludeZIP});
        else if (token == FieldId::Country)
            last.parts.append({&LabeledValueRecord::AddressParts::country, AddressText::IncludeCountry});
    }
    return last;
}

// Every included non-empty part in the order's turn, each followed by one
// space. The text is made in room of just its size: an address keeps it for
// as long as it lives.
QString joinedParts(const LabeledValueRecord::AddressParts &parts, const QStringList &order, int option)
{
    QVarLengthArray<const QString *, 8> shown;
    qsizetype size = 0;
    for (const OrderedPart &part : resolvedOrder(order).parts) {
        if (part.option != 0 && (option & part.option) == 0)
            continue;
        const QString &value = parts.*part.member;
        if (!value.isEmpty()) {
            shown.append(&value);
            size += value.size() + 1;
        }
    }
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (const QString *value : shown) {
        out = std::copy(value->cbegin(), value->cend(), out);
        *out++ = u' ';
    }
    return text;
}

// The distinct field orders of the format table and the default one, worked
// out again for each thread when the table's rows change (a merge or a
// replacement of the rows leaves the list this cache holds unshared).
const QList<QStringList> &knownOrders()
{
    struct Cache {
        QList<AddressFormatRowPtr> rows;
        QList<QStringList> orders;
    };
    thread_local Cache cache;
    const QList<AddressFormatRowPtr> &rows = AddressFormatTable::shared().rows();
    if (!cache.orders.isEmpty() && cache.rows.isSharedWith(rows))
        return cache.orders;
    cache.rows = rows;
    cache.orders = {AddressFormatTable::defaultOrder()};
    for (const AddressFormatRowPtr &row : rows) {
        if (!row->order.isEmpty() && !cache.orders.contains(row->order))
            cache.orders.append(row->order);
    }
    return cache.orders;
}

// The store's address of a record read from the store is its fields, its
// postal code among them, and the parts it kept for want of fields; a record
// made here has no postal address in the store, so its mailing form has no
// postal code.
QString formattedAddress(const LabeledValueRecord::AddressParts &address, const StoreAddressExtras *fromStore,
    const QString &countryCode, int option)
{
    StorePostalAddress postal;
    postal.street = address.street;
    postal.city = address.city;
    postal.state = address.state;
    if (option != 0)
        postal.country = address.country;
    postal.isoCountryCode = countryCode;
    if (fromStore) {
        postal.postalCode = address.zip;
        postal.subLocality = fromStore->subLocality;
        postal.subAdministrativeArea = fromStore->subAdministrativeArea;
    }
    return StorePostalAddressFormatter::stringFromPostalAddress(postal);
}

} // namespace

QString AddressText::countryCodeOfAddress(const LabeledValueRecord &address)
{
    const LabeledValueRecord::AddressParts &parts = address.addressParts();
    QString code = parts.isoCountryCode;
    if (code.isEmpty() && !parts.country.isEmpty())
        code = AddressFormatTable::shared().predictCountryCode(parts.country.toUpper());
    if (code.isEmpty())
        code = StoreUserDefaults::countryCode().toUpper();
    return code;
}

QString AddressText::addressFromLabeledValue(LabeledValueRecord *address, int option)
{
    if (!address)
        return {};
    return joinedParts(address->addressParts(), fieldOrderFor(countryCodeOfAddress(*address)), option);
}

QString AddressText::mailingForm(const LabeledValueRecord &address, int option)
{
    return formattedAddress(
        address.addressParts(), address.heldStoreObject<StoreAddressExtras>(), countryCodeOfAddress(address), option);
}

bool AddressText::isTextInAnyKnownOrder(const LabeledValueRecord &address, const QString &text)
{
    if (text == address.stringValue)
        return true;
    const LabeledValueRecord::AddressParts &parts = address.addressParts();
    for (const QStringList &order : knownOrders()) {
        if (joinedParts(parts, order, IncludeCountryAndZIP) == text)
            return true;
    }
    return false;
}

void AddressText::updateAddressValue(LabeledValueRecord *address, int option)
{
    if (!address)
        return;
    if (address->labelText().isEmpty())
        address->label = QStringLiteral("No label");
    assignIfChanged(address->stringValue, addressFromLabeledValue(address, option));
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
