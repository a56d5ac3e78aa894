#pragma once

#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

// The print and page setup dialogs of a window, opened by their shortcuts and
// answered through their own widgets, as a user answers them.
namespace PrintPanels {

// The dialog of that kind the window shows once the keys are typed; null when
// none opened.
template <typename Dialog> Dialog *openDialog(QWidget &window, Qt::KeyboardModifiers modifiers)
{
    // As a click into the window after a dialog would make it the key window.
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_P, modifiers);
    Dialog *dialog = nullptr;
    (void)QTest::qWaitFor([&] { return (dialog = window.findChild<Dialog *>()) && dialog->isVisible(); });
    return dialog;
}

// Ctrl+P.
inline QPrintDialog *openPrintDialog(QWidget &window)
{
    return openDialog<QPrintDialog>(window, Qt::ControlModifier);
}

// Runs what opens a dialog of that kind, which may run it until it is
// answered, as exec() does: the answer is given to the dialog once it shows,
// and a dialog the answer left open is cancelled. Whether a dialog showed.
template <typename Dialog>
bool answerDialog(QWidget &window, const std::function<void()> &open, const std::function<void(Dialog *)> &answer)
{
    bool shown = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        Dialog *dialog = window.findChild<Dialog *>();
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        shown = true;
        const QPointer<Dialog> guard(dialog);
        answer(dialog);
        if (guard && guard->isVisible())
            guard->reject();
    });
    poll.start();
    open();
    // A dialog that was only opened is answered once it shows.
    if (!shown)
        (void)QTest::qWaitFor([&shown] { return shown; }, 5000);
    poll.stop();
    return shown;
}

// File ▸ Page Setup…, Ctrl+Shift+P, answered by the answer.
inline bool runPageSetup(QWidget &window, const std::function<void(QPageSetupDialog *)> &answer)
{
    const auto open = [&window] {
        // As a click into the window after a dialog would make it the key window.
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    };
    return answerDialog(window, open, answer);
}

// Picks an entry of a pop-up with the arrow keys.
inline void choose(QComboBox *popup, int index)
{
    popup->setFocus();
    while (popup->currentIndex() != index)
        QTest::keyClick(popup, popup->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

inline void clickOk(QDialog *dialog)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
}

// Fills in the dialog as a user printing into a file does, makes the choice
// of options when given, and clicks Print.
inline void printIntoFile(
    QPrintDialog *dialog, const QString &path, const std::function<void(QPrintDialog *)> &chooseOptions = {})
{
    auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    // The file entry comes last, after whatever printers are installed.
    printers->setCurrentIndex(printers->count() - 1);
    auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
    ASSERT_NE(fileName, nullptr);
    ASSERT_TRUE(fileName->isEnabled());
    fileName->selectAll();
    QTest::keyClicks(fileName, path);
    if (chooseOptions)
        chooseOptions(dialog);
    Screenshot::grab(dialog);
    clickOk(dialog);
}

// Types the value into the field and leaves it by Tab, as a user does.
inline void typeValue(QSpinBox *field, int value)
{
    ASSERT_NE(field, nullptr);
    ASSERT_TRUE(field->isEnabled()) << field->objectName().toStdString();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::number(value));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(field->value(), value) << field->objectName().toStdString();
}

// Ticks or clears a check box or a radio button by a click on its box.
inline void setChecked(QAbstractButton *box, bool checked)
{
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    if (box->isChecked() != checked)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    EXPECT_EQ(box->isChecked(), checked) << box->objectName().toStdString();
}

// What a user chooses on the print dialog's options tab: the page set by the
// text of its entry, left as it is when empty; a range from 0 for all pages.
struct PrintChoice {
    int copies = 1;
    bool collate = true;
    int fromPage = 0;
    int toPage = 0;
    bool reverse = false;
    QString pageSet;
};

