#include "print/RectText.h"

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
