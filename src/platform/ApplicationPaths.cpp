#include "platform/ApplicationPaths.h"

#include <QDir>
#include <QFile>
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

}  // namespace ApplicationPaths
