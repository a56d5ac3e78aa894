#include "InterchangeTestContacts.h"
#include "PostalTestFiles.h"

#include "interchange/PostalDatabase.h"
#include "interchange/ZipSearch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

std::shared_ptr<const PostalDatabase> sampleDatabase()
{
    static const std::shared_ptr<const PostalDatabase> database
        = PostalTestFiles::database(QStringLiteral("zip-search"));
    return database;
}

QStringList zipsOf(const QList<PostalRecord> &records)
{
    QStringList zips;
    for (const PostalRecord &record : records)
        zips.append(record.zip);
    return zips;
}

// The sheet's view: counts how often a search asked it to show the list again.
class CountingSearch : public ZipSearch {
public:
    using ZipSearch::ZipSearch;
    int reloads = 0;

protected:
    void reloadResultView() override { ++reloads; }
};

struct QueryRow {
    const char *name;
    QString query;
    qint32 mode;
    QStringList zips;
};

class ZipSearchQueryTest : public testing::TestWithParam<QueryRow> { };

TEST_P(ZipSearchQueryTest, ListsTheHitsTheQueryAsksFor)
{
    CountingSearch search(sampleDatabase());
    search.setZipSearchMode(-1);
    search.searchForQuery(GetParam().query);
    EXPECT_EQ(zipsOf(search.table()), GetParam().zips);
    EXPECT_EQ(search.zipSearchMode(), GetParam().mode);
    EXPECT_GE(search.reloads, 1);
}

INSTANTIATE_TEST_SUITE_P(Queries, ZipSearchQueryTest,
    testing::Values(QueryRow{"sevenDigits", u"1000001"_qs, 2, {u"100-0001"_qs}},
        QueryRow{"hyphenAfterThirdDigit", u"100-0001"_qs, 2, {u"100-0001"_qs}},
        QueryRow{"hyphenAfterSecondDigit", u"10-00001"_qs, 2, {}}, QueryRow{"oneDigitSearchesNothing", u"1"_qs, -1, {}},
        QueryRow{"oneHyphenSearchesNothing", u"-"_qs, -1, {}},
        QueryRow{"twoDigits", u"10"_qs, 2, {u"100-0000"_qs, u"100-0001"_qs, u"101-0021"_qs, u"103-0027"_qs}},
        QueryRow{"digitsFollowedByText", u"540 大阪"_qs, 2, {u"540-0002"_qs}},
        QueryRow{"fullWidthDigitsFindNothing", u"１００"_qs, 2, {}},
        QueryRow{"areaHitsHideOfficeHits", u"100"_qs, 2, {u"100-0000"_qs, u"100-0001"_qs}},
        QueryRow{"officeHitsWhenNoArea", u"102"_qs, 2, {u"102-8554"_qs}},
        QueryRow{"prefectureCityAndTown", u"東京都中央区日本橋"_qs, 1, {u"103-0027"_qs}},
        QueryRow{"spacesBeforeTheRest", u"東京都   中央区"_qs, 1, {u"103-0027"_qs}},
        QueryRow{
            "restOfSpacesOnly", u"東京都 "_qs, 1, {u"100-0000"_qs, u"100-0001"_qs, u"101-0021"_qs, u"103-0027"_qs}},
        QueryRow{"restMatchingNothing", u"東京都大阪"_qs, 1, {}},
        QueryRow{"oneCharacterUnchanged", u"城"_qs, 1, {u"540-0002"_qs}},
        QueryRow{"kanaColumnsAreSearched", u"ﾆﾎﾝﾊﾞｼ"_qs, 1, {u"103-0027"_qs}},
        QueryRow{"officeByTownArea", u"大手町"_qs, 1, {u"100-8791"_qs}},
        QueryRow{"officeBehindAreaPrefix", u"大阪城天守閣"_qs, 1, {u"540-8799"_qs}}),
    rowName);

TEST(ZipSearchTest, AddressesFromZipListsAreasThenOfficesAndLeavesTheTable)
{
    ZipSearch search(sampleDatabase());
    EXPECT_THAT(
        zipsOf(search.addressesFromZip(u"100"_qs)), ElementsAre(u"100-0000"_qs, u"100-0001"_qs, u"100-8791"_qs));
    EXPECT_THAT(zipsOf(search.addressesFromZip(u"100-8791"_qs)), ElementsAre(u"100-8791"_qs));
    EXPECT_THAT(search.addressesFromZip(u""_qs), IsEmpty());
    EXPECT_THAT(search.table(), IsEmpty());
    EXPECT_EQ(search.zipSearchMode(), ZipSearch::NoSearch);
}

