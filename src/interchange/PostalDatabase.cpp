#include "interchange/PostalDatabase.h"

#include <QDebug>
#include <QFile>

PostalDatabase PostalDatabase::fromFiles(const QString &kenAllPath, const QString &jigyosyoPath)
{
    PostalDatabase database;
    database.m_texts[0] = loadTable(kenAllPath, PostalTable::KenAll, database.m_skippedLines);
    database.m_texts[1] = loadTable(jigyosyoPath, PostalTable::Jigyosyo, database.m_skippedLines);
    return database;
}

qsizetype PostalDatabase::memoryBytes() const
{
    qsizetype bytes = 0;
    for (const QString &text : m_texts) {
        bytes += text.capacity() * qsizetype(sizeof(QChar));
    }
    return bytes;
}

QString PostalDatabase::loadTable(const QString &path, PostalTable table, qsizetype &skippedLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        qWarning("%s: ERROR can't read %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    const QByteArray compressed = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qWarning("%s: ERROR can't read %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    const std::optional<QByteArray> inflated = InflateGzipData(compressed);
    if (!inflated) {
        qWarning("%s: ERROR can't inflate %s", Q_FUNC_INFO, qPrintable(path));
        return {};
    }
    const std::optional<QString> decoded = DecodeWindows31J(*inflated);
    if (!decoded) {
        qWarning("%s: ERROR %s is not Shift_JIS text", Q_FUNC_INFO, qPrintable(path));
        return {};
    }
    qsizetype skipped = 0;
    QString text = ReformatPostalText(*decoded, table, &skipped);
    skippedLines += skipped;
    return text;
}
