// The application quitting while a job still runs behind the progress
// window: the job notices the cancel only after a last chunk of work, as a
// read or a write finishes the one it is in. The child prints "cancelled"
// when the run answered that the work was cancelled, then "ended" when the
// job had ended by the time the application object was gone, "running"
// otherwise.
#include "app/ModalResponse.h"
#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <iostream>
#include <memory>

int main(int argc, char **argv)
{
    auto ended = std::make_shared<std::atomic<bool>>(false);
    // Lets a job the quit left running end after all, so that the child ends.
    auto released = std::make_shared<std::atomic<bool>>(false);
    {
        QApplication application(argc, argv);
        ProgressAlert alert;
        int response = 0;
        QTimer::singleShot(0, &alert, [&alert, &response, ended, released] {
            response = ProgressJob::run(
                alert, QStringLiteral("Reading"), [ended, released](ProgressJob::Progress &progress) {
                    while (!progress.isCancelled() && !released->load())
                        QThread::msleep(1);
                    QThread::msleep(500);
                    *ended = true;
                });
        });
        // Runs inside the progress window's own loop, once the job is on the pool.
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
        QApplication::exec();
        std::cout << (response == ModalResponse::Abort ? "cancelled" : "not cancelled") << std::endl;
    }
    std::cout << (ended->load() ? "ended" : "running") << std::endl;
    *released = true;
    return 0;
}
