#include "platform/widgets/TextMappedFaces.h"

#include "platform/widgets/VerticalGlyphForms.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace {

QRawFont ipaex(int pixelSize)
{
    QFont font(u"IPAexGothic"_s);
    font.setPixelSize(pixelSize);
    return QRawFont::fromFont(font);
}

quint32 nominalGlyph(const QRawFont &font, const QString &character)
{
    return font.glyphIndexesForString(character).value(0);
}

// Each glyph drawn comes from a copy whose character map leads from its
// character to it, with the same outline at the same size; a glyph two
// characters share goes into two copies, and the copies leave with the object.
TEST(TextMappedFaces, EachGlyphIsReachedFromItsOwnCharacter)
{
    const QRawFont font = ipaex(20);
    ASSERT_EQ(font.familyName(), u"IPAexGothic"_s);
    const quint32 tall = nominalGlyph(font, u"高"_s);
    ASSERT_EQ(nominalGlyph(font, u"⾼"_s), tall);
    const quint32 comma = VerticalGlyphForms::verticalGlyph(font, U'、', nominalGlyph(font, u"、"_s));
    ASSERT_NE(comma, nominalGlyph(font, u"、"_s));

    QStringList families;
    {
        TextMappedFaces faces;
        faces.add(font, tall, U'高');
        faces.add(ipaex(12), tall, U'⾼'); // the same face at another size
        faces.add(font, comma, U'、');
        faces.add(font, 0, U'x');
        faces.add(font, nominalGlyph(font, u"A"_s), 0);
        faces.build();
        EXPECT_EQ(faces.copyCount(), 2);

        const struct {
            quint32 glyph;
            char32_t character;
        } drawn[] = {{tall, U'高'}, {tall, U'⾼'}, {comma, U'、'}};
        for (const auto &[glyph, character] : drawn) {
            const TextMappedFaces::Mapped mapped = faces.mapped(font, glyph, character);
            EXPECT_NE(mapped.font.familyName(), font.familyName());
            EXPECT_EQ(mapped.font.pixelSize(), 20);
            EXPECT_EQ(nominalGlyph(mapped.font, QString::fromUcs4(&character, 1)), mapped.glyph);
            EXPECT_EQ(mapped.font.pathForGlyph(mapped.glyph), font.pathForGlyph(glyph));
            families.append(mapped.font.familyName());
        }
        EXPECT_NE(families.at(0), families.at(1));
        EXPECT_TRUE(QFontDatabase::families().contains(families.at(0)));

        const TextMappedFaces::Mapped missing = faces.mapped(font, 0, U'x');
        EXPECT_EQ(missing.font, font);
        EXPECT_EQ(missing.glyph, 0u);
        EXPECT_EQ(faces.mapped(font, nominalGlyph(font, u"B"_s), U'B').font, font);
    }
    for (const QString &family : std::as_const(families))
        EXPECT_FALSE(QFontDatabase::families().contains(family));
}

} // namespace
