#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QWidget;

// A picture picked from a file as a contact's photo, the same in every view
// that offers "Add Image": the chooser, the file read with its orientation
// applied, and the size the contact keeps.
namespace PhotoFile {

// The longest side a picked photo keeps.
inline constexpr int largestSide = 512;

// An image whose longer side exceeds 512 pixels scaled smoothly to 512 on
// that side, the aspect kept; a null image when it cannot be scaled.
[[nodiscard]] QImage scaledForContact(const QImage &image);

// The file's picture, scaled for the contact; null (and logged) when the
// file holds no readable image.
[[nodiscard]] QImage read(const QString &path);

// Shows the image chooser window-modal over the parent (a child of it, so a
// popover the parent lies in stays open); a chosen file is handed to
// `chosen`, which runs only while `receiver` lives.
void choose(QWidget *parent, QObject *receiver, const std::function<void(const QString &path)> &chosen);

} // namespace PhotoFile
