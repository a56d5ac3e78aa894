#include "InterchangeTestContacts.h"
#include "interchange/VCardOwnProperties_p.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(VCardOwnProperties, TextEscapesOfVCard30ReadBack)
{
    EXPECT_EQ(VCardOwnProperties::unescapeText(u"C:\\\\dir\\, a\\; b\\nnext\\Nlast"_s), u"C:\\dir, a; b\nnext\nlast"_s);
    // The older form kept backslashes that start no escape.
    EXPECT_EQ(VCardOwnProperties::unescapeText(u"C:\\dir\\nnext"_s), u"C:\\dir\nnext"_s);
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

// Where a card ends, by walking the line starts of the text: at the first
// line after the card's BEGIN:VCARD that starts with BEGIN:VCARD, or past the
// line end after the first that starts with END:VCARD (ASCII letters in any
// case).
qsizetype referenceCardEnd(QStringView text, qsizetype bodyAt)
{
    for (qsizetype at = bodyAt; at < text.size(); ++at) {
        if (at > 0 && text.at(at - 1) != u'\n' && text.at(at - 1) != u'\r')
            continue;
        if (text.sliced(at).startsWith(u"BEGIN:VCARD", Qt::CaseInsensitive))
            return at;
        if (text.sliced(at).startsWith(u"END:VCARD", Qt::CaseInsensitive)) {
            qsizetype lineEnd = at;
            while (lineEnd < text.size() && text.at(lineEnd) != u'\n' && text.at(lineEnd) != u'\r')
                ++lineEnd;
            return qMin(lineEnd + 1, text.size());
        }
    }
    return text.size();
}

// One search walks all cards of a text, as a file is read: the delimiters
// are found in any case, only where a line starts, past values that hold
// the letters V and v or the delimiter's words.
TEST(VCardOwnProperties, CardsOfATextEndWhereTheirLinesSay)
{
    const QString card = u"BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:vivid\\nEND:VCARD and V:v\r\n"_s;
    for (const QString &text : QStringList{card + u"END:VCARD\r\n"_s + card + u"end:vcard\r\n"_s,
             card + card + u"End:vCard"_s, u"begin:vcard\nN:V\nEND:VCARD\nBEGIN:VCARD\nEMAIL:v@x\nEND:VCARD\n"_s,
             card + u"EN:VCARD\r\n:VCARD\r\nEND:VCAR"_s, card + u"END:VCARD\r\n"_s + card}) {
        VCardOwnProperties::CardSearch search;
        QList<qsizetype> found;
        QList<qsizetype> expected;
        for (qsizetype position = 0; const auto extent = VCardOwnProperties::findCard(text, position, search);) {
            found << extent->begin << extent->end;
            position = extent->end;
        }
        for (qsizetype begin = text.indexOf(u"BEGIN:VCARD", 0, Qt::CaseInsensitive); begin >= 0;) {
            const qsizetype end = referenceCardEnd(text, begin + 11);
            expected << begin << end;
            begin = text.indexOf(u"BEGIN:VCARD", end, Qt::CaseInsensitive);
        }
        EXPECT_EQ(found, expected) << text.toStdString();
    }
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

// The second layout is folded as well, on a continuation line of its own.
QString twoFoldedLayouts()
{
    return foldedProperty(longLayout) + u"\r\n "_s + longLayout.first(74) + u"\r\n "_s + longLayout.sliced(74);
}

const QList<LayoutCase> &rows()
{
    static const QList<LayoutCase> cases{
        LayoutCase{"unfolded_crlf", u"X-HAGAKILAYOUTS:1;\r\n 2;\r\n 4;"_s, {u"1;"_s, u"2;"_s, u"4;"_s}},
        LayoutCase{"unfolded_lf", u"X-HAGAKILAYOUTS:1;\n\t2;"_s, {u"1;"_s, u"2;"_s}},
        LayoutCase{"folded", foldedProperty(longLayout) + u"\r\n 0;"_s, {longLayout, u"0;"_s}},
        LayoutCase{"fold_after_semicolon", foldedProperty(wideLayout) + u"\r\n 2;"_s, {wideLayout, u"2;"_s}},
        // A full line ending a layout before the next one's flags is no fold.
        LayoutCase{"full_line_then_next_layout", u"X-HAGAKILAYOUTS:0;\r\n "_s + longLayout.first(71) + u"};\r\n 3;"_s,
            {u"0;"_s, longLayout.first(71) + u"};"_s, u"3;"_s}},
        // Longer than a folded line: written before folding, one layout.
        LayoutCase{"long_unfolded", u"X-HAGAKILAYOUTS:"_s + longLayout + u"\r\n 2;sn:{{1.00,2.00},{3.00,4.00}};"_s,
            {longLayout, u"2;sn:{{1.00,2.00},{3.00,4.00}};"_s}},
        // Continuation lines joined by the import's decoder.
        LayoutCase{"joined_before_reading", u"X-HAGAKILAYOUTS:"_s + longLayout + u"0;2;sn:{{1.00,2.00},{3.00,4.00}};"_s,
            {longLayout, u"0;"_s, u"2;sn:{{1.00,2.00},{3.00,4.00}};"_s}},
        LayoutCase{"two_folded", twoFoldedLayouts(), {longLayout, longLayout}}};
    return cases;
}

// A reader of many cards keeps one reader of layouts; what it read before,
// joined folds above all, changes nothing of what it reads next.
TEST_P(LayoutLines, AreTheSameFromAReaderThatReadOtherPropertiesBefore)
{
    VCardOwnProperties::LayoutReader reader;
    for (const LayoutCase &before : {rows().first(), rows().last(), GetParam()}) {
        (void)reader.read(before.written, 16);
        QStringList layouts;
        for (const QStringView layout : reader.read(GetParam().written, 16))
            layouts.append(layout.toString());
        EXPECT_EQ(layouts, GetParam().layouts) << before.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Written, LayoutLines, testing::ValuesIn(rows()), rowName);

} // namespace
