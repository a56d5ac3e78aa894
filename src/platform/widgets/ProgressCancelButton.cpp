#include "platform/widgets/ProgressCancelButton.h"

#include <QEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

namespace {

// Puts the keyboard back on the progress bar whenever the window shows: a
// reused window would otherwise start on the Cancel the last user tabbed to.
class KeyboardStart : public QObject {
public:
    KeyboardStart(QWidget *window, QProgressBar *bar)
        : QObject(window)
        , m_bar(bar)
    {
        bar->setFocusPolicy(Qt::TabFocus);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_bar && watched == parent() && event->type() == QEvent::Show && !event->spontaneous())
            m_bar->setFocus(Qt::OtherFocusReason);
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QProgressBar> m_bar;
};

} // namespace

namespace ProgressCancelButton {

QPushButton *make(const QString &text, QWidget *window)
{
    auto *button = new QPushButton(text, window);
    button->setAutoDefault(false);
    button->setDefault(false);
    auto *bar = window->findChild<QProgressBar *>();
    if (!bar) {
        // Focused first, Cancel would take the keys typed ahead: it is left
        // to a click and Escape.
        qWarning("%s: ERROR the progress window has no progress bar to start the keyboard on", Q_FUNC_INFO);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    button->setFocusPolicy(Qt::TabFocus);
    new KeyboardStart(window, bar);
    return button;
}

} // namespace ProgressCancelButton
