#include "platform/widgets/ProgressCancelButton.h"

#include <QPushButton>

namespace ProgressCancelButton {

QPushButton *make(const QString &text, QWidget *window)
{
    auto *button = new QPushButton(text, window);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace ProgressCancelButton
