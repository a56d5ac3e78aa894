#include "print/VerticalText.h"

#include "platform/widgets/VerticalGlyphForms.h"
#include "print/ComposedCharacters_p.h"
#include "print/DrawList.h"
#include "print/TextGlyphs_p.h"

#include <QHash>

#include <algorithm>
#include <memory>

namespace {

using CharacterClass = VerticalText::CharacterClass;

// The small kana that are lifted and take half a cell. ゎ, ヮ, ヵ, ヶ and the
// small katakana of U+31F0-U+31FF are not among them.
bool isSmallKana(char32_t character)
{
    static constexpr char32_t smallKana[] = {0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30C3, 0x30E3, 0x30E5, 0x30E7,
        0x3041, 0x3043, 0x3045, 0x3047, 0x3049, 0x3063, 0x3083, 0x3085, 0x3087};
    return std::find(std::begin(smallKana), std::end(smallKana), character) != std::end(smallKana);
}

// Where a glyph's layout point is taken from: its baseline, the top of its
// line, or the small kana's point lifted by the line's extra height.
enum class Reference { Baseline, LineTop, SmallKana };

struct Placement {
    QPointF anchor;
    double angle = 0;
    Reference reference = Reference::Baseline;
};

// The pen of one setting and the extremes it reached.
class Pen {
public:
    Pen(const QPointF &point, double size, double descender, int direction)
        : m_point(point)
        , m_size(size)
        , m_descender(descender)
        , m_downward(direction != VerticalText::across)
        , m_x0(m_downward ? point.x() - size : point.x())
        , m_y0(m_downward ? point.y() : point.y() + size)
        , m_x(m_x0)
        , m_y(m_y0)
        , m_maxX(m_x0)
        , m_maxY(m_y0)
    {
    }

    // Places one glyph of the class and moves on; a glyph on its side moves
    // the pen by its advance, in cells.
    Placement place(CharacterClass characterClass, double sidewaysAdvance)
    {
        const double s = m_size;
        const double d = m_descender;
        const double quarter = 0.25 * s;
        const double half = 0.5 * s;
        const double upright = m_downward ? 0 : -90;
        double &along = m_downward ? m_y : m_x;
        Placement placement;
        switch (characterClass) {
        case CharacterClass::Dash:
            placement = {{m_x, m_y}, upright, Reference::LineTop};
            along += s;
            break;
        case CharacterClass::SmallKana:
            placement = {
                m_downward ? QPointF(m_x, m_y - quarter) : QPointF(m_x - quarter, m_y), upright, Reference::SmallKana};
            along += half;
            break;
        case CharacterClass::HalfwidthKatakana:
            along += s;
            placement = {m_downward ? QPointF(m_x + quarter, m_y + d) : QPointF(m_x + d, m_y - quarter), upright};
            break;
        case CharacterClass::FullwidthForm:
        case CharacterClass::Japanese:
            along += s;
            placement = {m_downward ? QPointF(m_x, m_y + d) : QPointF(m_x + d, m_y), upright};
            break;
        case CharacterClass::Newline:
        case CharacterClass::Latin:
        case CharacterClass::Other:
            placement = {m_downward ? QPointF(m_x - d, m_y) : QPointF(m_x, m_y + d), m_downward ? 90.0 : 0.0};
            along += sidewaysAdvance * s;
            break;
        }
        track();
        return placement;
    }

    void newLine()
    {
        if (m_downward) {
            m_maxY = std::max(m_y, m_maxY);
            m_x -= m_size;
            m_y = m_point.y();
        } else {
            m_maxX = std::max(m_x, m_maxX);
            m_y += m_size;
            m_x = m_point.x();
        }
        track();
    }

    [[nodiscard]] QRectF covered() const
    {
        if (m_downward)
            return {m_x, m_point.y(), m_point.x() - m_x, m_maxY - m_point.y()};
        return {m_x0, m_y0 - m_size, m_maxX - m_x0, m_maxY + m_size - m_y0};
    }

private:
    void track()
    {
        m_maxY = std::max(m_y, m_maxY);
        m_maxX = std::max(m_x, m_maxX);
    }

