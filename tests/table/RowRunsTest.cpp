// Reloading and reordering many rows: the sender row, the rows continuing a
// contact and the reordered rows stand as a plain pass over the rows puts
// them, across tables larger than the passes read ahead.
#include "TableTestSupport.h"

#include "model/MVPerson.h"
#include "table/ContactTableModel.h"
#include "table/PersonPlaces.h"

using namespace TableTest;

namespace {

// The generated contacts have two or three addresses each.
struct SenderCase {
    const char *name;
    SortDescriptor descriptor;
    // The contacts and the address positions that print as the sender.
    QList<std::pair<int, int>> senders;
};

void PrintTo(const SenderCase &row, std::ostream *out)
{
    *out << row.name;
}

// The last row, in the rows' order, whose address at the row's position
// prints as the sender.
qsizetype lastRowPrintingTheSender(const QList<SubContactRecordPtr> &rows)
{
    qsizetype found = -1;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const LabeledValueList &addresses = *rows.at(row)->person->addressValues();
        const qint64 position = rows.at(row)->labelIndex;
        if (position < addresses.size() && std::as_const(addresses.at(position)->layout)->printsSender())
            found = row;
    }
    return found;
}

class SenderOfReload : public TableTestCase, public testing::WithParamInterface<SenderCase> { };

TEST_P(SenderOfReload, IsTheLastRowWhoseAddressPrintsItAndContinuedRowsAreMarked)
{
    const ContactTablePtr contacts = generatedTable(400);
    for (const auto &[contact, position] : GetParam().senders)
        contacts->at(contact)->person->addressValues()->at(position)->layout->sender = true;
    ContactTableModel model;
    model.setContactTable(contacts);
    model.setColumnIdentifiers({"Name", "Address"});
    model.setSelectedLabels({"All"});
    model.updateSubContactTable();
    model.sortSubContactTable({GetParam().descriptor});

    const SubContactRecordPtr sender = model.reload();

    const QList<SubContactRecordPtr> &rows = model.subContactTable();
    const qsizetype expected = lastRowPrintingTheSender(rows);
    EXPECT_EQ(sender, expected < 0 ? nullptr : rows.at(expected));
    for (qsizetype row = 0; row < rows.size(); ++row)
        EXPECT_EQ(rows.at(row)->notFirstRow, row > 0 && rows.at(row - 1)->uniqueId == rows.at(row)->uniqueId) << row;
}

INSTANTIATE_TEST_SUITE_P(Orders, SenderOfReload,
    testing::Values(SenderCase{"none", {"compositeName", true}, {}},
        SenderCase{"ascending", {"compositeName", true}, {{3, 1}, {150, 0}, {399, 2}, {398, 1}}},
        SenderCase{"descending", {"compositeName", false}, {{3, 1}, {150, 0}, {399, 2}, {398, 1}}},
        // Rows of one contact apart from each other.
        SenderCase{"by street", {"Street", true}, {{0, 0}, {0, 1}, {201, 1}, {399, 0}}},
        SenderCase{"first row only", {"compositeName", false}, {{0, 0}}},
        SenderCase{"two of one contact", {"compositeName", true}, {{7, 0}, {7, 1}}}),
    [](const auto &info) {
        QString name = QString::fromLatin1(info.param.name);
        name.replace(u' ', u'_');
        return name.toStdString();
    });

// Each row as its contact's identifier and its position.
QStringList rowKeys(const QList<SubContactRecordPtr> &rows)
{
    QStringList keys;
    for (const SubContactRecordPtr &row : rows)
        keys.append(QStringLiteral("%1:%2/%3").arg(row->uniqueId.toString()).arg(row->labelIndex).arg(row->numLines));
    return keys;
}

void buildSortAndMeasure(ContactTableModel &model, const ContactTablePtr &contacts, const SortDescriptor &descriptor)
{
    model.setContactTable(contacts);
    model.setColumnIdentifiers({"Name", "Note", "Phone", "Address"});
    model.setSelectedLabels({"All"});
    model.updateSubContactTable();
    model.sortSubContactTable({descriptor});
    (void)model.heightsOfRows();
}

class ManyRowsReordered : public TableTestCase, public testing::WithParamInterface<const char *> { };

// Thousands of contacts, many of one name, their rows first sorted by a key
// of single rows or of the whole contact, and the list then reversed.
TEST_P(ManyRowsReordered, StandAsARebuildAndSortPutsThem)
{
    const ContactTablePtr contacts = generatedTable(3000);
    ContactTableModel model;
    buildSortAndMeasure(model, contacts, {QString::fromLatin1(GetParam()), true});
    std::reverse(contacts->begin(), contacts->end());

    ASSERT_TRUE(model.reorderRows({"compositeName", false}));
    ContactTableModel rebuilt;
    buildSortAndMeasure(rebuilt, contacts, {"compositeName", false});
    EXPECT_EQ(rowKeys(model.subContactTable()), rowKeys(rebuilt.subContactTable()));
}

INSTANTIATE_TEST_SUITE_P(From, ManyRowsReordered, testing::Values("compositeName", "Phone", "Street"));

TEST(PersonPlaces, FindsEachPersonsPlaceAndKeepsTheFirstPlaceOfAPerson)
{
    QList<MVPersonPtr> persons;
    for (int index = 0; index < 5000; ++index)
        persons.append(MVPerson::init());
    PersonPlaces places(persons.size());
    for (qsizetype place = 0; place < persons.size(); ++place)
        ASSERT_TRUE(places.insert(persons.at(place).get(), place));
    EXPECT_FALSE(places.insert(persons.at(17).get(), 99999));
    EXPECT_EQ(places.size(), persons.size());
    for (qsizetype place = 0; place < persons.size(); ++place)
        ASSERT_EQ(places.find(persons.at(place).get()), place);
    const MVPersonPtr stranger = MVPerson::init();
    EXPECT_EQ(places.find(stranger.get()), -1);
    EXPECT_EQ(places.find(nullptr), -1);
}

} // namespace
