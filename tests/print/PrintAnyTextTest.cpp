// Any name prints: letters no installed face covers, saved frames far off the
// paper or turned inside out, names too long for their block and sizes too
// small to read, on postcards and envelopes, into images and PDFs.
#include "PdfWords.h"
#include "PrintTestCards.h"

#include "app/AddressBookTestSupport.h"
#include "common/LoggedMessages.h"
#include "common/Screenshot.h"
#include "print/PageRenderer.h"
#include "print/PrintJob.h"
#include "print/PrintOptionValue.h"
#include "print/VerticalText.h"

#include "platform/widgets/FontResolver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>
#include <limits>

using namespace PdfWords;
using namespace PrintOptionsKey;
using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

bool isIndic(char32_t character)
{
    return character >= 0x0900 && character <= 0x0DFF;
}

// The card's contact with the name an envelope prints.
PrintContactRecordPtr contact(const Card &card)
{
    PrintContactRecordPtr row = record(card);
    row->name->stringValue = row->compositeName;
    return row;
}

std::unique_ptr<HagakiView> printingView(const QString &style)
{
    auto view = postcardView();
    view->setSelectedStyle(style);
    PrintOptionsRecord options = *view->printOptions();
    QVariantMap envelope = PrintOptionValue::dictionary(options, Envelope);
    envelope.insert(DrawTextInVertical, true);
    envelope.insert(TextDirection, u"Up-Down"_s);
    options.insert(Envelope, envelope);
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    return view;
}

// The characters a page sets, in paint order.
QString drawnCharacters(const DrawList &drawn)
{
    QString characters;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        if (glyph.character != 0)
            characters.append(QString::fromUcs4(&glyph.character, 1));
    }
    return characters;
}

struct LettersRow {
    const char *name;
    Card card;
    const char *kanji; // the covered characters every page must set
    const char *postcardKanji = ""; // and those of joint names and company
};

class UncoveredLetters : public testing::TestWithParam<LettersRow> { };

