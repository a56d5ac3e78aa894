#include "print/TextGlyphs_p.h"

#include "platform/widgets/FontResolver.h"

#include <gtest/gtest.h>

#include <QFont>

using namespace Qt::Literals::StringLiterals;

namespace {

struct PrimaryFaceRow {
    const char *family;
    QFont::Weight weight;
    bool italic;
    const char *style; // of the face the font resolves to
};

QFont fontOf(const PrimaryFaceRow &row, double pointSize)
{
    QFont font = FontResolver::font(QString::fromUtf8(row.family), pointSize);
    font.setWeight(row.weight);
    font.setItalic(row.italic);
    return font;
}

class PrimaryFace : public testing::TestWithParam<PrimaryFaceRow> { };

// Each font asked for, one after another, gets its own face: another family,
// weight or slant is another face, another size the same one.
TEST_P(PrimaryFace, IsTheFacesOwnAndTheSameAtEverySize)
{
    const PrimaryFaceRow &row = GetParam();
    const QRawFont face = TextGlyphs::primaryFace(fontOf(row, 10));
    ASSERT_TRUE(face.isValid());
    EXPECT_EQ(face.familyName(), QString::fromUtf8(row.family));
    EXPECT_EQ(face.styleName(), QString::fromUtf8(row.style));
    EXPECT_EQ(face.pixelSize(), TextGlyphs::layoutSize);
    EXPECT_EQ(TextGlyphs::primaryFace(fontOf(row, 23.5)), face);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrimaryFace,
    testing::Values(PrimaryFaceRow{"Noto Sans CJK JP", QFont::Normal, false, "Regular"},
        PrimaryFaceRow{"Noto Sans CJK JP", QFont::Bold, false, "Bold"},
        PrimaryFaceRow{"Noto Serif CJK JP", QFont::Normal, false, "Regular"},
        PrimaryFaceRow{"DejaVu Sans", QFont::Normal, false, "Book"},
        PrimaryFaceRow{"DejaVu Sans", QFont::Normal, true, "Oblique"},
        PrimaryFaceRow{"DejaVu Sans", QFont::Bold, true, "Bold Oblique"}));

} // namespace
