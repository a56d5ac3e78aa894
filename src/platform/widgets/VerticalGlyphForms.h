#pragma once

#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QStringView>

#include <memory>

// The upright forms that vertical Japanese text takes: the comma and full
// stop moved to the top right of their cell, brackets and the long vowel mark
// turned, small kana moved up. The forms come from the font's 'vert'
// substitutions (its 'vrt2' ones when it has no 'vert'), found with HarfBuzz
// in the tables of the very face a glyph is drawn from.
class VerticalGlyphForms {
public:
    VerticalGlyphForms() = delete;

    // The vertical form of the character's glyph in the font, or the glyph
    // itself when the font substitutes nothing for it. The font is one face
    // at any size, made in the calling thread: a face's tables are read once,
    // whatever size and thread asks, and no font handed in is kept.
    [[nodiscard]] static quint32 verticalGlyph(const QRawFont &font, char32_t character, quint32 glyph);

    class FaceForms;
    // The same answers for the glyphs of one layout, with each face found
    // once for a run of glyphs from it rather than once a glyph: finding a
    // face reads one of its tables. It keeps the last font asked about, so it
    // lives in the thread that made the fonts, for one layout.
    class LastFace {
    public:
        LastFace();
        ~LastFace();
        LastFace(const LastFace &) = delete;
        LastFace &operator=(const LastFace &) = delete;

        [[nodiscard]] quint32 verticalGlyph(const QRawFont &font, char32_t character, quint32 glyph);

    private:
        QRawFont m_font;
        // Null for a font that is no face, such as Qt's stand-in.
        std::shared_ptr<FaceForms> m_forms;
    };

    // Whether the face has a vertical variant to set whole columns in: its
    // vertical forms ('vert' or 'vrt2') and vertical metrics ('vhea' and
    // 'vmtx'), as IPAex and Noto CJK faces have. Answered once per face; the
    // family's answer is the answer of the face it resolves to, and may be
    // asked on any thread.
    [[nodiscard]] static bool hasVerticalVariant(const QRawFont &font);
    [[nodiscard]] static bool hasVerticalVariant(const QString &family, qreal pointSize);

    // What verticalGlyph and hasVerticalVariant answer, for a face asked about
    // once (a list of the installed faces): answered without keeping the
    // face's tables.
    struct Survey {
        quint32 verticalGlyph = 0;
        bool hasVerticalVariant = false;
    };
    [[nodiscard]] static Survey survey(const QRawFont &font, char32_t character, quint32 glyph);

    // One glyph of a shaped run, in pixels of the font's size with y growing
    // downward: how far it moves the pen, and where its baseline origin lies
    // from the pen (for a column, from the pen on the column's centre line).
    struct ShapedGlyph {
        quint32 index = 0;
        quint32 cluster = 0; // the position in the run of its first character
        QPointF advance;
        QPointF offset;
    };
    // The run shaped in the face: upright, down a column in its vertical
    // forms ('vert' or 'vrt2') and vertical metrics; otherwise along its
    // baseline. Nothing for Qt's stand-in.
    [[nodiscard]] static QList<ShapedGlyph> shapeRun(const QRawFont &font, QStringView text, bool upright);
};
