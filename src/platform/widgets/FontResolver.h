#pragma once

#include <QFont>
#include <QString>

#include <optional>

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
    // The resolved family at the size in points. A name of the form "Family
    // Style" ("Noto Sans CJK JP Bold") of an installed family and one of its
    // styles gives that face.
    [[nodiscard]] static QFont font(const QString &name, qreal pointSize);

    // The name of a face: its family, then a space and its style unless that
    // is the family's regular (normal weight, upright) style.
    [[nodiscard]] static QString faceName(const QString &family, const QString &style);
    [[nodiscard]] static QString faceName(const QFont &font);

private:
    struct Face {
        QString family;
        QString style; // empty: the family's own choice
    };
    [[nodiscard]] static Face resolvedFace(const QString &name);
    // The installed family and style the name is made of, if any.
    [[nodiscard]] static std::optional<Face> familyAndStyle(const QString &name);
};
