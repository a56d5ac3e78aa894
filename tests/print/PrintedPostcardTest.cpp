#include "PdfWords.h"
#include "PrintTestCards.h"

#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "print/PageRenderer.h"
#include "print/PostalCodeBoxes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPdfWriter>

using namespace PdfWords;
using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

// The characters of a name block's column, top to bottom: each below the one
// before it, at the first one's x, which lies in the receiver's half.
QList<Word> nameColumn(const Page &page, const QString &characters)
{
    QList<Word> found;
    for (const QChar character : characters) {
        for (const Word &word : page) {
            const bool inColumn = found.isEmpty()
                ? word.box.left() > 110
                : std::abs(word.box.left() - found.first().box.left()) <= 1 && word.box.top() > found.last().box.top();
            if (word.text == character && inColumn) {
                found.append(word);
                break;
            }
        }
    }
    return found;
}

std::unique_ptr<HagakiView> threeCards()
{
    auto view = postcardView(true);
    view->setReceiverPersons(
        {record(Card{.family = u"佐藤"_s, .given = u"花子"_s}), record(Card{.family = u"高橋"_s, .given = u"健"_s}),
            record(Card{.family = u"鈴木"_s,
                .given = u"一郎"_s,
                .renmei = u"春子\n夏美"_s,
                .jointNames = true,
                .zip = u"1234567"_s})});
    view->setSenderPerson(record(Card{.family = u"田中"_s,
        .given = u"次郎"_s,
        .zip = u"765-4321"_s,
        .state = u"大阪府"_s,
        .city = u"大阪市"_s,
        .street = u"北区梅田3-1 シャトー梅田"_s}));
    return view;
}

QString printToPdf(HagakiView &view, const QString &name)
{
    const QString path = QDir(outputFolder()).filePath(name);
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(view.printInfo()->pageLayout());
    EXPECT_TRUE(PageRenderer::renderPages(view, writer));
    return path;
}

// Where a postal code's digits are set: from the top-left corner of each
// line, the digit's advance and the line's height.
QList<QRectF> digitPlaces(const QString &code, const QPointF &corner, const char *type)
{
    DrawList drawn;
    PostalCodeBoxes::drawZIPcode(code, corner, QString::fromLatin1(type), drawn);
    QList<QRectF> places;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        const double advance = glyph.font.advancesForGlyphIndexes(QList<quint32>{glyph.glyph}).value(0).x();
        places.append(QRectF(glyph.anchor, QSizeF(advance, glyph.size())));
    }
    return places;
}

// The PDF's text joins digits set close together into one word, so each digit
// is looked for at the start or at the end of a word.
void expectDigitsAt(const Page &page, const QString &digits, const QList<QRectF> &places)
{
    ASSERT_EQ(digits.size(), places.size());
    for (qsizetype index = 0; index < digits.size(); ++index) {
        const QChar digit = digits.at(index);
        const QRectF &place = places.at(index);
        const bool found = std::any_of(page.cbegin(), page.cend(), [&](const Word &word) {
            const bool first = word.text.startsWith(digit) && std::abs(word.box.left() - place.left()) <= 1;
            const bool last = word.text.endsWith(digit) && std::abs(word.box.right() - place.right()) <= 1;
            return (first || last) && std::abs(word.box.top() - place.top()) <= 1;
        });
        EXPECT_TRUE(found) << "digit " << index << " at " << place.x() << ", " << place.y();
    }
}

} // namespace

TEST(PrintedPostcards, PdfHoldsOnePageAReceiverLastFirstWithTheNameInOneColumn)
{
    const auto view = threeCards();
    const QList<Page> pages = pdfWords(printToPdf(*view, QStringLiteral("PrintedPostcards.pdf")));
    ASSERT_EQ(pages.size(), 3);

    const QList<Word> name = nameColumn(pages.first(), QStringLiteral("鈴木一郎様"));
    ASSERT_EQ(name.size(), 5);
    for (qsizetype index = 1; index < name.size(); ++index) {
        EXPECT_NEAR(name.at(index).box.left(), name.first().box.left(), 1) << name.at(index).text.toStdString();
        EXPECT_GT(name.at(index).box.top(), name.at(index - 1).box.top()) << name.at(index).text.toStdString();
    }
    // The joint names stand in columns of their own, left of the name.
    const QList<Word> jointName = nameColumn(pages.first(), QStringLiteral("春子"));
    ASSERT_EQ(jointName.size(), 2);
    EXPECT_LT(jointName.first().box.left(), name.first().box.left() - 10);
    EXPECT_TRUE(nameColumn(pages.at(2), QStringLiteral("鈴木")).isEmpty());
    EXPECT_EQ(nameColumn(pages.at(2), QStringLiteral("佐藤花子様")).size(), 5);

    expectDigitsAt(pages.first(), QStringLiteral("1234567"),
        digitPlaces(QStringLiteral("1234567"), {125.575, 34.016}, "receiver"));
    expectDigitsAt(
        pages.first(), QStringLiteral("7654321"), digitPlaces(QStringLiteral("765-4321"), {15.59, 348.66}, "sender"));
}

