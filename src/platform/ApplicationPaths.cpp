#include "platform/ApplicationPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <mutex>

#include <sys/stat.h>

namespace {

constexpr QFile::Permissions ownerOnlyFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions groupAndOthers
    = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

std::mutex hookMutex;

ApplicationPaths::WriteFaultHook &currentHook()
{
    static ApplicationPaths::WriteFaultHook hook;
    return hook;
}

[[nodiscard]] QString injectedFault(const QString &filePath)
{
    ApplicationPaths::WriteFaultHook hook;
    {
        std::lock_guard lock(hookMutex);
        hook = currentHook();
    }
    return hook ? hook(filePath) : QString();
}

// Files beside filePath whose names are the file's name, a dot and a rest
// matching restPattern, oldest first for time-stamped names.
[[nodiscard]] QStringList siblingsMatching(const QString &filePath, const QString &restPattern)
{
    const QFileInfo info(filePath);
    const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(info.fileName()) + u"\\." + restPattern));
    QStringList paths;
    const QDir folder = info.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (pattern.match(name).hasMatch())
            paths.append(folder.filePath(name));
    }
    return paths;
}

[[nodiscard]] QString backupPathFor(const QString &filePath)
{
    QDateTime stamp = QDateTime::currentDateTime();
    QString path;
    do {
        path = filePath + u'.' + stamp.toString(QStringLiteral("yyyyMMdd-HHmmsszzz")) + QStringLiteral(".bak");
        stamp = stamp.addMSecs(1);
    } while (QFileInfo::exists(path));
    return path;
}

} // namespace

namespace ApplicationPaths {

QString applicationDataFolder()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (path.isEmpty()) {
        qWarning("%s: ERROR no application-data location", Q_FUNC_INFO);
        return {};
    }
    if (!makeOwnerOnlyFolder(path))
        return {};
    return path;
}

bool makeOwnerOnlyFolder(const QString &folderPath)
{
    QStringList missing;
    QFileInfo folder(QDir::cleanPath(QDir(folderPath).absolutePath()));
    while (!folder.exists() && !folder.isRoot()) {
        missing.prepend(folder.absoluteFilePath());
        folder = QFileInfo(folder.absolutePath());
    }
    // mkdir() takes the umask off the mode; the mode is set again after it,
    // and never to more than the owner's own.
    for (const QString &path : std::as_const(missing)) {
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && !QFileInfo(path).isDir()) {
            qWarning("%s: ERROR can't create %s: %s", Q_FUNC_INFO, qPrintable(path), strerror(errno));
            return false;
        }
        QFile::setPermissions(path, ownerOnlyFolder);
    }
    // A folder that was there already only loses what others may do: one
    // the user made read-only stays so.
    const QFile::Permissions permissions = QFile::permissions(folderPath);
    if ((permissions & groupAndOthers) && !QFile::setPermissions(folderPath, permissions & ~groupAndOthers)) {
        qWarning("%s: ERROR can't restrict permissions of %s", Q_FUNC_INFO, qPrintable(folderPath));
        return false;
    }
    if (!QFileInfo(folderPath).isDir()) {
        qWarning("%s: ERROR %s is not a folder", Q_FUNC_INFO, qPrintable(folderPath));
        return false;
    }
    return true;
}

bool makeOwnerOnly(const QString &filePath)
{
    if (!QFile::setPermissions(filePath, QFile::ReadOwner | QFile::WriteOwner)) {
        qWarning("%s: ERROR can't restrict permissions of %s", Q_FUNC_INFO, qPrintable(filePath));
        return false;
    }
    return true;
}

bool keepBackupCopy(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("%s: ERROR can't read %s to keep a copy: %s", Q_FUNC_INFO, qPrintable(filePath),
            qPrintable(file.errorString()));
        return false;
    }
    const QString backupPath = backupPathFor(filePath);
    if (!writeOwnerOnlyFile(backupPath, file.readAll()))
        return false;
    qWarning("%s: ERROR a copy of %s is kept as %s", Q_FUNC_INFO, qPrintable(filePath), qPrintable(backupPath));
    const QStringList copies = backupCopies(filePath);
    for (qsizetype i = 0; i + keptBackupCount < copies.size(); ++i)
        QFile::remove(copies.at(i));
    return true;
}

QStringList backupCopies(const QString &filePath)
{
    return siblingsMatching(filePath, QStringLiteral("\\d{8}-\\d{9}\\.bak"));
}

bool writeOwnerOnlyFile(const QString &filePath, const QByteArray &bytes, QString *errorText)
{
    const auto fail = [&](const QString &reason) {
        qWarning("%s: ERROR can't write %s: %s", Q_FUNC_INFO, qPrintable(filePath), qPrintable(reason));
        if (errorText)
            *errorText = reason;
        return false;
    };
    if (const QString fault = injectedFault(filePath); !fault.isEmpty())
        return fail(fault);
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
}

void removeInterruptedWrites(const QString &filePath)
{
    if (filePath.isEmpty())
        return;
    for (const QString &path : siblingsMatching(filePath, QStringLiteral("[A-Za-z0-9]{6}"))) {
        if (QFile::remove(path))
            qInfo("%s: removed %s, left by an interrupted write", Q_FUNC_INFO, qPrintable(path));
        else
            qWarning("%s: ERROR can't remove %s, left by an interrupted write", Q_FUNC_INFO, qPrintable(path));
    }
}

void setWriteFaultHook(const WriteFaultHook &hook)
{
    std::lock_guard lock(hookMutex);
    currentHook() = hook;
}

} // namespace ApplicationPaths
