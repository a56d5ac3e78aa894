#include "PrintTestCards.h"

#include "print/PrintOptionValue.h"

#include <gtest/gtest.h>

using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

struct LayoutRow {
    const char *label;
    bool sender;
    Card card;
    QRectF name;
    QRectF address;
};

class BlockRectangles : public testing::TestWithParam<LayoutRow> { };

TEST_P(BlockRectangles, BlocksStandInTheirSavedOrDefaultRectangles)
{
    const LayoutRow &row = GetParam();
    const auto view = postcardView();
    if (row.sender)
        view->setSenderPerson(record(row.card));
    else
        view->setReceiverPersons({record(row.card)});
    const qsizetype first = row.sender ? 2 : 0;
    const TextObject &name = *view->objectTable().at(first);
    const TextObject &address = *view->objectTable().at(first + 1);
    EXPECT_EQ(name.rect, row.name);
    EXPECT_EQ(address.rect, row.address);
    // Fitted: the longest column fills its block within 8 points, unless the
    // column's width holds the size back.
    EXPECT_LE(name.nameWidthArray.value(0), row.name.height());
    if (name.nameFontSize < 0.9 * name.lineHeight) {
        EXPECT_GE(name.nameWidthArray.value(0), row.name.height() - 8);
    }
    EXPECT_LE(name.nameFontSize, 0.9 * name.lineHeight);
    EXPECT_GT(address.fontSize, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, BlockRectangles,
    testing::Values(LayoutRow{"one line", false, Card(), {120, 80, 50, 270}, {204, 75, 46, 275}},
        LayoutRow{
            "joint name", false, Card{.renmei = u"花子"_s, .jointNames = true}, {105, 80, 80, 270}, {204, 75, 46, 275}},
        LayoutRow{"company", false, Card{.company = u"株式会社見本"_s, .companyLine = true}, {125, 80, 80, 270},
            {204, 75, 46, 275}},
        LayoutRow{"saved name", false, Card{.savedName = u"{{150, 80}, {70, 270}}"_s}, {150, 80, 70, 270},
            {220, 75, 46, 275}},
        LayoutRow{"flat address", false, Card{.savedAddress = u"{{210,100},{40,5}}"_s}, {120, 80, 50, 270},
            {210, 100, 40, 276}},
        LayoutRow{"damaged", false, Card{.savedName = u"{{150, 80}}"_s, .savedAddress = u"none"_s}, {120, 80, 50, 270},
            {204, 75, 46, 275}},
        LayoutRow{"sender", true, Card(), {20, 175, 36, 175}, {59, 175, 40, 175}},
        LayoutRow{"sender of three lines", true, Card{.renmei = u"花子\n一郎"_s, .jointNames = true},
            {12, 175, 54, 175}, {69, 175, 35, 175}}));

TEST(PostcardLayout, ReceiverAfterOneWithASavedLayoutGetsTheDefaults)
{
    const auto view = postcardView();
    const Card saved{.renmei = u"花子"_s,
        .jointNames = true,
        .savedName = u"{{150, 80}, {70, 270}}"_s,
        .savedAddress = u"{{230, 90}, {40, 200}}"_s};
    view->setReceiverPersons({record(saved), record(Card{.renmei = u"次郎"_s, .hasAddress = false})});
    view->updateTextObjectForReceiver(view->receiverPersons().at(1));
    const TextObject &name = view->receiverName();
    EXPECT_EQ(name.rect, QRectF(120, 80, 50, 270));
    EXPECT_EQ(name.layoutDict, nullptr);
    EXPECT_EQ(name.nameWidthArray.size(), 1);
    EXPECT_EQ(view->receiverAddress().rect, QRectF(204, 75, 46, 275));
}

TEST(PostcardLayout, AddressThatWouldBeTooSmallGivesItsRegionAColumn)
{
    const auto view = postcardView();
    view->setReceiverPersons({record(Card{.street = u"千代田一丁目一番一号\u2212千代田ビルディング二十階"_s})});
    const TextObject &address = view->receiverAddress();
    EXPECT_EQ(
        address.addressArray, QStringList({u"東京都千代田区"_s, u"千代田一丁目一番一号-千代田ビルディング二十階"_s}));
    EXPECT_DOUBLE_EQ(address.lineHeight, 23);
    EXPECT_GE(address.fontSize, 7);
}

TEST(PostcardLayout, SenderPostalCodeBoxesFollowTheCardType)
{
    for (const char *type : {"Nenga", "General"}) {
        const auto view = postcardView();
        QVariantMap hagaki = PrintOptionValue::dictionary(*view->printOptions(), PrintOptionsKey::Hagaki);
        hagaki.insert(PrintOptionsKey::HagakiType, QString::fromLatin1(type));
        hagaki.insert(PrintOptionsKey::SenderZIPPositionForNenga, u"(21, 354)"_s);
        view->printOptions()->insert(PrintOptionsKey::Hagaki, hagaki);
        view->setSenderPerson(record(Card()));
        const double drop = qstrcmp(type, "General") == 0 ? 42.51968503937008 : 0;
        EXPECT_EQ(view->senderAddress().senderZipRect, QRectF(15.59, 348.66 + drop, 80, 18)) << type;
    }
}

TEST(PostcardLayout, EnvelopeBoxesComeFromThePaperAndDirection)
{
    const auto view = postcardView();
    view->setSelectedStyle(PrintStyleName::envelope);
    QVariantMap envelope = PrintOptionValue::dictionary(*view->printOptions(), PrintOptionsKey::Envelope);
    envelope.insert(PrintOptionsKey::RectDicts,
        QVariantMap{{u"Postcard"_s, QVariantMap{{PrintOptionsKey::ReceiverRectUpDown, u"{{100, 120}, {80, 200}}"_s}}}});
    view->printOptions()->insert(PrintOptionsKey::Envelope, envelope);
    view->setReceiverPersons({record(Card())});
    EXPECT_EQ(view->receiverName().rect, QRectF(100, 120, 80, 200));
    EXPECT_EQ(view->receiverName().kind, u"addressAndName"_s);

    const QSizeF paper = view->printInfo()->paperSize();
    view->setSenderPerson(record(Card()));
    EXPECT_EQ(view->senderName().rect, QRectF(0, 0, paper.width() / 3, paper.height() / 4));
    view->printInfo()->setPaperName(u"A4"_s);
    view->setReceiverPersons({record(Card())});
    const QSizeF a4 = view->printInfo()->paperSize();
    EXPECT_EQ(view->receiverName().rect, QRectF(0, 0, a4.width() / 3, a4.height() / 3));
}

TEST(PostcardLayout, VeryLongNamesLayOutAndEnd)
{
    const auto view = postcardView();
    view->setReceiverPersons({record(Card{.given = QString(500, u'木')})});
    TextObject &name = view->receiverName();
    EXPECT_DOUBLE_EQ(name.nameFontSize, 1);
    view->setReceiverPersons({record(Card{.given = QString(200, u'木')})});
    PostcardLayout(view->document()).newAlignName(name, QRectF(120, 80, 50, 50));
    EXPECT_DOUBLE_EQ(name.nameFontSize, 1);
}

} // namespace
