// The receivers of a print make a row's print value when a page first asks
// for it, and keep it.
#include "print/PrintReceivers.h"

#include "model/MVPerson.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

SubContactRecordPtr rowNamed(const QString &family)
{
    const QString card = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\nEND:VCARD\r\n"_s.arg(family);
    const MVPersonPtr person = MVPerson::initWithVCardData(card.toUtf8());
    return std::make_shared<SubContactRecord>(person, UniqueId(), 0);
}

void rename(const SubContactRecordPtr &row, const QString &family)
{
    row->person->nameValue()->lastName = family;
}

QString familyOf(const PrintContactRecordPtr &value)
{
    return value && value->name ? value->name->lastName : u"-"_s;
}

// A value asked for is kept while the list lives, so a page drawn twice
// draws the same value; one not asked for yet reads the row as it is when
// asked, as the page that draws it first does.
TEST(PrintReceivers, AValueIsMadeFromItsRowWhenFirstAskedAndKept)
{
    const PrintSourceRows rows{rowNamed(u"Sato"_s), rowNamed(u"Ito"_s), nullptr};
    const PrintReceivers receivers(rows);
    ASSERT_EQ(receivers.size(), 3);
    const PrintContactRecordPtr first = receivers.at(0);
    rename(rows.at(0), u"Kato"_s);
    rename(rows.at(1), u"Abe"_s);
    EXPECT_EQ(receivers.at(0), first);
    EXPECT_EQ(familyOf(receivers.at(0)), u"Sato"_s);
    EXPECT_EQ(familyOf(receivers.at(1)), u"Abe"_s);
    EXPECT_EQ(receivers.at(1)->source, rows.at(1));
    // A copy shares what was made; a list made afresh reads the rows afresh.
    const PrintReceivers copy = receivers;
    EXPECT_EQ(copy.at(0), first);
    EXPECT_EQ(familyOf(PrintReceivers(rows).at(0)), u"Kato"_s);
    // A null row has no value, and nothing stands past the end.
    EXPECT_EQ(receivers.at(2), nullptr);
    EXPECT_EQ(receivers.at(3), nullptr);
    EXPECT_EQ(receivers.at(-1), nullptr);
    const PrintContactList all = receivers.all();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all.first(), first);
}

struct IndexCase {
    const char *what;
    bool madeOfValues;
};

class PrintReceiversIndex : public testing::TestWithParam<IndexCase> { };

// The sender's row is found among the receivers, in a list of rows and in a
// list of values made by hand alike.
TEST_P(PrintReceiversIndex, FindsARowAmongTheReceivers)
{
    const PrintSourceRows rows{rowNamed(u"Sato"_s), rowNamed(u"Ito"_s)};
    PrintContactList values;
    for (const SubContactRecordPtr &row : rows)
        values.append(PrintReceivers::valueOfRow(row));
    const PrintReceivers receivers = GetParam().madeOfValues ? PrintReceivers(values) : PrintReceivers(rows);
    EXPECT_EQ(receivers.indexOfRow(rows.at(1)), 1) << GetParam().what;
    EXPECT_EQ(receivers.indexOfRow(rowNamed(u"Abe"_s)), -1) << GetParam().what;
    EXPECT_EQ(receivers.indexOfRow(nullptr), -1) << GetParam().what;
    EXPECT_EQ(familyOf(receivers.at(1)), u"Ito"_s) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Rows, PrintReceiversIndex,
    testing::Values(IndexCase{"rows", false}, IndexCase{"values", true}),
    [](const testing::TestParamInfo<IndexCase> &info) { return std::string(info.param.what); });

} // namespace
