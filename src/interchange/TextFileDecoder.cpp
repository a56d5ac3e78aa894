#include "interchange/TextFileDecoder.h"

#include "interchange/TextConversion_p.h"
#include "platform/contacts/vcard/VCardUnfoldedBytes.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLatin1StringView>
#include <QLocale>

#include <unicode/ucsdet.h>

#include <algorithm>
#include <memory>

namespace {

// The detector's matches below this confidence are only taken as a last guess.
constexpr int sureConfidence = 50;

struct DetectorCloser {
    void operator()(UCharsetDetector *detector) const { ucsdet_close(detector); }
};

bool isWideUnicode(quint32 id)
{
    const TextEncodingTable::Encoding *encoding = TextEncodingTable::encoding(id);
    return encoding && (encoding->name.startsWith(u"UTF-16") || encoding->name.startsWith(u"UTF-32"));
}

// Text read with replacement characters that has them on most of its lines
// was never text.
bool isMostlyUndecodable(const QString &text, qint64 substitutions)
{
    if (substitutions < 2)
        return false;
    qsizetype lines = 0;
    qsizetype damaged = 0;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        ++lines;
        if (QStringView(text).sliced(start, end - start).contains(u'\uFFFD'))
            ++damaged;
        start = end + 1;
    }
    return damaged * 2 > lines;
}

// NUL and the control characters no text file holds; tab, CR and LF are text.
bool holdsControlCharacters(QStringView text)
{
    return std::any_of(
        text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n'; });
}

quint32 shiftJis()
{
    static const quint32 id = TextEncodingTable::idForCharset("Shift_JIS");
    return id;
}

} // namespace

TextFileDecoder::Result TextFileDecoder::readTextFile(const QString &path, quint32 encoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), encoding, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {QString(), encoding, file.errorString()};
    return decode(bytes, encoding, QFileInfo(path).fileName());
}

TextFileDecoder::Result TextFileDecoder::decode(QByteArrayView bytes, quint32 encoding, const QString &fileName)
{
    if (isWideUnicode(encoding) || !isVCardText(bytes.first(std::min(bytes.size(), sampleBytes))))
        return decodeAs(bytes, encoding, {fileName});
    const VCardUnfoldedBytes unfolded(bytes);
    return decodeAs(unfolded.bytes(), encoding, {fileName, &unfolded});
}

TextFileDecoder::Result TextFileDecoder::decodeAs(QByteArrayView bytes, quint32 encoding, const Source &source)
{
    if (encoding != TextEncodingTable::Automatic) {
        Result result = decodeStrictly(bytes, TextEncodingTable::validateEncoding(encoding), source);
        // A Western encoding maps every byte to a character, so a picture or
        // an archive picked with one decodes without a fault.
        if (result.ok() && holdsControlCharacters(result.text))
            return notText(source);
        return result;
    }
    if (bytes.isEmpty())
        return {QString(), TextEncodingTable::UTF8, QString()};
    return recognise(bytes, source);
}

qint64 TextFileDecoder::Source::originalOffset(qint64 offset) const
{
    return unfolded ? unfolded->originalOffset(offset) : offset;
}

// A line of the head that begins a card; UTF-16 text, whose folds are no
// single-byte line ends, never shows one.
bool TextFileDecoder::isVCardText(QByteArrayView head)
{
    const QLatin1StringView text(head.data(), head.size());
    const QLatin1StringView begin("BEGIN:VCARD");
    for (qsizetype found = 0; (found = text.indexOf(begin, found, Qt::CaseInsensitive)) >= 0; found += begin.size()) {
        if (found == 0 || head[found - 1] == '\n' || head[found - 1] == '\r' || head.first(found) == "\xEF\xBB\xBF")
            return true;
    }
    return false;
}

TextFileDecoder::Result TextFileDecoder::decodeStrictly(QByteArrayView bytes, quint32 id, const Source &source)
{
    const TextEncodingTable::Encoding *encoding = TextEncodingTable::encoding(id);
    TextConversion::Outcome outcome
        = TextConversion::convert(encoding->converterName.constData(), bytes, TextConversion::Mode::Strict);
    if (!outcome.converterOpened)
        return {QString(), id, tr("The file “%1” can't be read as %2.").arg(source.fileName, encoding->name)};
    if (!outcome.ok())
        return {QString(), id,
            tr("The file “%1” can't be read as %2: invalid data at byte %3.")
                .arg(source.fileName, encoding->name)
                .arg(source.originalOffset(outcome.invalidOffset))};
    return {std::move(outcome.text), id, QString()};
}

