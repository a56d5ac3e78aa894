// The sheets a print makes of a document's pages: the range, the copies and
// the order chosen in the print dialog, worked out on their own and then
// printed through the real dialog into a PDF file.
#include "PdfWords.h"

#include "app/AddressBookTestSupport.h"
#include "app/WindowController.h"
#include "common/EventLoop.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "common/PrintPanels.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "print/PageRenderer.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrinter>
#include <QTableView>

#include <algorithm>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

using Choice = PageRenderer::PageChoice;
using Sheets = std::vector<int>;

TEST(SheetOrder, TheRangeNamesThePagesTheDocumentHasInTheOrderChosen)
{
    EXPECT_EQ(PageRenderer::sheetOrder(3, {}), (Sheets{1, 2, 3}));
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.lastPageFirst = true}), (Sheets{3, 2, 1}));
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.fromPage = 2, .toPage = 2}), (Sheets{2}));
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.fromPage = 0, .toPage = 2}), (Sheets{1, 2}));
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.fromPage = 2, .toPage = 9, .lastPageFirst = true}), (Sheets{3, 2}));
    // A range past the document's end, or the wrong way round, names no page.
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.fromPage = 4, .toPage = 5}), Sheets{});
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.fromPage = 3, .toPage = 2}), Sheets{});
    EXPECT_EQ(PageRenderer::sheetOrder(0, {}), Sheets{});
}

