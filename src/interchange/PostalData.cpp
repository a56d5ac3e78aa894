#include "interchange/PostalData.h"

#include "interchange/TextConversion_p.h"

#include <QDebug>

#include <zlib.h>

#include <climits>

namespace {

// Window bits 15 with 32 added: inflate detects a zlib or a gzip header itself.
constexpr int automaticHeaderWindowBits = 15 + 32;

// Skipped lines are logged one by one up to this many, then only counted.
constexpr qsizetype loggedSkippedLinesLimit = 10;

struct TableLayout {
    QChar tag;
    int firstColumn;
    int lastColumn;
};

[[nodiscard]] TableLayout layoutOf(PostalTable table)
{
    return table == PostalTable::Jigyosyo ? TableLayout{u'J', 1, 7} : TableLayout{u'K', 2, 8};
}

// Appends the kept columns of one line (without its line feed) to `out`.
// The kept columns are contiguous in the source, so they are copied in one
// piece. Returns false when the line has too few columns.
[[nodiscard]] bool appendKeptColumns(QStringView line, const TableLayout &layout, QString &out)
{
    qsizetype keptStart = -1;
    qsizetype columnEnd = -1;
    qsizetype position = 0;
    for (int column = 0; column <= layout.lastColumn; ++column) {
        if (column == layout.firstColumn) {
            keptStart = position;
        }
        if (position > line.size()) {
            return false;
        }
        const qsizetype comma = line.indexOf(u',', position);
        columnEnd = comma < 0 ? line.size() : comma;
        position = comma < 0 ? line.size() + 1 : comma + 1;
    }
    out += layout.tag;
    out += u',';
    out += line.sliced(keptStart, columnEnd - keptStart);
    out += QLatin1StringView(",\n");
    return true;
}

} // namespace

std::optional<QByteArray> InflateGzipData(QByteArrayView data)
{
    if (data.isEmpty()) {
        return QByteArray();
    }
    if (data.size() > qsizetype(UINT_MAX)) {
        qWarning("%s: ERROR input of %lld bytes is too large", Q_FUNC_INFO, qlonglong(data.size()));
        return std::nullopt;
    }
    // At least one byte per step, so a tiny input can never stall the loop.
    const qsizetype growth = qMax<qsizetype>(data.size() / 2, 1);
    QByteArray buffer(data.size() + data.size() / 2, Qt::Uninitialized);

    z_stream stream{};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    stream.avail_in = uInt(data.size());
    if (inflateInit2(&stream, automaticHeaderWindowBits) != Z_OK) {
        qWarning("%s: ERROR inflateInit2 failed", Q_FUNC_INFO);
        return std::nullopt;
    }
    int status = Z_OK;
    while (status == Z_OK) {
        if (qsizetype(stream.total_out) >= buffer.size()) {
            buffer.resize(buffer.size() + growth);
        }
        const qsizetype room = qMin<qsizetype>(buffer.size() - qsizetype(stream.total_out), UINT_MAX);
        stream.next_out = reinterpret_cast<Bytef *>(buffer.data() + stream.total_out);
        stream.avail_out = uInt(room);
        status = inflate(&stream, Z_SYNC_FLUSH);
    }
    const qsizetype produced = qsizetype(stream.total_out);
    const bool ended = inflateEnd(&stream) == Z_OK;
    if (status != Z_STREAM_END || !ended) {
        qWarning("%s: ERROR inflate ended with %d", Q_FUNC_INFO, status);
        return std::nullopt;
    }
    buffer.truncate(produced);
    return buffer;
}

std::optional<QString> DecodeWindows31J(QByteArrayView bytes)
{
    return TextConversion::decodeStrictly("windows-31j", bytes);
}

QString ReformatPostalText(QStringView text, PostalTable table, qsizetype *skippedLines)
{
    const TableLayout layout = layoutOf(table);
    QString out;
    // The kept columns are most of a line; reserving avoids regrowing megabytes.
    out.reserve(text.size());
    qsizetype skipped = 0;
    qsizetype lineNumber = 0;
    for (qsizetype start = 0; start < text.size();) {
        ++lineNumber;
        const qsizetype feed = text.indexOf(u'\n', start);
        QStringView line = text.sliced(start, (feed < 0 ? text.size() : feed) - start);
        start = feed < 0 ? text.size() : feed + 1;
        // The published tables end their lines with CRLF; the carriage return is
        // never part of a column the search keeps.
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (feed >= 0 && appendKeptColumns(line, layout, out)) {
            continue;
        }
        if (++skipped <= loggedSkippedLinesLimit) {
            qWarning("%s: ERROR skipped line %lld of the %s table: %s", Q_FUNC_INFO, qlonglong(lineNumber),
                table == PostalTable::Jigyosyo ? "jigyosyo" : "ken_all", feed < 0 ? "no line feed" : "too few columns");
        }
    }
    if (skipped > loggedSkippedLinesLimit) {
        qWarning("%s: ERROR skipped %lld lines in all", Q_FUNC_INFO, qlonglong(skipped));
    }
    if (skippedLines != nullptr) {
        *skippedLines = skipped;
    }
    out.squeeze();
    return out;
}
