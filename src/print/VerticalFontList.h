#pragma once

#include <QList>
#include <QString>

#include <memory>

// One face the font pop-ups of vertical text offer: its identifying name
// ("Noto Sans CJK JP Bold", the family alone for its regular style; the
// fallback entry's is a family name) and the title shown.
struct VerticalFontEntry {
    QString fontName;
    QString displayName;

    bool operator==(const VerticalFontEntry &) const = default;
};
using VerticalFontEntries = QList<VerticalFontEntry>;

// The faces that set Japanese vertically, built once per process off the
// main thread and published whole, so that a reader never sees half a list.
// The process keeps the list, not the faces the build opened to make it.
class VerticalFontList {
public:
    VerticalFontList() = delete;

    // Starts the build unless it has started.
    static void startBuilding();
    // The list, waiting for a build under way and building it when none
    // started.
    [[nodiscard]] static std::shared_ptr<const VerticalFontEntries> fonts();

    // The installed faces, in the font database's order, that have vertical
    // forms for Japanese punctuation, less the names the list leaves out; the
    // printer fonts named by their makers without that test. With none, the
    // application font alone.
    [[nodiscard]] static VerticalFontEntries build();
    // Whether the face substitutes a vertical form (its 'vert' or 'vrt2'
    // features) for "、" and has the vertical metrics that whole lines are
    // set by: the same answer the setting of vertical text asks for.
    [[nodiscard]] static bool isVerticalFace(const QString &family, const QString &style);
};
