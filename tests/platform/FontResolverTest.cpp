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