TEST(PrintedPostcards, BlocksLandOnThePaperWhereverThePrinterCanReach)
{
    const auto view = threeCards();
    const QList<Page> full = pdfWords(printToPdf(*view, QStringLiteral("PrintedPostcards-full.pdf")));
    const QSizeF paper = view->printInfo()->paperSize();
    view->printInfo()->setImageablePageBounds(QRectF(10, 12, paper.width() - 24, paper.height() - 30));
    const QList<Page> inset = pdfWords(printToPdf(*view, QStringLiteral("PrintedPostcards-inset.pdf")));
    ASSERT_EQ(full.size(), 3);
    ASSERT_EQ(inset.size(), 3);
    for (qsizetype page = 0; page < full.size(); ++page) {
        ASSERT_EQ(full.at(page).size(), inset.at(page).size());
        for (qsizetype word = 0; word < full.at(page).size(); ++word) {
            EXPECT_EQ(full.at(page).at(word).text, inset.at(page).at(word).text);
            EXPECT_NEAR(full.at(page).at(word).box.left(), inset.at(page).at(word).box.left(), 0.05);
            EXPECT_NEAR(full.at(page).at(word).box.top(), inset.at(page).at(word).box.top(), 0.05);
        }
    }
}

TEST(PrintedPostcards, InkLiesOnlyInTheBlocksAndPostalCodeCells)
{
    const auto view = threeCards();
    const QImage image = PageRenderer::renderPage(*view, 1, 300);
    ASSERT_FALSE(image.isNull());
    const QString folder = qEnvironmentVariable("QUILLMARK_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        image.save(QDir(outputFolder())
                       .filePath(QStringLiteral("PrintedPostcards.InkLiesOnlyInTheBlocksAndPostalCodeCells.png")));

    QList<QRectF> regions;
    for (const TextObjectPtr &object : view->objectTable())
        regions.append(object->rect.adjusted(-2, -2, 2, 2));
    const auto addCells = [&regions](const QString &code, const QPointF &corner, const char *type) {
        for (const QRectF &place : digitPlaces(code, corner, type))
            regions.append(place.adjusted(-2, -2, 2, 2));
    };
    addCells(QStringLiteral("1234567"), {125.575, 34.016}, "receiver");
    addCells(QStringLiteral("765-4321"), {15.59, 348.66}, "sender");

    const double dotsPerPoint = 300.0 / 72;
    QList<bool> inked(regions.size(), false);
    qsizetype stray = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) > 250)
                continue;
            const QPointF point((x + 0.5) / dotsPerPoint, (y + 0.5) / dotsPerPoint);
            bool inside = false;
            for (qsizetype region = 0; region < regions.size(); ++region) {
                if (regions.at(region).contains(point)) {
                    inked[region] = true;
                    inside = true;
                }
            }
            stray += inside ? 0 : 1;
        }
    }
    EXPECT_EQ(stray, 0);
    for (qsizetype region = 0; region < regions.size(); ++region)
        EXPECT_TRUE(inked.at(region)) << "region " << region;
}

TEST(PrintedPostcards, PreviewShowsTheCardWithItsBoxes)
{
    const auto view = threeCards();
    view->setPrinting(false);
    view->setReceiverPersons({view->receiverPersons().last()});
    view->resize(1140, 1680);
    const QImage shown = view->grab().toImage();
    Screenshot::grab(view.get());
    // The whole card is printable, so it shows white, with the boxes of its
    // printed face in red: here the left edge of the first receiver box.
    const double scale = 1140 / view->printInfo()->paperSize().width();
    const QRgb box = shown.pixel(QPoint(qRound(125.4 * scale), qRound(40 * scale)));
    EXPECT_GT(qRed(box), 150);
    EXPECT_LT(qGreen(box), 150);
}