    QPointF m_point;
    double m_size = 0;
    double m_descender = 0;
    bool m_downward = true;
    double m_x0 = 0;
    double m_y0 = 0;
    double m_x = 0;
    double m_y = 0;
    double m_maxX = 0;
    double m_maxY = 0;
};

// Calls visit(position, length, character, class) for every composed
// character sequence of the text, classed by its first character.
template <typename Visit> void forEachSequence(QStringView text, Visit visit)
{
    ComposedCharacters::forEach(text, [&](qsizetype start, qsizetype length) {
        const char32_t character = ComposedCharacters::codePointAt(text, start);
        visit(start, length, character, VerticalText::characterClass(character));
    });
}

// How far characters set on their side move the pen, in cells: their own
// advance in the face that draws them, at least half a cell, so that "Main"
// and "gf" never overlap and narrow letters stand as close as ever.
class SidewaysAdvances {
public:
    explicit SidewaysAdvances(const QFont &font)
        : m_font(font)
        , m_face(TextGlyphs::primaryFace(font))
    {
    }

    [[nodiscard]] double at(char32_t character) const
    {
        // Laid out and drawn on the main thread only, as TextGlyphs.
        static QHash<std::pair<QRawFont, char32_t>, double> known;
        const std::pair key(m_face, character);
        if (const auto found = known.constFind(key); found != known.cend())
            return *found;
        if (known.size() > 4096)
            known.clear();
        const double advance = std::max(0.5, ownAdvance(character) / TextGlyphs::layoutSize);
        known.insert(key, advance);
        return advance;
    }

private:
    // At the layout size, in the face Qt sets the character in.
    [[nodiscard]] double ownAdvance(char32_t character) const
    {
        const QString text = QString::fromUcs4(&character, 1);
        QRawFont face = m_face;
        QList<quint32> glyphs;
        if (face.isValid() && face.supportsCharacter(character)) {
            glyphs = face.glyphIndexesForString(text);
        } else {
            const TextGlyphs::Glyph glyph
                = TextGlyphs(text, m_font, TextGlyphs::layoutSize).glyphAt(0, int(text.size()));
            face = glyph.face;
            glyphs = {glyph.index};
        }
        if (!face.isValid() || glyphs.isEmpty())
            return 0;
        return face.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics).value(0).x();
    }

    QFont m_font;
    QRawFont m_face;
};

// The glyphs of one setting, looked up line by line.
class GlyphSetter {
public:
    GlyphSetter(const QString &text, const QFont &font, double size, bool verticalForms, DrawList &drawList)
        : m_text(text)
        , m_font(font)
        , m_size(size)
        , m_verticalForms(verticalForms)
        , m_drawList(drawList)
    {
        const QRawFont primary = TextGlyphs::sizedFont(font, size);
        m_descender = -primary.descent();
        m_ascent = primary.ascent();
        m_lineHeight = primary.ascent() + primary.descent();
    }

    [[nodiscard]] double descender() const { return m_descender; }

    void startLine(qsizetype position)
    {
        m_lineStart = position;
        m_line.reset();
    }

    void add(const Placement &placement, qsizetype position, qsizetype length, char32_t character,
        CharacterClass characterClass)
    {
        if (!m_line) {
            const qsizetype end = m_text.indexOf(u'\n', m_lineStart);
            m_line = std::make_unique<TextGlyphs>(
                m_text.mid(m_lineStart, end < 0 ? -1 : end - m_lineStart), m_font, m_size);
        }
        TextGlyphs::Glyph glyph = m_line->glyphAt(static_cast<int>(position - m_lineStart), static_cast<int>(length));
        if (!glyph.font.isValid()) {
            m_drawList.markIncomplete();
            return;
        }
        if (m_verticalForms && VerticalText::standsUpright(characterClass))
            glyph.index = m_forms.verticalGlyph(glyph.face, character, glyph.index);
        m_drawList.add(PlacedGlyph{character, glyph.index, glyph.font, placement.anchor, placement.angle,
            QPointF(0, baselineBelowAnchor(placement.reference))});
    }

private:
    // How far below the anchor the glyph's baseline lies before turning: the
    // line's ascent less the part of it the rule's offset takes up.
    [[nodiscard]] double baselineBelowAnchor(Reference reference) const
    {
        switch (reference) {
        case Reference::LineTop:
            return m_ascent;
        case Reference::SmallKana:
            return m_ascent - (m_size - m_lineHeight);
        case Reference::Baseline:
            break;
        }
        return 0;
    }

