#pragma once

#include "print/StyledText.h"
#include "print/TextGlyphs_p.h"

#include <QRectF>
#include <QSizeF>

class DrawList;
struct TextObject;

// The block of an envelope or a mailing label, the address lines and then the
// name, as it is set on the page: horizontally in the view's font, or in
// vertical glyph forms of the vertical font, its lines running across
// ("Left-Right") or down the page ("Up-Down"). Envelopes and labels size it
// with the same fitting steps from a starting size of their own. Vertical
// glyphs are set whole lines at a time when the vertical font has a vertical
// variant, glyph by glyph otherwise, and measured as they are set.
class AddressBlock {
public:
    // How vertical glyphs whose lines run across are measured. An envelope
    // takes the styled text's own extent; a label sets the block down the page
    // and exchanges the sides, which is the room it takes set across.
    enum class VerticalMeasure { Styled, SetDownAndTurned };

    // The block keeps the object, which must outlive it.
    explicit AddressBlock(const TextObject &object, VerticalMeasure measure = VerticalMeasure::Styled);

    // What the block takes across and down the page at the size.
    [[nodiscard]] QSizeF extent(double size) const;

    struct Fitted {
        double size = 0;
        QSizeF extent;
    };
    // The fitting steps from the starting size: the block grows while it
    // fills less than 90 % of the box either way and shrinks while it fills
    // more than 98 %, at most 20 measurements, never below 1 pt.
    [[nodiscard]] Fitted fit(double startSize, const QSizeF &box) const;
    // A block the fitting left larger than its box, set smaller until it fits
    // or reaches the floor, and never below the floor; a block that fits is
    // left as it is.
    [[nodiscard]] Fitted shrunkToFit(const Fitted &fitted, const QSizeF &box, double floor) const;
    // Whether the block reaches past the box either way.
    [[nodiscard]] static bool overflows(const QSizeF &extent, const QSizeF &box);

    // Draws the block at the size in the rectangle: from its top-left corner,
    // or from its top-right corner when the lines run down the page.
    void draw(double size, const QRectF &rect, DrawList &drawList) const;
    // Draws the styled text at the size unturned, its top-left corner at the
    // point, whatever the block's glyphs and direction.
    void drawStyled(double size, const QPointF &topLeft, DrawList &drawList) const;

    // The change of size one fitting step makes for a block that fills these
    // parts of its box across and down; 0 ends the fitting.
    [[nodiscard]] static double fittingStep(double across, double down);
    // The length of the text's longest line, in UTF-16 units: what the
    // starting sizes are guessed from.
    [[nodiscard]] static qsizetype longestLineLength(const QString &text);
    // Fitting never sets a block smaller: a box of nothing would step the
    // size down past zero; nor larger: a box far larger than the paper would
    // step it up past what a font engine makes.
    static constexpr double smallestSize = 1;
    // Below this a label's text is no longer read: a block that still does
    // not fit is cut at the label's edge instead.
    static constexpr double readableSize = 6;
    static constexpr double largestSize = TextGlyphs::largestSize;

    static inline const QString leftRight = QStringLiteral("Left-Right");
    static inline const QString upDown = QStringLiteral("Up-Down");

private:
    [[nodiscard]] QFont verticalFont(double size) const;

    const TextObject &m_object;
    VerticalMeasure m_measure = VerticalMeasure::Styled;
    bool m_upDown = false;
    StyledText m_styled;
    bool m_verticalVariant = false;
};
