#include "interchange/TextConversion_p.h"

#include <QDebug>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <memory>

namespace {

// ICU refuses a source of 2 GiB or more and a target of 2^30 units or more in
// one call; 16 MiB pieces stay far below both.
constexpr qsizetype pieceBytes = qsizetype(1) << 24;
constexpr qsizetype targetUnitsPerCall = (qsizetype(1) << 30) - 1;
constexpr char16_t byteOrderMark = 0xFEFF;

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};

struct SubstitutionCount {
    const char *start = nullptr;
    qint64 count = 0;
    qint64 first = -1;
};

void substituteReplacementCharacter(const void *context, UConverterToUnicodeArgs *arguments, const char * /*units*/,
    int32_t length, UConverterCallbackReason reason, UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    auto *count = static_cast<SubstitutionCount *>(const_cast<void *>(context));
    if (count->first < 0)
        count->first = std::max<qint64>(arguments->source - count->start - length, 0);
    ++count->count;
    static const UChar replacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(arguments, &replacement, 1, 0, error);
}

// Converts the whole input, growing the text when an encoding yields more
// units than bytes (SCSU, GB18030). Answers how many bytes the converter read;
// on a stop that is just past the sequence it stopped at.
qsizetype convertPieces(UConverter *converter, QByteArrayView bytes, QString &text, UErrorCode &error)
{
    text.resize(std::max<qsizetype>(bytes.size() + 1, 16));
    const char *source = bytes.data();
    const char *const end = bytes.data() + bytes.size();
    qsizetype written = 0;
    for (;;) {
        const char *const pieceEnd = source + std::min<qsizetype>(end - source, pieceBytes);
        const bool last = pieceEnd == end;
        auto *const base = reinterpret_cast<UChar *>(text.data());
        UChar *target = base + written;
        UChar *const targetEnd = target + std::min(text.size() - written, targetUnitsPerCall);
        ucnv_toUnicode(converter, &target, targetEnd, &source, pieceEnd, nullptr, last, &error);
        written = target - base;
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            error = U_ZERO_ERROR;
            text.resize(text.size() + text.size() / 2 + 16);
            continue;
        }
        if (U_FAILURE(error) || (last && source == end))
            break;
    }
    text.truncate(written);
    return source - bytes.data();
}

} // namespace

namespace TextConversion {

Outcome convert(const char *converterName, QByteArrayView bytes, Mode mode)
{
    Outcome outcome;
    UErrorCode error = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(converterName, &error));
    if (U_FAILURE(error)) {
        qWarning("%s: ERROR can't open the converter %s: %s", Q_FUNC_INFO, converterName, u_errorName(error));
        outcome.converterOpened = false;
        return outcome;
    }
    SubstitutionCount substitutions{bytes.data()};
    if (mode == Mode::Strict)
        ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    else
        ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, &substitutions, nullptr, nullptr, &error);
    const qsizetype read = convertPieces(converter.get(), bytes, outcome.text, error);
    if (U_FAILURE(error)) {
        if (error != U_INVALID_CHAR_FOUND && error != U_ILLEGAL_CHAR_FOUND && error != U_TRUNCATED_CHAR_FOUND)
            qWarning("%s: ERROR %s converting with %s", Q_FUNC_INFO, u_errorName(error), converterName);
        char invalid[32];
        int8_t invalidLength = sizeof invalid;
        UErrorCode ignored = U_ZERO_ERROR;
        ucnv_getInvalidChars(converter.get(), invalid, &invalidLength, &ignored);
        outcome.invalidOffset = std::max<qint64>(read - invalidLength, 0);
        outcome.text.clear();
        return outcome;
    }
    outcome.substitutions = substitutions.count;
    outcome.firstSubstitution = substitutions.first;
    if (outcome.text.startsWith(QChar(byteOrderMark)))
        outcome.text.remove(0, 1);
    return outcome;
}

std::optional<QString> decodeStrictly(const char *converterName, QByteArrayView bytes)
{
    Outcome outcome = convert(converterName, bytes, Mode::Strict);
    if (!outcome.ok())
        return std::nullopt;
    return std::move(outcome.text);
}

} // namespace TextConversion
