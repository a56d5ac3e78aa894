#include "platform/widgets/FontResolver.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace {

struct FontRow {
    const char *name;
    const char *family;
};

class FontResolverFamilies : public testing::TestWithParam<FontRow> { };

} // namespace

// The project's script installs IPAex and Noto CJK, and no face of the other
// platform.
TEST_P(FontResolverFamilies, MissingFacesFallBackToAnInstalledFaceOfTheirKind)
{
    const QString expected = GetParam().family ? QString::fromUtf8(GetParam().family) : QApplication::font().family();
    EXPECT_EQ(FontResolver::resolvedFamily(QString::fromUtf8(GetParam().name)), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FontResolverFamilies,
    testing::Values(FontRow{"Hiragino Maru Gothic ProN", "IPAexGothic"},
        FontRow{"Hiragino Kaku Gothic ProN", "IPAexGothic"}, FontRow{"Hiragino Mincho ProN", "IPAexMincho"},
        FontRow{"ヒラギノ明朝 ProN", "IPAexMincho"}, FontRow{"Noto Serif CJK JP", "Noto Serif CJK JP"},
        FontRow{"IPAexGothic", "IPAexGothic"}, FontRow{"Lucida Grande", nullptr}));

namespace {

struct KindRow {
    const char *name;
    FontResolver::Kind kind;
};

class FontResolverKinds : public testing::TestWithParam<KindRow> { };

} // namespace

// "Sans Serif" names a sans face, though it holds the word "Serif".
TEST_P(FontResolverKinds, ReadFromTheWordsOfTheName)
{
    EXPECT_EQ(FontResolver::kindOfName(QString::fromUtf8(GetParam().name)), GetParam().kind) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Rows, FontResolverKinds,
    testing::Values(KindRow{"Sans Serif", FontResolver::Kind::Gothic},
        KindRow{"Microsoft Sans Serif", FontResolver::Kind::Gothic},
        KindRow{"Noto Sans CJK JP", FontResolver::Kind::Gothic},
        KindRow{"Noto Serif CJK JP", FontResolver::Kind::Mincho}, KindRow{"Serif", FontResolver::Kind::Mincho},
        KindRow{"Hiragino Mincho ProN", FontResolver::Kind::Mincho},
        KindRow{"Lucida Grande", FontResolver::Kind::Other}));

// The default face of postcards and envelopes where the desktop names none.
TEST(FontResolverFamilies, SansSerifIsDrawnInAGothicFace)
{
    const QString family = FontResolver::resolvedFamily(QStringLiteral("Sans Serif"));
    EXPECT_NE(family, QStringLiteral("IPAexMincho"));
    EXPECT_FALSE(family.contains(QStringLiteral("Serif CJK")));
}
