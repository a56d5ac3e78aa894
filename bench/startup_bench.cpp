// Start-up on a store of 10,000 and of 50,000 generated contacts whose
// configuration an earlier start has written: from creating the delegate
// with its window to the first load handed to the main view (its
// setRepresentedObject done), the table's rows built and measured. Aim:
// within 150 ms at 10,000 and 600 ms at 50,000 (real time; the CPU time is
// that of every thread, the loader's too). The first start of the process,
// before anything is warm, is its own figure. What the application holds once started on 100
// contacts, the list of vertical faces built, is measured in a process of its
// own. Aim: at most 120 MB resident.
#include "ProcessStatus.h"
#include "app/MainViewDefaults.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "platform/UserDefaults.h"
#include "print/VerticalFontList.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>

#include <unistd.h>

namespace {

constexpr int contactCount = 10000;
constexpr int largeContactCount = 50000;

// The settings a start leaves behind, so that the starts measured are not
// the first run, which writes them.
bool writeConfiguration(const GeneratedAddressBook &book)
{
    UserDefaults defaults(book.userDefaultsPath());
    (void)MainViewDefaults::readAndRepair(defaults);
    defaults.setObject(true, MainViewDefaults::showGroupViewKey);
    return defaults.synchronize();
}

// One store of each size for the whole run, made when first asked for.
const GeneratedAddressBook &addressBook(int count)
{
    static std::map<int, std::unique_ptr<GeneratedAddressBook>> books;
    std::unique_ptr<GeneratedAddressBook> &book = books[count];
    if (!book) {
        book = std::make_unique<GeneratedAddressBook>(count);
        (void)writeConfiguration(*book);
    }
    return *book;
}

void launchAndMeasure(benchmark::State &state, int count)
{
    const GeneratedAddressBook &book = addressBook(count);
    std::optional<LaunchedAddressBook> app;
    for (auto _ : state) {
        app.emplace(book);
        if (!app->launch())
            state.SkipWithError("the first load never reached the main view");
        state.PauseTiming();
        app.reset();
        state.ResumeTiming();
    }
    state.counters["contacts"] = count;
}

void BM_FirstStartOfTheProcess(benchmark::State &state)
{
    launchAndMeasure(state, contactCount);
}
// Registered first, so that it runs in a process where nothing is warm yet.
BENCHMARK(BM_FirstStartOfTheProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Startup(benchmark::State &state)
{
    launchAndMeasure(state, int(state.range(0)));
}
BENCHMARK(BM_Startup)
    ->Arg(contactCount)
    ->Arg(largeContactCount)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// --- resident memory ----------------------------------------------------------
// A process of its own starts the application on 100 contacts, waits for the
// list of vertical faces the window has the build of started, lets the
// window settle and reports its resident size (VmRSS): what the application
// holds, not the peak on the way there.

constexpr int residentContactCount = 100;
constexpr const char *residentVariable = "QUILLMARK_BENCH_RESIDENT_CHILD";

[[noreturn]] void reportResidentOfChild()
{
    const GeneratedAddressBook book(residentContactCount);
    LaunchedAddressBook app(book);
    const bool launched = app.launch();
    (void)VerticalFontList::fonts();
    QEventLoop settling;
    QTimer::singleShot(2000, &settling, &QEventLoop::quit);
    settling.exec();
    std::printf("resident-kB=%ld launched=%d\n", processStatusKilobytes("VmRSS"), launched ? 1 : 0);
    std::fflush(stdout);
    _exit(0);
}

void BM_ResidentWith100Contacts(benchmark::State &state)
{
    if (qEnvironmentVariableIsSet(residentVariable))
        reportResidentOfChild();
    for (auto _ : state) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(residentVariable), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--benchmark_filter=^BM_ResidentWith100Contacts/")});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            state.SkipWithError("the started application failed");
            return;
        }
        const QByteArray output = child.readAllStandardOutput();
        long kilobytes = 0;
        int launched = 0;
        if (std::sscanf(output.constData() + qMax(0, output.indexOf("resident-kB=")), "resident-kB=%ld launched=%d",
                &kilobytes, &launched)
                != 2
            || launched != 1) {
            state.SkipWithError("the started application reported nothing");
            return;
        }
        state.counters["resident MB"] = double(kilobytes) * 1024 / 1e6;
    }
    state.counters["contacts"] = residentContactCount;
}
BENCHMARK(BM_ResidentWith100Contacts)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
