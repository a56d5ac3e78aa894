#pragma once

#include "model/HagakiLayoutFields.h"

#include <QRectF>
#include <QString>
#include <QStringView>

#include <optional>

// The one-line text form of a postcard layout: "5;ra:{{10.00,20.00},{30.00,40.00}};".
// It is stored in the side store, in vCard and in CSV files, so it must read
// and write the same on every machine whatever the user's number format.
class HagakiLayoutString {
public:
    // Flags entry (Sender 1 + Company 2 + Renmei 4) then each frame present in
    // the order ra, rn, sa, sn, written with two decimals. A frame with a
    // number that has no such text (not finite, or of more digits than the
    // stored form takes) is left out whole, and logged.
    [[nodiscard]] static QString fromLayout(const HagakiLayoutFields &layout);

    // Reads text into layout; frames the text does not mention keep their
    // values, an empty frame ("rn:;") clears its frame, and an empty text
    // changes nothing. A frame that frameFromString() does not read is
    // dropped (logged), as if the text did not mention it.
    static void parse(const QString &text, HagakiLayoutFields &layout);
    static void parse(QStringView text, HagakiLayoutFields &layout);

    // A frame's text as a layout string carries it: the first four numbers of
    // the text as x, y, width and height, from "{{10,20},{30,40}}" as from the
    // spaced "{{10, 20}, {30, 40}}", kept as they are (a negative width stays
    // negative). None when the text holds fewer than four numbers or one out
    // of range ("inf" and "nan" among them) or too large to be written back
    // with two decimals ("1e100"): such a frame was never placed.
    [[nodiscard]] static std::optional<QRectF> frameFromString(QStringView rectText);
    // "{{x,y},{w,h}}" with exactly two decimals; empty when a number of it
    // has no such text. A frame read from this text gives this text again.
    [[nodiscard]] static QString frameText(const QRectF &frame);
    // The same, empty for no frame.
    [[nodiscard]] static QString frameText(const std::optional<QRectF> &frame);
};
