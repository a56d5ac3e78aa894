#include "table/DragFileFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> &currentFolder()
{
    static std::unique_ptr<QTemporaryDir> folder;
    return folder;
}

void removeAtQuit()
{
    currentFolder().reset();
}

} // namespace

namespace DragFileFolder {

void clear()
{
    currentFolder().reset();
}

QString writeFile(const QString &fileName, const QByteArray &bytes)
{
    static const bool routineAdded = [] {
        qAddPostRoutine(removeAtQuit);
        return true;
    }();
    Q_UNUSED(routineAdded);
    // QTemporaryDir makes the folder with mkdtemp: a fresh name, mode 0700.
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/quillmark-drag-XXXXXX"));
    if (!folder->isValid()) {
        qWarning("%s: ERROR can't make a folder for %s: %s", Q_FUNC_INFO, qPrintable(fileName),
            qPrintable(folder->errorString()));
        return {};
    }
    const QString path = folder->filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size()) {
        qWarning("%s: ERROR can't write %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    file.close();
    currentFolder() = std::move(folder);
    return path;
}

} // namespace DragFileFolder
