#pragma once

#include "app/RenmeiAndHagakiStore.h"

#include <QByteArray>

#include <optional>

// The bytes of the side-store file, a QDataStream (Qt 6.0 encoding) of
//   magic "QMRH", version 1, container count,
//   per container: identifier, record count,
//   per record: contact uniqueId, has-joint-names flag, joint names,
//               entry count, per entry: label, address text, layout string;
// and nothing after it. Binary rather than JSON: a save rewrites the whole
// file, and for ten thousand contacts building JSON costs more than the rest
// of the save together.
namespace RenmeiAndHagakiFile {

inline constexpr quint32 magic = 0x514D5248; // "QMRH"
inline constexpr quint32 version = 1;

[[nodiscard]] QByteArray encode(const RenmeiAndHagakiContainers &containers);

// nullopt when the bytes are not such a file: truncated or damaged, another
// format or version, or followed by anything. The reason is logged with the
// file's path.
[[nodiscard]] std::optional<RenmeiAndHagakiContainers> decode(const QByteArray &bytes, const QString &filePath);

} // namespace RenmeiAndHagakiFile
