#include "platform/contacts/vcard/VCardDecoding_p.h"

#include "platform/contacts/vcard/VCardLine_p.h"

#include <QStringDecoder>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <memory>

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};

QString decodeUtf8OrLatin1(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

// Null when the converter stopped at bytes it cannot decode.
std::optional<QString> convert(UConverter *converter, const QByteArray &bytes)
{
    QString text(bytes.size() * 2 + 1, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar *>(text.data()), int32_t(text.size()),
        bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING)
        return std::nullopt;
    text.truncate(length);
    return text;
}

// Legacy converters substitute U+001A for unassigned bytes; a reader sees
// U+FFFD. The context counts them.
void U_CALLCONV substituteReplacementCharacter(const void *context, UConverterToUnicodeArgs *args, const char *,
    int32_t, UConverterCallbackReason reason, UErrorCode *status)
{
    if (reason > UCNV_IRREGULAR)
        return;
    ++*static_cast<qsizetype *>(const_cast<void *>(context));
    *status = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// Bytes the charset cannot decode become U+FFFD, never nothing, and are
// logged: the value is kept as far as it can be read.
std::optional<QString> decodeWithIcu(const QByteArray &bytes, QStringView charset)
{
    const QByteArray name = charset.toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(name.constData(), &status));
    if (U_FAILURE(status) || !converter)
        return std::nullopt;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (std::optional<QString> text = convert(converter.get(), bytes))
        return text;
    ucnv_reset(converter.get());
    status = U_ZERO_ERROR;
    qsizetype replaced = 0;
    ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, &replaced, nullptr, nullptr, &status);
    std::optional<QString> text = convert(converter.get(), bytes);
    if (text) {
        qWarning("%s: ERROR %lld undecodable sequences of %lld bytes read as %s replaced", Q_FUNC_INFO,
            qlonglong(replaced), qlonglong(bytes.size()), name.constData());
    }
    return text;
}

} // namespace

bool VCardDecoding::isKnownCharset(QStringView charset)
{
    const QByteArray name = charset.toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(name.constData(), &status));
    return U_SUCCESS(status) && converter;
}

VCardDecoding::Encoding VCardDecoding::encodingOf(const VCardLine &line)
{
    const QStringView encoding = line.parameter(u"ENCODING");
    if (encoding.isNull())
        return Encoding::None;
    if (encoding.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0)
        return Encoding::QuotedPrintable;
    if (encoding.compare(u"BASE64", Qt::CaseInsensitive) == 0 || encoding.compare(u"B", Qt::CaseInsensitive) == 0)
        return Encoding::Base64;
    return Encoding::None;
}

QString VCardDecoding::decodeBytes(const QByteArray &bytes, QStringView charset, bool *charsetKnown)
{
    if (charsetKnown)
        *charsetKnown = true;
    if (charset.isEmpty() || charset.compare(u"UTF-8", Qt::CaseInsensitive) == 0)
        return decodeUtf8OrLatin1(bytes);
    if (std::optional<QString> text = decodeWithIcu(bytes, charset))
        return *text;
    if (charsetKnown)
        *charsetKnown = false;
    return QString::fromUtf8(bytes);
}

QString VCardDecoding::decodeQuotedPrintableText(QStringView value, QStringView charset, bool *charsetKnown)
{
    QString text;
    QByteArray bytes;
    bytes.reserve(value.size());
    bool known = true;
    const auto flush = [&] {
        if (bytes.isEmpty())
            return;
        bool ok = true;
        text += decodeBytes(bytes, charset, &ok);
        known = known && ok;
        bytes.clear();
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'=') {
            const int high = i + 1 < value.size() ? hexValue(value.at(i + 1)) : -1;
            const int low = i + 2 < value.size() ? hexValue(value.at(i + 2)) : -1;
            if (high >= 0 && low >= 0) {
                bytes.append(char(high * 16 + low));
                i += 2;
            } else if (i + 1 < value.size()) {
                bytes.append('='); // "=" not followed by two hex digits stays as written
            }
        } else if (c.unicode() < 0x80) {
            bytes.append(char(c.unicode()));
        } else {
            flush();
            text += c;
        }
    }
    flush();
    if (charsetKnown)
        *charsetKnown = known;
    return text;
}

std::optional<QByteArray> VCardDecoding::decodeBase64(QStringView value)
{
    QByteArray ascii;
    ascii.reserve(value.size());
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\r' || u == u'\n')
            continue;
        if (u >= 0x80)
            return std::nullopt;
        ascii.append(char(u));
    }
    QByteArray::FromBase64Result result
        = QByteArray::fromBase64Encoding(ascii, QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    return std::move(result.decoded);
}
