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
    auto view = postcardView();
    Card joint{.family = u"鈴木"_s, .given = u"一郎"_s, .renmei = u"春子\n夏美"_s, .jointNames = true};
    joint.zip = u"1234567"_s;
    view->setReceiverPersons({record(joint), record(Card{.family = u"高橋"_s, .given = u"健"_s}),
        record(Card{.family = u"佐藤"_s, .given = u"花子"_s})});
    Card sender{.family = u"田中"_s, .given = u"次郎"_s, .zip = u"765-4321"_s, .state = u"大阪府"_s};
    sender.city = u"大阪市"_s;
    sender.street = u"北区梅田3-1 シャトー梅田"_s;
    view->setSenderPerson(record(sender));
    return view;
}

// Where the receiver's and the sender's postal-code digits are set: from the
// top-left corner of each line, the digit's advance and the line's height.
QList<QRectF> digitPlaces()
{
    DrawList drawn;
    PostalCodeBoxes::drawZIPcode(u"1234567"_s, {125.575, 34.016}, u"receiver"_s, drawn);
    PostalCodeBoxes::drawZIPcode(u"765-4321"_s, {15.59, 348.66}, u"sender"_s, drawn);
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

TEST(PrintedPostcards, PdfHoldsOnePageAReceiverFirstFirstWithTheNameInOneColumn)
{
    const auto view = threeCards();
    const QList<Page> pages = pdfWords(printToPdf(*view, u"PrintedPostcards.pdf"_s));
    ASSERT_EQ(pages.size(), 3);

    const QList<Word> name = nameColumn(pages.first(), u"鈴木一郎様"_s);
    ASSERT_EQ(name.size(), 5);
    // The joint names stand in columns of their own, left of the name.
    const QList<Word> jointName = nameColumn(pages.first(), u"春子"_s);
    ASSERT_EQ(jointName.size(), 2);
    EXPECT_LT(jointName.first().box.left(), name.first().box.left() - 10);
    EXPECT_TRUE(nameColumn(pages.at(2), u"鈴木"_s).isEmpty());
    EXPECT_EQ(nameColumn(pages.at(2), u"佐藤花子様"_s).size(), 5);

    expectDigitsAt(pages.first(), u"12345677654321"_s, digitPlaces());
}

TEST(PrintedPostcards, BlocksLandOnThePaperWhereverThePrinterCanReach)
{
    const auto view = threeCards();
    const QList<Page> full = pdfWords(printToPdf(*view, u"PrintedPostcards-full.pdf"_s));
    const QSizeF paper = view->printInfo()->paperSize();
    view->printInfo()->setImageablePageBounds(QRectF(10, 12, paper.width() - 24, paper.height() - 30));
    const QList<Page> inset = pdfWords(printToPdf(*view, u"PrintedPostcards-inset.pdf"_s));
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
    const QImage image = PageRenderer::renderPage(view->document(), 1, 300);
    ASSERT_FALSE(image.isNull());
    image.save(QDir(outputFolder()).filePath(u"PrintedPostcards.InkLiesOnlyInTheBlocksAndPostalCodeCells.png"_s));

    QList<QRectF> regions;
    for (const TextObjectPtr &object : view->objectTable())
        regions.append(object->rect.adjusted(-2, -2, 2, 2));
    for (const QRectF &place : digitPlaces())
        regions.append(place.adjusted(-2, -2, 2, 2));

    const double dotsPerPoint = 300.0 / 72;
    QList<bool> inked(regions.size(), false);
    qsizetype stray = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QPointF point((x + 0.5) / dotsPerPoint, (y + 0.5) / dotsPerPoint);
            bool inside = qGray(line[x]) > 250;
            for (qsizetype region = 0; region < regions.size() && qGray(line[x]) <= 250; ++region) {
                if (regions.at(region).contains(point))
                    inside = inked[region] = true;
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

} // namespace
