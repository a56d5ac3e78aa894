#include "model/HagakiLayoutString.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <charconv>
#include <limits>

namespace {

struct FrameEntry
{
    QLatin1String key;
    QString HagakiLayoutFields::*frame;
};

constexpr std::array<FrameEntry, 4> frameEntries{{
    {QLatin1String("ra"), &HagakiLayoutFields::receiverAddress},
    {QLatin1String("rn"), &HagakiLayoutFields::receiverName},
    {QLatin1String("sa"), &HagakiLayoutFields::senderAddress},
    {QLatin1String("sn"), &HagakiLayoutFields::senderName},
}};

// std::to_chars ignores the C locale, which QCoreApplication sets from the
// environment: printf would write "10,00" under a German or French locale.
QString twoDecimals(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    if (result.ec != std::errc())
        return QStringLiteral("0.00");
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString rectText(double x, double y, double width, double height)
{
    return u"{{" + twoDecimals(x) + u',' + twoDecimals(y) + u"},{" + twoDecimals(width) + u','
        + twoDecimals(height) + u"}}";
}

// The leading integer of a piece, as the flags entry is read: white space
// skipped, an optional sign, then digits up to the first non-digit.
qint64 leadingInteger(const QString &piece)
{
    qsizetype i = 0;
    while (i < piece.size() && piece.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece.at(i) == u'-' || piece.at(i) == u'+')) {
        negative = piece.at(i) == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < piece.size() && piece.at(i) >= u'0' && piece.at(i) <= u'9'; ++i) {
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10)
            break;
        value = value * 10 + (piece.at(i).unicode() - u'0');
    }
    return negative ? -value : value;
}

}  // namespace

QString HagakiLayoutString::fromLayout(const HagakiLayoutFields &layout)
{
    const long flags = (layout.printsSender() ? 1 : 0) + (layout.printsCompany() ? 2 : 0)
        + (layout.printsRenmei() ? 4 : 0);
    QString text = QString::number(flags) + u';';
    for (const FrameEntry &entry : frameEntries) {
        const QString &frame = layout.*entry.frame;
        if (!frame.isEmpty())
            text += entry.key + u':' + normarizeRect(frame) + u';';
    }
    return text;
}

void HagakiLayoutString::parse(const QString &text, HagakiLayoutFields &layout)
{
    if (text.isEmpty())
        return;
    const QStringList pieces = text.split(u';');
    const qint64 flags = leadingInteger(pieces.first());
    layout.sender = (flags & 1) != 0;
    layout.company = (flags & 2) != 0;
    layout.renmei = (flags & 4) != 0;
    if (pieces.size() < 2)
        return;
    for (const QString &piece : pieces) {
        const QStringList parts = piece.split(u':');
        // "ra" without ":" carries no frame; the format leaves it undefined.
        if (parts.size() < 2)
            continue;
        for (const FrameEntry &entry : frameEntries) {
            if (parts.first() == entry.key)
                layout.*entry.frame = parts.at(1);
        }
    }
}

QString HagakiLayoutString::normarizeRect(const QString &rectText)
{
    const QRectF rect = rectFromString(rectText);
    return ::rectText(rect.x(), rect.y(), rect.width(), rect.height());
}

QRectF HagakiLayoutString::rectFromString(const QString &rectText)
{
    static const QRegularExpression number(
        QStringLiteral(R"([-+]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][-+]?\d+)?)"));
    std::array<double, 4> values{};
    auto match = number.globalMatch(rectText);
    for (double &value : values) {
        if (!match.hasNext())
            break;
        value = match.next().captured().toDouble();
    }
    // QRectF keeps a negative width or height as given, which the writer relies on.
    return QRectF(values[0], values[1], values[2], values[3]);
}
