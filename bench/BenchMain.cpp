#include "RunBenchmarks.h"

#include "platform/ProcessTuning.h"

#include <QCoreApplication>

// Every benchmark runs in a process set up as the application sets itself up.
int main(int argc, char **argv)
{
    ProcessTuning::applyApplicationSettings();
    QCoreApplication application(argc, argv);
    return runBenchmarks(argc, argv);
}
