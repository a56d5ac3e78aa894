#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

struct VCardLine;

// The third layer of the vCard reader: transfer encodings and charsets. The
// text handed to the reader is already decoded by the caller, so a CHARSET
// parameter applies only to the bytes that QUOTED-PRINTABLE or BASE64 decoding
// yields ("N;CHARSET=SHIFT_JIS:" with raw text is taken as it stands).
class VCardDecoding {
public:
    VCardDecoding() = delete;

    enum class Encoding { None, QuotedPrintable, Base64 };
    [[nodiscard]] static Encoding encodingOf(const VCardLine &line);

    // QUOTED-PRINTABLE text: the escaped bytes through the charset (UTF-8 when
    // none is given). Characters that stand unescaped in the value keep their
    // meaning; ASCII ones join the byte runs around them, because a Shift_JIS
    // trail byte may be written unescaped ("=8Fa"). `charsetKnown` is false when
    // the charset was named but ICU has no converter for it.
    [[nodiscard]] static QString decodeQuotedPrintableText(
        QStringView value, QStringView charset, bool *charsetKnown = nullptr);

    // BASE64 or ENCODING=b data; white space anywhere is skipped. Nothing when
    // the text holds anything but base64 characters.
    [[nodiscard]] static std::optional<QByteArray> decodeBase64(QStringView value);

    // Whether ICU has a converter of this name ("Shift_JIS", "ISO-8859-1", …).
    [[nodiscard]] static bool isKnownCharset(QStringView charset);

    // Bytes in the named charset. An empty name means UTF-8, falling back to
    // ISO-8859-1 for bytes that are not UTF-8; an unknown name decodes as UTF-8.
    [[nodiscard]] static QString decodeBytes(
        const QByteArray &bytes, QStringView charset, bool *charsetKnown = nullptr);
};
