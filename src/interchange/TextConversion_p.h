#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Byte-to-text conversion through one ICU converter, in pieces small enough
// for ICU's 32-bit lengths, so files of any size convert.
namespace TextConversion {

enum class Mode {
    Strict, // stops at the first byte sequence the encoding doesn't define
    Substitute, // puts U+FFFD in place of each such sequence
};

struct Outcome {
    QString text;
    bool converterOpened = true;
    // Strict: where the first undefined sequence starts, -1 when none.
    qint64 invalidOffset = -1;
    // Substitute: how many sequences became U+FFFD, and where the first starts.
    qint64 substitutions = 0;
    qint64 firstSubstitution = -1;

    [[nodiscard]] bool ok() const { return converterOpened && invalidOffset < 0; }
};

// The text of the bytes in the encoding ICU knows by `converterName`; a leading
// byte-order mark is never part of the text.
[[nodiscard]] Outcome convert(const char *converterName, QByteArrayView bytes, Mode mode);

// The text, or nothing when the bytes are not all defined in the encoding.
[[nodiscard]] std::optional<QString> decodeStrictly(const char *converterName, QByteArrayView bytes);

} // namespace TextConversion
