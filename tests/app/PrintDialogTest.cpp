// File ▸ Print… through the real print dialog, answered by its own buttons:
// the dialog must be gone before the job's progress panel runs events, or
// its deferred deletion lands while it is still delivering its signals.
#include "AddressBookTestSupport.h"

#include "app/WindowController.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "common/PrintPanels.h"
#include "common/TestEnvironment.h"
#include "print/HagakiViewController.h"
#include "print/PrintInfo.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPageSetupDialog>
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

// Return typed into the file name answers the dialog as its Print button
// does: the dialog has finished before the job starts.
TEST_P(PrintDialog, ReturnInTheFileNamePrintsOnceTheDialogHasFinished)
{
    const int rows = GetParam();
    selectFirstRows(rows);
    const QString path = m_book.sideStorePath().section(u'/', 0, -2) + u"/return-%1.pdf"_s.arg(rows);
    QFile::remove(path);

    const QPointer<QPrintDialog> dialog = openPrintDialog();
    ASSERT_TRUE(dialog);
    auto *printers = dialog->findChild<QComboBox *>(u"printers"_s);
    auto *fileName = dialog->findChild<QLineEdit *>(u"filename"_s);
    ASSERT_TRUE(printers && fileName);
    printers->setCurrentIndex(printers->count() - 1);
    fileName->selectAll();
    QTest::keyClicks(fileName, path);
    QTest::keyClick(fileName, Qt::Key_Return);
    EXPECT_FALSE(dialog.isNull());
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(PrintPanels::waitForPrintedFile(dialog, path));
    EXPECT_EQ(pdfPageCount(path), rows);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintDialog, testing::Values(1, 2, 50));

// Each page's width and height in points, as a PDF file Qt wrote lays it.
QList<QSizeF> pdfPageSizes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression box(u"/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"_s);
    QList<QSizeF> sizes;
    for (const QRegularExpressionMatch &match : box.globalMatch(QString::fromLatin1(file.readAll())))
        sizes.append(QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()));
    return sizes;
}

// File ▸ Page Setup chooses the paper of the sheet styles through its own
// dialog, and File ▸ Print prints on it.
class PageSetup : public testing::Test {
protected:
    void SetUp() override
    {
        // The shared paper goes back to its start for every test.
        *PrintInfo::sharedPrintInfo() = PrintInfo();
        ASSERT_TRUE(m_app.launchActive());
    }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] QSizeF previewedPaper() const
    {
        const HagakiView *preview = window().hagakiViewController()->hagakiView();
        EXPECT_EQ(preview->printInfo()->paperSize(), preview->bounds().size());
        return preview->printInfo()->paperSize();
    }

    GeneratedAddressBook m_book{5, TestEnvironment::makeScratchFolder(u"page-setup"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

void expectNear(const QSizeF &size, const QSizeF &expected)
{
    EXPECT_NEAR(size.width(), expected.width(), 1) << size.width() << " × " << size.height();
    EXPECT_NEAR(size.height(), expected.height(), 1) << size.width() << " × " << size.height();
}

TEST_F(PageSetup, ACustomPaperTypedIntoTheDialogIsPreviewedAndPrinted)
{
    PrintPanels::choosePrintStyle(window().printStylePopup(), u"Labels"_s);
    ASSERT_TRUE(PrintPanels::runPageSetup(
        window(), [](QPageSetupDialog *dialog) { PrintPanels::choosePaper(dialog, u"A5"_s, true); }));
    expectNear(previewedPaper(), QSizeF(595.3, 419.5));

    ASSERT_TRUE(PrintPanels::runPageSetup(
        window(), [](QPageSetupDialog *dialog) { PrintPanels::chooseCustomPaper(dialog, QSizeF(100, 200)); }));
    const QSizeF custom(283.5, 566.9);
    expectNear(previewedPaper(), custom);

    // The first row, printed into a file with nothing changed in the dialog.
    QTableView &table = *window().contactsViewController()->tableView();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(table.model()->index(0, 1)).center());
    const QString path = m_book.sideStorePath().section(u'/', 0, -2) + u"/custom-paper.pdf"_s;
    QFile::remove(path);
    QPointer<QPrintDialog> dialog = PrintPanels::openPrintDialog(window());
    ASSERT_TRUE(dialog);
    PrintPanels::printIntoFile(dialog, path);
    ASSERT_TRUE(PrintPanels::waitForPrintedFile(dialog, path));
    const QList<QSizeF> pages = pdfPageSizes(path);
    ASSERT_EQ(pages.size(), 1);
    expectNear(pages.first(), custom);
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

} // namespace