    const QString &m_text;
    const QFont &m_font;
    double m_size = 0;
    bool m_verticalForms = false;
    DrawList &m_drawList;
    double m_descender = 0;
    double m_ascent = 0;
    double m_lineHeight = 0;
    qsizetype m_lineStart = 0;
    std::unique_ptr<TextGlyphs> m_line;
    VerticalGlyphForms::LastFace m_forms;
};

} // namespace

bool VerticalText::isJapanese(char32_t character)
{
    return (character >= 0x3000 && character <= 0x30FF) || (character >= 0x3200 && character <= 0x4DBF)
        || (character >= 0x4E00 && character <= 0x9FFF) || (character >= 0xF900 && character <= 0xFAFF)
        || (character >= 0x20000 && character <= 0x3134F);
}

VerticalText::CharacterClass VerticalText::characterClass(char32_t character)
{
    if (character == 0x2010 || character == 0x2011 || character == 0x2015 || character == 0x30FC)
        return CharacterClass::Dash;
    if (character == u'\n')
        return CharacterClass::Newline;
    if (isSmallKana(character))
        return CharacterClass::SmallKana;
    if (character < 0x100 || character == 0xFF70)
        return CharacterClass::Latin;
    if (character >= 0xFF61 && character <= 0xFFD1)
        return CharacterClass::HalfwidthKatakana;
    if (character >= 0xFF02 && character <= 0xFF5F)
        return CharacterClass::FullwidthForm;
    if (isJapanese(character))
        return CharacterClass::Japanese;
    return CharacterClass::Other;
}

bool VerticalText::standsUpright(CharacterClass characterClass)
{
    switch (characterClass) {
    case CharacterClass::Dash:
    case CharacterClass::SmallKana:
    case CharacterClass::HalfwidthKatakana:
    case CharacterClass::FullwidthForm:
    case CharacterClass::Japanese:
        return true;
    case CharacterClass::Newline:
    case CharacterClass::Latin:
    case CharacterClass::Other:
        break;
    }
    return false;
}

double VerticalText::columnLength(QStringView text, const QFont &font)
{
    const SidewaysAdvances sideways(font);
    double longest = 0;
    double length = 0;
    forEachSequence(text, [&](qsizetype, qsizetype, char32_t character, CharacterClass characterClass) {
        switch (characterClass) {
        case CharacterClass::Newline:
            length = 0;
            return;
        case CharacterClass::Dash:
        case CharacterClass::HalfwidthKatakana:
        case CharacterClass::FullwidthForm:
        case CharacterClass::Japanese:
            length += 1;
            break;
        case CharacterClass::SmallKana:
            length += 0.5;
            break;
        case CharacterClass::Latin:
        case CharacterClass::Other:
            length += sideways.at(character);
            break;
        }
        longest = std::max(longest, length);
    });
    return longest;
}

QRectF VerticalText::drawStringInVertical(const QString &text, const QFont &font, const QPointF &point, bool draw,
    int direction, bool verticalForms, DrawList *drawList)
{
    if (text.isEmpty())
        return {point, QSizeF(0, 0)};
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    // Sizes beyond what a font engine makes are no text anyone reads.
    if (!TextGlyphs::isDrawableSize(size))
        return {point, QSizeF(0, 0)};
    std::unique_ptr<GlyphSetter> setter;
    if (draw && drawList)
        setter = std::make_unique<GlyphSetter>(text, font, size, verticalForms, *drawList);
    Pen pen(point, size, setter ? setter->descender() : 0, direction);
    const SidewaysAdvances sideways(font);
    forEachSequence(text, [&](qsizetype position, qsizetype length, char32_t character, CharacterClass characterClass) {
        if (characterClass == CharacterClass::Newline) {
            pen.newLine();
            if (setter)
                setter->startLine(position + length);
            return;
        }
        const bool onItsSide = characterClass == CharacterClass::Latin || characterClass == CharacterClass::Other;
        const Placement placement = pen.place(characterClass, onItsSide ? sideways.at(character) : 0.5);
        if (setter)
            setter->add(placement, position, length, character, characterClass);
    });
    return pen.covered();
}
