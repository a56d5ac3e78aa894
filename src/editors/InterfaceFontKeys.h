#pragma once

#include <QString>

// The settings that name the font of the contact views (the table, the
// contact popover's rows and the simple sheet), and the name older settings
// hold for the system font. The key texts are stored: they never change.
struct InterfaceFontKeys {
    static inline const QString defaultFontNameKey = QStringLiteral("MV1DdefaultFontName");
    static inline const QString defaultFontSizeKey = QStringLiteral("MV1DdefaultFontSize");
    // The other platform's name of its interface font.
    static inline const QString systemFontName = QStringLiteral(".AppleSystemUIFont");
};