TEST(SheetOrder, CopiesRepeatTheRunWhenCollatedAndEachPageOtherwise)
{
    EXPECT_EQ(PageRenderer::sheetOrder(2, {.copies = 3}), (Sheets{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(PageRenderer::sheetOrder(2, {.copies = 3, .collate = false}), (Sheets{1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.copies = 2, .collate = false, .lastPageFirst = true}),
        (Sheets{3, 3, 2, 2, 1, 1}));
    EXPECT_EQ(PageRenderer::sheetOrder(3, {.fromPage = 2, .copies = 2, .lastPageFirst = true}), (Sheets{3, 2, 3, 2}));
    EXPECT_EQ(PageRenderer::sheetOrder(2, {.copies = 0}), (Sheets{1, 2}));
}

// A PDF file makes no copies of its own: the job repeats the pages. A device
// that is no printer takes every page once.
TEST(SheetOrder, APdfPrinterLeavesTheCopiesToTheJob)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setCopyCount(3);
    printer.setCollateCopies(false);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setPageOrder(QPrinter::LastPageFirst);
    ASSERT_FALSE(printer.supportsMultipleCopies());
    EXPECT_EQ(PageRenderer::printOrder(printer, 4), (Sheets{3, 3, 3, 2, 2, 2}));
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageOrder(QPrinter::FirstPageFirst);
    printer.setCollateCopies(true);
    EXPECT_EQ(PageRenderer::printOrder(printer, 2), (Sheets{1, 2, 1, 2, 1, 2}));
}

// A CUPS queue as it prints the pages it is sent under its job options: the
// pages per sheet taken in the order sent, the page set kept by the sheets'
// positions, a blank sheet after an odd number of even sheets (for duplexing
// by hand), then the sheets last first for "outputorder" "reverse".
std::vector<Sheets> cupsQueuePrints(const Sheets &sent, const QStringList &options)
{
    const auto option = [&options](const QString &name) {
        const qsizetype at = options.indexOf(name);
        return at >= 0 && at % 2 == 0 && at + 1 < options.size() ? options.at(at + 1) : QString();
    };
    const std::size_t perSheet = std::max(option(u"number-up"_s).toUInt(), 1u);
    const QString pageSet = option(u"page-set"_s);
    std::vector<Sheets> sheets;
    for (std::size_t at = 0; at < sent.size(); at += perSheet) {
        const bool odd = (at / perSheet) % 2 == 0;
        if ((pageSet == u"odd"_s && !odd) || (pageSet == u"even"_s && odd))
            continue;
        sheets.emplace_back(
            sent.begin() + std::ptrdiff_t(at), sent.begin() + std::ptrdiff_t(std::min(at + perSheet, sent.size())));
    }
    if (pageSet == u"even"_s && sheets.size() % 2 == 1)
        sheets.emplace_back();
    if (option(u"outputorder"_s) == u"reverse"_s)
        std::reverse(sheets.begin(), sheets.end());
    return sheets;
}

// A raw queue as it prints the pages it is sent: it runs no filter, so each
// page is a sheet of its own in the order sent, whatever the job options say.
std::vector<Sheets> rawQueuePrints(const Sheets &sent)
{
    std::vector<Sheets> sheets;
    for (const int page : sent)
        sheets.push_back({page});
    return sheets;
}

// A 4-page document printed from page 1 or 2 on a CUPS queue, with the page
// set, the pages per sheet and the order chosen in the print dialog.
struct QueueChoice {
    QString pageSet; // "all", "odd" or "even"
    int fromPage;
    int perSheet;
};

QueueChoice queueChoice(const std::tuple<QString, int, int> &values)
{
    return {std::get<0>(values), std::get<1>(values), std::get<2>(values)};
}

class CupsQueueSheets : public testing::TestWithParam<std::tuple<QString, int, int>> {
protected:
    // The options the print dialog leaves on the printer: it swaps odd and
    // even for a range that starts on an even page, CUPS counting the first
    // page it is sent as page 1.
    [[nodiscard]] static QStringList dialogOptions(const QueueChoice &choice)
    {
        QStringList options;
        if (choice.pageSet != u"all"_s) {
            const bool swap = choice.fromPage % 2 == 0;
            options << u"page-set"_s << (swap == (choice.pageSet == u"odd"_s) ? u"even"_s : u"odd"_s);
        }
        if (choice.perSheet > 1)
            options << u"number-up"_s << QString::number(choice.perSheet);
        return options;
    }
    [[nodiscard]] static PageRenderer::PrintPlan plan(const QueueChoice &choice, bool reverse)
    {
        const Choice dialog{.fromPage = choice.fromPage, .toPage = 4, .lastPageFirst = reverse, .cupsQueue = true};
        return PageRenderer::printPlan(4, dialog, dialogOptions(choice));
    }
    [[nodiscard]] static std::vector<Sheets> printed(const QueueChoice &choice, bool reverse)
    {
        const PageRenderer::PrintPlan sent = plan(choice, reverse);
        return cupsQueuePrints(sent.sheets, sent.jobOptions);
    }
};

// The pages of the range that the page set keeps by their numbers, so many
// a sheet in reading order, the sheets last first when asked: no blank sheet.
TEST_P(CupsQueueSheets, PrintsThePagesOfTheRangeThePageSetKeepsInTheOrderChosen)
{
    const QueueChoice choice = queueChoice(GetParam());
    std::vector<Sheets> kept;
    for (int page = choice.fromPage; page <= 4; ++page) {
        if (choice.pageSet != u"all"_s && (page % 2 == 1) != (choice.pageSet == u"odd"_s))
            continue;
        if (kept.empty() || int(kept.back().size()) == choice.perSheet)
            kept.emplace_back();
        kept.back().push_back(page);
    }
    EXPECT_EQ(printed(choice, false), kept);
    std::reverse(kept.begin(), kept.end());
    EXPECT_EQ(printed(choice, true), kept);
    // A raw queue lays no pages on a sheet together: with one page a sheet,
    // what the application sends is what was chosen.
    if (choice.perSheet == 1) {
        EXPECT_EQ(rawQueuePrints(plan(choice, true).sheets), kept);
        std::reverse(kept.begin(), kept.end());
        EXPECT_EQ(rawQueuePrints(plan(choice, false).sheets), kept);
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, CupsQueueSheets,
    testing::Combine(testing::Values(u"all"_s, u"odd"_s, u"even"_s), testing::Values(1, 2), testing::Values(1, 2)),
    [](const auto &info) {
        const QueueChoice choice = queueChoice(info.param);
        return u"%1_From%2_%3PerSheet"_s.arg(choice.pageSet).arg(choice.fromPage).arg(choice.perSheet).toStdString();
    });

// What is chosen in the dialog's options, and the contacts (0 or 1 of the
// two printed) expected on the file's pages in turn.
struct DialogChoice {
    const char *name;
    int copies;
    bool collate;
    int fromPage; // 0: all pages
    int toPage;
    bool reverse;
    QList<int> contacts;
};

void PrintTo(const DialogChoice &choice, std::ostream *out)
{
    *out << choice.name;
}

// Two contacts' rows, printed as postcards through File ▸ Print… and the
// real print dialog, into a PDF file.
class PrintedSheets : public testing::TestWithParam<DialogChoice> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.launchActive());
        PrintPanels::choosePrintStyle(m_app.window().printStylePopup(), u"Hagaki"_s);
    }

    [[nodiscard]] QTableView &table() const { return *m_app.window().contactsViewController()->tableView(); }
    [[nodiscard]] ContactsViewController &contacts() const { return *m_app.window().contactsViewController(); }

    // The first rows of two Latin-named contacts, selected by a click and a
    // Ctrl+click; their family names, in row order.
    QStringList selectTwoContacts() const
    {
        QList<int> rows;
        QStringList names;
        const auto &shown = contacts().subContactTable();
        for (int row = 0; row < int(shown.size()) && rows.size() < 2; ++row) {
            const QString family = shown.at(row)->person->nameValue()->lastName;
            if (shown.at(row)->labelIndex == 0 && !family.isEmpty() && family.at(0).unicode() < 0x80) {
                rows.append(row);
                names.append(family);
            }
        }
        table().setFocus();
        for (int each = 0; each < rows.size(); ++each) {
            const QPoint at = table().visualRect(table().model()->index(rows.at(each), 1)).center();
            QTest::mouseClick(table().viewport(), Qt::LeftButton, each ? Qt::ControlModifier : Qt::NoModifier, at);
        }
        return names;
    }

    static void chooseOptions(QPrintDialog *dialog, const DialogChoice &choice)
    {
        PrintPanels::chooseOptions(dialog,
            {.copies = choice.copies,
                .collate = choice.collate,
                .fromPage = choice.fromPage,
                .toPage = choice.toPage,
                .reverse = choice.reverse});
    }

    GeneratedAddressBook m_book{12, TestEnvironment::makeScratchFolder(u"printed-sheets"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_P(PrintedSheets, TheFileHoldsThePagesOfTheRangeAsOftenAndInTheOrderChosen)
{
    const DialogChoice &choice = GetParam();
    const QStringList names = selectTwoContacts();
    ASSERT_EQ(names.size(), 2);
    ASSERT_EQ(table().selectionModel()->selectedRows().size(), 2);
    const QString path = QDir(PdfWords::outputFolder()).filePath(u"sheets-%1.pdf"_s.arg(QLatin1String(choice.name)));
    QFile::remove(path);

    const QPointer<QPrintDialog> dialog = PrintPanels::openPrintDialog(m_app.window());
    ASSERT_TRUE(dialog);
    PrintPanels::printIntoFile(dialog, path, [&choice](QPrintDialog *shown) { chooseOptions(shown, choice); });
    ASSERT_TRUE(PrintPanels::waitForPrintedFile(dialog, path));
    endTurn();

    const QList<PdfWords::Page> pages = PdfWords::pdfWords(path);
    QList<int> printed;
    for (const PdfWords::Page &page : pages) {
        const bool first = PdfWords::holdsRunTogether(page, names.at(0));
        const bool second = PdfWords::holdsRunTogether(page, names.at(1));
        printed.append(first == second ? -1 : (first ? 0 : 1));
    }
    EXPECT_EQ(printed, choice.contacts) << names.join(u',').toStdString();
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Dialog, PrintedSheets,
    testing::Values(DialogChoice{"ThreeCopiesCollated", 3, true, 0, 0, false, {0, 1, 0, 1, 0, 1}},
        DialogChoice{"ThreeCopiesUncollated", 3, false, 0, 0, false, {0, 0, 0, 1, 1, 1}},
        DialogChoice{"SecondPageOnly", 1, true, 2, 2, false, {1}},
        DialogChoice{"LastPageFirst", 1, true, 0, 0, true, {1, 0}},
        DialogChoice{"TwoUncollatedCopiesLastFirst", 2, false, 0, 0, true, {1, 1, 0, 0}}),
    [](const testing::TestParamInfo<DialogChoice> &info) { return std::string(info.param.name); });

// A range beyond the last page prints nothing, and says so.
TEST_F(PrintedSheets, ARangePastTheLastPagePrintsNothingAndSaysSo)
{
    ASSERT_EQ(selectTwoContacts().size(), 2);
    const QString path = QDir(PdfWords::outputFolder()).filePath(u"sheets-past-the-end.pdf"_s);
    QFile::remove(path);
    const QPointer<QPrintDialog> dialog = PrintPanels::openPrintDialog(m_app.window());
    ASSERT_TRUE(dialog);
    PrintPanels::printIntoFile(dialog, path, [](QPrintDialog *shown) {
        chooseOptions(shown, DialogChoice{"PastTheEnd", 1, true, 3, 4, false, {}});
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isNull() && !m_alerts.alerts.isEmpty(); }, 30000));
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Nothing was printed."_s);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
