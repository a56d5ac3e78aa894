#pragma once

#include <QString>

// A text of a small vocabulary that a great many records hold (the country
// code every contact is read with), kept once for the whole program: a holder
// keeps a pointer to the one copy instead of a text of its own. The copies live
// as long as the program, so this is only for texts of few different values.
class InternedText {
public:
    InternedText() = default;
    explicit InternedText(const QString &text)
        : m_text(intern(text))
    {
    }
    InternedText &operator=(const QString &text)
    {
        m_text = intern(text);
        return *this;
    }

    [[nodiscard]] const QString &text() const { return m_text ? *m_text : nullText(); }
    operator const QString &() const { return text(); }

private:
    // Null for the null text, so that it reads back as null.
    [[nodiscard]] static const QString *intern(const QString &text);
    [[nodiscard]] static const QString &nullText();

    const QString *m_text = nullptr;
};
