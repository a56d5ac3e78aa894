#include "model/PostalAddressTemplate.h"

#include "model/AddressFormatTable.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StorePostalAddressFormatter.h"

#include <QHash>
#include <QMutex>

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

// The template last made for each country's row with the order it was made
// from. Every address of a load asks for its country's template, from the
// loading worker; the order is compared so that a merged table row is seen at
// once. The entry holds its row, so that no other row can take its address.
struct CachedTemplate {
    AddressFormatRowPtr row;
    QStringList order;
    QString format;
};
QMutex cacheMutex;
QHash<const AddressFormatRow *, CachedTemplate> templateCache;

} // namespace

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
    const AddressFormatRowPtr row = AddressFormatTable::shared().rowForCode(isoCountryCode);
    if (!row)
        return {};
    QMutexLocker locker(&cacheMutex);
    // Rows replaced by merges leave their entries behind.
    if (templateCache.size() >= 1024)
        templateCache.clear();
    CachedTemplate &cached = templateCache[row.get()];
    if (cached.format.isEmpty() || cached.order != row->order)
        cached = {row, row->order, fromOrder(row->order)};
    return cached.format;
}

void PostalAddressTemplate::install()
{
    StorePostalAddressFormatter::setFormatProvider(&PostalAddressTemplate::forCountry);
}
