#pragma once

#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

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

// File ▸ Page Setup…, Ctrl+Shift+P.
inline QPageSetupDialog *openPageSetup(QWidget &window)
{
    return openDialog<QPageSetupDialog>(window, Qt::ControlModifier | Qt::ShiftModifier);
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

// Fills in the dialog as a user printing into a file does and clicks Print.
inline void printIntoFile(QPrintDialog *dialog, const QString &path)
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
    Screenshot::grab(dialog);
    clickOk(dialog);
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
