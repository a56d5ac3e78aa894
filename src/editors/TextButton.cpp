#include "editors/TextButton.h"

#include <QToolButton>

namespace TextButton {

QToolButton *make(QWidget *parent, const QString &title, const QString &objectName)
{
    auto *button = new QToolButton(parent);
    button->setText(title);
    button->setObjectName(objectName);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QToolButton *pullDown(QWidget *parent, const QString &title, const QString &objectName)
{
    QToolButton *button = make(parent, title, objectName);
    button->setPopupMode(QToolButton::InstantPopup);
    return button;
}

} // namespace TextButton
