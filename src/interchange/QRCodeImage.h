#pragma once

#include <QImage>
#include <QString>

// The QR code of a payload as a picture: the symbol (byte mode, error
// correction level L, the smallest version that holds the text) with a white
// border one module wide, each module a square of k × k pixels, k growing
// with the symbol's size so that larger codes stay readable on screen.
namespace QRCodeImage {

// The most UTF-8 bytes a code of level L holds (version 40).
inline constexpr qsizetype maximumBytes = 2953;

// Pixels per module for a symbol of that many modules a side.
[[nodiscard]] int moduleScale(int modules);

// A null image for an empty payload, one longer than maximumBytes in UTF-8,
// or one the encoder refuses.
[[nodiscard]] QImage createQRCodeFromString(const QString &payload);

} // namespace QRCodeImage
