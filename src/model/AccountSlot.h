#pragma once

#include "model/AccountParts.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <utility>

// The account parts of a labeled value in the room of one pointer. Nearly
// every e-mail address of a file has as its parts just the two halves of
// itself around its first at sign: such a record keeps a share of the address
// it was split from (the text the value holds already) and works the halves
// out when they are read, instead of a group and a user-name text of its own.
// The share is a TextShare in the word itself where the address allows, a
// QString on the heap otherwise. Any other parts, and any part changed
// afterwards, are kept in a group on the heap as they were set. The two low
// bits of the word tell which it holds; 0 reads as no parts. Copies are deep.
class AccountSlot {
public:
    AccountSlot() noexcept = default;
    AccountSlot(const AccountSlot &other);
    AccountSlot(AccountSlot &&other) noexcept
        : m_word(std::exchange(other.m_word, 0))
    {
    }
    AccountSlot &operator=(const AccountSlot &other);
    AccountSlot &operator=(AccountSlot &&other) noexcept;
    AccountSlot &operator=(const AccountParts &parts);
    ~AccountSlot() { reset(); }

    // The parts as they read: split ones worked out, none as the defaults.
    [[nodiscard]] AccountParts parts() const;
    // One text part, without copying the others.
    [[nodiscard]] QString part(QString AccountParts::*member) const;
    // The group to change; split parts become a group first.
    [[nodiscard]] AccountParts &operator*() { return edit(); }
    [[nodiscard]] AccountParts *operator->() { return &edit(); }
    // Whether any parts are held, split or set.
    [[nodiscard]] bool isHeld() const noexcept { return m_word != 0; }
    // Whether parts were set one by one (rather than split or none).
    [[nodiscard]] bool holdsGroup() const noexcept { return m_word != 0 && !isSplit(); }
    // Takes the halves of `address` around its first at sign as the user name
    // and the domain, and nothing else; the caller has checked that both
    // halves hold text. An address without an at sign is a user name alone.
    void splitFrom(const QString &address);
    void reset() noexcept;

    friend bool operator==(const AccountSlot &a, const AccountSlot &b);

private:
    // A split address held as a QString, and as a TextShare.
    static constexpr quintptr splitBit = 1;
    static constexpr quintptr shareBit = 2;
    static constexpr quintptr formBits = splitBit | shareBit;

    [[nodiscard]] bool isSplit() const noexcept { return (m_word & formBits) != 0; }
    // The address of split parts, without a count taken on it.
    [[nodiscard]] QStringView splitAddress() const noexcept;
    [[nodiscard]] AccountParts *group() const noexcept { return reinterpret_cast<AccountParts *>(m_word); }
    // The group set one by one, or the defaults for none; not for split parts.
    [[nodiscard]] const AccountParts &groupOrNone() const noexcept;
    [[nodiscard]] static quintptr copyOf(quintptr word);
    AccountParts &edit();

    quintptr m_word = 0;
};
