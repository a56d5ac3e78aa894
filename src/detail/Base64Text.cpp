#include "detail/Base64Text.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>

QString encodeLabeledValueWithBase64(const QString &first, const QStringList &further)
{
    QString text = first;
    for (const QString &part : further) {
        text += u',';
        text += QString::fromLatin1(part.toUtf8().toBase64());
    }
    return text;
}

std::optional<QString> decodeBase64String(const QString &base64)
{
    const bool ascii = std::all_of(base64.cbegin(), base64.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii)
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(*decoded);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}
