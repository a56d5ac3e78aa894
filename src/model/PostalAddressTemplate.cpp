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

// The template of the row from the cache every thread shares, made anew
// when the row's order changed.
CachedTemplate cachedTemplate(const AddressFormatRowPtr &row)
{
    QMutexLocker locker(&cacheMutex);
    // Rows replaced by merges leave their entries behind.
    if (templateCache.size() >= 1024)
        templateCache.clear();
    CachedTemplate &cached = templateCache[row.get()];
    if (cached.format.isEmpty() || cached.order != row->order)
        cached = {row, row->order, PostalAddressTemplate::fromOrder(row->order)};
    else
        cached.order = row->order; // the same words: shared again, for the threads' checks
    return cached;
}

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
    // The addresses of a load are mostly of one country: the template this
    // thread had last is taken again while its row and the row's order stand
    // (a list changed in place no longer shares the copy kept here).
    thread_local CachedTemplate last;
    if (last.row == row && last.order.isSharedWith(row->order))
        return last.format;
    last = cachedTemplate(row);
    return last.format;
}

void PostalAddressTemplate::install()
{
    StorePostalAddressFormatter::setFormatProvider(&PostalAddressTemplate::forCountry);
}
