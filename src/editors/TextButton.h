#pragma once

#include <QString>

class QToolButton;
class QWidget;

// The tool buttons that show their title and no icon: the toolbar's buttons,
// the find bar's segments and the pull-downs of the editors and the toolbar.
namespace TextButton {

[[nodiscard]] QToolButton *make(QWidget *parent, const QString &title = {}, const QString &objectName = {});
// A button whose menu opens as it is pressed.
[[nodiscard]] QToolButton *pullDown(QWidget *parent, const QString &title = {}, const QString &objectName = {});

} // namespace TextButton
