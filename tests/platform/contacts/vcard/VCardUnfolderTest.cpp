#include "platform/contacts/vcard/VCardUnfolder_p.h"

#include "VCardTestText.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

struct UnfoldRow {
    const char *name;
    const char16_t *text;
    QStringList lines; // "number|logical line"
};

QStringList unfold(const QString &text)
{
    QStringList lines;
    VCardUnfolder unfolder(text);
    while (unfolder.next())
        lines.append(QString::number(unfolder.lineNumber()) + u'|' + unfolder.line().toString());
    return lines;
}

class VCardUnfolderTest : public testing::TestWithParam<UnfoldRow> { };

TEST_P(VCardUnfolderTest, GivesLogicalLinesWithTheirFirstPhysicalLineNumber)
{
    EXPECT_EQ(text(unfold(QString::fromUtf16(GetParam().text))), text(GetParam().lines));
}

INSTANTIATE_TEST_SUITE_P(Rows, VCardUnfolderTest,
    testing::Values(UnfoldRow{"MixedLineEnds", u"A:1\r\nB:2\nC:3\rD:4", {"1|A:1", "2|B:2", "3|C:3", "4|D:4"}},
        UnfoldRow{
            "CarriageReturnsBeforeLineFeed", u"PHOTO:AB\r\r\n CD\r\r\nX:1\r\rY:2", {"1|PHOTO:ABCD", "3|X:1", "5|Y:2"}},
        UnfoldRow{"FoldKeepsFurtherBlanks", u"NOTE:ab\r\n  cd\r\n\tef", {"1|NOTE:ab cdef"}},
        UnfoldRow{"FoldInsideHeader", u"TEL;TY\r\n PE=HOME:1", {"1|TEL;TYPE=HOME:1"}},
        UnfoldRow{"BlankLinesSkippedAndCounted", u"\r\n\r\nA:1\r\n   \r\nB:2", {"3|A:1", "5|B:2"}},
        UnfoldRow{"QuotedPrintableSoftBreak",
            u"NOTE;ENCODING=QUOTED-PRINTABLE:Now's the time =\r\nfor all=\r\n to come\r\nX:1",
            {"1|NOTE;ENCODING=QUOTED-PRINTABLE:Now's the time for all to come", "4|X:1"}},
        UnfoldRow{"QuotedPrintableBreakInsideSequence", u"N;CHARSET=UTF-8;QUOTED-PRINTABLE:=C3=\r\n=91;;;;",
            {"1|N;CHARSET=UTF-8;QUOTED-PRINTABLE:=C3=91;;;;"}},
        UnfoldRow{"QuotedPrintableBreakBeforeBlankLine", u"ORG;ENCODING=QUOTED-PRINTABLE:=C3=91=\r\n\r\nORG:x",
            {"1|ORG;ENCODING=QUOTED-PRINTABLE:=C3=91", "3|ORG:x"}},
        UnfoldRow{"EqualsAtEndOfPlainLineIsText", u"NOTE:a=\r\nB:1", {"1|NOTE:a=", "2|B:1"}},
        UnfoldRow{"QuotedPrintableAtEndOfText", u"NOTE;QUOTED-PRINTABLE:a=", {"1|NOTE;QUOTED-PRINTABLE:a="}},
        UnfoldRow{"Base64LinesWithoutIndentUntilBlank",
            u"PHOTO;ENCODING=BASE64;JPEG:AAAA\r\nBBBB\r\nCC==\r\n\r\nEND:VCARD",
            {"1|PHOTO;ENCODING=BASE64;JPEG:AAAABBBBCC==", "5|END:VCARD"}},
        UnfoldRow{"Base64StopsAtNextProperty", u"PHOTO;ENCODING=b:AAAA\r\nEND:VCARD",
            {"1|PHOTO;ENCODING=b:AAAA", "2|END:VCARD"}},
        UnfoldRow{"ColonFreeLineAfterTextIsItsOwn", u"NOTE:a\r\nbroken\r\n", {"1|NOTE:a", "2|broken"}},
        UnfoldRow{"FoldAtVeryStart", u" A:1\r\nB:2", {"1| A:1", "2|B:2"}}, UnfoldRow{"Empty", u"", {}}),
    [](const testing::TestParamInfo<UnfoldRow> &info) { return std::string(info.param.name); });

} // namespace
