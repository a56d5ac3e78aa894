// Page Setup and Print through their own dialogs, in the window the
// application opens: the paper chosen is the paper every sheet style previews
// and prints on, and the rows selected are the rows printed, first row first.
#include "PdfWords.h"

#include "app/AddressBookTestSupport.h"
#include "app/WindowController.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "common/PrintPanels.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "print/LabelPages.h"
#include "print/HagakiViewController.h"
#include "print/LabelGrid.h"
#include "print/PrintInfo.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>
#include <utility>

using namespace PdfWords;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSizeF a4Landscape(841.89, 595.28);

bool nearSize(const QSizeF &size, const QSizeF &expected)
{
    return std::abs(size.width() - expected.width()) < 1 && std::abs(size.height() - expected.height()) < 1;
}

// Whether a word holding the text has its middle inside the area.
bool holdsAt(const Page &page, const QString &text, const QRectF &area)
{
    return std::any_of(page.cbegin(), page.cend(),
        [&](const Word &word) { return word.text.contains(text) && area.contains(word.box.center()); });
}

class PrintedPaper : public testing::Test {
protected:
    void SetUp() override
    {
        // The shared paper goes back to its start for every test.
        *PrintInfo::sharedPrintInfo() = PrintInfo();
        ASSERT_TRUE(m_app.launchActive());
    }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] QTableView &table() const { return *window().contactsViewController()->tableView(); }
    [[nodiscard]] HagakiView &preview() const { return *window().hagakiViewController()->hagakiView(); }

    // A click on the first of the rows, then a Ctrl+click on each further one.
    void selectRows(const QList<int> &rows) const
    {
        table().setFocus();
        for (qsizetype index = 0; index < rows.size(); ++index) {
            // Column 0 marks the sender; the name stands in column 1.
            const QModelIndex name = table().model()->index(rows.at(index), 1);
            table().scrollTo(name);
            const QRect cell = table().visualRect(name);
            QTest::mouseClick(
                table().viewport(), Qt::LeftButton, index == 0 ? Qt::NoModifier : Qt::ControlModifier, cell.center());
        }
        QCoreApplication::processEvents();
    }
    // The family name of the contact on the table's row.
    [[nodiscard]] QString familyOfRow(int row) const
    {
        return window().contactsViewController()->subContactTable().at(row)->person->nameValue()->lastName;
    }
    void choosePrintStyle(const QString &style) const
    {
        PrintPanels::choosePrintStyle(window().printStylePopup(), style);
    }
    // File ▸ Page Setup…, the paper and orientation chosen, OK.
    void choosePaper(const QString &paper, bool landscape) const
    {
        ASSERT_TRUE(PrintPanels::runPageSetup(window(), [&](QPageSetupDialog *dialog) {
            PrintPanels::choosePaper(dialog, paper, landscape);
            EXPECT_FALSE(dialog->isVisible());
        }));
    }
    // File ▸ Print… into a file of the test; its path once the job is done.
    QString print(const QString &name) const
    {
        const QString path = QDir(outputFolder()).filePath(name + u".pdf"_s);
        QFile::remove(path);
        QPointer<QPrintDialog> dialog = PrintPanels::openPrintDialog(window());
        EXPECT_TRUE(dialog);
        if (!dialog)
            return path;
        PrintPanels::printIntoFile(dialog, path);
        EXPECT_TRUE(PrintPanels::waitForPrintedFile(dialog, path));
        return path;
    }

    GeneratedAddressBook m_book{12, TestEnvironment::makeScratchFolder(u"printed-paper"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

// Page Setup opened while postcards are shown: postcards keep their paper,
// every other style previews and prints on the paper chosen.
TEST_F(PrintedPaper, PageSetupChoosesThePaperOfLabelsEnvelopesAndLists)
{
    QList<int> rows(12);
    std::iota(rows.begin(), rows.end(), 0);
    selectRows(rows);
    ASSERT_EQ(window().contactsViewController()->selectedSubContacts().size(), 12);
    choosePrintStyle(u"Hagaki"_s);
    choosePaper(u"A4"_s, true);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"Postcard"_s);

    for (const QString &style : {u"Labels"_s, u"Envelope"_s, u"Address List"_s}) {
        SCOPED_TRACE(style.toStdString());
        choosePrintStyle(style);
        ASSERT_TRUE(preview().printInfo());
        EXPECT_TRUE(nearSize(preview().printInfo()->paperSize(), a4Landscape))
            << preview().printInfo()->paperName().toStdString();
        const int shownPages = preview().document().pageCount();
        const QString path = print(u"PrintedPaper-%1"_s.arg(style));
        const QList<QSizeF> sizes = pageSizes(path);
        EXPECT_EQ(sizes.size(), shownPages);
        for (const QSizeF &size : sizes)
            EXPECT_TRUE(nearSize(size, a4Landscape)) << size.width() << " × " << size.height();
        if (style != u"Labels"_s)
            continue;
        // A4 across takes 6 × 9 labels of 130 × 60 with gaps of 5.
        const LabelGrid grid = LabelPages(preview().document()).labelGrid();
        EXPECT_EQ(grid.columns, 6);
        EXPECT_EQ(grid.rows, 9);
        const QList<Page> pages = pdfWords(path);
        ASSERT_EQ(pages.size(), 1);
        for (int row = 0; row < 12; ++row) {
            const QRectF slot(QPointF((row % 6) * 135, (row / 6) * 65), QSizeF(130, 60));
            EXPECT_TRUE(holdsAt(pages.first(), familyOfRow(row), slot.adjusted(-2, -2, 5, 5)))
                << familyOfRow(row).toStdString();
        }
    }
    choosePrintStyle(u"Hagaki"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"Postcard"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->orientation(), QPageLayout::Portrait);
    choosePrintStyle(u"Labels"_s);
    EXPECT_TRUE(nearSize(PrintInfo::sharedPrintInfo()->paperSize(), a4Landscape));
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

// Rows 3–5 and 9: those four rows print, no row between, the first on page 1.
// A contact has a row for each of its addresses, so rows are told apart by
// how often their contact's name is printed, and in which order. (The first
// rows are a company's, whose lists print the company's name.)
TEST_F(PrintedPaper, ASelectionWithHolesPrintsItsRowsInTheTablesOrder)
{
    const QList<int> selected{2, 3, 4, 8};
    selectRows(selected);
    ASSERT_EQ(window().contactsViewController()->selectedSubContacts().size(), 4);
    QStringList expected;
    for (const int row : selected)
        expected.append(familyOfRow(row));
    QStringList names;
    for (int row = 0; row < int(window().contactsViewController()->subContactTable().size()); ++row)
        names.append(familyOfRow(row));
    names.removeDuplicates();
    for (const QString &style : {u"Labels"_s, u"Address List"_s, u"Envelope"_s}) {
        SCOPED_TRACE(style.toStdString());
        choosePrintStyle(style);
        const LabelGrid grid = LabelPages(preview().document()).labelGrid();
        const QList<Page> pages = pdfWords(print(u"PrintedRows-%1"_s.arg(style)));
        // Each name printed, in reading order: page by page, then label by
        // label or line by line.
        QList<std::tuple<qsizetype, double, QString>> found;
        for (qsizetype page = 0; page < pages.size(); ++page) {
            for (const Word &word : pages.at(page)) {
                for (const QString &name : names) {
                    if (!word.text.contains(name))
                        continue;
                    const QPointF at = word.box.center();
                    const double slot = std::floor(at.y() / grid.pitch.height()) * double(grid.columns)
                        + std::floor(at.x() / grid.pitch.width());
                    found.append({page, style == u"Labels"_s ? slot : at.y(), name});
                }
            }
        }
        std::sort(found.begin(), found.end());
        QStringList printed;
        for (const auto &[page, place, name] : found)
            printed.append(name);
        EXPECT_EQ(printed, expected);
        EXPECT_EQ(pages.size(), style == u"Envelope"_s ? 4 : 1);
        // The preview shows the same rows on as many pages.
        QList<SubContactRecordPtr> shown;
        for (const PrintContactRecordPtr &receiver : preview().receiverPersons())
            shown.append(receiver->source);
        EXPECT_EQ(shown, window().contactsViewController()->selectedSubContacts());
        EXPECT_EQ(preview().document().pageCount(), pages.size());
        ASSERT_FALSE(pages.isEmpty());
        EXPECT_TRUE(holds(pages.first(), expected.first()));
    }
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

} // namespace
