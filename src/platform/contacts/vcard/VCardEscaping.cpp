#include "platform/contacts/vcard/VCardEscaping_p.h"

#include <QStringEncoder>

namespace {

// The character a backslash escape stands for, or 0 when the pair is no escape.
char16_t unescaped(char16_t c)
{
    switch (c) {
    case u'n':
    case u'N':
        return u'\n';
    case u'\\':
    case u',':
    case u';':
    case u':':
    case u'"':
        return c;
    default:
        return 0;
    }
}

bool needsEscape(char16_t c)
{
    return c == u'\\' || c == u',' || c == u';' || c == u'\n' || c == u'\r';
}

}  // namespace

QString VCardEscaping::unescape(QStringView value)
{
    const qsizetype first = value.indexOf(u'\\');
    if (first < 0)
        return value.toString();
    QString text;
    text.reserve(value.size());
    text.append(value.first(first));
    for (qsizetype i = first; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c == u'\\' && i + 1 < value.size()) {
            if (const char16_t meant = unescaped(value.at(i + 1).unicode())) {
                text.append(QChar(meant));
                ++i;
                continue;
            }
        }
        text.append(QChar(c));
    }
    return text;
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

void VCardEscaping::appendUtf8(std::string &out, QStringView text)
{
    if (text.isEmpty())
        return;
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const std::size_t size = out.size();
    out.resize(size + std::size_t(encoder.requiredSpace(text.size())));
    const char *end = encoder.appendToBuffer(out.data() + size, text);
    out.resize(std::size_t(end - out.data()));
}

void VCardEscaping::appendEscapedUtf8(std::string &out, QStringView value)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (!needsEscape(c))
            continue;
        appendUtf8(out, value.sliced(runStart, i - runStart));
        runStart = i + 1;
        if (c == u'\r') {
            if (i + 1 < value.size() && value.at(i + 1) == u'\n')
                continue; // the "\n" of "\r\n" writes the escape
            out.append("\\n", 2);
        } else if (c == u'\n') {
            out.append("\\n", 2);
        } else {
            out.push_back('\\');
            out.push_back(char(c));
        }
    }
    appendUtf8(out, value.sliced(runStart));
}
