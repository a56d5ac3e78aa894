// What a printed PDF reads back as is what was printed: ideographs that share
// their glyph with a radical, punctuation in its vertical forms and Latin set
// on its side, on postcards, envelopes and labels, whichever way the face
// sets vertical text.
#include "ListTestContacts.h"
#include "PdfWords.h"
#include "PrintTestCards.h"

#include "common/GeneratedAddressBook.h"
#include "print/PrintOptionValue.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>

using namespace PdfWords;
using namespace PrintOptionsKey;
using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

// Ideographs whose glyphs the radicals of U+2F00 to U+2FD5 share: a face's own
// character map leads to each from its radical first.
const QString radicalIdeographs
    = u"一丨丶丿乙亅二亠人儿入八冂冖冫几凵刀力勹匕匚十卜卩厂厶又口囗土士夂夊夕大女子宀寸小尢尸"
      u"屮山川工己巾干幺广廴廾弋弓彐彡彳心戈戶手支攴文斗斤方无日曰月木欠止歹殳毋比毛氏气水火爪父"
      u"爻爿片牙牛犬玄玉瓜瓦甘生用田疋疒癶白皮皿目矛矢石示禸禾穴立竹米糸缶网羊羽老而耒耳聿肉臣自"
      u"至臼舌舛舟艮色艸虍虫血行衣襾見角言谷豆豕豸貝赤走足身車辛辰辵邑酉釆里金長門阜隶隹雨青非面"
      u"革韋韭音頁風飛食首香馬骨高髟鬥鬯鬲鬼魚鳥鹵鹿麥麻黃黍黑黹黽鼎鼓鼠鼻齊齒龍龜龠"_s;

using Characters = QList<char32_t>;

Characters sortedCharacters(const QString &text)
{
    Characters characters;
    for (const char32_t character : text.toUcs4()) {
        if (!QChar::isSpace(character))
            characters.append(character);
    }
    std::sort(characters.begin(), characters.end());
    return characters;
}

// The characters each page sets, as the view's document lays its pages out.
QList<Characters> drawnCharacters(HagakiView &view)
{
    QList<Characters> pages;
    for (int page = 1; page <= view.document().pageCount(); ++page) {
        QString text;
        for (const PlacedGlyph &glyph : view.document().page(page).glyphs())
            text.append(QString::fromUcs4(&glyph.character, 1));
        pages.append(sortedCharacters(text));
    }
    return pages;
}

// The characters of each page of the PDF, as a reader copies them out.
QList<Characters> readCharacters(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed: " << pdftotext.readAllStandardError().toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    QList<Characters> characters;
    for (const QString &page : std::as_const(pages))
        characters.append(sortedCharacters(page));
    return characters;
}

std::string shown(const Characters &characters)
{
    return QString::fromUcs4(characters.constData(), characters.size()).toStdString();
}

void expectPdfReadsAsDrawn(HagakiView &view, const QString &name)
{
    const QList<Characters> drawn = drawnCharacters(view);
    const QList<Characters> read = readCharacters(printToPdf(view, name));
    ASSERT_EQ(read.size(), drawn.size());
    for (qsizetype page = 0; page < drawn.size(); ++page) {
        ASSERT_FALSE(drawn.at(page).isEmpty());
        EXPECT_EQ(shown(read.at(page)), shown(drawn.at(page))) << "page " << page + 1;
    }
}

PrintContactRecordPtr contact(const Card &card)
{
    PrintContactRecordPtr row = record(card);
    row->name->stringValue = row->compositeName;
    return row;
}

QList<PrintContactRecordPtr> receivers()
{
    Card japanese{.family = u"高橋"_s, .given = u"陽子"_s, .renmei = u"高子\n長"_s, .jointNames = true};
    japanese.street = u"丸の内、一丁目。「ビル」ー"_s;
    Card western{.family = u"Smith"_s, .given = u"John"_s, .zip = u"62701"_s, .state = u"IL"_s};
    western.city = u"Springfield"_s;
    western.street = u"205 Main Street"_s;
    // The radical ⼦ shares its glyph with 子: each reads back as itself.
    Card radicals{.family = u"長"_s, .given = u"子⼦"_s};
    radicals.street = radicalIdeographs.left(200);
    return {contact(japanese), contact(western), contact(radicals)};
}

