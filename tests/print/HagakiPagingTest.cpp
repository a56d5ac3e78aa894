#include "PrintTestCards.h"

#include "print/PrintOptionValue.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace PrintTestCards;
using namespace PrintOptionsKey;

namespace {

PrintContactList receivers(int count)
{
    PrintContactList list;
    for (int index = 0; index < count; ++index)
        list.append(record(Card{.given = QString(QChar(0x4E00 + index))}));
    return list;
}

// Letter paper, 612 × 792 points: labels of 250 × 150 with gaps of 5 make a
// grid of 2 columns and 5 rows.
TEST(LabelPages, LabelsFillGridsOfTheirSize)
{
    // Receivers, repeat count, label width and height, pages.
    for (const auto &[count, repeatCount, width, height, pages] : {std::tuple{10, 1, 250, 150, 1}, {11, 1, 250, 150, 2},
             {4, 3, 250, 150, 2}, {3, 1, 700, 900, 3}, {0, 1, 250, 150, 1}}) {
        HagakiView view;
        view.setSelectedStyle(PrintStyleName::labels);
        auto options = std::make_shared<PrintOptionsRecord>();
        options->insert(MailingLabels,
            QVariantMap{{LabelWidth, QString::number(width)}, {LabelHeight, double(height)}, {HGap, u"5"_s}, {VGap, 5},
                {RepeatCount, repeatCount}});
        view.setPrintOptions(options);
        view.setPrintInfo(std::make_shared<PrintInfo>());
        view.setReceiverPersons(receivers(count));
        EXPECT_EQ(view.document().pageCount(), pages) << count << " × " << repeatCount;
        EXPECT_EQ(view.document().pageRect(1), QRectF(0, 0, 612, 792)) << count << " × " << repeatCount;
        EXPECT_EQ(view.document().pageRect(pages), QRectF(0, 792 * (pages - 1), 612, 792))
            << count << " × " << repeatCount;
    }
}

TEST(PostcardPages, EachReceiverHasAPageAndPageOneIsTheFirstStrip)
{
    const auto view = postcardView();
    EXPECT_EQ(view->document().pageCount(), 0);
    EXPECT_EQ(view->document().pageRect(1), QRectF(QPointF(0, 0), view->printInfo()->paperSize()));
    view->setReceiverPersons(receivers(3));
    const double height = view->printInfo()->paperSize().height();
    EXPECT_NEAR(height, 419.53, 0.01);
    EXPECT_EQ(view->document().pageCount(), 3);
    EXPECT_EQ(view->document().pageRect(1).y(), 0);
    EXPECT_EQ(view->document().pageRect(3).y(), 2 * height);
    view->setSelectedStyle(u"Postcards"_s);
    EXPECT_EQ(view->document().pageCount(), 3);
    EXPECT_FALSE(view->document().page(1).glyphs().isEmpty());
    view->setSelectedStyle(PrintStyleName::addressList);
    EXPECT_EQ(view->document().pageCount(), 1);
}

TEST(PostcardPages, PrintJobWhoseFirstRowIsTheSenderPrintsEveryOtherAddress)
{
    const auto view = postcardView();
    const PrintContactList rows = receivers(3);
    view->setReceiverPersons(rows);
    view->setSenderPerson(rows.first());
    for (int page = 1; page <= 3; ++page) {
        const DrawList drawn = view->document().page(page);
        const bool senderOwnCard = page == 1;
        qsizetype receiverGlyphs = 0;
        for (const PlacedGlyph &glyph : drawn.glyphs())
            receiverGlyphs += glyph.size() == 18 || glyph.anchor.x() > 110 ? 1 : 0;
        EXPECT_EQ(receiverGlyphs == 0, senderOwnCard) << "page " << page;
    }
    // The preview of the sender's own row shows the sender's blocks alone.
    const auto preview = postcardView();
    preview->setReceiverPersons(rows);
    preview->setSenderPerson(rows.first());
    for (const PlacedGlyph &glyph : preview->drawList(preview->document().pageRect(1)).glyphs())
        EXPECT_LT(glyph.anchor.x(), 110);
}

} // namespace
