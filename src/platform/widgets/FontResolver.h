#pragma once

#include <QFont>
#include <QString>

// Turns the font names that stored settings and layouts carry into fonts this
// machine has. Names of the other platform's Japanese faces ("Hiragino Maru
// Gothic ProN", "Hiragino Mincho ProN") are kept as the first choice, so a
// machine that has them uses them; elsewhere a face of the same kind stands
// in: gothic and maru gothic → IPAexGothic, then Noto Sans CJK JP; mincho →
// IPAexMincho, then Noto Serif CJK JP; anything else → the application font.
class FontResolver {
public:
    enum class Kind { Gothic, Mincho, Other };

    FontResolver() = delete;

    // The kind a font name asks for, read from the words in it.
    [[nodiscard]] static Kind kindOfName(const QString &name);
    [[nodiscard]] static bool isInstalled(const QString &family);
    // Whether the name or a stand-in of its kind is installed: the font
    // "exists" for the settings that fall back when it does not.
    [[nodiscard]] static bool hasFace(const QString &name);

    // The installed family to draw the named font with; the application
    // font's family when neither the name nor a face of its kind is installed.
    [[nodiscard]] static QString resolvedFamily(const QString &name);
    // The resolved family at the size in points.
    [[nodiscard]] static QFont font(const QString &name, qreal pointSize);
};
