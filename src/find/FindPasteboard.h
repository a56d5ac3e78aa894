#pragma once

#include <QString>

// The find string the application's finds share: the find bar writes it,
// the Find menu and the find panel read it. The desktop has no find buffer
// shared between programs, so it lives in this process only.
class FindPasteboard {
public:
    FindPasteboard() = delete;

    [[nodiscard]] static QString string() { return text(); }
    static void setString(const QString &string) { text() = string; }

private:
    static QString &text()
    {
        static QString shared;
        return shared;
    }
};
