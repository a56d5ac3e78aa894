#include "platform/widgets/DialogAnswer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWindow>

namespace {

// The dialog's property counting the times it was shown.
constexpr const char *openingsKey = "dialogAnswerOpenings";

// Counts the times its dialog is shown, in the dialog's property, and keeps
// the input that reaches its window while it is closed from its buttons and
// fields: a second Return pressed at once reaches the window after done(),
// and a button pressed again there would change what the queued answer is
// still to read (the simple contact sheet's Done empties the contact it
// hands over).
class OpeningCounter : public QObject {
public:
    explicit OpeningCounter(QDialog *dialog)
        : QObject(dialog)
        , m_dialog(dialog)
    {
        dialog->setProperty(openingsKey, QVariant::fromValue<quint64>(1));
        dialog->installEventFilter(this);
        if (QWindow *window = dialog->windowHandle())
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A spontaneous show is the window system mapping a window that
        // was open already: the same opening.
        if (watched == m_dialog && event->type() == QEvent::Show && !event->spontaneous()) {
            watched->setProperty(openingsKey, QVariant::fromValue(watched->property(openingsKey).toULongLong() + 1));
            if (QWindow *window = m_dialog->windowHandle())
                window->installEventFilter(this);
        }
        if (watched != m_dialog && isInput(*event) && !m_dialog->isVisible())
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    [[nodiscard]] static bool isInput(const QEvent &event)
    {
        switch (event.type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }

    QDialog *m_dialog = nullptr; // the parent: gone only with this filter
};

// One connection's answers: true for the first finished() of each opening.
class OncePerOpening {
public:
    explicit OncePerOpening(QDialog *dialog) { DialogAnswer::keepFirstAnswer(dialog); }

    bool answers(const QDialog &dialog)
    {
        const quint64 opening = dialog.property(openingsKey).toULongLong();
        if (opening == m_answered)
            return false;
        m_answered = opening;
        return true;
    }

private:
    quint64 m_answered = 0;
};

} // namespace

namespace DialogAnswer {

namespace {

// Reads the dialog at the first finished() of each opening, through a
// connection that `context` owns, and runs what was read queued on `target`.
void connectOnce(QDialog *dialog, QObject *context, QObject *target, Read read)
{
    const QPointer<QObject> answerer = target;
    QObject::connect(dialog, &QDialog::finished, context,
        [dialog, once = OncePerOpening(dialog), answerer, read = std::move(read)](int result) mutable {
            if (!once.answers(*dialog))
                return;
            Answer answer = read(result);
            if (answer && answerer)
                QMetaObject::invokeMethod(answerer.data(), std::move(answer), Qt::QueuedConnection);
        });
}

} // namespace

void deliverAfterDone(QDialog *dialog, QObject *receiver, Read read)
{
    connectOnce(dialog, dialog, receiver ? receiver : QCoreApplication::instance(), std::move(read));
}

void keepFirstAnswer(QDialog *dialog)
{
    if (!dialog->property(openingsKey).isValid())
        new OpeningCounter(dialog);
}

void answerAfterDone(QDialog *dialog, QObject *context, std::function<void(int result)> answer)
{
    connectOnce(dialog, context, context,
        [answer = std::move(answer)](int result) -> Answer { return [answer, result] { answer(result); }; });
}

} // namespace DialogAnswer
