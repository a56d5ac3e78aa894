#include "platform/ProcessTuning.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

// Every benchmark runs in a process set up as the application sets itself up.
int main(int argc, char **argv)
{
    ProcessTuning::applyApplicationSettings();
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
