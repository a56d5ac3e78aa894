#pragma once

#include <QString>

class QMimeData;

// The data types that contacts travel in between views and programs.
namespace DragType {

inline const QString plainText = QStringLiteral("text/plain");
inline const QString tabSeparatedValues = QStringLiteral("text/tab-separated-values");
inline const QString csv = QStringLiteral("text/csv");
inline const QString vCard = QStringLiteral("text/vcard");
// What older programs still write for a vCard.
inline const QString oldVCard = QStringLiteral("text/x-vcard");
inline const QString uriList = QStringLiteral("text/uri-list");
// Table row positions, each followed by a comma but the last ("3,5").
inline const QString stringIndexes = QStringLiteral("application/x-quillmark-stringindexes");
// A value's position in its field's list, as decimal text.
inline const QString labelIndex = QStringLiteral("application/x-quillmark-labelindex");
// The field identifier of a detail row.
inline const QString identifier = QStringLiteral("application/x-quillmark-identifier");

// The vCard bytes of the data, under either type; empty when it has none.
[[nodiscard]] QByteArray vCardData(const QMimeData *data);
[[nodiscard]] bool hasVCard(const QMimeData *data);
// The label position of the data; 0 when it carries none or no number.
[[nodiscard]] qint64 labelIndexOf(const QMimeData *data);

} // namespace DragType