TextFileDecoder::Result TextFileDecoder::recognise(QByteArrayView bytes, const Source &source)
{
    if (const quint32 marked = byteOrderMarkEncoding(bytes))
        return decodeStrictly(bytes, marked, source);
    if (bytes.contains('\0'))
        return recogniseWithNulBytes(bytes, source);
    // Plain ASCII is UTF-8 too.
    if (Result utf8 = decodeStrictly(bytes, TextEncodingTable::UTF8, source); utf8.ok())
        return utf8;
    const QByteArrayView head = bytes.first(std::min(bytes.size(), sampleBytes));
    if (const quint32 declared = declaredCharset(head)) {
        if (Result result = decodeStrictly(bytes, declared, source); result.ok())
            return result;
    }
    const Guess guess = detectorGuess(head);
    if (guess.encoding && guess.confidence >= sureConfidence) {
        if (Result result = decodeStrictly(bytes, guess.encoding, source); result.ok())
            return result;
    }
    if (QLocale().language() == QLocale::Japanese) {
        if (Result result = decodeStrictly(bytes, shiftJis(), source); result.ok())
            return result;
    }
    return guessLeniently(bytes, guess, source);
}

// UTF-16 and UTF-32 text without a byte-order mark is full of NUL bytes;
// anything else that holds one is binary.
TextFileDecoder::Result TextFileDecoder::recogniseWithNulBytes(QByteArrayView bytes, const Source &source)
{
    const Guess guess = detectorGuess(bytes.first(std::min(bytes.size(), sampleBytes)));
    if (guess.confidence >= sureConfidence && isWideUnicode(guess.encoding)) {
        if (Result result = decodeStrictly(bytes, guess.encoding, source); result.ok())
            return result;
    }
    return notText(source);
}

TextFileDecoder::Result TextFileDecoder::guessLeniently(QByteArrayView bytes, const Guess &guess, const Source &source)
{
    if (!guess.encoding)
        return decodeStrictly(bytes, TextEncodingTable::idForCharset("ISO-8859-1"), source);
    if (Result result = decodeStrictly(bytes, guess.encoding, source); result.ok())
        return result;
    const TextEncodingTable::Encoding *encoding = TextEncodingTable::encoding(guess.encoding);
    TextConversion::Outcome outcome
        = TextConversion::convert(encoding->converterName.constData(), bytes, TextConversion::Mode::Substitute);
    if (!outcome.converterOpened || isMostlyUndecodable(outcome.text, outcome.substitutions))
        return notText(source);
    qWarning("%s: ERROR %s read as %s with %lld undecodable sequences replaced, the first at byte %lld", Q_FUNC_INFO,
        qPrintable(source.fileName), qPrintable(encoding->name), qlonglong(outcome.substitutions),
        qlonglong(source.originalOffset(outcome.firstSubstitution)));
    return {std::move(outcome.text), guess.encoding, QString()};
}

quint32 TextFileDecoder::byteOrderMarkEncoding(QByteArrayView bytes)
{
    // ICU's "UTF-16" and "UTF-32" read the mark and the byte order it gives;
    // UTF-32LE's mark begins like UTF-16LE's, so it is looked for first.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncodingTable::UTF8;
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) || bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        return TextEncodingTable::idForCharset("UTF-32");
    if (bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE"))
        return TextEncodingTable::idForCharset("UTF-16");
    return TextEncodingTable::Automatic;
}

quint32 TextFileDecoder::declaredCharset(QByteArrayView head)
{
    const QLatin1StringView text(head.data(), head.size());
    const QLatin1StringView parameter("CHARSET=");
    const qsizetype found = text.indexOf(parameter, 0, Qt::CaseInsensitive);
    if (found < 0)
        return TextEncodingTable::Automatic;
    const qsizetype start = found + parameter.size();
    qsizetype end = start;
    static const QByteArrayView delimiters(";:,\"' \t\r\n");
    while (end < head.size() && !delimiters.contains(head[end]))
        ++end;
    return TextEncodingTable::idForCharset(head.sliced(start, end - start));
}

TextFileDecoder::Guess TextFileDecoder::detectorGuess(QByteArrayView head)
{
    UErrorCode error = U_ZERO_ERROR;
    const std::unique_ptr<UCharsetDetector, DetectorCloser> detector(ucsdet_open(&error));
    ucsdet_setText(detector.get(), head.data(), int32_t(head.size()), &error);
    int32_t count = 0;
    const UCharsetMatch **matches = ucsdet_detectAll(detector.get(), &count, &error);
    if (U_FAILURE(error)) {
        qWarning("%s: ERROR the detector failed: %s", Q_FUNC_INFO, u_errorName(error));
        return {};
    }
    for (int32_t index = 0; index < count; ++index) {
        UErrorCode matchError = U_ZERO_ERROR;
        const char *name = ucsdet_getName(matches[index], &matchError);
        const int32_t confidence = ucsdet_getConfidence(matches[index], &matchError);
        if (U_FAILURE(matchError) || !name)
            continue;
        // Some matches name a reading direction ("IBM424_rtl") no converter has.
        if (const quint32 id = TextEncodingTable::idForCharset(name))
            return {id, confidence};
    }
    return {};
}

TextFileDecoder::Result TextFileDecoder::notText(const Source &source)
{
    return {QString(), TextEncodingTable::Automatic, tr("The file “%1” is not a text file.").arg(source.fileName)};
}