// Area lines carry kana of city and town; office lines join town and block,
// carry the company's kana and keep empty quoted columns empty.
TEST(ZipSearchTest, RecordsOfAreaPlaceholderAndOfficeLines)
{
    ZipSearch search(sampleDatabase());
    EXPECT_EQ(search.addressesFromZip(u"1000001"_qs),
        (QList<PostalRecord>{{u"100-0001"_qs, u"東京都"_qs, u"千代田区"_qs, u"千代田"_qs, u"ﾁﾖﾀﾞｸ"_qs, u"ﾁﾖﾀﾞ"_qs,
            u""_qs, std::nullopt}}));
    const QList<PostalRecord> placeholder = search.addressesFromZip(u"1000000"_qs);
    ASSERT_EQ(placeholder.size(), 1);
    EXPECT_EQ(placeholder.front().street, u"以下に掲載がない場合");
    const QList<PostalRecord> office = search.addressesFromZip(u"1008791"_qs);
    EXPECT_EQ(office,
        (QList<PostalRecord>{{u"100-8791"_qs, u"東京都"_qs, u"千代田区"_qs, u"大手町２丁目３－１"_qs, u""_qs, u""_qs,
            u"日本郵政　株式会社"_qs, u"ﾆﾂﾎﾟﾝﾕｳｾｲ ｶﾌﾞｼｷｶﾞｲｼｬ"_qs}}));
    EXPECT_EQ(office.value(0).toVariantMap().value(u"PhoneticCompany"_qs), u"ﾆﾂﾎﾟﾝﾕｳｾｲ ｶﾌﾞｼｷｶﾞｲｼｬ"_qs);
    EXPECT_EQ(search.addressesFromZip(u"5408799"_qs),
        (QList<PostalRecord>{{u"540-8799"_qs, u"大阪府"_qs, u"大阪市中央区"_qs, u"大阪城１－１"_qs, u""_qs, u""_qs,
            u"大阪城天守閣"_qs, u""_qs}}));
}

TEST(ZipSearchTest, SearchesOfAnEmptyTableFindNothing)
{
    ZipSearch search(std::make_shared<const PostalDatabase>());
    search.searchForQuery(u"1000001"_qs);
    EXPECT_THAT(search.table(), IsEmpty());
    search.searchForQuery(u"東京都千代田区"_qs);
    EXPECT_THAT(search.table(), IsEmpty());
    EXPECT_THAT(search.addressesFromZip(u"100"_qs), IsEmpty());
    EXPECT_EQ(search.findZip(u""_qs, sampleDatabase()->areaText()), 0);
    EXPECT_EQ(search.findAddress(u""_qs, sampleDatabase()->areaText()), 0);
}

TEST(ZipSearchTest, QueriesStartWithTheirLeadingDigits)
{
    // MATHEMATICAL BOLD DIGIT ONE: a digit outside the BMP
    for (const auto &[input, expected] :
        {std::pair<QString, std::optional<QString>>{u"12ab3"_qs, u"12"_qs}, {u"-1"_qs, u"-1"_qs},
            {u"٣٤5"_qs, u"٣٤5"_qs}, {u"\U0001D7CF2x"_qs, u"\U0001D7CF2"_qs}, {u" 100"_qs, {}}, {u""_qs, {}}})
        EXPECT_EQ(ZipSearch::findNumericString(input), expected) << qPrintable(input);
}

// Toyama's towns, one the front of another, besides the sample's.
std::shared_ptr<const PostalDatabase> databaseWithTowns()
{
    static const std::shared_ptr<const PostalDatabase> database
        = PostalTestFiles::database(u"zip-towns"_qs, PostalTestFiles::toyamaAreaLines());
    return database;
}

struct StreetRow {
    const char *name;
    QString zip; // of the hit
    QString state, city, street; // the address's old parts
    QString expected;
};

class ZipSearchStreetTest : public testing::TestWithParam<StreetRow> { };

TEST_P(ZipSearchStreetTest, TheHitsTownTakesTheOldTownsPlace)
{
    const StreetRow &row = GetParam();
    ZipSearch search(databaseWithTowns());
    const QList<PostalRecord> hits = search.addressesFromZip(row.zip);
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(search.streetForHit(hits.first(), row.state, row.city, row.street), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Streets, ZipSearchStreetTest,
    testing::Values(StreetRow{"longestListedTown", u"1000001"_qs, u"富山県"_qs, u"富山市"_qs, u"八尾町上新町2-3-20"_qs,
                        u"千代田2-3-20"_qs},
        StreetRow{"townAlone", u"1000001"_qs, u"富山県"_qs, u"富山市"_qs, u"八尾町上新町"_qs, u"千代田"_qs},
        StreetRow{"unlistedTownFromTheFirstDigit", u"1000001"_qs, u"富山県"_qs, u"富山市"_qs,
            u"上新町2-3-20 メゾン101"_qs, u"千代田2-3-20 メゾン101"_qs},
        StreetRow{"fullWidthDigitsWithoutCity", u"1000001"_qs, u""_qs, u""_qs, u"八尾町上新町２－３－２０"_qs,
            u"千代田２－３－２０"_qs},
        StreetRow{"townsOfTheOldCityOnly", u"1000001"_qs, u"東京都"_qs, u"中央区"_qs, u"外神田1-2"_qs, u"千代田1-2"_qs},
        StreetRow{"neitherTownNorDigit", u"1000001"_qs, u"富山県"_qs, u"富山市"_qs, u"本町"_qs, u"千代田"_qs},
        StreetRow{"emptyStreet", u"1000001"_qs, u"富山県"_qs, u"富山市"_qs, u""_qs, u"千代田"_qs},
        StreetRow{"placeholderKeepsTheStreet", u"1000000"_qs, u"富山県"_qs, u"富山市"_qs, u"八尾町上新町2-3-20"_qs,
            u"八尾町上新町2-3-20"_qs},
        StreetRow{"officeGivesItsOwn", u"1008791"_qs, u"富山県"_qs, u"富山市"_qs, u"八尾町上新町2-3-20"_qs,
            u"大手町２丁目３－１"_qs}),
    [](const testing::TestParamInfo<StreetRow> &info) { return std::string(info.param.name); });

} // namespace
