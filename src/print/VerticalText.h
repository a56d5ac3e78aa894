#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringView>

class DrawList;

// Japanese set vertically glyph by glyph: which characters stand upright and
// which lie on their side, how far each moves the pen, and where each glyph
// lands. An upright character moves the pen by a cell (a small kana by half
// of one), a character on its side by its own advance and at least half a
// cell; all of it scales with the size, so text is measured at one size for
// every other.
class VerticalText {
public:
    enum class CharacterClass { Dash, Newline, SmallKana, Latin, HalfwidthKatakana, FullwidthForm, Japanese, Other };

    // Characters run down the page and columns from right to left; the point
    // is the top-right corner of the first column.
    static constexpr int downward = 1;
    // The same text for a sheet read turned a quarter turn clockwise:
    // characters run along x and lines downward, every glyph turned a quarter
    // turn counter-clockwise; the point is the top-left corner.
    static constexpr int across = 2;

    VerticalText() = delete;

    // Kana, CJK punctuation, ideographs and compatibility ideographs,
    // including those beyond 16 bits (𠮷, U+20BB7, is common in family names).
    [[nodiscard]] static bool isJapanese(char32_t character);
    [[nodiscard]] static CharacterClass characterClass(char32_t character);
    // Whether glyphs of the class stand upright in vertical text: only those
    // take the font's vertical forms.
    [[nodiscard]] static bool standsUpright(CharacterClass characterClass);

    // The length of the text's longest column, set at 1 pt in the font.
    [[nodiscard]] static double columnLength(QStringView text, const QFont &font);

    // Sets the text in the font at its point size S from the point and
    // returns the area it covers. With draw, its glyphs are added to the list,
    // upright ones in their vertical forms when verticalForms is set; without,
    // nothing is laid out and only the area is worked out.
    static QRectF drawStringInVertical(const QString &text, const QFont &font, const QPointF &point, bool draw,
        int direction, bool verticalForms, DrawList *drawList);
};
