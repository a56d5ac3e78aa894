#pragma once

#include <QString>
#include <QtGlobal>

// A text of a small vocabulary that a great many records hold (the country
// code every contact is read with), kept once for the whole program: a holder
// keeps the number of the one copy instead of a text of its own, which fits
// in the few bytes a contact's other members leave over. The copies live as
// long as the program, so this is only for texts of few different values.
class InternedText {
public:
    InternedText() = default;
    explicit InternedText(const QString &text)
        : m_number(intern(text))
    {
    }
    InternedText &operator=(const QString &text)
    {
        m_number = intern(text);
        return *this;
    }

    [[nodiscard]] const QString &text() const { return textOf(m_number); }
    operator const QString &() const { return text(); }

private:
    // 0 for the null text, so that it reads back as null.
    [[nodiscard]] static quint32 intern(const QString &text);
    [[nodiscard]] static const QString &textOf(quint32 number);

    quint32 m_number = 0;
};
