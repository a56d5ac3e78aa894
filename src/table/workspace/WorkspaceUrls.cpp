#include "table/workspace/WorkspaceUrls.h"

#include <QUrl>

namespace WorkspaceUrls {

namespace {

void appendEscaped(QString &out, const QString &character)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const char byte : character.toUtf8()) {
        const auto value = static_cast<unsigned char>(byte);
        out += u'%';
        out += QLatin1Char(hex[value >> 4]);
        out += QLatin1Char(hex[value & 0xF]);
    }
}

// Walks the text by code point, so a character outside the basic plane is
// kept or escaped whole, never half.
template <typename Keeps> QString encodedKeeping(const QString &text, Keeps keeps)
{
    QString out;
    out.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const char32_t code = length == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        if (keeps(code))
            out += character;
        else
            appendEscaped(out, character);
        i += length;
    }
    return out;
}

bool isLetterMarkOrDigit(char32_t code)
{
    switch (QChar::category(code)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return true;
    default:
        return false;
    }
}

bool isPhoneCharacter(char32_t code)
{
    return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == '+'
        || code == '-' || code == '.';
}

} // namespace

QString percentEncoded(const QString &text)
{
    return encodedKeeping(text, isLetterMarkOrDigit);
}

QString phone(const QString &text)
{
    QString number = text;
    number.remove(u'(').remove(u')').remove(u' ');
    if (number.isEmpty())
        return {};
    return QStringLiteral("tel:") + encodedKeeping(number, isPhoneCharacter);
}

QString mail(const QString &text)
{
    return text.isEmpty() ? QString() : QStringLiteral("mailto:") + percentEncoded(text);
}

QString web(const QString &text)
{
    if (text.isEmpty())
        return {};
    const bool hasScheme = text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    const QString address = hasScheme ? text : QStringLiteral("http://") + text;
    const QUrl url(address, QUrl::StrictMode);
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (!url.isValid() || !web || url.host().isEmpty())
        return {};
    return address;
}

QString maps(const QString &addressText)
{
    if (addressText.isEmpty())
        return {};
    QString query = addressText;
    query.replace(u' ', u'+');
    return QStringLiteral("maps://?q=") + percentEncoded(query);
}

QString webMapSearch(const QString &addressText)
{
    return addressText.isEmpty() ? QString() : webMapSearchEndpoint + percentEncoded(addressText);
}

QString calendar()
{
    return QStringLiteral("ical://");
}

} // namespace WorkspaceUrls
