// A printer that cannot print to the paper's edge starts its painter at the
// corner of the part it reaches; every style's page still lands on the paper
// where the preview shows it. The printer is a PDF whose margins are the
// unreachable edges, as PdfWords prints.
#include "ListTestContacts.h"
#include "PdfWords.h"
#include "PrintTestCards.h"

#include "platform/widgets/TextMappedFaces.h"
#include "print/PrintStyle.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

using namespace PdfWords;
using namespace Qt::Literals::StringLiterals;

namespace {

struct ReachRow {
    const char *name;
    const QString &style;
};

void PrintTo(const ReachRow &row, std::ostream *out)
{
    *out << row.name;
}

std::unique_ptr<HagakiView> viewOf(const QString &style)
{
    if (style == PrintStyleName::hagaki) {
        auto view = PrintTestCards::postcardView();
        view->setReceiverPersons({PrintTestCards::record({.family = u"高橋"_s, .given = u"健"_s}),
            PrintTestCards::record({.family = u"佐藤"_s, .given = u"花子"_s})});
        return view;
    }
    auto view = ListTestContacts::letterView(style, {u"Phone"_s, u"Email"_s});
    view->setReceiverPersons(ListTestContacts::numberedReceivers(3));
    return view;
}

// The preview's page painted onto a PDF of the whole paper, its glyphs named
// by their characters as a print names them, so that its words read back as
// the printed ones do.
QString previewToPdf(HagakiView &view, const QRectF &shown, const QString &name)
{
    DrawList page = view.drawList(shown);
    TextMappedFaces faces;
    page.changeGlyphs([&faces](const PlacedGlyph &glyph) { faces.add(glyph.font, glyph.glyph, glyph.character); });
    faces.build();
    page.changeGlyphs([&faces](PlacedGlyph &glyph) {
        const TextMappedFaces::Mapped mapped = faces.mapped(glyph.font, glyph.glyph, glyph.character);
        glyph.font = mapped.font;
        glyph.glyph = mapped.glyph;
    });
    const QString path = QDir(outputFolder()).filePath(name);
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(view.printInfo()->pageSize(), view.printInfo()->orientation(), QMarginsF()));
    QPainter painter(&writer);
    painter.translate(0, -shown.y());
    page.paint(painter);
    EXPECT_TRUE(painter.end());
    return path;
}

class PrinterReach : public testing::TestWithParam<ReachRow> { };

TEST_P(PrinterReach, TheFirstPrintedWordLandsWhereThePreviewShowsIt)
{
    const ReachRow &row = GetParam();
    const auto view = viewOf(row.style);
    const QSizeF paper = view->printInfo()->paperSize();
    view->printInfo()->setImageablePageBounds(QRectF(18, 12, paper.width() - 36, paper.height() - 24));
    view->setPrintInfo(view->printInfo());
    const QRectF shown = view->document().pageRect(1);

    const QList<Page> printed = pdfWords(printToPdf(*view, u"PrinterReach-%1.pdf"_s.arg(row.name)));
    const QList<Page> previewed = pdfWords(previewToPdf(*view, shown, u"PrinterReach-%1-preview.pdf"_s.arg(row.name)));
    ASSERT_FALSE(printed.isEmpty());
    ASSERT_EQ(previewed.size(), 1);
    ASSERT_FALSE(printed.first().isEmpty());
    const Word &first = printed.first().first();
    const auto same = std::find_if(previewed.first().cbegin(), previewed.first().cend(),
        [&first](const Word &word) { return word.text == first.text; });
    ASSERT_NE(same, previewed.first().cend()) << first.text.toStdString();
    EXPECT_NEAR(first.box.left(), same->box.left(), 0.5) << first.text.toStdString();
    EXPECT_NEAR(first.box.top(), same->box.top(), 0.5) << first.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Styles, PrinterReach,
    testing::Values(ReachRow{"Postcards", PrintStyleName::hagaki}, ReachRow{"Envelopes", PrintStyleName::envelope},
        ReachRow{"Labels", PrintStyleName::labels}, ReachRow{"AddressList", PrintStyleName::addressList}),
    [](const testing::TestParamInfo<ReachRow> &info) { return std::string(info.param.name); });

} // namespace
