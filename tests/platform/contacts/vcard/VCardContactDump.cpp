#include "VCardContactDump.h"

#include "platform/contacts/ContactKeys.h"

#include <QCryptographicHash>

namespace {

QString shown(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'\r', QStringLiteral("\\r"));
    escaped.replace(u'\n', QStringLiteral("\\n"));
    return escaped;
}

QString dateText(const StoreDateComponents &date)
{
    const auto part = [](const std::optional<int> &value, int width) {
        return value ? QStringLiteral("%1").arg(*value, width, 10, QLatin1Char('0')) : QString(width, u'x');
    };
    return part(date.year, 4) + u'-' + part(date.month, 2) + u'-' + part(date.day, 2);
}

void add(QStringList &lines, const char *key, const QString &value)
{
    if (!value.isEmpty())
        lines.append(QLatin1StringView(key) + QStringLiteral(": ") + shown(value));
}

template <typename T, typename Format>
void addLabeled(QStringList &lines, const char *key, const QList<StoreLabeledValue<T>> &values, Format format)
{
    for (const StoreLabeledValue<T> &value : values)
        lines.append(QLatin1StringView(key) + u'[' + shown(value.label()) + QStringLiteral("]: ")
            + shown(format(value.value())));
}

QString addressText(const StorePostalAddress &a)
{
    QStringList parts;
    const auto part = [&](const char *name, const QString &value) {
        if (!value.isEmpty())
            parts.append(QLatin1StringView(name) + u'=' + value);
    };
    part("street", a.street);
    part("subLocality", a.subLocality);
    part("city", a.city);
    part("subAdministrativeArea", a.subAdministrativeArea);
    part("state", a.state);
    part("postalCode", a.postalCode);
    part("country", a.country);
    part("iso", a.isoCountryCode);
    return parts.join(QStringLiteral(" | "));
}

} // namespace

QStringList VCardContactDump::dump(const StoreContact &c)
{
    QStringList lines;
    lines.append(c.contactType() == StoreContact::ContactType::Organization ? QStringLiteral("type: organization")
                                                                            : QStringLiteral("type: person"));
    // The string fields in the store's order, the note last.
    for (const QString &key : ContactKeys::stringContactKeys()) {
        if (key != ContactKeys::note)
            add(lines, qPrintable(key), c.stringForKey(key));
    }
    addLabeled(lines, "phone", c.phoneNumbers(), [](const StorePhoneNumber &p) -> QString { return p.stringValue(); });
    addLabeled(lines, "email", c.emailAddresses(), [](const QString &s) { return s; });
    addLabeled(lines, "address", c.postalAddresses(), addressText);
    addLabeled(lines, "url", c.urlAddresses(), [](const QString &s) { return s; });
    addLabeled(lines, "date", c.dates(), dateText);
    addLabeled(lines, "relation", c.contactRelations(), [](const StoreContactRelation &r) { return r.name; });
    addLabeled(lines, "instantMessage", c.instantMessageAddresses(),
        [](const StoreInstantMessageAddress &a) -> QString { return a.service + QStringLiteral(" / ") + a.username; });
    addLabeled(lines, "socialProfile", c.socialProfiles(), [](const StoreSocialProfile &p) -> QString {
        return p.service + QStringLiteral(" / ") + p.username + QStringLiteral(" / ") + p.userIdentifier
            + QStringLiteral(" / ") + p.urlString;
    });
    if (const std::optional<StoreDateComponents> birthday = c.birthday())
        lines.append(QStringLiteral("birthday: ") + dateText(*birthday));
    add(lines, "note", c.note());
    const QByteArray image = c.imageData();
    if (!image.isEmpty())
        lines.append(
            QStringLiteral("image: %1 bytes, sha1 %2")
                .arg(image.size())
                .arg(QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha1).toHex().left(12))));
    return lines;
}

QStringList VCardContactDump::dump(const QList<StoreContact> &contacts)
{
    QStringList lines;
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        lines.append(QStringLiteral("contact %1").arg(i + 1));
        lines += dump(contacts.at(i));
    }
    return lines;
}
