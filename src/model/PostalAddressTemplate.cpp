#include "model/PostalAddressTemplate.h"

#include "model/AddressFormatTable.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StorePostalAddressFormatter.h"

namespace {

// The formatter's placeholder of a field token; empty for any other token.
QString placeholder(const QString &token)
{
    if (token == FieldId::Street)
        return u'{' + QString(ContactKeys::postalAddressStreet) + u'}';
    if (token == FieldId::City)
        return u'{' + QString(ContactKeys::postalAddressCity) + u'}';
    if (token == FieldId::State)
        return u'{' + QString(ContactKeys::postalAddressState) + u'}';
    if (token == FieldId::ZIP)
        return u'{' + QString(ContactKeys::postalAddressPostalCode) + u'}';
    if (token == FieldId::Country)
        return u'{' + QString(ContactKeys::postalAddressCountry) + u'}';
    return {};
}

}  // namespace

QString PostalAddressTemplate::fromOrder(const QStringList &order)
{
    QStringList lines;
    QStringList run;
    const auto endRun = [&] {
        if (!run.isEmpty())
            lines.append(run.join(u' '));
        run.clear();
    };
    for (const QString &token : order) {
        const QString part = placeholder(token);
        if (part.isEmpty())
            continue;
        if (token == FieldId::Street || token == FieldId::Country) {
            endRun();
            lines.append(part);
        } else {
            run.append(part);
        }
    }
    endRun();
    return lines.join(u'\n');
}

QString PostalAddressTemplate::forCountry(const QString &isoCountryCode)
{
    const AddressFormatRowPtr row = AddressFormatTable::shared().rowsByCode().value(isoCountryCode.toUpper());
    return row ? fromOrder(row->order) : QString();
}

void PostalAddressTemplate::install()
{
    StorePostalAddressFormatter::setFormatProvider(&PostalAddressTemplate::forCountry);
}
