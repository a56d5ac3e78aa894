#include "interchange/PostalRecord.h"

QVariantMap PostalRecord::toVariantMap() const
{
    QVariantMap map{
        {QStringLiteral("ZIP"), zip},
        {QStringLiteral("State"), state},
        {QStringLiteral("City"), city},
        {QStringLiteral("Street"), street},
        {QStringLiteral("PhoneticCity"), phoneticCity},
        {QStringLiteral("PhoneticStreet"), phoneticStreet},
        {QStringLiteral("Company"), company},
    };
    if (phoneticCompany) {
        map.insert(QStringLiteral("PhoneticCompany"), *phoneticCompany);
    }
    return map;
}
