#include "model/AccountSlot.h"

#include "model/TextShare.h"

namespace {

const AccountParts &noParts()
{
    static const AccountParts parts;
    return parts;
}

} // namespace

AccountSlot::AccountSlot(const AccountSlot &other)
    : m_word(copyOf(other.m_word))
{
}

AccountSlot &AccountSlot::operator=(const AccountSlot &other)
{
    if (this != &other) {
        const quintptr copy = copyOf(other.m_word);
        reset();
        m_word = copy;
    }
    return *this;
}

AccountSlot &AccountSlot::operator=(AccountSlot &&other) noexcept
{
    if (this != &other) {
        reset();
        m_word = std::exchange(other.m_word, 0);
    }
    return *this;
}

AccountSlot &AccountSlot::operator=(const AccountParts &parts)
{
    edit() = parts;
    return *this;
}

quintptr AccountSlot::copyOf(quintptr word)
{
    if (word == 0)
        return 0;
    if ((word & shareBit) != 0)
        return TextShare::copy(word & ~formBits) | shareBit;
    if ((word & splitBit) != 0)
        return reinterpret_cast<quintptr>(new QString(*reinterpret_cast<const QString *>(word & ~splitBit))) | splitBit;
    return reinterpret_cast<quintptr>(new AccountParts(*reinterpret_cast<const AccountParts *>(word)));
}

void AccountSlot::reset() noexcept
{
    if ((m_word & shareBit) != 0)
        TextShare::release(m_word & ~formBits);
    else if ((m_word & splitBit) != 0)
        delete reinterpret_cast<const QString *>(m_word & ~splitBit);
    else
        delete group();
    m_word = 0;
}

AccountParts AccountSlot::parts() const
{
    if (!isSplit())
        return groupOrNone();
    return AccountParts{part(&AccountParts::username), part(&AccountParts::domain), {}, {}, {}};
}

QString AccountSlot::part(QString AccountParts::*member) const
{
    if (!isSplit())
        return groupOrNone().*member;
    const QStringView address = splitAddress();
    const qsizetype at = address.indexOf(u'@');
    if (member == &AccountParts::username)
        return address.left(at).toString();
    if (member == &AccountParts::domain)
        return at < 0 ? QString() : address.mid(at + 1).toString();
    return {};
}

QStringView AccountSlot::splitAddress() const noexcept
{
    if ((m_word & shareBit) != 0)
        return QStringView(TextShare::characters(m_word & ~formBits), TextShare::size(m_word & ~formBits));
    return *reinterpret_cast<const QString *>(m_word & ~splitBit);
}

const AccountParts &AccountSlot::groupOrNone() const noexcept
{
    return m_word ? *group() : noParts();
}

void AccountSlot::splitFrom(const QString &address)
{
    reset();
    if (const quintptr share = TextShare::share(address))
        m_word = share | shareBit;
    else
        m_word = reinterpret_cast<quintptr>(new QString(address)) | splitBit;
}

AccountParts &AccountSlot::edit()
{
    if (m_word == 0 || isSplit()) {
        auto *parts = new AccountParts(this->parts());
        reset();
        m_word = reinterpret_cast<quintptr>(parts);
    }
    return *group();
}

bool operator==(const AccountSlot &a, const AccountSlot &b)
{
    if (a.isSplit() && b.isSplit() && a.splitAddress() == b.splitAddress())
        return true;
    if (!a.isSplit() && !b.isSplit())
        return a.groupOrNone() == b.groupOrNone();
    return a.parts() == b.parts();
}
