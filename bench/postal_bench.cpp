// The postal cache and the searches the postal-code sheet runs on every
// keystroke, on the shipped tables, and the address editor's lookup on Return.
// Aims: the cache within 300 ms, a postal-code search within 2 ms, an address
// search within 10 ms, an address editor's lookup within 2 ms.
#include "interchange/PostalDatabase.h"
#include "interchange/ZipSearch.h"

#include <benchmark/benchmark.h>

namespace {

const QString kenAllResource = QStringLiteral(":/ken_all.gzip");
const QString jigyosyoResource = QStringLiteral(":/jigyosyo.gzip");

std::shared_ptr<const PostalDatabase> sharedDatabase()
{
    static const auto database
        = std::make_shared<const PostalDatabase>(PostalDatabase::fromFiles(kenAllResource, jigyosyoResource));
    return database;
}

void BM_BuildCache(benchmark::State &state)
{
    qsizetype bytes = 0;
    qsizetype lines = 0;
    for (auto _ : state) {
        const PostalDatabase database = PostalDatabase::fromFiles(kenAllResource, jigyosyoResource);
        bytes = database.memoryBytes();
        lines = database.areaText().count(u'\n') + database.officeText().count(u'\n');
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["cache_MiB"] = double(bytes) / (1024.0 * 1024.0);
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_BuildCache)->Unit(benchmark::kMillisecond);

// Runs one query the way the sheet does and reports how many hits it listed.
void runQuery(benchmark::State &state, const QString &query)
{
    ZipSearch search(sharedDatabase());
    for (auto _ : state) {
        search.searchForQuery(query);
        benchmark::DoNotOptimize(search.table().data());
    }
    state.counters["hits"] = double(search.table().size());
    state.counters["query_chars"] = double(query.size());
}

BENCHMARK_CAPTURE(runQuery, PostalCode7Digits, u"1000001"_qs)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(runQuery, PostalCode3Digits, u"100"_qs)->Unit(benchmark::kMicrosecond);

// "東京都" is the longest prefix found in one line; the rest narrows within
// its lines.
BENCHMARK_CAPTURE(runQuery, Address5Characters, u"東京都千代"_qs)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(runQuery, Address20Characters, u"東京都千代田区千代田１丁目１番１号皇居内"_qs)
    ->Unit(benchmark::kMicrosecond);

// The address editor's lookup: both tables scanned for codes that begin
// with the digits, the first hit read.
void runLookup(benchmark::State &state, const QString &zip)
{
    const ZipSearch search(sharedDatabase());
    qsizetype hits = 0;
    for (auto _ : state) {
        const QList<PostalRecord> records = search.addressesFromZip(zip);
        hits = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    state.counters["hits"] = double(hits);
}

BENCHMARK_CAPTURE(runLookup, EditorLookup3Digits, u"100"_qs)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(runLookup, EditorLookup7Digits, u"1000001"_qs)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(runLookup, EditorLookupWithoutHits, u"0000000"_qs)->Unit(benchmark::kMicrosecond);

} // namespace
