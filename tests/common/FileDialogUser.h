#pragma once

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers a real file dialog as a user does: the path typed into its name
// field, then Return or a click on its Open or Save button. What the answer
// shows meanwhile is watched: a window shown while that key press or click
// is still being handled runs an event loop inside the dialog's own done(),
// where the deletion the dialog posted as it closed may run under it. Alerts
// shown are answered with their default button, their texts kept.
class FileDialogUser : public QObject {
public:
    enum class Answer { Return, Button };

    FileDialogUser() { qApp->installEventFilter(this); }
    ~FileDialogUser() override { qApp->removeEventFilter(this); }
    FileDialogUser(const FileDialogUser &) = delete;
    FileDialogUser &operator=(const FileDialogUser &) = delete;

    // The file dialog the window shows now.
    [[nodiscard]] static QFileDialog *shownDialog(const QWidget &window)
    {
        for (QFileDialog *dialog : window.findChildren<QFileDialog *>()) {
            if (dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    // What shows that the answer ran, for an answer that shows no window.
    void watchAnswer(std::function<bool()> ran) { m_ran = std::move(ran); }

    // Types the path into the name field, the keyboard left there; false
    // when the dialog was not there.
    static bool type(QFileDialog *dialog, const QString &path)
    {
        auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name)
            return false;
        // Typed into the dialog the user is in: with the name field out of
        // focus the dialog would take typed folders for a selection.
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog))
            return false;
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, path);
        return true;
    }

    // Types the path and answers; false when the dialog was not there.
    bool answer(QFileDialog *dialog, const QString &path, Answer how)
    {
        auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        auto *buttons = dialog ? dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox")) : nullptr;
        if (!buttons || !type(dialog, path))
            return false;
        const QPointer<QFileDialog> answered = dialog;
        m_answering = dialog;
        if (how == Answer::Return)
            QTest::keyClick(name, Qt::Key_Return);
        else
            QTest::mouseClick(buttons->buttons().constFirst(), Qt::LeftButton);
        m_answering = nullptr;
        m_outlivedItsAnswer = !answered.isNull();
        m_ranInsideDone = m_ran && m_ran();
        // The answer's own turn: what it queued runs now.
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        return true;
    }

    // The windows shown while the answering key press or click was still
    // being handled: none, where the answer waits for the dialog's done().
    [[nodiscard]] const QStringList &shownInsideDone() const { return m_shownInsideDone; }
    // The dialog was still there when the key press or click returned.
    [[nodiscard]] bool outlivedItsAnswer() const { return m_outlivedItsAnswer; }
    // The watched answer had run by the time the key press or click returned.
    [[nodiscard]] bool ranInsideDone() const { return m_ranInsideDone; }
    [[nodiscard]] const QStringList &alertTexts() const { return m_alertTexts; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isWindow() || widget == m_answering || widget->windowType() == Qt::Popup
            || widget->windowType() == Qt::ToolTip)
            return false;
        if (m_answering)
            m_shownInsideDone.append(QString::fromLatin1(widget->metaObject()->className()));
        if (auto *alert = qobject_cast<QMessageBox *>(widget)) {
            m_alertTexts.append(alert->text());
            const QPointer<QMessageBox> shown = alert;
            QTimer::singleShot(0, alert, [shown] {
                if (shown && !shown->buttons().isEmpty())
                    shown->buttons().constFirst()->click();
            });
        }
        return false;
    }

private:
    QPointer<QFileDialog> m_answering;
    QStringList m_shownInsideDone;
    QStringList m_alertTexts;
    std::function<bool()> m_ran;
    bool m_outlivedItsAnswer = false;
    bool m_ranInsideDone = false;
};
