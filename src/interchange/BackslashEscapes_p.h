#pragma once

#include <QString>
#include <QStringView>

// Undoing backslash escapes, shared by the vCard and the CSV rules, which
// differ only in the escapes they know.
class BackslashEscapes {
public:
    BackslashEscapes() = delete;

    // The character an escaped character stands for, or 0 when a backslash
    // before it is no escape.
    using Meaning = char16_t (*)(char16_t escaped);

    // A backslash that starts no escape stays, with its character.
    [[nodiscard]] static QString unescape(QStringView text, Meaning meaning);
};
