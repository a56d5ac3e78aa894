#pragma once

#include <QRectF>
#include <QString>

#include <optional>

// Rectangles kept as text in saved layouts and print options, written as
// "{{x, y}, {w, h}}" or "{{x,y},{w,h}}".
class RectText {
public:
    RectText() = delete;

    // The rectangle of the first four numbers of the text; none when the text
    // holds fewer, so that a damaged entry counts as never saved.
    [[nodiscard]] static std::optional<QRectF> parse(const QString &text);
    // "{{x, y}, {w, h}}" with each number in the fewest digits that read back
    // exactly, whatever the user's number format.
    [[nodiscard]] static QString toString(const QRectF &rect);
};
