// The print style is read from its name in one place; every drawing and page
// count asks the style so read.
#include "print/HagakiView.h"
#include "print/PrintStyle.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct StyleRow {
    const char *name;
    PrintStyleKind style;
};

class PrintStyleNamed : public testing::TestWithParam<StyleRow> { };

// A name of no style, an empty one or one spelt otherwise prints postcards,
// as the view always has.
TEST_P(PrintStyleNamed, IsTheStyleTheViewDraws)
{
    const StyleRow &row = GetParam();
    EXPECT_EQ(PrintStyleName::style(QString::fromUtf8(row.name)), row.style) << row.name;
    HagakiView view;
    view.setSelectedStyle(QString::fromUtf8(row.name));
    EXPECT_EQ(view.style(), row.style) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintStyleNamed,
    testing::Values(StyleRow{"Hagaki", PrintStyleKind::Hagaki}, StyleRow{"Envelope", PrintStyleKind::Envelope},
        StyleRow{"Labels", PrintStyleKind::Labels}, StyleRow{"Address List", PrintStyleKind::AddressList},
        StyleRow{"", PrintStyleKind::Hagaki}, StyleRow{"labels", PrintStyleKind::Hagaki},
        StyleRow{"Postcard", PrintStyleKind::Hagaki}));

} // namespace
