#pragma once

#include <QString>

// What the find bar tells the window's controller, which does the searching
// and replacing: the search field's string entered with Return, and each
// command of its controls.
class FindBarDelegate {
public:
    // The command words of findBarButtonDidPress.
    static inline const QString Previous = QStringLiteral("Previous");
    static inline const QString Next = QStringLiteral("Next");
    static inline const QString Replace = QStringLiteral("Replace");
    static inline const QString ReplaceAll = QStringLiteral("ReplaceAll");
    static inline const QString Done = QStringLiteral("Done");
    static inline const QString OptionChanged = QStringLiteral("OptionChanged");

    virtual ~FindBarDelegate() = default;

    virtual void findStringDidChange(const QString &findString) = 0;
    virtual void findBarButtonDidPress(const QString &command) = 0;
};
