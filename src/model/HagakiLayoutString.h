#pragma once

#include "model/HagakiLayoutFields.h"

#include <QRectF>
#include <QString>
#include <QStringView>

// The one-line text form of a postcard layout: "5;ra:{{10.00,20.00},{30.00,40.00}};".
// It is stored in the side store, in vCard and in CSV files, so it must read
// and write the same on every machine whatever the user's number format.
class HagakiLayoutString {
public:
    // Flags entry (Sender 1 + Company 2 + Renmei 4) then each non-empty frame
    // in the order ra, rn, sa, sn, rewritten with two decimals.
    [[nodiscard]] static QString fromLayout(const HagakiLayoutFields &layout);

    // Reads text into layout; frames the text does not mention keep their
    // values, and an empty text changes nothing.
    static void parse(const QString &text, HagakiLayoutFields &layout);
    static void parse(QStringView text, HagakiLayoutFields &layout);

    // The frame rewritten as "{{x,y},{w,h}}" with exactly two decimals.
    [[nodiscard]] static QString normarizeRect(const QString &rectText);

    // The first four numbers in text as x, y, width, height; missing ones are 0.
    // Reads both "{{10,20},{30,40}}" and the spaced "{{10, 20}, {30, 40}}".
    [[nodiscard]] static QRectF rectFromString(const QString &rectText);
};
