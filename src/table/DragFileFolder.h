#pragma once

#include <QByteArray>
#include <QString>

// Where a drag's file is written for a receiver that takes files: a folder
// made for that drag, readable by its owner only, so that nothing another
// user planted in the shared temporary folder (a link of the file's name) is
// written through. The folder of the drag before goes when the next drag
// starts, and the last one when the application quits.
namespace DragFileFolder {

// Removes the folder of the drag before, if any.
void clear();
// Writes the bytes as a new file of that name into a new folder; the file's
// path, or empty (logged) when it could not be written.
[[nodiscard]] QString writeFile(const QString &fileName, const QByteArray &bytes);

} // namespace DragFileFolder
