#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// A CUPS scheduler of the test's own: its configuration, spool and log in a
// temporary folder, reached through a socket there and nothing else, so that
// it meets neither the system's scheduler nor another run's. It has two
// queues that print into files: "filtered", on the CUPS-PDF driver's PPD,
// whose filters lay out the pages as its job options say, and "raw", which
// runs none; a machine without that driver has only "raw". It keeps the
// document of every job and logs the options each job is printed with. It is
// stopped when the object goes, and also when the test program itself ends
// without that.
class PrivateScheduler {
public:
    PrivateScheduler() = default;
    ~PrivateScheduler();
    PrivateScheduler(const PrivateScheduler &) = delete;
    PrivateScheduler &operator=(const PrivateScheduler &) = delete;

    // Whether a scheduler is installed here at all.
    [[nodiscard]] static bool installed();
    // Whether it has the queue "filtered".
    [[nodiscard]] static bool hasFilteredQueue();
    // Makes its folder where the user lp, who runs its filters, reaches it;
    // what this machine lacks for that, empty when it is made.
    [[nodiscard]] QString makeFolder();
    // Starts it in the folder made and waits until it takes requests; what
    // went wrong, empty when it runs.
    [[nodiscard]] QString start();
    // The value CUPS_SERVER takes to reach it.
    [[nodiscard]] QString socketPath() const;

    // The number of the job last sent to it; 0 before any.
    [[nodiscard]] int lastJob() const;
    // The file of the document that the job was sent, as it was sent.
    [[nodiscard]] QString documentOf(int job) const;
    // How the queue printed a job: the copies and the job options it handed
    // the queue's filters, each "name" or "name=value".
    struct PrintedJob {
        int copies = 0;
        QStringList options;
    };
    // Waits until the job has printed; nothing when it ended otherwise.
    [[nodiscard]] std::optional<PrintedJob> waitForPrinted(int job) const;
    // The end of its log, to explain a failure.
    [[nodiscard]] QString logTail() const;

private:
    [[nodiscard]] QString path(const QString &name) const;
    [[nodiscard]] bool writeConfiguration() const;
    [[nodiscard]] bool takesRequests() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    QProcess m_process;
};
