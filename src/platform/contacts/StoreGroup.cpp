#include "platform/contacts/StoreGroup.h"

#include <QUuid>

StoreGroup::StoreGroup(const QString &name)
    : m_identifier(QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_name(name)
{
}

StoreGroup::StoreGroup(const QString &identifier, const QString &name)
    : m_identifier(identifier)
    , m_name(name)
{
}
