#include "PreviewWindow.h"
#include "PrintTestCards.h"

#include "common/PrintPanels.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "app/PrintCommands.h"

#include <QPageSetupDialog>
#include <QPrinter>

using namespace PrintOptionsKey;
using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

struct BlockTextRow {
    const char *name;
    const char *keishou;
    bool forSender = false;
    bool printZIP = true;
    bool printCountry = false;
    Card card;
    const char *expected;
};

class EnvelopeBlockText : public testing::TestWithParam<BlockTextRow> { };

TEST_P(EnvelopeBlockText, AddressLinesThenTheName)
{
    const BlockTextRow &row = GetParam();
    auto view = postcardView();
    PrintOptionsRecord options = *view->printOptions();
    options.insert(Keishou, QString::fromUtf8(row.keishou));
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    const PrintContactRecordPtr record = PrintTestCards::record(row.card);
    record->name->stringValue = row.card.family.isEmpty() ? QString() : row.card.family + u' ' + row.card.given;
    if (record->layoutDict)
        record->layoutDict->address->country = u"日本"_s;
    const QVariantMap envelope{{PrintZIP, row.printZIP}, {PrintCountry, row.printCountry}};
    EXPECT_EQ(EnvelopePages(view->document()).makeAdrsAndNameString(*record, envelope, row.forSender),
        QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, EnvelopeBlockText,
    testing::Values(
        BlockTextRow{"Honorific", "様", false, true, false, Card(), "100-0001 東京都千代田区\n千代田1-1\n山田 太郎 様"},
        BlockTextRow{
            "BeforeTheName", "Mr.", false, true, false, Card(), "100-0001 東京都千代田区\n千代田1-1\nMr. 山田 太郎"},
        BlockTextRow{"Sender", "様", true, false, true, Card(), "日本 東京都千代田区\n千代田1-1\n山田 太郎"},
        BlockTextRow{"NoneAddsNothing", "None", false, false, false, Card(), "東京都千代田区\n千代田1-1\n山田 太郎"},
        BlockTextRow{"StreetOnly", "様", false, true, false, Card{.zip = {}, .state = {}, .city = {}},
            "\n千代田1-1\n山田 太郎 様"},
        BlockTextRow{"NoAddress", "様", false, true, false, Card{.hasAddress = false}, "山田 太郎 様"},
        BlockTextRow{"NoName", "様", false, true, false, Card{.family = {}, .given = {}},
            "100-0001 東京都千代田区\n千代田1-1\n"}),
    [](const testing::TestParamInfo<BlockTextRow> &info) { return std::string(info.param.name); });

TEST(EnvelopeBlockFitting, ABoxTooSmallForAnyTextStopsAtOnePoint)
{
    auto view = postcardView();
    PrintOptionsRecord options = *view->printOptions();
    QVariantMap envelope = PrintOptionValue::dictionary(options, Envelope);
    envelope.insert(RectDicts, QVariantMap{{u"Postcard"_s, QVariantMap{{ReceiverRectUpDown, u"{{0, 0}, {2, 2}}"_s}}}});
    options.insert(Envelope, envelope);
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    view->setSelectedStyle(PrintStyleName::envelope);
    view->setReceiverPersons({record(Card())});
    ASSERT_EQ(view->objectTable().first()->box, QRectF(0, 0, 2, 2));
    const TextObject *block
        = EnvelopePages(view->document())
              .makeTextObject(view->receiverName(), view->receiverPersons().first(), envelope, false);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->fontSize, 1);
}

// A paper without a size leaves the preview as it was.
TEST_F(PreviewWindowTest, PreviewFitsThePaperIntoTheFrameCentredInThePaneAndPageSetupChangesIt)
{
    openWindow();
    // Tall enough for the whole frame: a low window makes the card smaller.
    m_window->resize(1200, 900);
    endTurn();
    for (const auto &[paperName, orientation, frame] : {std::tuple{"Postcard", QPageLayout::Portrait, QSize(284, 420)},
             {"Letter", QPageLayout::Landscape, QSize(285, 220)}}) {
        auto paper = std::make_shared<PrintInfo>();
        paper->setPaperName(QString::fromLatin1(paperName));
        paper->setOrientation(orientation);
        EXPECT_TRUE(m_window->printCommands()->shouldChangePrintInfo(paper));
        EXPECT_EQ(view().size(), frame) << paperName;
        EXPECT_EQ(view().bounds(), QRectF(QPointF(0, 0), paper->paperSize()));
        EXPECT_NEAR(view().geometry().center().y(), pane().height() / 2, 1);
        EXPECT_EQ(view().printInfo(), paper);
    }
    const QRect before = view().geometry();
    auto sizeless = std::make_shared<PrintInfo>();
    sizeless->setPageSize(QPageSize());
    m_window->printCommands()->shouldChangePrintInfo(sizeless);
    EXPECT_EQ(view().geometry(), before);

    // Page setup takes the paper chosen.
    EXPECT_TRUE(PrintPanels::answerDialog<QPageSetupDialog>(
        *m_window, [this] { m_window->printCommands()->runPageLayout(); },
        [](QPageSetupDialog *dialog) { dialog->reject(); }));
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->orientation(), QPageLayout::Portrait);

    QPrinter printer;
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
    m_window->printCommands()->pageSetupDidEnd(printer, QDialog::Accepted);
    // Postcards keep theirs: the paper chosen is the other styles'.
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"Postcard"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->sheetPaper().paperName(), u"A5"_s);
    choosePrintStyle(u"Envelope"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"A5"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->orientation(), QPageLayout::Landscape);
    EXPECT_EQ(view().width(), HagakiViewController::previewWidth);
    EXPECT_EQ(view().bounds().size(), PrintInfo::sharedPrintInfo()->paperSize());
}

} // namespace
