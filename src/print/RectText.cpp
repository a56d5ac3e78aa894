#include "print/RectText.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>

std::optional<QRectF> RectText::parse(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)"));
    std::array<double, 4> values{};
    size_t found = 0;
    QRegularExpressionMatchIterator matches = number.globalMatch(text);
    while (found < values.size() && matches.hasNext())
        values[found++] = matches.next().captured().toDouble();
    if (found < values.size())
        return std::nullopt;
    return QRectF(values[0], values[1], values[2], values[3]);
}

namespace {

QString shortestNumber(double value)
{
    // Fixed notation: the layout text's reader takes no exponents, and −0
    // reads back as 0 anyway.
    return QString::number(value == 0 ? 0.0 : value, 'f', QLocale::FloatingPointShortest);
}

} // namespace

QString RectText::toString(const QRectF &rect)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(shortestNumber(rect.x()), shortestNumber(rect.y()), shortestNumber(rect.width()),
            shortestNumber(rect.height()));
}
