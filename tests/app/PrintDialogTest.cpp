// File ▸ Print… through the real print dialog, answered by its own buttons:
// the dialog must be gone before the job's progress panel runs events, or
// its deferred deletion lands while it is still delivering its signals.
#include "AddressBookTestSupport.h"

#include "app/WindowController.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "common/PrintPanels.h"
#include "common/TestEnvironment.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPointer>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The pages of a PDF file Qt wrote: one page object each.
qsizetype pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(u"/Type\\s*/Page(?!s)"_s);
    return QString::fromLatin1(file.readAll()).count(page);
}

class PrintDialog : public testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] QTableView &table() const { return *window().contactsViewController()->tableView(); }

    // A click on the first row, then Shift+Down to the last of them.
    void selectFirstRows(int count) const
    {
        table().setFocus();
        QTest::mouseClick(
            table().viewport(), Qt::LeftButton, {}, table().visualRect(table().model()->index(0, 0)).center());
        for (int row = 1; row < count; ++row)
            QTest::keyClick(&table(), Qt::Key_Down, Qt::ShiftModifier);
    }

    // Ctrl+P, and the print dialog it opens; null when none opened.
    QPrintDialog *openPrintDialog() const { return PrintPanels::openPrintDialog(window()); }

    GeneratedAddressBook m_book{50, TestEnvironment::makeScratchFolder(u"print-dialog"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_P(PrintDialog, PrintsEverySelectedRowIntoTheFileAndTheWindowLivesOn)
{
    const int rows = GetParam();
    selectFirstRows(rows);
    ASSERT_EQ(table().selectionModel()->selectedRows().size(), rows);
    const QString path = m_book.sideStorePath().section(u'/', 0, -2) + u"/cards-%1.pdf"_s.arg(rows);
    QFile::remove(path);

    QPointer<QPrintDialog> dialog = openPrintDialog();
    ASSERT_TRUE(dialog);
    PrintPanels::printIntoFile(dialog, path);

    // The dialog goes away once its signals are delivered; the job runs and
    // the window stays, with its events still running.
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }, 30000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pdfPageCount(path) == rows; }, 30000)) << pdfPageCount(path);
    QTest::qWait(50);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().findChild<QPrintDialog *>(), nullptr);
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    // The window still takes commands: a second print opens a new dialog.
    dialog = openPrintDialog();
    ASSERT_TRUE(dialog);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }, 5000));
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintDialog, testing::Values(1, 2, 50));

} // namespace
