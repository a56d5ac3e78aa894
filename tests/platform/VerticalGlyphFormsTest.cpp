#include "platform/widgets/VerticalGlyphForms.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QRawFont>
#include <QThread>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Punctuation, brackets, the long vowel mark and small kana: what vertical
// forms replace; an ideograph and a Latin letter: what they leave alone.
const QString characters = u"、。「」ーぁッ（漢A"_s;

QRawFont faceAt(const char *family, const char *style, int pixelSize)
{
    QFont font(QString::fromUtf8(family));
    font.setStyleName(QString::fromUtf8(style));
    font.setPixelSize(pixelSize);
    return QRawFont::fromFont(font);
}

struct FaceRow {
    const char *family;
    const char *style;
};

class VerticalGlyphFormsOfFace : public testing::TestWithParam<FaceRow> { };

// A face's forms are kept once for the face, whatever size asks: at every
// size they are what the face answers when asked afresh. The faces of one
// font collection share tables but not their characters' glyphs, and each
// answers for itself.
TEST_P(VerticalGlyphFormsOfFace, AreTheFacesOwnAtEverySize)
{
    const FaceRow &row = GetParam();
    for (const int pixelSize : {16, 100, 9}) {
        const QRawFont face = faceAt(row.family, row.style, pixelSize);
        ASSERT_EQ(face.familyName(), QString::fromUtf8(row.family));
        for (const char32_t character : characters.toUcs4()) {
            const quint32 plain = face.glyphIndexesForString(QString::fromUcs4(&character, 1)).value(0);
            const VerticalGlyphForms::Survey fresh = VerticalGlyphForms::survey(face, character, plain);
            EXPECT_EQ(VerticalGlyphForms::verticalGlyph(face, character, plain), fresh.verticalGlyph)
                << row.family << ' ' << pixelSize << ' ' << QString::fromUcs4(&character, 1).toStdString();
            EXPECT_EQ(VerticalGlyphForms::hasVerticalVariant(face), fresh.hasVerticalVariant) << row.family;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, VerticalGlyphFormsOfFace,
    testing::Values(FaceRow{"IPAexGothic", "Regular"}, FaceRow{"IPAexMincho", "Regular"},
        FaceRow{"Noto Sans CJK JP", "Regular"}, FaceRow{"Noto Sans CJK KR", "Regular"},
        FaceRow{"Noto Sans CJK SC", "Regular"}, FaceRow{"Noto Sans CJK TC", "Regular"},
        FaceRow{"Noto Sans CJK JP", "Bold"}, FaceRow{"DejaVu Sans", "Book"}));

// The forms of a layout's glyphs, asked with each face found once for a run
// of its glyphs: glyphs of faces and sizes in turn, and of no face at all,
// take the forms each face answers for itself.
TEST(VerticalGlyphForms, ALayoutsLastFaceAnswersForEveryFaceInTurn)
{
    const QList<QRawFont> fonts{faceAt("IPAexGothic", "Regular", 16), faceAt("IPAexGothic", "Regular", 16),
        faceAt("Noto Sans CJK JP", "Regular", 16), QRawFont(), faceAt("IPAexGothic", "Regular", 40),
        faceAt("DejaVu Sans", "Book", 16), faceAt("IPAexMincho", "Regular", 16)};
    VerticalGlyphForms::LastFace lastFace;
    for (qsizetype turn = 0; turn < 2; ++turn) {
        for (const QRawFont &font : fonts) {
            for (const char32_t character : characters.toUcs4()) {
                const quint32 plain
                    = font.isValid() ? font.glyphIndexesForString(QString::fromUcs4(&character, 1)).value(0) : 7;
                const quint32 expected
                    = font.isValid() ? VerticalGlyphForms::survey(font, character, plain).verticalGlyph : plain;
                EXPECT_EQ(lastFace.verticalGlyph(font, character, plain), expected)
                    << font.familyName().toStdString() << ' ' << QString::fromUcs4(&character, 1).toStdString();
            }
        }
    }
}

// A face first asked on a thread that has ended since, its fonts gone with
// it, shapes whole columns on the main thread from the main thread's font:
// upright ideographs advance a cell down the column, the comma takes its
// vertical form.
TEST(VerticalGlyphForms, AFaceFirstAskedOnAnEndedThreadShapesOnAnother)
{
    const char *family = "Noto Serif CJK KR";
    const char *style = "Bold";
    VerticalGlyphForms::Survey answered;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        const QRawFont face = faceAt(family, style, 16);
        const quint32 plain = face.glyphIndexesForString(u"、"_s).value(0);
        answered
            = {VerticalGlyphForms::verticalGlyph(face, U'、', plain), VerticalGlyphForms::hasVerticalVariant(face)};
    }));
    thread->start();
    ASSERT_TRUE(thread->wait());

    const QRawFont face = faceAt(family, style, 100);
    const quint32 plain = face.glyphIndexesForString(u"、"_s).value(0);
    const VerticalGlyphForms::Survey fresh = VerticalGlyphForms::survey(face, U'、', plain);
    ASSERT_TRUE(fresh.hasVerticalVariant);
    EXPECT_EQ(answered.verticalGlyph, fresh.verticalGlyph);
    EXPECT_TRUE(answered.hasVerticalVariant);

    const QList<VerticalGlyphForms::ShapedGlyph> column = VerticalGlyphForms::shapeRun(face, u"縦書き、"_s, true);
    ASSERT_EQ(column.size(), 4);
    for (const VerticalGlyphForms::ShapedGlyph &glyph : column)
        EXPECT_DOUBLE_EQ(glyph.advance.y(), 100) << glyph.cluster;
    EXPECT_EQ(column.last().index, fresh.verticalGlyph);
    const QList<VerticalGlyphForms::ShapedGlyph> small
        = VerticalGlyphForms::shapeRun(faceAt(family, style, 10), u"縦書き、"_s, true);
    ASSERT_EQ(small.size(), 4);
    for (qsizetype index = 0; index < small.size(); ++index) {
        EXPECT_EQ(small.at(index).index, column.at(index).index);
        EXPECT_DOUBLE_EQ(small.at(index).advance.y() * 10, column.at(index).advance.y());
    }
}

} // namespace
