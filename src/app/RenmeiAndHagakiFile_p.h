#pragma once

#include "app/RenmeiAndHagakiStore.h"

#include <QByteArray>

#include <optional>

// The bytes of the side-store file, a QDataStream (Qt 6.0 encoding) of
//   magic "QMRH", version (1 or 2),
//   version 2 only: save generation, base generation (qint64 each),
//   the records: container count,
//     per container: identifier, record count,
//     per record: contact uniqueId, has-joint-names flag, joint names,
//                 entry count, per entry: label, address text, layout string;
//   version 2 only: the records the save replaced, in the same form (an
//     empty record for a contact that had none);
// and nothing after it. A file without a save generation is written as
// version 1, as it always was. Binary rather than JSON: a save rewrites the
// whole file, and for ten thousand contacts building JSON costs more than the
// rest of the save together.
namespace RenmeiAndHagakiFile {

inline constexpr quint32 magic = 0x514D5248; // "QMRH"
inline constexpr quint32 version = 1;
inline constexpr quint32 stampedVersion = 2;

struct Contents {
    RenmeiAndHagakiContainers containers;
    std::optional<RenmeiAndHagakiSaveStamp> stamp;
};

[[nodiscard]] QByteArray encode(const Contents &contents);

// The save generations at the head of a stamped file, read without its
// records (the records the save replaced left empty); nullopt for a file
// without them. headSize bytes from the start are enough.
inline constexpr qint64 headSize = 24;
[[nodiscard]] std::optional<RenmeiAndHagakiSaveStamp> decodeStamp(const QByteArray &head);

// nullopt when the bytes are not such a file: truncated or damaged, another
// format or version, or followed by anything. The reason is logged with the
// file's path.
[[nodiscard]] std::optional<Contents> decode(const QByteArray &bytes, const QString &filePath);

} // namespace RenmeiAndHagakiFile
