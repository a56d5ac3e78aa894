#include "app/RenmeiAndHagakiFile_p.h"

#include <QDataStream>
#include <QIODevice>

namespace {

void writeRecord(QDataStream &stream, const QString &uniqueId, const RenmeiAndHagakiRecord &record)
{
    stream << uniqueId << quint8(record.renmei ? 1 : 0) << record.renmei.value_or(QString())
           << quint32(record.hagakiArray.size());
    for (const RenmeiAndHagakiRecord::HagakiEntry &entry : record.hagakiArray)
        stream << entry.label << entry.addressString << entry.layoutString;
}

// Reads one record into records; false when the stream ran out or holds
// something a record can't be.
bool readRecord(QDataStream &stream, RenmeiAndHagakiRecords &records)
{
    QString uniqueId;
    quint8 hasRenmei = 0;
    QString renmei;
    quint32 entryCount = 0;
    stream >> uniqueId >> hasRenmei >> renmei >> entryCount;
    if (stream.status() != QDataStream::Ok || hasRenmei > 1)
        return false;
    RenmeiAndHagakiRecord record;
    if (hasRenmei && !renmei.isEmpty())
        record.renmei = renmei;
    // A damaged count ends in a read past the end, never in a huge allocation:
    // entries are added one by one as they are read.
    for (quint32 i = 0; i < entryCount; ++i) {
        RenmeiAndHagakiRecord::HagakiEntry entry;
        stream >> entry.label >> entry.addressString >> entry.layoutString;
        if (stream.status() != QDataStream::Ok)
            return false;
        if (!entry.layoutString.isEmpty())
            record.hagakiArray.append(std::move(entry));
    }
    records.insert(uniqueId, std::move(record));
    return true;
}

void writeContainers(QDataStream &stream, const RenmeiAndHagakiContainers &containers)
{
    stream << quint32(containers.size());
    for (auto container = containers.cbegin(); container != containers.cend(); ++container) {
        stream << container.key() << quint32(container->size());
        for (auto record = container->cbegin(); record != container->cend(); ++record)
            writeRecord(stream, record.key(), *record);
    }
}

// False when the stream ran out or holds something that is not records.
bool readContainers(QDataStream &stream, RenmeiAndHagakiContainers &containers)
{
    quint32 containerCount = 0;
    stream >> containerCount;
    bool whole = stream.status() == QDataStream::Ok;
    for (quint32 c = 0; whole && c < containerCount; ++c) {
        QString identifier;
        quint32 recordCount = 0;
        stream >> identifier >> recordCount;
        whole = stream.status() == QDataStream::Ok;
        RenmeiAndHagakiRecords &records = containers[identifier];
        for (quint32 r = 0; whole && r < recordCount; ++r)
            whole = readRecord(stream, records);
    }
    return whole;
}

} // namespace

namespace RenmeiAndHagakiFile {

QByteArray encode(const Contents &contents)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << magic << (contents.stamp ? stampedVersion : version);
    if (contents.stamp)
        stream << contents.stamp->generation << contents.stamp->baseGeneration;
    writeContainers(stream, contents.containers);
    if (contents.stamp)
        writeContainers(stream, contents.stamp->previous);
    return bytes;
}

std::optional<RenmeiAndHagakiSaveStamp> decodeStamp(const QByteArray &head)
{
    QDataStream stream(head);
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 fileMagic = 0;
    quint32 fileVersion = 0;
    RenmeiAndHagakiSaveStamp stamp;
    stream >> fileMagic >> fileVersion >> stamp.generation >> stamp.baseGeneration;
    if (stream.status() != QDataStream::Ok || fileMagic != magic || fileVersion != stampedVersion)
        return std::nullopt;
    return stamp;
}

std::optional<Contents> decode(const QByteArray &bytes, const QString &filePath)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 fileMagic = 0;
    quint32 fileVersion = 0;
    stream >> fileMagic >> fileVersion;
    if (stream.status() != QDataStream::Ok || fileMagic != magic
        || (fileVersion != version && fileVersion != stampedVersion)) {
        qWarning("%s: ERROR %s is of an unknown format or version", Q_FUNC_INFO, qPrintable(filePath));
        return std::nullopt;
    }
    Contents contents;
    bool whole = true;
    if (fileVersion == stampedVersion) {
        RenmeiAndHagakiSaveStamp stamp;
        stream >> stamp.generation >> stamp.baseGeneration;
        whole = readContainers(stream, contents.containers) && readContainers(stream, stamp.previous);
        contents.stamp = std::move(stamp);
    } else {
        whole = readContainers(stream, contents.containers);
    }
    if (!whole || !stream.atEnd()) {
        qWarning("%s: ERROR %s is truncated or damaged", Q_FUNC_INFO, qPrintable(filePath));
        return std::nullopt;
    }
    return contents;
}

} // namespace RenmeiAndHagakiFile
