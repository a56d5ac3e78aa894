#include "platform/contacts/vcard/VCardEscaping_p.h"

#include "platform/contacts/vcard/ContactVCardSerialization.h"

namespace {

bool needsEscape(char16_t c)
{
    return c == u'\\' || c == u',' || c == u';' || c == u'\n' || c == u'\r';
}

} // namespace

QString VCardEscaping::unescape(QStringView value)
{
    return BackslashEscapes::unescape(value, ContactVCardSerialization::textEscapes);
}

void VCardEscaping::split(QStringView value, QChar separator, Components &parts)
{
    parts.clear();
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\') {
            ++i;
        } else if (c == separator) {
            parts.append(value.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(value.sliced(start));
}

namespace {

// Every value of a card passes through here: one pass that encodes and
// escapes into room made once, with no encoder set up for each run. A
// surrogate without its partner becomes U+FFFD, as QStringEncoder writes it.
template <bool escape> void appendEncoded(std::string &out, QStringView text)
{
    const char16_t *const characters = text.utf16();
    const qsizetype size = text.size();
    const std::size_t start = out.size();
    out.resize(start + std::size_t(size) * 3); // three octets at most per UTF-16 unit
    char *p = out.data() + start;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = characters[i];
        if (c < 0x80) {
            if (escape && needsEscape(c)) {
                *p++ = '\\';
                if (c == u'\r' || c == u'\n') {
                    *p++ = 'n';
                    if (c == u'\r' && i + 1 < size && characters[i + 1] == u'\n')
                        ++i; // "\r\n" is one line end
                } else {
                    *p++ = char(c);
                }
            } else {
                *p++ = char(c);
            }
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(characters[i + 1])) {
            const char32_t u = QChar::surrogateToUcs4(c, characters[++i]);
            *p++ = char(0xF0 | (u >> 18));
            *p++ = char(0x80 | ((u >> 12) & 0x3F));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else {
            const char16_t written = QChar::isSurrogate(c) ? char16_t(QChar::ReplacementCharacter) : c;
            *p++ = char(0xE0 | (written >> 12));
            *p++ = char(0x80 | ((written >> 6) & 0x3F));
            *p++ = char(0x80 | (written & 0x3F));
        }
    }
    out.resize(std::size_t(p - out.data()));
}

} // namespace

void VCardEscaping::appendUtf8(std::string &out, QStringView text)
{
    appendEncoded<false>(out, text);
}

void VCardEscaping::appendEscapedUtf8(std::string &out, QStringView value)
{
    appendEncoded<true>(out, value);
}
