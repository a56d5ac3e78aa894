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

    // Sets the text whole in the font's vertical variant at its point size S,
    // a line a column S wide: upright characters down the column in the
    // face's vertical forms, advancing by its vertical metrics; characters
    // whose vertical orientation is "rotated" shaped along their baseline and
    // laid on their side, advancing by their width. Direction 1 from the
    // column's top-right corner, direction 2 turned as above. Returns the
    // area the text covers; adds its glyphs, each with its character, to
    // the list when there is one.
    static QRectF setShapedColumns(
        const QString &text, const QFont &font, const QPointF &point, int direction, DrawList *drawList);
    // The length of the line so set at 1 pt.
    [[nodiscard]] static double shapedColumnLength(const QString &line, const QFont &font);

    // Whether the font's face has a vertical variant to set whole lines in.
    [[nodiscard]] static bool hasVerticalVariant(const QFont &font);
    // The text set as the font asks: whole lines in its vertical variant when
    // it has one, glyph by glyph otherwise; with a list the glyphs are added
    // to it. Returns the area the text covers.
    static QRectF setColumns(
        const QString &text, const QFont &font, const QPointF &point, int direction, DrawList *drawList);
    // The length of the text's longest column so set, at 1 pt.
    [[nodiscard]] static double settingLength(QStringView text, const QFont &font);

    // Sets the text in the font at its point size S from the point and
    // returns the area it covers. With draw, its glyphs are added to the list,
    // upright ones in their vertical forms when verticalForms is set; without,
    // nothing is laid out and only the area is worked out.
    static QRectF drawStringInVertical(const QString &text, const QFont &font, const QPointF &point, bool draw,
        int direction, bool verticalForms, DrawList *drawList);
};
