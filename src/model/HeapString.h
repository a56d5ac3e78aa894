#pragma once

#include <QString>
#include <QStringBuilder>
#include <QStringView>

#include <memory>
#include <string>

// A text kept on the heap, for the members of records that most records leave
// null: a null text costs one pointer instead of the room of a QString. It
// reads as a const QString (null when never set, so the difference between
// null and empty text stays) and takes any QString; copies are deep, as for a
// QString member. A labeled value holds a dozen of these (address parts,
// social profile keys), of which a phone number or an e-mail address uses none.
class HeapString {
public:
    HeapString() = default;
    explicit HeapString(const QString &text) { assign(text); }
    HeapString(const HeapString &other) { assign(other.text()); }
    HeapString(HeapString &&) noexcept = default;
    ~HeapString() = default;

    HeapString &operator=(const HeapString &other)
    {
        if (this != &other)
            assign(other.text());
        return *this;
    }
    HeapString &operator=(HeapString &&) noexcept = default;
    HeapString &operator=(const QString &text)
    {
        assign(text);
        return *this;
    }

    [[nodiscard]] const QString &text() const { return m_text ? *m_text : nullText(); }
    operator const QString &() const { return text(); }
    operator QStringView() const { return text(); }

    [[nodiscard]] bool isNull() const { return !m_text; }
    [[nodiscard]] bool isEmpty() const { return !m_text || m_text->isEmpty(); }
    [[nodiscard]] qsizetype size() const { return m_text ? m_text->size() : 0; }
    [[nodiscard]] QString toUpper() const { return text().toUpper(); }
    [[nodiscard]] std::string toStdString() const { return text().toStdString(); }
    void clear() { m_text.reset(); }

    friend bool operator==(const HeapString &a, const HeapString &b) { return a.text() == b.text(); }
    friend bool operator==(const HeapString &a, const QString &b) { return a.text() == b; }
    friend bool operator==(const HeapString &a, QStringView b) { return a.text() == b; }

private:
    static const QString &nullText()
    {
        static const QString null;
        return null;
    }
    void assign(const QString &text)
    {
        if (text.isNull())
            m_text.reset();
        else if (m_text)
            *m_text = text;
        else
            m_text = std::make_unique<QString>(text);
    }

    std::unique_ptr<QString> m_text;
};

// Joins into texts with + as a QString does.
template <> struct QConcatenable<HeapString> {
    using type = HeapString;
    using ConvertTo = QString;
    enum { ExactSize = true };
    static qsizetype size(const HeapString &text) { return text.size(); }
    static void appendTo(const HeapString &text, QChar *&out) { QConcatenable<QString>::appendTo(text.text(), out); }
};
