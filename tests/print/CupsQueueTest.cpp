// Postcards printed on the queues of a CUPS scheduler of the test's own, with
// the options chosen in the real print dialog: what each queue was sent, and
// the options it printed the job with. A queue whose filters lay out the
// pages and a raw queue, which prints what it is sent, print the same. A case
// whose needs this machine lacks is skipped, and says what it lacks.
#include "ListTestContacts.h"
#include "PdfWords.h"
#include "PrivateScheduler.h"

#include "app/AddressBookTestSupport.h"
#include "common/PrintPanels.h"
#include "print/PrintJob.h"
#include "print/PrintStyle.h"

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

// The scheduler of the whole program, started before its first test and
// stopped after its last. Qt's print support reaches the one CUPS_SERVER
// names when it first asks for a scheduler, and keeps it.
class SchedulerEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (!PrivateScheduler::installed())
            return;
        scheduler = std::make_unique<PrivateScheduler>();
        missing = scheduler->makeFolder();
        if (!missing.isEmpty())
            return;
        failure = scheduler->start();
        qputenv("CUPS_SERVER", QFile::encodeName(scheduler->socketPath()));
    }
    void TearDown() override { scheduler.reset(); }

    static inline std::unique_ptr<PrivateScheduler> scheduler;
    static inline QString missing;
    static inline QString failure;
};

[[maybe_unused]] testing::Environment *const schedulerEnvironment
    = testing::AddGlobalTestEnvironment(new SchedulerEnvironment);

class CupsQueue : public testing::Test {
protected:
    void SetUp() override
    {
        if (!PrivateScheduler::installed())
            GTEST_SKIP() << "no CUPS scheduler here: scripts/install-deps installs cups-daemon";
        if (!SchedulerEnvironment::missing.isEmpty())
            GTEST_SKIP() << SchedulerEnvironment::missing.toStdString();
        ASSERT_TRUE(SchedulerEnvironment::failure.isEmpty()) << SchedulerEnvironment::failure.toStdString();
        if (queue() == u"filtered"_s && !PrivateScheduler::hasFilteredQueue())
            GTEST_SKIP() << "no CUPS-PDF driver here for the queue \"filtered\": scripts/install-deps installs "
                            "printer-driver-cups-pdf";
    }

    // The queue the case prints on.
    [[nodiscard]] virtual QString queue() const { return u"filtered"_s; }

    [[nodiscard]] static PrivateScheduler &scheduler() { return *SchedulerEnvironment::scheduler; }

    // Postcards to "Family0001", "Family0002"…, one a page.
    static std::unique_ptr<HagakiView> postcards(int count)
    {
        auto view = ListTestContacts::letterView(PrintStyleName::hagaki);
        auto paper = std::make_shared<PrintInfo>();
        paper->setPaperName(u"Postcard"_s);
        view->setPrintInfo(paper);
        view->setReceiverPersons(ListTestContacts::numberedReceivers(count));
        return view;
    }

    // The postcards printed on the queue as File ▸ Print… prints them, with
    // the choice made in the print dialog.
    PrintJob::Result print(const QString &queue, const HagakiView &view, const PrintPanels::PrintChoice &choice)
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
        EXPECT_FALSE(info.isNull()) << queue.toStdString();
        QPrinter printer(info, QPrinter::HighResolution);
        PrintJob::preparePrinter(printer, *view.printInfo());
        QPrintDialog dialog(&printer);
        dialog.show();
        PrintPanels::chooseOptions(&dialog, choice);
        PrintPanels::clickOk(&dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        PrintJob::preparePrinter(printer, *view.printInfo());
        return PrintJob::print(view.document(), printer, nullptr, &m_alerts);
    }

    // The receivers' numbers on the pages of the document the job was sent,
    // 0 for a page that holds none.
    static QList<int> sentCards(int job)
    {
        QList<int> cards;
        for (const PdfWords::Page &page : PdfWords::pdfWords(scheduler().documentOf(job))) {
            int card = 0;
            for (int number = 1; number <= 9 && !card; ++number) {
                if (PdfWords::holdsRunTogether(page, u"Family%1"_s.arg(number, 4, 10, QChar(u'0'))))
                    card = number;
            }
            cards.append(card);
        }
        return cards;
    }

    // The queue printed the job as sent: as many copies as asked, with
    // neither a page set nor a reversal of its own.
    static void expectPrintedAsSent(int job, int copies)
    {
        const std::optional<PrivateScheduler::PrintedJob> printed = scheduler().waitForPrinted(job);
        ASSERT_TRUE(printed) << scheduler().logTail().toStdString();
        EXPECT_EQ(printed->copies, copies);
        for (const QString &option : printed->options) {
            EXPECT_FALSE(option.startsWith(u"page-set"_s)) << option.toStdString();
            EXPECT_NE(option, u"outputorder=reverse"_s);
        }
    }

    RecordingAlertPresenter m_alerts;
};

class CupsQueues : public CupsQueue, public testing::WithParamInterface<QString> {
protected:
    [[nodiscard]] QString queue() const override { return GetParam(); }
};

TEST_P(CupsQueues, OddPagesLastFirstAreSentThemselvesLastFirst)
{
    const auto view = postcards(4);
    const int before = scheduler().lastJob();
    ASSERT_EQ(print(GetParam(), *view, {.reverse = true, .pageSet = u"Odd Pages"_s}), PrintJob::Result::Printed);
    const int job = scheduler().lastJob();
    ASSERT_GT(job, before);
    EXPECT_EQ(sentCards(job), (QList<int>{3, 1}));
    expectPrintedAsSent(job, 1);
}

// A range that starts on an even page, whose page set the dialog swaps, with
// copies the queue makes.
TEST_P(CupsQueues, EvenPagesOfARangeAreSentOnceLastFirstForTheQueueToCopy)
{
    const auto view = postcards(4);
    const int before = scheduler().lastJob();
    ASSERT_EQ(print(GetParam(), *view,
                  {.copies = 2, .fromPage = 2, .toPage = 4, .reverse = true, .pageSet = u"Even Pages"_s}),
        PrintJob::Result::Printed);
    const int job = scheduler().lastJob();
    ASSERT_GT(job, before);
    EXPECT_EQ(sentCards(job), (QList<int>{4, 2}));
    expectPrintedAsSent(job, 2);
}

INSTANTIATE_TEST_SUITE_P(Queues, CupsQueues, testing::Values(u"filtered"_s, u"raw"_s),
    [](const testing::TestParamInfo<QString> &info) { return info.param.toStdString(); });

// The range names the one postcard; it is the page set that keeps none.
TEST_F(CupsQueue, APageSetThatKeepsNoPageOfTheRangePrintsNothingAndSaysSo)
{
    const auto view = postcards(1);
    const int before = scheduler().lastJob();
    EXPECT_EQ(print(u"filtered"_s, *view, {.pageSet = u"Even Pages"_s}), PrintJob::Result::Cancelled);
    EXPECT_EQ(scheduler().lastJob(), before);
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Nothing was printed."_s);
    EXPECT_EQ(m_alerts.alerts.first().informativeText,
        u"The page set chosen keeps none of the pages of the range, 1 to 1."_s);
}

} // namespace
