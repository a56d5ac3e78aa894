#include "platform/widgets/OpeningFocus.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

// Gives the widget the keyboard as its dialog is shown, before the dialog
// passes the keyboard on to the widget that had it last.
class FocusOnOpening : public QObject {
public:
    FocusOnOpening(QDialog *dialog, QWidget *widget)
        : QObject(dialog)
        , m_widget(widget)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A spontaneous show is the window system mapping a window that was
        // open already, where the user may have moved the keyboard on.
        if (event->type() == QEvent::Show && !event->spontaneous() && m_widget) {
            m_widget->setFocus(Qt::OtherFocusReason);
            if (auto *field = qobject_cast<QLineEdit *>(m_widget.data()))
                field->selectAll();
            else if (auto *box = qobject_cast<QAbstractSpinBox *>(m_widget.data()))
                box->selectAll();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_widget;
};

} // namespace

namespace OpeningFocus {

void giveTo(QDialog *dialog, QWidget *widget)
{
    new FocusOnOpening(dialog, widget);
}

} // namespace OpeningFocus
