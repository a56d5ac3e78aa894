#include "InterchangeTestContacts.h"
#include "interchange/CsvRecordReader.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<QStringList> readAll(const QString &text, QChar separator = u',')
{
    CsvRecordReader reader(text, separator);
    QList<QStringList> records;
    QStringList cells;
    while (reader.next(cells))
        records.append(cells);
    return records;
}

struct RecordCase {
    const char *name;
    QString text;
    QList<QStringList> records;
};

class CsvRecords : public testing::TestWithParam<RecordCase> { };

TEST_P(CsvRecords, AreReadAsRfc4180Records)
{
    EXPECT_EQ(readAll(GetParam().text), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(Rows, CsvRecords,
    testing::Values(RecordCase{"crlf_equals_lf", u"a,b\r\n1,2\r\n"_s, {{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}}},
        RecordCase{"bare_cr", u"a\rb"_s, {{u"a"_s}, {u"b"_s}}},
        RecordCase{"no_final_line_end", u"a,b"_s, {{u"a"_s, u"b"_s}}},
        RecordCase{"trailing_separator", u"a,\n"_s, {{u"a"_s, u""_s}}},
        RecordCase{"empty_line", u"a\n\nb\n"_s, {{u"a"_s}, {u""_s}, {u"b"_s}}},
        RecordCase{"quoted_separator", u"\"a,b\",c\n"_s, {{u"a,b"_s, u"c"_s}}},
        RecordCase{"doubled_quotes", u"\"say \"\"hi\"\"\",x"_s, {{u"say \"hi\""_s, u"x"_s}}},
        RecordCase{"line_break_inside_quotes", u"\"one\ntwo\",3\r\nnext"_s, {{u"one\ntwo"_s, u"3"_s}, {u"next"_s}}},
        RecordCase{"quote_inside_unquoted_cell", u"ab\"c,d"_s, {{u"ab\"c"_s, u"d"_s}}},
        RecordCase{"text_after_closing_quote", u"\"ab\"cd,e"_s, {{u"abcd"_s, u"e"_s}}},
        RecordCase{"unclosed_quote_is_plain_text", u"x,\"never closed,y\nz"_s,
            {{u"x"_s, u"\"never closed"_s, u"y"_s}, {u"z"_s}}},
        RecordCase{"only_doubled_quotes_after_open", u"\"a\"\"b\nc"_s, {{u"\"a\"\"b"_s}, {u"c"_s}}},
        RecordCase{"empty_text", u""_s, {}}),
    rowName);

TEST(CsvRecordReader, RecordLengthLeavesOutTheLineEnd)
{
    CsvRecordReader reader(u"ab,c\r\nx\n"_s);
    QStringList cells;
    QList<qsizetype> lengths;
    while (reader.next(cells))
        lengths.append(reader.recordLength());
    EXPECT_EQ(lengths, (QList<qsizetype>{4, 1}));
}

TEST(CsvRecordReader, SeparatorComesFromTheFirstRecord)
{
    EXPECT_EQ(CsvRecordReader::detectSeparator(u"Name,Phone\nx;y"), u',');
    EXPECT_EQ(CsvRecordReader::detectSeparator(u"Display Name;First Name;Last Name"), u';');
    EXPECT_EQ(CsvRecordReader::detectSeparator(u"Name\tPhone"), u'\t');
    EXPECT_EQ(CsvRecordReader::detectSeparator(u"\"a,b\";c"), u';');
    EXPECT_EQ(CsvRecordReader::detectSeparator(u"Name"), u',');
    EXPECT_EQ(readAll(u"a;b\n1;2"_s, u';'), (QList<QStringList>{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}}));
}

TEST(CsvRecordReader, ManyStrayQuotesStayLinear)
{
    // Every cell opens a quote that only doubled quotes follow: each search
    // must not run to the end of the text again.
    QString text;
    for (int i = 0; i < 200000; ++i)
        text += u"\"x\"\"y,"_s;
    CsvRecordReader reader(text);
    QStringList cells;
    ASSERT_TRUE(reader.next(cells));
    EXPECT_GT(cells.size(), 1);
}

} // namespace
