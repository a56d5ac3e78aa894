#pragma once

#include <QString>

class NormalizePhoneNumber
{
public:
    NormalizePhoneNumber();

    void setPhoneNumber(const QString &number);
    [[nodiscard]] QString phoneNumber() const { return m_phoneNumber; }

private:
    QString m_phoneNumber;
};