// The options tab shown and the choice made there as a user makes it.
inline void chooseOptions(QPrintDialog *dialog, const PrintChoice &choice)
{
    if (auto *tabs = dialog->findChild<QTabWidget *>()) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            if (tabs->widget(tab)->findChild<QSpinBox *>(QStringLiteral("copies")))
                tabs->setCurrentIndex(tab);
        }
    }
    typeValue(dialog->findChild<QSpinBox *>(QStringLiteral("copies")), choice.copies);
    setChecked(dialog->findChild<QCheckBox *>(QStringLiteral("collate")), choice.collate);
    setChecked(dialog->findChild<QCheckBox *>(QStringLiteral("reverse")), choice.reverse);
    if (choice.fromPage > 0) {
        setChecked(dialog->findChild<QRadioButton *>(QStringLiteral("printRange")), true);
        typeValue(dialog->findChild<QSpinBox *>(QStringLiteral("to")), choice.toPage);
        typeValue(dialog->findChild<QSpinBox *>(QStringLiteral("from")), choice.fromPage);
    }
    if (!choice.pageSet.isEmpty()) {
        auto *pageSet = dialog->findChild<QComboBox *>(QStringLiteral("pageSetCombo"));
        ASSERT_NE(pageSet, nullptr);
        ASSERT_TRUE(pageSet->isEnabled());
        const int entry = pageSet->findText(choice.pageSet);
        ASSERT_GE(entry, 0) << choice.pageSet.toStdString();
        choose(pageSet, entry);
    }
}

// Whether the dialog went away and the job it started finished the PDF file,
// waited for a while.
inline bool waitForPrintedFile(const QPointer<QPrintDialog> &dialog, const QString &path)
{
    return QTest::qWaitFor(
        [&] {
            QFile file(path);
            return dialog.isNull() && file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF");
        },
        30000);
}

// Chooses the paper of that name and the orientation, and clicks OK.
inline void choosePaper(QPageSetupDialog *dialog, const QString &paper, bool landscape)
{
    auto *sizes = dialog->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
    ASSERT_NE(sizes, nullptr);
    const int entry = sizes->findText(paper, Qt::MatchStartsWith);
    ASSERT_GE(entry, 0) << paper.toStdString();
    choose(sizes, entry);
    auto *orientation
        = dialog->findChild<QRadioButton *>(landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    ASSERT_NE(orientation, nullptr);
    // On its round button: a wide button takes clicks on its text only.
    QTest::mouseClick(orientation, Qt::LeftButton, {}, QPoint(orientation->height() / 2, orientation->height() / 2));
    EXPECT_TRUE(orientation->isChecked());
    Screenshot::grab(dialog);
    clickOk(dialog);
}

// Chooses the "Custom" paper in millimetres, types its width and height as
// the dialog shows them, and clicks OK.
inline void chooseCustomPaper(QPageSetupDialog *dialog, const QSizeF &millimetres)
{
    auto *units = dialog->findChild<QComboBox *>(QStringLiteral("unitCombo"));
    ASSERT_NE(units, nullptr);
    const int metric = units->findText(QStringLiteral("Millimeters"), Qt::MatchStartsWith);
    ASSERT_GE(metric, 0);
    choose(units, metric);
    auto *sizes = dialog->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
    ASSERT_NE(sizes, nullptr);
    const int custom = sizes->findText(QStringLiteral("Custom"), Qt::MatchStartsWith);
    ASSERT_GE(custom, 0);
    choose(sizes, custom);
    for (const auto &[name, length] : {std::pair{QStringLiteral("pageWidth"), millimetres.width()},
             std::pair{QStringLiteral("pageHeight"), millimetres.height()}}) {
        auto *field = dialog->findChild<QDoubleSpinBox *>(name);
        ASSERT_NE(field, nullptr) << name.toStdString();
        ASSERT_TRUE(field->isEnabled()) << name.toStdString();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::number(length));
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_DOUBLE_EQ(field->value(), length) << name.toStdString();
    }
    Screenshot::grab(dialog);
    clickOk(dialog);
}

// The entry of the toolbar's print style pop-up.
inline void choosePrintStyle(QToolButton *popup, const QString &style)
{
    for (QAction *item : popup->menu()->actions()) {
        if (item->data() == style && item->objectName() == QStringLiteral("printStyleSelected")) {
            ASSERT_TRUE(item->isEnabled());
            item->trigger();
        }
    }
    QCoreApplication::processEvents();
}

} // namespace PrintPanels
