#pragma once

#include <QString>

class QWidget;

// What GUI tests saw: when QUILLMARK_SCREENSHOT_DIR names a folder, a picture
// of the widget is saved there as "<suite>.<test>[-<suffix>].png".
namespace Screenshot {

// The path written, or empty when no folder is set or saving failed.
QString grab(QWidget *widget, const QString &suffix = {});

} // namespace Screenshot
