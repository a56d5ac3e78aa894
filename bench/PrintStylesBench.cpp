// Mailing labels, address lists and the Style Settings sheet. Aims: 1,000
// receivers on 130 × 60 pt labels printed into a Letter PDF through the print
// command's job within 3 s; an address list of 2,000 receivers with phones,
// e-mail, addresses and a note within 5 s; the pages of a list of 10,000
// counted within 500 ms; the preview refreshed with 1,000 selected rows in
// each style within 16 ms; the vertical font list built within 1 s; a margin
// typed, stored, announced and the preview redrawn within 30 ms; the sheet
// opened with its four style tabs filled within 50 ms; a label width typed
// in the preset panel, applied by the sheet, stored and the label preview
// redrawn within 30 ms.
#include "common/GeneratedAddressBook.h"
#include "model/MVPerson.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "print/HagakiView.h"
#include "print/PrintDocument.h"
#include "print/HagakiViewController.h"
#include "print/LabelConfigPanelController.h"
#include "print/LabelsTab.h"
#include "print/LengthField.h"
#include "print/OptionSheetController.h"
#include "print/PrintJob.h"
#include "print/PrintOptions.h"
#include "print/PrintReceivers.h"
#include "print/VerticalFontList.h"

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QTableView>
#include <QTemporaryDir>

using namespace PrintOptionsKey;

namespace {

// Generated contacts, each with phones, e-mail addresses, postal addresses
// and a two-line note, converted as the preview converts its rows.
// The table's rows of generated contacts, and their print values.
PrintSourceRows tableRows(int count)
{
    PrintSourceRows rows;
    rows.reserve(count);
    for (int index = 0; index < count; ++index) {
        StoreContact contact = GeneratedAddressBook::makeContact(index);
        contact.setNote(QStringLiteral("Met at the %1 meeting.\nCall back in spring.").arg(index));
        const MVPersonPtr person = MVPerson::initWithCNContact(contact);
        rows.append(std::make_shared<SubContactRecord>(person, person->uniqueId(), 0));
    }
    return rows;
}

PrintContactList receivers(int count)
{
    PrintContactList values;
    values.reserve(count);
    for (const SubContactRecordPtr &row : tableRows(count))
        values.append(PrintReceivers::valueOfRow(row));
    return values;
}

PrintOptionsRecord englishOptions()
{
    PrintOptionsRecord options = PrintOptions::initPrintOptions(QStringLiteral("en"));
    QVariantMap labels = options.value(MailingLabels).toMap();
    labels.insert(LabelWidth, 130.0);
    labels.insert(LabelHeight, 60.0);
    labels.insert(HGap, 10.0);
    labels.insert(VGap, 10.0);
    labels.insert(RepeatCount, 1);
    options.insert(MailingLabels, labels);
    QVariantMap list = options.value(AddressList).toMap();
    QVariantList items;
    for (const char *title : {"Name", "Phone", "Email", "Address", "Note"})
        items.append(QVariantMap{{Title, QString::fromLatin1(title)}, {State, QStringLiteral("1")}});
    list.insert(ItemTable, items);
    options.insert(AddressList, list);
    return options;
}

std::unique_ptr<PrintDocument> letterDocument(const QString &style, const PrintContactList &rows)
{
    auto document = std::make_unique<PrintDocument>();
    document->setStyle(PrintStyleName::style(style));
    document->setOptions(std::make_shared<PrintOptionsRecord>(englishOptions()));
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(QStringLiteral("Letter"));
    document->setPaper(paper);
    document->setReceivers(rows);
    return document;
}

void printThroughTheJob(benchmark::State &state, const QString &style, int count)
{
    const auto document = letterDocument(style, receivers(count));
    const QTemporaryDir folder;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("styles.pdf")));
        PrintJob::preparePrinter(printer, *document->paper());
        if (PrintJob::print(*document, printer, nullptr) != PrintJob::Result::Printed)
            state.SkipWithError("the job did not print");
    }
    state.counters["pages"] = document->pageCount();
}

void BM_LabelsPrinted(benchmark::State &state)
{
    printThroughTheJob(state, PrintStyleName::labels, 1000);
}
BENCHMARK(BM_LabelsPrinted)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AddressListPrinted(benchmark::State &state)
{
    printThroughTheJob(state, PrintStyleName::addressList, 2000);
}
BENCHMARK(BM_AddressListPrinted)->Unit(benchmark::kMillisecond)->Iterations(1);

