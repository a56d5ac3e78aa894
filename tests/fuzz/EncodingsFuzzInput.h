#pragma once

#include "fuzz/FuzzInput.h"
#include "interchange/TextEncodingTable.h"
#include "interchange/TextFileDecoder.h"

#include <QLocale>
#include <QStringList>

// How the encodings fuzzer reads its input, shared with the test that
// replays its corpus. The text (as FuzzInput takes it) is split into lines:
// the first two are the preferred languages, the next ones the names stored
// under "Encodings", from which the chooser's short list is made, in English
// or, with bit 1 of the first byte, in Japanese. The first two bytes then
// choose a row of the list (Automatic past its last one), and the input's
// bytes after the first are decoded in it, as an import reads a file.
namespace EncodingsFuzzInput {

struct Run {
    QStringList shortList;
    quint32 encoding = TextEncodingTable::Automatic;
    TextFileDecoder::Result decoded;
};

[[nodiscard]] inline Run run(const QByteArray &input)
{
    if (input.isEmpty())
        return {};
    // The rows' names come from ICU, once for each locale.
    static const QLocale locales[] = {QLocale(QLocale::English), QLocale(QLocale::Japanese)};
    static const QList<EncodingRow> tables[]
        = {TextEncodingTable::initEncodings(locales[0]), TextEncodingTable::initEncodings(locales[1])};
    const auto byte = [&input](qsizetype i) { return i < input.size() ? quint8(input.at(i)) : 0u; };
    const int japanese = (byte(0) >> 1) & 1;
    const QStringList lines = FuzzInput::text(input).split(u'\n');
    QList<EncodingRow> rows = tables[japanese];
    TextEncodingTable::applyStoredEncodings(rows, lines.mid(2, 64), lines.mid(0, 2), locales[japanese]);

    Run run;
    run.shortList = TextEncodingTable::checkedNames(rows);
    const qsizetype choice = ((byte(0) >> 2) | (byte(1) << 6)) % (rows.size() + 1);
    if (choice < rows.size())
        run.encoding = rows[choice].nsEncoding;
    run.decoded = TextFileDecoder::decode(input.sliced(1), run.encoding, QStringLiteral("fuzz.vcf"));
    return run;
}

} // namespace EncodingsFuzzInput
