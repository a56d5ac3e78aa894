#include "PrivateScheduler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <cstring>

#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString schedulerProgram = u"/usr/sbin/cupsd"_s;
const QString pdfDriverPpd = u"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"_s;

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of a line "[Job <job>] <name>="…"" of the log.
QString loggedValue(const QString &log, int job, const QString &name)
{
    const QRegularExpression line(u"\\[Job %1\\] %2=\"([^\"]*)\""_s.arg(job).arg(QRegularExpression::escape(name)));
    return line.match(log).captured(1);
}

} // namespace

PrivateScheduler::~PrivateScheduler()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool PrivateScheduler::installed()
{
    return QFileInfo(schedulerProgram).isExecutable();
}

bool PrivateScheduler::hasFilteredQueue()
{
    return QFileInfo::exists(pdfDriverPpd);
}

// Not below TMPDIR: a private one (mode 700) keeps lp out, and a long one
// puts the socket's path past the limit of sun_path.
QString PrivateScheduler::makeFolder()
{
    m_folder = std::make_unique<QTemporaryDir>(u"/tmp/quillmark-cups-XXXXXX"_s);
    if (!m_folder->isValid())
        return u"no folder of its own under /tmp: "_s + m_folder->errorString();
    for (QString parent = QFileInfo(m_folder->path()).canonicalPath();; parent = QFileInfo(parent).path()) {
        if (!QFileInfo(parent).permissions().testFlag(QFile::ExeOther))
            return u"the user lp can't reach %1: %2 is closed to others"_s.arg(m_folder->path(), parent);
        if (QDir(parent).isRoot())
            return {};
    }
}

QString PrivateScheduler::path(const QString &name) const
{
    return m_folder->filePath(name);
}

QString PrivateScheduler::socketPath() const
{
    return path(u"cups.sock"_s);
}

// The scheduler runs its filters as the user lp, who must reach the folder;
// it gives the folders it makes itself the owners and modes it wants.
bool PrivateScheduler::writeConfiguration() const
{
    for (const QString &folder : {u"etc/ppd"_s, u"spool/tmp"_s, u"cache"_s, u"run"_s, u"log"_s, u"out"_s}) {
        if (!QDir().mkpath(path(folder)))
            return false;
    }
    const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    for (const QString &folder : {QString(), u"etc"_s, u"etc/ppd"_s, u"out"_s}) {
        if (!QFile::setPermissions(path(folder), open))
            return false;
    }
    if (hasFilteredQueue() && !QFile::copy(pdfDriverPpd, path(u"etc/ppd/filtered.ppd"_s)))
        return false;
    const QString files = u"ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                          "StateDir %1/run\nServerKeychain %1/run/ssl\nPrintcap %1/run/printcap\n"
                          "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                          "FileDevice Yes\nUser lp\nGroup lp\nSystemGroup root\n"_s.arg(m_folder->path());
    // Every job's document is kept, and the log, never rotated, names each
    // job's options.
    const QString scheduler
        = u"Listen %1\nLogLevel debug\nMaxLogSize 0\nPreserveJobFiles Yes\nPreserveJobHistory Yes\n"
          "Browsing No\nBrowseLocalProtocols none\nWebInterface No\n"
          "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
          "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n"_s.arg(socketPath());
    QString printers;
    for (const QString &queue : hasFilteredQueue() ? QStringList{u"filtered"_s, u"raw"_s} : QStringList{u"raw"_s}) {
        printers += u"<Printer %1>\nState Idle\nAccepting Yes\nDeviceURI file://%2\n</Printer>\n"_s.arg(
            queue, path(u"out/"_s + queue));
    }
    return writeFile(path(u"etc/cups-files.conf"_s), files) && writeFile(path(u"etc/cupsd.conf"_s), scheduler)
        && writeFile(path(u"etc/printers.conf"_s), printers);
}

bool PrivateScheduler::takesRequests() const
{
    const QByteArray name = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::size_t(name.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (client < 0)
        return false;
    const bool connected = ::connect(client, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
    ::close(client);
    return connected;
}

QString PrivateScheduler::start()
{
    if (!writeConfiguration())
        return u"can't write the configuration into "_s + m_folder->path();
    // A scheduler left behind by a test program that died would hold the
    // folder and take nobody's jobs.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(
        schedulerProgram, {u"-f"_s, u"-c"_s, path(u"etc/cupsd.conf"_s), u"-s"_s, path(u"etc/cups-files.conf"_s)});
    if (!m_process.waitForStarted(10000))
        return u"cupsd did not start: "_s + m_process.errorString();
    if (!QTest::qWaitFor([this] { return m_process.state() != QProcess::Running || takesRequests(); }, 20000)
        || m_process.state() != QProcess::Running)
        return u"cupsd takes no requests: %1\n%2"_s.arg(QString::fromLocal8Bit(m_process.readAll()), logTail());
    return {};
}

int PrivateScheduler::lastJob() const
{
    int last = 0;
    const QStringList documents = QDir(path(u"spool"_s)).entryList({u"d*-001"_s}, QDir::Files);
    for (const QString &document : documents)
        last = std::max(last, document.mid(1, document.size() - 5).toInt());
    return last;
}

QString PrivateScheduler::documentOf(int job) const
{
    return path(u"spool/d%1-001"_s.arg(job, 5, 10, QChar(u'0')));
}

std::optional<PrivateScheduler::PrintedJob> PrivateScheduler::waitForPrinted(int job) const
{
    const QRegularExpression ended(u"\\[Job %1\\] Job (completed|stopped|aborted|canceled)"_s.arg(job));
    QString log;
    QRegularExpressionMatch end;
    (void)QTest::qWaitFor(
        [&] {
            log = readFile(path(u"log/error_log"_s));
            end = ended.match(log);
            return end.hasMatch();
        },
        20000);
    if (end.captured(1) != u"completed"_s)
        return std::nullopt;
    return PrintedJob{loggedValue(log, job, u"argv[4]"_s).toInt(),
        loggedValue(log, job, u"argv[5]"_s).split(u' ', Qt::SkipEmptyParts)};
}

QString PrivateScheduler::logTail() const
{
    return readFile(path(u"log/error_log"_s)).right(4000);
}
