#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <initializer_list>
#include <utility>

// Undoing backslash escapes. The formats the system reads (vCard text values,
// X-RENMEI's line feeds, the cells of its own CSV layout) differ only in the
// escapes they know, so each names its escapes in a table and all of them go
// through one loop.
class BackslashEscapes {
public:
    BackslashEscapes() = delete;

    // What the character after a backslash stands for; 0 where a backslash
    // before it starts no escape. Only ASCII characters are escaped.
    class Table {
    public:
        constexpr Table(std::initializer_list<std::pair<char16_t, char16_t>> escapes)
        {
            for (const auto &[escaped, meant] : escapes) {
                if (escaped < m_meaning.size())
                    m_meaning[escaped] = meant;
            }
        }
        [[nodiscard]] constexpr char16_t meaning(char16_t escaped) const
        {
            return escaped < m_meaning.size() ? m_meaning[escaped] : 0;
        }

    private:
        std::array<char16_t, 128> m_meaning{};
    };

    // A backslash that starts no escape stays, with its character (which may
    // start an escape of its own: "\\\n" is a backslash and a line feed when
    // the table has no "\\").
    [[nodiscard]] static QString unescape(QStringView text, const Table &table);
};
