#include "model/NormalizePhoneNumber.h"

NormalizePhoneNumber::NormalizePhoneNumber() = default;

void NormalizePhoneNumber::setPhoneNumber(const QString &number)
{
    m_phoneNumber = number;
}
