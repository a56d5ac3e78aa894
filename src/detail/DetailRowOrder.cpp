#include "detail/DetailRowOrder.h"

#include "model/ContactIdentifier.h"
#include "platform/UserDefaults.h"

#include <QVariantList>

namespace DetailRowOrder {

const QStringList &defaultOrder()
{
    using namespace FieldId;
    static const QStringList order{Name, Photo, Renmei, Company, Address, QStringLiteral("Groups"), NameOrdering,
        QStringLiteral("Name Display"), PhoneticName, Email, Phone, InstantMessage, SocialNetwork, URL, Nickname,
        Birthday, Relationship, Suffix, Title, Department, JobTitle, Dates, Note};
    return order;
}

QStringList storedOrder(const UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(lastRowOrderKey);
    const int kind = stored.typeId();
    if (kind != QMetaType::QVariantList && kind != QMetaType::QStringList)
        return defaultOrder();
    QStringList order;
    for (const QVariant &entry : stored.toList()) {
        if (entry.typeId() == QMetaType::QString)
            order.append(entry.toString());
    }
    if (!order.contains(FieldId::Renmei)) {
        constexpr qsizetype jointNamesPosition = 2;
        order.insert(std::min(jointNamesPosition, order.size()), FieldId::Renmei);
    }
    return order;
}

} // namespace DetailRowOrder
