#include "platform/widgets/DialogAnswer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>

namespace {

// The dialog's property counting the times it was shown.
constexpr const char *openingsKey = "dialogAnswerOpenings";

// Counts the times its dialog is shown, in the dialog's property.
class OpeningCounter : public QObject {
public:
    explicit OpeningCounter(QDialog *dialog)
        : QObject(dialog)
    {
        dialog->setProperty(openingsKey, QVariant::fromValue<quint64>(1));
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A spontaneous show is the window system mapping a window that
        // was open already: the same opening.
        if (watched == parent() && event->type() == QEvent::Show && !event->spontaneous())
            watched->setProperty(openingsKey, QVariant::fromValue(watched->property(openingsKey).toULongLong() + 1));
        return QObject::eventFilter(watched, event);
    }
};

// One connection's answers: true for the first finished() of each opening.
class OncePerOpening {
public:
    explicit OncePerOpening(QDialog *dialog)
    {
        if (!dialog->property(openingsKey).isValid())
            new OpeningCounter(dialog);
    }

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

void deliverAfterDone(QDialog *dialog, QObject *receiver, Read read)
{
    const QPointer<QObject> target = receiver ? receiver : QCoreApplication::instance();
    QObject::connect(dialog, &QDialog::finished, dialog,
        [dialog, once = OncePerOpening(dialog), target, read = std::move(read)](int result) mutable {
            if (!once.answers(*dialog))
                return;
            Answer answer = read(result);
            if (answer && target)
                QMetaObject::invokeMethod(target.data(), std::move(answer), Qt::QueuedConnection);
        });
}

void answerInDone(QDialog *dialog, QObject *context, std::function<void(int result)> answer)
{
    QObject::connect(dialog, &QDialog::finished, context,
        [dialog, once = OncePerOpening(dialog), answer = std::move(answer)](int result) mutable {
            if (once.answers(*dialog))
                answer(result);
        });
}

} // namespace DialogAnswer
