// Laying out and printing postcards. Aims: one postcard laid out (a receiver
// with a company and two joint names, and a sender) within 1 ms; one page
// rendered into a 300-dpi image within 40 ms; 100 postcards into one PDF
// within 2 s.
#include "print/HagakiView.h"
#include "print/PageRenderer.h"
#include "print/PrintOptions.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPdfWriter>

namespace {

PrintContactRecordPtr card(const QString &family, const QString &given, int number)
{
    auto row = std::make_shared<PrintContactRecord>();
    NameRecord name;
    name.lastName = family;
    name.firstName = given;
    row->name = name;
    row->compositeName = family + u' ' + given;
    row->renmei = QStringLiteral("花子\n一郎");
    row->company = QStringLiteral("株式会社見本商事");
    auto address = std::make_shared<LabeledValueRecord>();
    address->zip = QStringLiteral("100-%1").arg(number % 10000, 4, 10, QLatin1Char('0'));
    address->state = QStringLiteral("東京都");
    address->city = QStringLiteral("千代田区");
    address->street = QStringLiteral("千代田%1-1 シャトー千代田").arg(number % 9 + 1);
    address->layout.company = true;
    address->layout.renmei = true;
    row->layoutDict = address;
    return row;
}

std::unique_ptr<HagakiView> printView(int receivers)
{
    auto view = std::make_unique<HagakiView>();
    view->setPrinting(true);
    view->setSelectedStyle(HagakiView::hagakiStyle);
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(PrintOptions::initPrintOptions(QStringLiteral("ja"))));
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(QStringLiteral("Postcard"));
    view->setPrintInfo(paper);
    PrintContactList rows;
    for (int index = 0; index < receivers; ++index)
        rows.append(card(QStringLiteral("山田"), QStringLiteral("太郎%1").arg(QChar(0x4E00 + index)), index));
    view->setReceiverPersons(rows);
    view->setSenderPerson(card(QStringLiteral("田中"), QStringLiteral("次郎"), 7654321));
    return view;
}

void BM_LayoutOnePostcard(benchmark::State &state)
{
    const auto view = printView(1);
    const PrintContactRecordPtr receiver = view->receiverPersons().first();
    const PrintContactRecordPtr sender = view->senderPerson();
    for (auto _ : state) {
        view->updateTextObjectForReceiver(receiver);
        view->updateTextObjectForSender(sender);
        benchmark::DoNotOptimize(view->objectTable().first()->nameFontSize);
    }
}
BENCHMARK(BM_LayoutOnePostcard)->Unit(benchmark::kMicrosecond);

void BM_PageInto300DpiImage(benchmark::State &state)
{
    const auto view = printView(1);
    for (auto _ : state) {
        const QImage page = PageRenderer::renderPage(*view, 1, 300);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PageInto300DpiImage)->Unit(benchmark::kMillisecond);

void BM_HundredPostcardsIntoPdf(benchmark::State &state)
{
    const auto view = printView(100);
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(72);
        writer.setPageLayout(view->printInfo()->pageLayout());
        PageRenderer::renderPages(*view, writer);
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_HundredPostcardsIntoPdf)->Unit(benchmark::kMillisecond);

} // namespace
