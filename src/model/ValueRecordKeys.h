#pragma once

#include <QString>

// Keys shared by the value records where they pass through open dictionaries
// (editor context, side store, keyed coding).
namespace RecordKey {
inline const QString Label = QStringLiteral("label");
inline const QString Value = QStringLiteral("value");
inline const QString StringValue = QStringLiteral("stringValue");
inline const QString LabelIndex = QStringLiteral("labelIndex");
inline const QString NameOrdering = QStringLiteral("nameOrdering");
inline const QString ShowAsPerson = QStringLiteral("showAsPerson");
inline const QString Username = QStringLiteral("username");
inline const QString Domain = QStringLiteral("domain");
} // namespace RecordKey
