#include "ListTestContacts.h"
#include "PdfWords.h"

#include "print/PrintDocument.h"
#include "print/PrintJob.h"
#include "print/PrintOptionValue.h"
#include "print/UndrawnContacts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPrinter>

using namespace Qt::Literals::StringLiterals;
using namespace ListTestContacts;
using namespace PrintOptionsKey;

namespace {

struct DocumentRow {
    const char *name;
    const QString &style;
    const char *paper;
    int receivers;
};

class DocumentPages : public testing::TestWithParam<DocumentRow> {
protected:
    // A preview of the row's style over its receivers and a sender, whose
    // paper a printer reaches only inside an inset: a page is still drawn on
    // the paper where the preview shows it.
    void SetUp() override
    {
        const DocumentRow &row = GetParam();
        m_view = letterView(row.style, {u"Phone"_s, u"Email"_s});
        QVariantMap labels = m_view->printOptions()->value(MailingLabels).toMap();
        labels.insert(RepeatCount, 20);
        m_view->printOptions()->insert(MailingLabels, labels);
        auto paper = std::make_shared<PrintInfo>();
        paper->setPaperName(QString::fromUtf8(row.paper));
        paper->setImageablePageBounds(QRectF(QPointF(0, 0), paper->paperSize()).adjusted(12, 15, -12, -15));
        m_view->setPrintInfo(paper);
        m_view->setReceiverPersons(numberedReceivers(row.receivers));
        m_view->setSenderPerson(receiver({.family = u"Sender"_s}));
    }

    [[nodiscard]] const PrintDocument &document() const { return m_view->document(); }

    std::unique_ptr<HagakiView> m_view;
};

// What a draw list's glyphs set where, a glyph a line, moved by the offset.
QStringList placedGlyphs(const DrawList &drawn, const QPointF &offset = {})
{
    QStringList lines;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        const QPointF at = glyph.anchor + offset;
        lines.append(u"%1 %2 %3,%4 %5 %6"_s.arg(quint32(glyph.character))
                         .arg(glyph.glyph)
                         .arg(at.x(), 0, 'f', 3)
                         .arg(at.y(), 0, 'f', 3)
                         .arg(glyph.angle)
                         .arg(glyph.size()));
    }
    return lines;
}

// Every item of a draw list as a line: glyphs as above, shapes by their
// place and colour.
QStringList drawnItems(const DrawList &drawn)
{
    QStringList lines = placedGlyphs(drawn);
    for (const DrawItem &item : drawn.items()) {
        if (const auto *fill = std::get_if<FilledRect>(&item))
            lines.append(u"fill %1,%2 %3"_s.arg(fill->rect.x()).arg(fill->rect.y()).arg(fill->color.name()));
        if (const auto *stroke = std::get_if<StrokedPath>(&item))
            lines.append(u"stroke %1,%2"_s.arg(stroke->path.boundingRect().x()).arg(stroke->path.boundingRect().y()));
    }
    return lines;
}

TEST_P(DocumentPages, DrawnAgainInAnyOrderAreTheSamePagesAndLeaveTheDocumentAsItWas)
{
    const int pages = document().pageCount();
    ASSERT_GE(pages, 2);
    QList<QStringList> first;
    for (int page = 1; page <= pages; ++page)
        first.append(drawnItems(document().page(page)));
    const QRectF reach = document().imageableBounds();
    const QList<TextObject> shown{m_view->receiverName(), m_view->receiverAddress()};
    for (int page = pages; page >= 1; --page)
        EXPECT_EQ(drawnItems(document().page(page)), first.at(page - 1)) << "page " << page;
    EXPECT_EQ(document().pageCount(), pages);
    EXPECT_EQ(document().imageableBounds(), reach);
    // Printing a page lays out no block of the preview's card.
    EXPECT_EQ(m_view->receiverName().rect, shown.at(0).rect);
    EXPECT_EQ(m_view->receiverName().displayName, shown.at(0).displayName);
    EXPECT_EQ(m_view->receiverAddress().addressArray, shown.at(1).addressArray);
}

TEST_P(DocumentPages, PrintAsThePreviewShowsTheSamePage)
{
    const PrintStyleKind style = document().style();
    const bool onePerReceiver = style == PrintStyleKind::Hagaki || style == PrintStyleKind::Envelope;
    const double paperHeight = document().paperSize().height();
    for (int page = 1; page <= document().pageCount(); ++page) {
        // A card or an envelope preview shows the page of the receiver
        // chosen, on the strip of the first page.
        QPointF offset;
        if (onePerReceiver) {
            m_view->setShownReceiver(page - 1);
            offset = -QPointF(0, (page - 1) * paperHeight);
        }
        const QRectF shown = onePerReceiver ? m_view->bounds() : document().pageRect(page);
        const QStringList printed = placedGlyphs(document().page(page), offset);
        EXPECT_FALSE(printed.isEmpty()) << "page " << page;
        EXPECT_EQ(printed, placedGlyphs(m_view->drawList(shown))) << "page " << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, DocumentPages,
    testing::Values(DocumentRow{"Postcards", PrintStyleName::hagaki, "Postcard", 3},
        DocumentRow{"Envelopes", PrintStyleName::envelope, "Postcard", 3},
        DocumentRow{"Labels", PrintStyleName::labels, "Letter", 5},
        DocumentRow{"AddressList", PrintStyleName::addressList, "Letter", 60}),
    [](const testing::TestParamInfo<DocumentRow> &info) { return std::string(info.param.name); });

// A job prints on its own copy of the paper: the printer's reach goes into
// the copy, and the document goes on drawing the pages it drew.
TEST(DocumentPrintJob, PrintsEveryPageOnItsOwnCopyOfThePaper)
{
    auto view = letterView(PrintStyleName::hagaki);
    auto paper = std::make_shared<PrintInfo>();
    paper->setPaperName(u"Postcard"_s);
    paper->setImageablePageBounds(QRectF(30, 30, 200, 300));
    view->setPrintInfo(paper);
    view->setReceiverPersons(numberedReceivers(2));
    const QStringList before = placedGlyphs(view->document().page(2));
    const QString path = QDir(PdfWords::outputFolder()).filePath(u"DocumentPrintJob.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PrintJob::preparePrinter(printer, *paper);
    ASSERT_EQ(PrintJob::print(view->document(), printer, nullptr), PrintJob::Result::Printed);
    EXPECT_EQ(paper->imageablePageBounds(), QRectF(30, 30, 200, 300));
    EXPECT_EQ(placedGlyphs(view->document().page(2)), before);
    EXPECT_EQ(PdfWords::pdfWords(path).size(), 2);
}

} // namespace