struct PdfRow {
    const char *name;
    QString style;
    const char *family;
    QString direction; // envelopes and labels
};

class PdfText : public testing::TestWithParam<PdfRow> { };

TEST_P(PdfText, ReadsBackAsTheCharactersDrawn)
{
    const PdfRow &row = GetParam();
    const QString family = QString::fromUtf8(row.family);
    auto view = postcardView();
    view->setSelectedStyle(row.style);
    PrintOptionsRecord options = *view->printOptions();
    QVariantMap hagaki = PrintOptionValue::dictionary(options, Hagaki);
    hagaki.insert(FontName, family);
    options.insert(Hagaki, hagaki);
    for (const QString &style : {Envelope, MailingLabels}) {
        QVariantMap block = PrintOptionValue::dictionary(options, style);
        block.insert(DrawTextInVertical, true);
        block.insert(TextDirection, row.direction);
        block.insert(VerticalFontName, family);
        options.insert(style, block);
    }
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    view->setReceiverPersons(receivers());
    view->setSenderPerson(contact(Card{.family = u"高田"_s, .given = u"子"_s}));
    expectPdfReadsAsDrawn(*view, u"PdfText-%1.pdf"_s.arg(QString::fromUtf8(row.name)));
}

INSTANTIATE_TEST_SUITE_P(Rows, PdfText,
    testing::Values(PdfRow{"PostcardIPAex", PrintStyleName::hagaki, "IPAexGothic", {}},
        PdfRow{"PostcardNoto", PrintStyleName::hagaki, "Noto Sans CJK JP", {}},
        PdfRow{"PostcardGlyphByGlyph", PrintStyleName::hagaki, "DejaVu Sans", {}},
        PdfRow{"EnvelopeUpDown", PrintStyleName::envelope, "IPAexGothic", u"Up-Down"_s},
        PdfRow{"EnvelopeLeftRight", PrintStyleName::envelope, "IPAexMincho", u"Left-Right"_s},
        PdfRow{"EnvelopeGlyphByGlyph", PrintStyleName::envelope, "DejaVu Sans", u"Up-Down"_s},
        PdfRow{"LabelsUpDown", PrintStyleName::labels, "Noto Sans CJK JP", u"Up-Down"_s}),
    [](const testing::TestParamInfo<PdfRow> &info) { return std::string(info.param.name); });

// An address list's names and addresses, set across, print as themselves.
TEST(PdfText, AnAddressListReadsBackAsPrinted)
{
    auto view = ListTestContacts::letterView(PrintStyleName::addressList, {u"Note"_s});
    view->setReceiverPersons({ListTestContacts::receiver({.family = u"高橋"_s,
                                  .given = u"陽子"_s,
                                  .note = u"丸の内、一丁目。「ビル」ー\n"_s + radicalIdeographs.left(30)}),
        ListTestContacts::receiver({.family = u"Smith"_s, .given = u"John"_s, .note = u"205 Main Street"_s})});
    expectPdfReadsAsDrawn(*view, u"PdfText-address-list.pdf"_s);
}

// Every Japanese name of the demonstration store prints as itself.
TEST(PdfText, TheDemoStoresNamesReadBackAsPrinted)
{
    auto view = postcardView();
    QList<PrintContactRecordPtr> rows;
    for (int index = 0; index < 22; index += 2) {
        const StoreContact person = GeneratedAddressBook::makeContact(index);
        rows.append(contact(Card{.family = person.familyName(), .given = person.givenName()}));
    }
    view->setReceiverPersons(rows);
    expectPdfReadsAsDrawn(*view, u"PdfText-demo-names.pdf"_s);
}

} // namespace
