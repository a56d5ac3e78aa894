#include "interchange/LiteralSearch_p.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

// The filtered scan must agree with Qt's own search at every start position,
// including occurrences that straddle its eight-position blocks and the tail.
TEST(LiteralSearchTest, AgreesWithIndexOfFromEveryPosition)
{
    const QString text = QStringLiteral("K,\"1000001\",\"ﾄｳｷｮｳﾄ\",\"東京都\",\"千代田区\",\n"
                                        "J,\"\",\"上智大学\",\"東京都\",\"千代田区\",\"紀尾井町\",\"1028554\",\n"
                                        "aaaaaaaaaaaaaaaaaaaab\"100\"1000\"10");
    for (const QString &pattern : {u"\"100"_qs, u"\"1000001"_qs, u"東京都"_qs, u"千代"_qs, u"aab"_qs, u"aaaaaaaaab"_qs,
             u"\"10"_qs, u"\n"_qs, u"zz"_qs, u"千代田区\",\n"_qs}) {
        for (qsizetype from = 0; from <= text.size(); ++from) {
            ASSERT_EQ(LiteralSearch::find(text, from, pattern), text.indexOf(pattern, from))
                << qPrintable(pattern) << " from " << from;
        }
    }
    EXPECT_EQ(LiteralSearch::find(u"ab", 0, u"abc"), -1);
}

} // namespace
