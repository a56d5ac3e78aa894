#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The first text as it is, then a comma and the standard Base64 form (no
// line breaks) of each further text's UTF-8 bytes: "Home,MDMtMTIzNA==".
[[nodiscard]] QString encodeLabeledValueWithBase64(const QString &first, const QStringList &further = {});
// The UTF-8 text of the decoded bytes; nothing when the text is not Base64
// or the bytes are not UTF-8.
[[nodiscard]] std::optional<QString> decodeBase64String(const QString &base64);
