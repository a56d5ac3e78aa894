// Start-up on a store of 10,000 generated contacts whose configuration an
// earlier start has written: from creating the delegate with its window to
// the first load handed to the main view (its setRepresentedObject done).
// Aim: within 400 ms. The first start of the process, before anything is
// warm, is its own figure.
#include "app/MainViewDefaults.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "platform/UserDefaults.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

constexpr int contactCount = 10000;

// The settings a start leaves behind, so that the starts measured are not
// the first run, which writes them.
bool writeConfiguration(const GeneratedAddressBook &book)
{
    UserDefaults defaults(book.userDefaultsPath());
    (void)MainViewDefaults::readAndRepair(defaults);
    defaults.setObject(true, MainViewDefaults::showGroupViewKey);
    return defaults.synchronize();
}

const GeneratedAddressBook &addressBook()
{
    static const GeneratedAddressBook book(contactCount);
    static const bool configured = writeConfiguration(book);
    (void)configured;
    return book;
}

void launchAndMeasure(benchmark::State &state)
{
    const GeneratedAddressBook &book = addressBook();
    std::optional<LaunchedAddressBook> app;
    for (auto _ : state) {
        app.emplace(book);
        if (!app->launch())
            state.SkipWithError("the first load never reached the main view");
        state.PauseTiming();
        app.reset();
        state.ResumeTiming();
    }
    state.counters["contacts"] = contactCount;
}

void BM_FirstStartOfTheProcess(benchmark::State &state)
{
    launchAndMeasure(state);
}
// Registered first, so that it runs in a process where nothing is warm yet.
BENCHMARK(BM_FirstStartOfTheProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Startup(benchmark::State &state)
{
    launchAndMeasure(state);
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

} // namespace
