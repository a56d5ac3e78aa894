#include "interchange/PostalDatabase.h"
#include "interchange/ZipSearch.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(ShippedPostalDataTest, ThreadsThatAskTogetherGetOneCompleteCacheThatFindsChiyoda)
{
    std::vector<std::shared_ptr<const PostalDatabase>> seen(4);
    std::vector<std::thread> threads;
    for (auto &slot : seen)
        threads.emplace_back([&slot] { slot = ZipSearch::zipdb(); });
    for (std::thread &thread : threads)
        thread.join();
    for (const auto &database : seen)
        ASSERT_EQ(database, seen.front());
    EXPECT_GT(seen.front()->areaText().count(u'\n'), 100000);
    EXPECT_GT(seen.front()->officeText().count(u'\n'), 20000);
    EXPECT_EQ(seen.front()->skippedLines(), 0);

    // Chiyoda by its code, and its code by the address.
    ZipSearch search;
    search.searchForQuery(u"1000001"_qs);
    ASSERT_EQ(search.table().size(), 1);
    EXPECT_EQ(search.table().front().street, u"千代田");

    search.searchForQuery(u"東京都千代田区千代田"_qs);
    EXPECT_EQ(search.zipSearchMode(), ZipSearch::AddressSearch);
    const auto hit = std::find_if(
        search.table().begin(), search.table().end(), [](const PostalRecord &r) { return r.zip == u"100-0001"; });
    ASSERT_NE(hit, search.table().end());
    EXPECT_EQ(hit->street, u"千代田");
}

} // namespace
