#include "interchange/VCardOwnProperties_p.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct PhotoCase {
    const char *name;
    qsizetype base64Length;
    QList<qsizetype> lineLengths; // base64 characters per line
};

class PhotoFolding : public testing::TestWithParam<PhotoCase> { };

TEST_P(PhotoFolding, FirstLineHolds48AndEachContinuation74)
{
    std::string written;
    ContactVCardSerialization::appendFoldedLine(
        written, "PHOTO;ENCODING=b;TYPE=JPEG:" + std::string(std::size_t(GetParam().base64Length), 'A'));
    const QString property = QString::fromStdString(written);
    ASSERT_TRUE(property.endsWith(u"\r\n"_s));
    QStringList lines = property.split(u"\r\n"_s);
    lines.removeLast();
    ASSERT_EQ(lines.size(), GetParam().lineLengths.size());
    ASSERT_TRUE(lines.first().startsWith(u"PHOTO;ENCODING=b;TYPE=JPEG:"_s));
    EXPECT_EQ(lines.first().size() - 27, GetParam().lineLengths.first());
    EXPECT_LE(lines.first().size(), 75);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        ASSERT_TRUE(lines.at(i).startsWith(u' '));
        EXPECT_EQ(lines.at(i).size() - 1, GetParam().lineLengths.at(i)) << "line " << i;
        EXPECT_LE(lines.at(i).size(), 75);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, PhotoFolding,
    testing::Values(PhotoCase{"shorter_than_48", 20, {20}}, PhotoCase{"exactly_48", 48, {48}},
        PhotoCase{"48_74_1", 48 + 74 + 1, {48, 74, 1}}, PhotoCase{"48_74", 48 + 74, {48, 74}},
        PhotoCase{"48_74_74_5", 48 + 74 + 74 + 5, {48, 74, 74, 5}}),
    [](const testing::TestParamInfo<PhotoCase> &info) { return std::string(info.param.name); });

TEST(VCardOwnProperties, TextEscapesOfVCard30ReadBack)
{
    EXPECT_EQ(VCardOwnProperties::unescapeText(u"C:\\\\dir\\, a\\; b\\nnext\\Nlast"_s), u"C:\\dir, a; b\nnext\nlast"_s);
    // The older form kept backslashes that start no escape.
    EXPECT_EQ(VCardOwnProperties::unescapeText(u"C:\\dir\\nnext"_s), u"C:\\dir\nnext"_s);
}

TEST(VCardOwnProperties, CategoriesSplitAtCommasThatAreNotEscaped)
{
    EXPECT_EQ(VCardOwnProperties::splitCategories(u"Friends, Work\r\n"_s), (QStringList{u"Friends"_s, u"Work"_s}));
    EXPECT_EQ(VCardOwnProperties::splitCategories(u"Smith\\, Jones,Club\\;1,,\\\\x\\"_s),
        (QStringList{u"Smith, Jones"_s, u"Club;1"_s, u"\\x\\"_s}));
    EXPECT_TRUE(VCardOwnProperties::splitCategories(u" , "_s).isEmpty());
}

TEST(VCardOwnProperties, EndOfAWrittenCardIsItsLastEndLine)
{
    const std::string_view card = "BEGIN:VCARD\r\nNOTE:see END:VCARD\r\nEND:VCARD\r\n";
    EXPECT_EQ(VCardOwnProperties::endLine(card), card.rfind("END:VCARD"));
    EXPECT_EQ(VCardOwnProperties::endLine("NOTE:END:VCARD"), std::string_view::npos);
}

// The end of a card is found without regard to case where a line starts.
TEST(VCardOwnProperties, CardsEndAtTheFirstEndLine)
{
    const QStringList pieces{u"X-RENMEI:"_s, u"X-RENMEI"_s, u"END:VCARD"_s, u"end:vCard"_s, u"\r"_s, u"\n"_s, u"\r\n"_s,
        u"a"_s, u"東京都"_s, u"E"_s, QString(QChar(0xFEFF))};
    std::mt19937 random(7);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 30);
    const auto startsLine = [](const QString &text, qsizetype position) {
        return position == 0 || text.at(position - 1) == u'\r' || text.at(position - 1) == u'\n'
            || (position == 1 && text.at(0) == QChar(0xFEFF));
    };
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int i = length(random); i > 0; --i)
            text += pieces.at(pick(random));
        const QString card = u"BEGIN:VCARD"_s + text;
        qsizetype end = -1;
        for (qsizetype position = card.indexOf(u"END:VCARD"_s, 11, Qt::CaseInsensitive); position >= 0;
             position = card.indexOf(u"END:VCARD"_s, position + 1, Qt::CaseInsensitive)) {
            if (startsLine(card, position)) {
                end = position;
                break;
            }
        }
        VCardOwnProperties::CardSearch search;
        const auto extent = VCardOwnProperties::findCard(card, 0, search);
        ASSERT_TRUE(extent);
        if (end >= 0 && card.indexOf(u"BEGIN:VCARD"_s, 11, Qt::CaseInsensitive) < 0) {
            qsizetype past = end + 9;
            while (past < card.size() && card.at(past) != u'\n' && card.at(past) != u'\r')
                ++past;
            ASSERT_EQ(extent->end, past < card.size() ? past + 1 : past) << card.toStdString();
        } else if (end < 0) {
            ASSERT_EQ(extent->end, card.size()) << card.toStdString();
        }
    }
}

