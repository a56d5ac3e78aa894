#include "platform/ApplicationPaths.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace ApplicationPaths {

QString applicationDataFolder()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (path.isEmpty()) {
        qWarning("%s: ERROR no application-data location", Q_FUNC_INFO);
        return {};
    }
    if (!QDir().mkpath(path)) {
        qWarning("%s: ERROR can't create %s", Q_FUNC_INFO, qPrintable(path));
        return {};
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
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
    const QString backupPath = filePath + QStringLiteral(".bak");
    if (QFile::exists(backupPath) && !QFile::remove(backupPath)) {
        qWarning("%s: ERROR can't replace %s", Q_FUNC_INFO, qPrintable(backupPath));
        return false;
    }
    if (!QFile::copy(filePath, backupPath)) {
        qWarning("%s: ERROR can't copy %s to %s", Q_FUNC_INFO, qPrintable(filePath), qPrintable(backupPath));
        return false;
    }
    makeOwnerOnly(backupPath);
    return true;
}

bool writeOwnerOnlyFile(const QString &filePath, const QByteArray &bytes)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("%s: ERROR can't write %s: %s", Q_FUNC_INFO, qPrintable(filePath), qPrintable(file.errorString()));
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning("%s: ERROR can't write %s: %s", Q_FUNC_INFO, qPrintable(filePath), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace ApplicationPaths
