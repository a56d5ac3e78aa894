#include "interchange/VCardOwnProperties_p.h"

#include <array>
#include <random>

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
    const QByteArray base64(GetParam().base64Length, 'A');
    const QString property = VCardOwnProperties::foldedPhoto(base64);
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

TEST(VCardOwnProperties, TextEscapesFollowVCard30AndReadBack)
{
    const QString note = u"C:\\dir, a; b\nnext\r\nlast"_s;
    const QString escaped = VCardOwnProperties::escapeText(note);
    EXPECT_EQ(escaped, u"C:\\\\dir\\, a\\; b\\nnext\\nlast"_s);
    EXPECT_EQ(VCardOwnProperties::unescapeText(escaped), u"C:\\dir, a; b\nnext\nlast"_s);
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

TEST(VCardOwnProperties, PropertiesAreFoundOnlyWhereALineStarts)
{
    const QString card = u"BEGIN:VCARD\r\nORG:X-RENMEI:no\r\nNOTE:see CATEGORIES:x\r\n"
                         u"CATEGORIES:A\r\nEND:VCARD\r\n"_s;
    EXPECT_EQ(VCardOwnProperties::findLine(card, u"X-RENMEI:"), -1);
    EXPECT_EQ(VCardOwnProperties::findCategories2(card), QStringList{u"A"_s});
    EXPECT_TRUE(VCardOwnProperties::hasProperty(card, u"NOTE"));
    EXPECT_FALSE(VCardOwnProperties::hasProperty(card, u"X-RENMEI"));
    EXPECT_EQ(VCardOwnProperties::endLine(card), card.indexOf(u"END:VCARD"_s));
}

// Which properties a text has lines of, found in one pass, must be what
// looking for each name where a line starts finds: after CR, LF, at the start
// and after a leading byte-order mark, followed by ':' or ';'.
TEST(VCardOwnProperties, PropertiesFoundInOnePassAreThoseFoundOneByOne)
{
    const std::array<QStringView, 3> names{u"NOTE", u"X-RENMEI", u"PHOTO"};
    const QStringList pieces{u"NOTE"_s, u"X-RENMEI"_s, u"PHOTO"_s, u":"_s, u";"_s, u"\r"_s, u"\n"_s, u"\r\n"_s, u"a"_s,
        u"東京都"_s, u"\t"_s, u"N"_s, QString(QChar(0xFEFF))};
    std::mt19937 random(11);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int i = length(random); i > 0; --i)
            text += pieces.at(pick(random));
        quint32 expected = 0;
        for (size_t n = 0; n < names.size(); ++n) {
            for (qsizetype position = 0; position < text.size(); ++position) {
                const bool lineStart = position == 0 || text.at(position - 1) == u'\r' || text.at(position - 1) == u'\n'
                    || (position == 1 && text.at(0) == QChar(0xFEFF));
                const qsizetype after = position + names[n].size();
                if (lineStart && QStringView(text).sliced(position).startsWith(names[n]) && after < text.size()
                    && (text.at(after) == u':' || text.at(after) == u';'))
                    expected |= quint32(1) << n;
            }
        }
        ASSERT_EQ(VCardOwnProperties::propertiesWithLines(text, names), expected) << text.toStdString();
        ASSERT_EQ(VCardOwnProperties::hasProperty(text, u"X-RENMEI"), (expected & 2) != 0) << text.toStdString();
    }
}

// What is found must be the first match of the name, from any position, that
// starts a line; the card delimiters without regard to case.
TEST(VCardOwnProperties, LinesFoundAreTheFirstMatchesThatStartALine)
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
        const qsizetype from = std::uniform_int_distribution<qsizetype>(0, text.size())(random);
        qsizetype expected = -1;
        for (qsizetype position = text.indexOf(u"X-RENMEI:"_s, from); position >= 0;
             position = text.indexOf(u"X-RENMEI:"_s, position + 1)) {
            if (startsLine(text, position)) {
                expected = position;
                break;
            }
        }
        ASSERT_EQ(VCardOwnProperties::findLine(text, u"X-RENMEI:", from), expected) << text.toStdString() << from;
        // The end of a card is found the same way without regard to case.
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

TEST(VCardOwnProperties, FoldedExtentTakesContinuationLinesWithAnyLineEnd)
{
    const QString crlf = u"X-HAGAKILAYOUTS:1;\r\n 2;\r\n 4;\r\nEND:VCARD"_s;
    const QStringView extent = VCardOwnProperties::retriveVCardElement(crlf, 0);
    EXPECT_EQ(extent, u"X-HAGAKILAYOUTS:1;\r\n 2;\r\n 4;\r\n"_s);
    EXPECT_EQ(VCardOwnProperties::foldedLines(extent, 16), (QList<QStringView>{u"1;", u"2;", u"4;"}));
    const QString lf = u"X-HAGAKILAYOUTS:1;\n 2;\nEND:VCARD"_s;
    EXPECT_EQ(VCardOwnProperties::foldedLines(VCardOwnProperties::retriveVCardElement(lf, 0), 16),
        (QList<QStringView>{u"1;", u"2;"}));
}

TEST(VCardOwnProperties, JointNamesEscapeOnlyLineFeeds)
{
    EXPECT_EQ(VCardOwnProperties::escapeRenmei(u"花子\n一郎, Jr."_s), u"花子\\n一郎, Jr."_s);
    EXPECT_EQ(VCardOwnProperties::unescapeRenmei(u"花子\\n一郎"), u"花子\n一郎"_s);
}

} // namespace
