#include "PrintTestCards.h"

#include "print/AddressRegion.h"
#include "print/PrintOptionsRecord.h"

#include <gtest/gtest.h>

using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

struct RegionRow {
    const char *state;
    const char *city;
    const char *joined;
};

class StateAndCity : public testing::TestWithParam<RegionRow> { };

// Run together as Japanese addresses are written, with one space where a
// Latin letter or digit meets another; the postcard's address column and the
// envelope's first line read the same.
TEST_P(StateAndCity, RunTogetherButForLatinLettersAndDigits)
{
    const RegionRow &row = GetParam();
    const QString state = QString::fromUtf8(row.state);
    const QString city = QString::fromUtf8(row.city);
    const QString joined = QString::fromUtf8(row.joined);
    EXPECT_EQ(AddressRegion::joined(state, city).toStdString(), joined.toStdString());

    auto view = postcardView();
    Card card{.zip = {}, .state = state, .city = city, .street = u"205 Main Street"_s};
    view->setReceiverPersons({record(card)});
    EXPECT_TRUE(view->receiverAddress().addressArray.join(u'\n').startsWith(joined));
    EXPECT_TRUE(
        EnvelopePages(view->document()).makeAdrsAndNameString(*record(card), {}, true).startsWith(joined + u'\n'));
}

INSTANTIATE_TEST_SUITE_P(Rows, StateAndCity,
    testing::Values(RegionRow{"IL", "Springfield", "IL Springfield"}, RegionRow{"東京都", "中央区", "東京都中央区"},
        RegionRow{"NY", "10001 New York", "NY 10001 New York"},
        RegionRow{"Île-de-France", "Évry", "Île-de-France Évry"}, RegionRow{"東京都", "Chiyoda", "東京都Chiyoda"},
        RegionRow{"", "Springfield", "Springfield"}, RegionRow{"IL", "", "IL"}));

} // namespace