// From receivers handed over to the number of pages: every row's text built
// and flowed.
void BM_AddressListPageCount(benchmark::State &state)
{
    const PrintContactList rows = receivers(10000);
    int pages = 0;
    for (auto _ : state) {
        const auto document = letterDocument(PrintStyleName::addressList, rows);
        pages = document->pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_AddressListPageCount)->Unit(benchmark::kMillisecond);

// The pane with 1,000 selected rows hands them to the view again, as a new
// selection does, and paints the page shown at the window's size.
void previewRefresh(benchmark::State &state, const QString &style)
{
    const QTemporaryDir folder;
    UserDefaults defaults(folder.filePath(QStringLiteral("Quillmark.conf")));
    HagakiViewController pane(defaults);
    pane.setPrintOptions(std::make_shared<PrintOptionsRecord>(englishOptions()));
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(QStringLiteral("Letter"));
    pane.hagakiView()->setPrintInfo(paper);
    pane.setSelectedStyle(style);
    pane.hagakiView()->resize(HagakiViewController::previewWidth, HagakiViewController::previewHeight);
    const PrintSourceRows rows = tableRows(1000);
    QImage screen(pane.hagakiView()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2);
    for (auto _ : state) {
        pane.setReceiverPersons(rows);
        pane.updateUI();
        pane.hagakiView()->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BM_PreviewLabelsAndAddressList(benchmark::State &state)
{
    previewRefresh(state, state.range(0) == 0 ? PrintStyleName::labels : PrintStyleName::addressList);
    state.SetLabel(state.range(0) == 0 ? "Labels" : "Address List");
}
BENCHMARK(BM_PreviewLabelsAndAddressList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Built once per process, so once here too: later builds find the faces' font
// engines cached and take a fraction of the first. Run alone (with the filter)
// for the cold figure the first window waits for.
void BM_VerticalFontList(benchmark::State &state)
{
    qsizetype faces = 0;
    for (auto _ : state) {
        const VerticalFontEntries list = VerticalFontList::build();
        faces = list.size();
        benchmark::DoNotOptimize(faces);
    }
    state.counters["faces"] = double(faces);
}
BENCHMARK(BM_VerticalFontList)->Unit(benchmark::kMillisecond)->Iterations(1);

// The preview pane showing the rows in the style on Letter paper at the
// window's size, and the options sheet opened for that style, both on
// settings of their own.
struct SheetAndPreview {
    SheetAndPreview(const QString &style, int rows)
    {
        defaults.setObject(QVariant(englishOptions()), PrintOptions::defaultsKey);
        pane = std::make_unique<HagakiViewController>(defaults);
        auto paper = std::make_shared<PrintInfo>();
        paper->setPaperName(QStringLiteral("Letter"));
        pane->hagakiView()->setPrintInfo(paper);
        pane->setSelectedStyle(style);
        pane->hagakiView()->resize(HagakiViewController::previewWidth, HagakiViewController::previewHeight);
        pane->setReceiverPersons(tableRows(rows));
        pane->updateUI();
        sheet = std::make_unique<OptionSheetController>(defaults);
        sheet->setPrintStyle(style);
    }

    const QTemporaryDir folder;
    UserDefaults defaults{folder.filePath(QStringLiteral("Quillmark.conf"))};
    std::unique_ptr<HagakiViewController> pane;
    std::unique_ptr<OptionSheetController> sheet;
};

// A new left margin typed into the sheet and entered: the sheet stores the
// options and announces them, the preview takes the stored copy, and its
// page of 1,000 address-list rows is painted again.
void BM_MarginChange(benchmark::State &state)
{
    SheetAndPreview both(PrintStyleName::addressList, 1000);
    HagakiViewController &pane = *both.pane;
    OptionSheetController &sheet = *both.sheet;
    LengthField &field = *sheet.leftMarginField();
    QLineEdit &text = *field.findChild<QLineEdit *>();
    QImage screen(pane.hagakiView()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2);
    int notices = 0;
    const auto observer = NotificationCenter::defaultCenter().addObserver(PrintOptions::printOptionsUpdated, QVariant(),
        [&notices](const NotificationCenter::Notification &) { ++notices; });
    int typed = 0;
    for (auto _ : state) {
        text.setText(QString::number(20 + typed++ % 20));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&field, &enter);
        pane.hagakiView()->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
    NotificationCenter::defaultCenter().removeObserver(observer);
    if (notices != typed)
        state.SkipWithError("a typed margin was not announced once");
}
BENCHMARK(BM_MarginChange)->Unit(benchmark::kMillisecond);

// The sheet as the window first opens it: made, given the style and the
// main table's columns, and shown with its four tabs filled, the font
// pop-ups listing every installed face for vertical text (the list is built
// before, as the window starts building it when it loads).
void BM_OpenOptionsSheet(benchmark::State &state)
{
    const QTemporaryDir folder;
    UserDefaults defaults(folder.filePath(QStringLiteral("Quillmark.conf")));
    defaults.setObject(QVariant(PrintOptions::initPrintOptions(QStringLiteral("ja"))), PrintOptions::defaultsKey);
    const qsizetype faces = VerticalFontList::fonts()->size();
    const QStringList columns{QStringLiteral("Name"), QStringLiteral("Phone"), QStringLiteral("Email")};
    for (auto _ : state) {
        OptionSheetController sheet(defaults);
        sheet.setPrintStyle(PrintStyleName::labels);
        sheet.setColumnsInMainView(columns);
        sheet.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(sheet.labelsTab()->fontPopup()->count());
    }
    state.counters["faces"] = double(faces);
}
BENCHMARK(BM_OpenOptionsSheet)->Unit(benchmark::kMillisecond);

// A width entered in the preset panel's table: the panel stores it and
// names the preset, the sheet applies it, stores the options and announces
// them, and the preview takes the stored copy and paints its page of labels.
void BM_LabelPresetEdit(benchmark::State &state)
{
    SheetAndPreview both(PrintStyleName::labels, 100);
    HagakiViewController &pane = *both.pane;
    OptionSheetController &sheet = *both.sheet;
    LabelConfigPanelController panel(&sheet);
    panel.setLabelAttributes(sheet.labelPresetArray());
    QAbstractItemModel &presets = *panel.tableView()->model();
    const QModelIndex width = presets.index(0, 1);
    QImage screen(pane.hagakiView()->size() * 2, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2);
    int typed = 0;
    for (auto _ : state) {
        const int points = 120 + typed++ % 40;
        presets.setData(width, QString::number(points));
        pane.hagakiView()->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
        if (sheet.labelsTab()->widthField()->value() != points) {
            state.SkipWithError("the sheet did not apply the typed width");
            break;
        }
    }
}
BENCHMARK(BM_LabelPresetEdit)->Unit(benchmark::kMillisecond);

} // namespace
