// Laying out and printing postcards and envelopes. Aims: one postcard laid
// out (a receiver with a company and two joint names, and a sender) within
// 1 ms; one page rendered into a 300-dpi image within 40 ms; 100 postcards
// into one PDF within 2 s; 500 postcards and 500 envelopes printed into a PDF
// through the print command's job within 10 s each; the preview refreshed for
// a newly selected row and painted at screen scale within 16 ms; one address
// line set whole in a face's vertical variant within 50 µs.
#include "common/GeneratedAddressBook.h"
#include "model/MVPerson.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/FontResolver.h"
#include "print/HagakiView.h"
#include "print/HagakiViewController.h"
#include "print/PageRenderer.h"
#include "print/PostcardLayout.h"
#include "print/PrintDocument.h"
#include "print/PrintJob.h"
#include "print/PrintOptions.h"
#include "print/VerticalText.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

PrintContactRecordPtr card(const QString &family, const QString &given, int number)
{
    auto row = std::make_shared<PrintContactRecord>();
    NameRecord name;
    name.lastName = family;
    name.firstName = given;
    name.stringValue = family + u' ' + given;
    row->name = name;
    row->compositeName = family + u' ' + given;
    row->renmei = QStringLiteral("花子\n一郎");
    row->company = QStringLiteral("株式会社見本商事");
    auto address = std::make_shared<LabeledValueRecord>();
    address->address->zip = QStringLiteral("100-%1").arg(number % 10000, 4, 10, QLatin1Char('0'));
    address->address->state = QStringLiteral("東京都");
    address->address->city = QStringLiteral("千代田区");
    address->address->street = QStringLiteral("千代田%1-1 シャトー千代田").arg(number % 9 + 1);
    address->layout->company = true;
    address->layout->renmei = true;
    row->layoutDict = address;
    return row;
}

std::unique_ptr<PrintDocument> printDocument(int receivers, const QString &style = PrintStyleName::hagaki)
{
    auto document = std::make_unique<PrintDocument>();
    document->setStyle(PrintStyleName::style(style));
    document->setOptions(std::make_shared<PrintOptionsRecord>(PrintOptions::initPrintOptions(QStringLiteral("ja"))));
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(QStringLiteral("Postcard"));
    document->setPaper(paper);
    PrintContactList rows;
    for (int index = 0; index < receivers; ++index)
        rows.append(card(QStringLiteral("山田"), QStringLiteral("太郎%1").arg(QChar(0x4E00 + index)), index));
    document->setReceivers(rows);
    document->setSender(card(QStringLiteral("田中"), QStringLiteral("次郎"), 7654321));
    return document;
}

void BM_LayoutOnePostcard(benchmark::State &state)
{
    const auto document = printDocument(1);
    const PrintContactRecordPtr receiver = document->receivers().at(0);
    const PrintContactRecordPtr sender = document->sender();
    const PostcardLayout layout(*document);
    const QList<TextObjectPtr> blocks = PostcardLayout::blockTable();
    for (auto _ : state) {
        layout.layOut(blocks, *receiver, false);
        layout.layOut(blocks, *sender, true);
        benchmark::DoNotOptimize(blocks.first()->nameFontSize);
    }
}
BENCHMARK(BM_LayoutOnePostcard)->Unit(benchmark::kMicrosecond);

// One 30-character address line set whole in the vertical variant of IPAex
// Gothic: shaped and placed into a draw list. Aim: within 50 µs.
void BM_VerticalLineShaped(benchmark::State &state)
{
    const QString line = QStringLiteral("東京都千代田区丸の内一丁目1-1 シャトー丸の内「南棟」2号");
    const QFont font = FontResolver::font(QStringLiteral("IPAexGothic"), 12);
    for (auto _ : state) {
        DrawList drawn;
        VerticalText::setShapedColumns(line, font, QPointF(200, 50), VerticalText::downward, &drawn);
        benchmark::DoNotOptimize(drawn.items().size());
    }
}
BENCHMARK(BM_VerticalLineShaped)->Unit(benchmark::kMicrosecond);

void BM_PageInto300DpiImage(benchmark::State &state)
{
    const auto document = printDocument(1);
    for (auto _ : state) {
        const QImage page = PageRenderer::renderPage(*document, 1, 300);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_PageInto300DpiImage)->Unit(benchmark::kMillisecond);

void BM_HundredPostcardsIntoPdf(benchmark::State &state)
{
    const auto document = printDocument(100);
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(72);
        writer.setPageLayout(document->paper()->pageLayout());
        PageRenderer::renderPages(*document, writer);
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_HundredPostcardsIntoPdf)->Unit(benchmark::kMillisecond);

// The job Print… runs once the print panel is answered: every page into the
// printer, here writing a PDF file, behind its progress dialog.
void printThroughTheJob(benchmark::State &state, const QString &style)
{
    const auto document = printDocument(500, style);
    const QTemporaryDir folder;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("cards.pdf")));
        const PrintJob::Result result = PrintJob::print(*document, printer, nullptr);
        if (result != PrintJob::Result::Printed)
            state.SkipWithError("the job did not print");
    }
}

void BM_FiveHundredPostcardsPrinted(benchmark::State &state)
{
    printThroughTheJob(state, PrintStyleName::hagaki);
}
BENCHMARK(BM_FiveHundredPostcardsPrinted)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FiveHundredEnvelopesPrinted(benchmark::State &state)
{
    printThroughTheJob(state, PrintStyleName::envelope);
}
BENCHMARK(BM_FiveHundredEnvelopesPrinted)->Unit(benchmark::kMillisecond)->Iterations(1);

// A click on another row: the preview prepares the row, lays it out and
// paints one card at the size the window shows it.
void BM_PreviewRefreshOnSelection(benchmark::State &state)
{
    const QTemporaryDir folder;
    UserDefaults defaults(folder.filePath(QStringLiteral("Quillmark.conf")));
    HagakiViewController pane(defaults);
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(QStringLiteral("Postcard"));
    pane.hagakiView()->setPrintInfo(paper);
    pane.hagakiView()->resize(HagakiViewController::previewWidth, HagakiViewController::previewHeight);
    PrintSourceRows rows;
    for (int index = 0; index < 64; ++index) {
        const MVPersonPtr person = MVPerson::initWithCNContact(GeneratedAddressBook::makeContact(index));
        rows.append(std::make_shared<SubContactRecord>(person, person->uniqueId(), index % 2));
    }
    pane.setSenderPerson(rows.last());
    QImage screen(pane.hagakiView()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2);
    qsizetype next = 0;
    for (auto _ : state) {
        pane.setReceiverPersons({rows.at(next++ % rows.size())});
        pane.updateUI();
        pane.hagakiView()->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_PreviewRefreshOnSelection)->Unit(benchmark::kMillisecond);

} // namespace
