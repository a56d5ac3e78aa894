// Reading the older CSV document layout, and the postal-code sheet answering
// a keystroke. Aims: 25 MB/s or more for the layout; the slowest of "1",
// "10", "100" and "1000001" typed within 16 ms.
#include "interchange/QuillmarkCsvReader.h"
#include "interchange/widgets/ZipSheetController.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QLineEdit>

namespace {

constexpr qsizetype csvBytes = 25 * 1000 * 1000;

const QString &ownCsvText()
{
    static const QString text = [] {
        QString all = QStringLiteral("Name,Renmei,Company,ZIP,State&City,Street,layoutString,Email,Phone,Note\n");
        all.reserve(csvBytes + 200);
        for (int i = 0; all.size() < csvBytes; ++i) {
            all += QStringLiteral("山田太郎%1,花子,株式会社%1,100-0001,東京都千代田区,\"千代田1-%1\n2階\","
                                  "5;ra:{{10.00,20.00},{30.00,40.00}};,taro%1@example.jp,03-1234-%1,memo\n")
                       .arg(i);
        }
        return all;
    }();
    return text;
}

void BM_ReadOwnCsvLayout(benchmark::State &state)
{
    const QString &text = ownCsvText();
    for (auto _ : state) {
        const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(text);
        benchmark::DoNotOptimize(result.contacts->size());
    }
    // Counted as the file's UTF-8 bytes.
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}
BENCHMARK(BM_ReadOwnCsvLayout)->Unit(benchmark::kMillisecond);

// Each query replaces the field's text as a keystroke would; the counter is
// the slowest of them.
void BM_ZipSheetKeystroke(benchmark::State &state)
{
    (void)ZipSearch::zipdb();
    ZipSheetController sheet;
    double slowest = 0;
    for (auto _ : state) {
        for (const char *query : {"1", "10", "100", "1000001"}) {
            QElapsedTimer clock;
            clock.start();
            sheet.inputField()->setText(QString::fromLatin1(query));
            slowest = std::max(slowest, double(clock.nsecsElapsed()) / 1e6);
        }
        sheet.inputField()->clear();
    }
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_ZipSheetKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