// Letters no face covers are drawn as the missing-glyph box of the face in
// use; a digit beside them, and every kanji, keeps its own glyph.
TEST_P(UncoveredLetters, PrintOnPostcardsAndEnvelopesWithTheOtherCharactersInPlace)
{
    const LettersRow &row = GetParam();
    for (const QString &style : {PrintStyleName::hagaki, PrintStyleName::envelope}) {
        SCOPED_TRACE(style.toStdString());
        // Envelopes print the address and the name alone.
        const QString kanji = QString::fromUtf8(row.kanji)
            + (style == PrintStyleName::hagaki ? QString::fromUtf8(row.postcardKanji) : QString());
        auto view = printingView(style);
        view->setReceiverPersons({contact(row.card)});
        const DrawList drawn = view->document().page(1);
        EXPECT_FALSE(drawn.isIncomplete());
        const QString characters = drawnCharacters(drawn);
        for (const QChar character : kanji)
            EXPECT_TRUE(characters.contains(character)) << QString(character).toStdString();
        for (const PlacedGlyph &glyph : drawn.glyphs()) {
            ASSERT_TRUE(glyph.font.isValid());
            const QString text = QString::fromUcs4(&glyph.character, 1);
            const quint32 own = glyph.font.glyphIndexesForString(text).value(0);
            if (!isIndic(glyph.character) && glyph.character > u' ' && glyph.character != U'様') {
                EXPECT_NE(glyph.glyph, 0u) << text.toStdString();
            }
            if (glyph.character >= u'0' && glyph.character <= u'9') {
                EXPECT_EQ(glyph.glyph, own) << text.toStdString();
            }
        }
        EXPECT_FALSE(PageRenderer::renderPage(view->document(), 1, 72).isNull());
        const QList<Page> pages
            = pdfWords(printToPdf(*view, u"UncoveredLetters-%1-%2.pdf"_s.arg(QString::fromUtf8(row.name), style)));
        ASSERT_EQ(pages.size(), 1);
        for (const QChar character : kanji)
            EXPECT_TRUE(holds(pages.first(), character)) << QString(character).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, UncoveredLetters,
    testing::Values(LettersRow{"Devanagari", Card{.family = u"0क"_s, .given = {}}, "東京都千代田"},
        LettersRow{"Tamil", Card{.family = u"க"_s, .given = u"க"_s}, "東京都千代田"},
        LettersRow{"Gurmukhi", Card{.family = u"ਅ"_s, .given = u"ਅਮਰ"_s}, "東京都千代田"},
        LettersRow{"MixedWithKanji", Card{.family = u"山田क"_s, .given = u"ਅ太郎க"_s}, "山田太郎東京都"},
        LettersRow{"JointNamesAndCompany",
            Card{.family = u"山田"_s,
                .given = u"花子"_s,
                .renmei = u"கமலா\nਅਮਰ 次郎"_s,
                .company = u"कंपनी 株式会社"_s,
                .jointNames = true,
                .companyLine = true},
            "山田花子", "次郎株式会社"},
        LettersRow{"AddressLines", Card{.state = u"महाराष्ट्र"_s, .city = u"मुंबई 区"_s, .street = u"ਅ1-2 丸の内"_s},
            "山田太郎区丸内"}),
    [](const testing::TestParamInfo<LettersRow> &info) { return std::string(info.param.name); });

struct FrameRow {
    const char *name;
    const char *nameFrame;
    const char *addressFrame;
    QRectF nameRect; // where the receiver's name block stands
};

class SavedFrames : public testing::TestWithParam<FrameRow> { };

// A frame far off the paper reads as never saved; any frame within reach
// gives sizes a font engine makes.
TEST_P(SavedFrames, AreBoundedBeforeAnyTextIsSized)
{
    const FrameRow &row = GetParam();
    Card card;
    card.savedName = QString::fromUtf8(row.nameFrame);
    card.savedAddress = QString::fromUtf8(row.addressFrame);
    auto view = printingView(PrintStyleName::hagaki);
    view->setReceiverPersons({record(card)});
    view->setSenderPerson(record(card));
    EXPECT_EQ(view->objectTable().first()->rect, row.nameRect);
    for (const TextObjectPtr &object : view->objectTable()) {
        for (const double size : {object->nameFontSize, object->companyFontSize, object->fontSize})
            EXPECT_TRUE(std::isfinite(size) && size <= 1000) << size;
    }
    EXPECT_FALSE(PageRenderer::renderPage(view->document(), 1, 36).isNull());
    (void)printToPdf(*view, u"SavedFrames-%1.pdf"_s.arg(QString::fromUtf8(row.name)));

    auto envelope = printingView(PrintStyleName::envelope);
    PrintOptionsRecord options = *envelope->printOptions();
    QVariantMap envelopeOptions = PrintOptionValue::dictionary(options, Envelope);
    envelopeOptions.insert(
        RectDicts, QVariantMap{{u"Postcard"_s, QVariantMap{{ReceiverRectUpDown, QString::fromUtf8(row.nameFrame)}}}});
    options.insert(Envelope, envelopeOptions);
    envelope->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    envelope->setReceiverPersons({record(card)});
    const DrawList drawn = envelope->document().page(1);
    // The preview fits its block as the page does.
    (void)envelope->drawList(envelope->bounds());
    const TextObject &block = *envelope->objectTable().first();
    EXPECT_TRUE(block.fontSize >= 1 && block.fontSize <= 1000) << block.fontSize;
    EXPECT_FALSE(PageRenderer::renderPage(envelope->document(), 1, 36).isNull());
}

INSTANTIATE_TEST_SUITE_P(Rows, SavedFrames,
    testing::Values(FrameRow{"FarOffThePaper", "{{10,20},{1e6,1e6}}", "{{10,20},{1e6,1e6}}", {120, 80, 50, 270}},
        FrameRow{"InsideOut", "{{0,0},{-5,-5}}", "{{0,0},{-5,-5}}", {0, 0, -5, -5}},
        FrameRow{"FarAway", "{{1e300,0},{50,50}}", "{{0,-1e9},{50,50}}", {120, 80, 50, 270}},
        FrameRow{"BeyondNumbers", "{{0,0},{1e999,5}}", "{{0,0},{5,1e999}}", {120, 80, 50, 270}},
        FrameRow{"TenPapersWide", "{{0,0},{4000,4000}}", "{{0,0},{4000,100}}", {0, 0, 4000, 4000}}),
    [](const testing::TestParamInfo<FrameRow> &info) { return std::string(info.param.name); });

TEST(LongNames, AThousandCharactersFitAtOnePoint)
{
    const QString name = u"山"_s.repeated(600) + u"க"_s.repeated(400);
    for (const QString &style : {PrintStyleName::hagaki, PrintStyleName::envelope}) {
        auto view = printingView(style);
        view->setReceiverPersons({contact(Card{.family = name, .given = {}})});
        const DrawList drawn = view->document().page(1);
        EXPECT_GE(drawn.glyphs().size(), 1000);
        EXPECT_FALSE(PageRenderer::renderPage(view->document(), 1, 72).isNull());
        if (style == PrintStyleName::hagaki) {
            EXPECT_EQ(view->objectTable().first()->nameFontSize, 1);
        }
    }
}

struct TinyRow {
    double size;
    qsizetype glyphs;
};

class TinySizes : public testing::TestWithParam<TinyRow> { };

// Below half a point Qt lays text out in a stand-in without a face; the
// glyphs are still the font's own, at the size asked for. A size no font
// engine makes, or none at all, draws nothing.
TEST_P(TinySizes, SetVerticallyWithoutACrash)
{
    const TinyRow &row = GetParam();
    DrawList drawn;
    const QFont font = FontResolver::font(u"IPAexGothic"_s, 10);
    QFont tiny = font;
    tiny.setPointSizeF(row.size);
    VerticalText::drawStringInVertical(u"東京"_s, tiny, QPointF(100, 50), true, VerticalText::downward, true, &drawn);
    const QList<PlacedGlyph> glyphs = drawn.glyphs();
    ASSERT_EQ(glyphs.size(), row.glyphs);
    for (const PlacedGlyph &glyph : glyphs) {
        EXPECT_DOUBLE_EQ(glyph.size(), row.size);
        EXPECT_EQ(glyph.glyph, glyph.font.glyphIndexesForString(QString::fromUcs4(&glyph.character, 1)).value(0));
    }
    QImage image(200, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    drawn.paint(painter);
}

INSTANTIATE_TEST_SUITE_P(Rows, TinySizes,
    testing::Values(TinyRow{0.3, 2}, TinyRow{0.32, 2}, TinyRow{0.05, 2}, TinyRow{1000, 2}, TinyRow{1001, 0}));

// When some of a contact's text cannot be drawn, the card shows the rest, and
// the log names the contact.
TEST(UndrawableText, LeavesTheRestOfThePreviewAndNamesTheContact)
{
    auto view = postcardView();
    const PrintContactRecordPtr row = record(Card());
    row->uniqueId = UniqueId(u"0A1B2C3D-0000-4000-8000-00000000CAFE"_s);
    view->setReceiverPersons({row});
    const QRectF page = view->document().pageRect(1);
    const qsizetype withName = view->drawList(page).glyphs().size();

    // A size layout never gives: no face can draw at it.
    view->objectTable().first()->nameFontSize = std::numeric_limits<double>::quiet_NaN();
    const LoggedMessages log;
    const DrawList drawn = view->drawList(page);
    const QString characters = drawnCharacters(drawn);
    EXPECT_FALSE(characters.contains(u'山'));
    EXPECT_TRUE(characters.contains(u'千'));
    EXPECT_LT(drawn.glyphs().size(), withName);
    EXPECT_FALSE(drawn.isIncomplete());
    EXPECT_TRUE(log.contains(u"0A1B2C3D-0000-4000-8000-00000000CAFE"_s)) << log.lines().join(u'\n').toStdString();
}

// A job prints every page with what can be drawn, and tells the user once.
TEST(UndrawableText, APrintJobPrintsTheRestAndTellsTheUserOnceWhoseTextIsMissing)
{
    auto view = printingView(PrintStyleName::hagaki);
    // The sender's address on every page, in a saved frame of no height: it
    // is set at no size a face is drawn at.
    const PrintContactRecordPtr sender = record(Card{
        .family = u"田中"_s, .given = u"次郎"_s, .street = u"大手町9-9"_s, .savedAddress = u"{{10, 200}, {1, 0}}"_s});
    view->setReceiverPersons({record(Card{.family = u"佐藤"_s}), record(Card{.family = u"高橋"_s})});
    view->setSenderPerson(sender);
    const QString path = QDir(outputFolder()).filePath(u"UndrawableText.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    PrintJob::preparePrinter(printer, *view->printInfo());
    RecordingAlertPresenter alerts;
    EXPECT_EQ(PrintJob::print(view->document(), printer, nullptr, &alerts), PrintJob::Result::Printed);
    ASSERT_EQ(alerts.alerts.size(), 1);
    EXPECT_EQ(alerts.alerts.first().messageText, u"Some text couldn't be printed."_s);
    EXPECT_TRUE(alerts.alerts.first().informativeText.contains(sender->compositeName));
    const QList<Page> pages = pdfWords(path);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(holds(pages.at(0), u"佐"_s));
    EXPECT_TRUE(holds(pages.at(1), u"高"_s));
    EXPECT_TRUE(holds(pages.at(1), u"次"_s));
    EXPECT_FALSE(holds(pages.at(1), u"大"_s));
}

} // namespace
