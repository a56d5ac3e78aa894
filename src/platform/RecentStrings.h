#pragma once

#include <QString>
#include <QStringView>

// Short texts that repeat from record to record in a large file (countries,
// regions, organisations, labels, family names) come back as the string made
// before, shared instead of allocated again: the records of a file of
// thousands hold each such text once, and freeing them has less to do.
//
// One slot a text, chosen by a hash of it; a text of another slot's hash
// simply takes the slot over. Each thread has slots of its own.
class RecentStrings {
public:
    RecentStrings() = delete;

    // Texts longer than this are rarely repeated and never shared.
    static constexpr qsizetype longestShared = 48;

    [[nodiscard]] static QString shared(QStringView text);
    // The same for a string already made: it is kept when no earlier one matches.
    [[nodiscard]] static QString shared(const QString &text);
    // The string made before for text; null when none is held (a text too
    // long to share, an empty one or one not met lately). The string a caller
    // then makes is held by remember().
    [[nodiscard]] static QString found(QStringView text);
    static void remember(const QString &text);
};
