#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// How every fuzz target reads its input, shared with the tests that replay
// the corpora: the first byte chooses whether the rest is taken as UTF-8 (as a
// caller decodes a file) or as UTF-16 code units, so that lone surrogates and
// NULs reach the readers too.
namespace FuzzInput {

[[nodiscard]] inline QString text(const QByteArray &input)
{
    if (input.isEmpty())
        return {};
    const QByteArray bytes = input.sliced(1);
    if (input.at(0) & 1)
        return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
    return QString::fromUtf8(bytes);
}

[[nodiscard]] inline QString text(const uint8_t *data, size_t size)
{
    return text(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
}

// The readers log what they skip; a fuzzer's run would drown in it.
inline void silenceMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

} // namespace FuzzInput
