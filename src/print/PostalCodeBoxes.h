#pragma once

#include <QPointF>
#include <QString>

class DrawList;

// The seven digits of a Japanese postal code in the boxes printed on a
// postcard: three in the first group and four in the second, for the receiver
// in large type at the top, for the sender in small type by the sender's
// address.
class PostalCodeBoxes {
public:
    PostalCodeBoxes() = delete;

    // The font the digits are set in, found through the font resolver.
    static inline const QString fontName = QStringLiteral("Hiragino Maru Gothic ProN");

    // Adds the code's characters to the list, each with its line's top-left
    // corner in its box of the row whose top-left corner is the point. "123-4567"
    // and "1234567" fill the same boxes; what does not fit is left out and
    // boxes without a character stay empty. A type other than "receiver" sets
    // the sender's boxes.
    static void drawZIPcode(const QString &code, const QPointF &point, const QString &type, DrawList &drawList);
};