TEST(VCardOwnProperties, CardsAreCutAtLineStartsIgnoringCase)
{
    const QString text = u"junk\nbegin:vcard\nNOTE:say END:VCARD here\nend:VCard\r\nBEGIN:VCARD\r\nFN:b\r\n"_s;
    VCardOwnProperties::CardSearch search;
    const auto first = VCardOwnProperties::findCard(text, 0, search);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->begin, 5);
    // Just past the carriage return: the line feed is text between cards.
    EXPECT_EQ(text.at(first->end - 1), u'\r');
    const auto second = VCardOwnProperties::findCard(text, first->end, search);
    ASSERT_TRUE(second);
    EXPECT_EQ(text.sliced(second->begin, second->end - second->begin), u"BEGIN:VCARD\r\nFN:b\r\n"_s);
    EXPECT_FALSE(VCardOwnProperties::findCard(text, second->end, search));
}

// The delimiters are found as Qt finds them without regard to case, look-alike
// letters from other scripts included.
TEST(VCardOwnProperties, CardsBeginWhereQtFindsTheDelimiterIgnoringCase)
{
    for (const QString &text :
        {u"BEGİN:VCARD\nbEgIn:vCaRd\n"_s, u"ＢEGIN:VCARD\nx begin:vcard\n"_s, u"BEGIN:VCARĐ\nBEGIN:VCARD"_s,
            u"BEGIN:VCAR"_s, u"begin:vcard"_s, u"\u212Abegin:VCARD"_s, u"BEGIN\u0131:VCARD BEGIN:VCARD\r"_s}) {
        VCardOwnProperties::CardSearch search;
        const auto card = VCardOwnProperties::findCard(text, 0, search);
        const qsizetype expected = text.indexOf(u"BEGIN:VCARD"_s, 0, Qt::CaseInsensitive);
        EXPECT_EQ(card ? card->begin : -1, expected) << text.toStdString();
    }
}

TEST(VCardOwnProperties, ACardCutOffByTheNextEndsWhereTheNextBegins)
{
    const QString text = u"BEGIN:VCARD\nFN:a\nBEGIN:VCARD\nFN:b\nEND:VCARD\n"_s;
    VCardOwnProperties::CardSearch search;
    const auto first = VCardOwnProperties::findCard(text, 0, search);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->end, text.indexOf(u"BEGIN:VCARD"_s, 1));
}

struct LayoutCase {
    const char *name;
    QString written;
    QStringList layouts;
};

class LayoutLines : public testing::TestWithParam<LayoutCase> { };

TEST_P(LayoutLines, GiveOneLayoutPerAddress)
{
    EXPECT_EQ(VCardOwnProperties::layoutLines(GetParam().written, 16), GetParam().layouts);
}

// 59 characters of layout fill a first line of 75 octets; these two are cut
// there in the middle of a rectangle and just after a ';'.
const QString longLayout = u"7;ra:{{10.00,20.00},{30.00,40.00}};rn:{{1.50,2.25},{100.00,50.00}};"
                           u"sa:{{5.00,6.00},{7.00,8.00}};sn:{{9.00,10.00},{11.00,12.00}};"_s;
const QString wideLayout
    = u"1;ra:{{10000000.00,20000000.00},{30000000.00,40000000.00}};rn:{{1.50,2.25},{1.00,5.00}};"_s;

QString foldedProperty(const QString &layout)
{
    return u"X-HAGAKILAYOUTS:"_s + layout.first(59) + u"\r\n "_s + layout.sliced(59);
}

INSTANTIATE_TEST_SUITE_P(Written, LayoutLines,
    testing::Values(LayoutCase{"unfolded_crlf", u"X-HAGAKILAYOUTS:1;\r\n 2;\r\n 4;"_s, {u"1;"_s, u"2;"_s, u"4;"_s}},
        LayoutCase{"unfolded_lf", u"X-HAGAKILAYOUTS:1;\n\t2;"_s, {u"1;"_s, u"2;"_s}},
        LayoutCase{"folded", foldedProperty(longLayout) + u"\r\n 0;"_s, {longLayout, u"0;"_s}},
        LayoutCase{"fold_after_semicolon", foldedProperty(wideLayout) + u"\r\n 2;"_s, {wideLayout, u"2;"_s}},
        // A full line ending a layout before the next one's flags is no fold.
        LayoutCase{"full_line_then_next_layout", u"X-HAGAKILAYOUTS:0;\r\n "_s + longLayout.first(71) + u"};\r\n 3;"_s,
            {u"0;"_s, longLayout.first(71) + u"};"_s, u"3;"_s}},
        // Longer than a folded line: written before folding, one layout.
        LayoutCase{"long_unfolded", u"X-HAGAKILAYOUTS:"_s + longLayout + u"\r\n 2;sn:{{1.00,2.00},{3.00,4.00}};"_s,
            {longLayout, u"2;sn:{{1.00,2.00},{3.00,4.00}};"_s}}),
    [](const testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

TEST(VCardOwnProperties, JointNamesEscapeOnlyLineFeeds)
{
    EXPECT_EQ(VCardOwnProperties::escapeRenmei(u"花子\n一郎, Jr."_s), u"花子\\n一郎, Jr."_s);
    EXPECT_EQ(VCardOwnProperties::unescapeRenmei(u"花子\\n一郎"), u"花子\n一郎"_s);
}

} // namespace
