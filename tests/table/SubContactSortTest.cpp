#include "TableTestSupport.h"

#include "model/MVPerson.h"
#include "platform/contacts/ContactLabels.h"
#include "table/ContactTableModel.h"
#include "table/SubContactTableSorter.h"

using namespace TableTest;

namespace {

const QString home = ContactLabels::home;

struct SortCase {
    const char *key;
    bool ascending;
    QStringList order;
};

void PrintTo(const SortCase &row, std::ostream *out)
{
    *out << row.key << (row.ascending ? " ascending" : " descending");
}

// Rows in this order before sorting: Ann:0 Ann:1 Bo:0 Leea:0 Acme:0 Cy:0.
ContactTablePtr sortedContacts()
{
    StoreContact ann = person("Ann", "Lee");
    setEmails(ann, {{home, "ann@b.example"}, {home, "Ann@a.example"}});
    ann.setBirthday(StoreDateComponents{1980, 5, 1});
    StoreContact bo = person("Bo");
    setEmails(bo, {{home, "bo@"}});
    bo.setBirthday(StoreDateComponents{std::nullopt, 1, 2});
    StoreContact leea = person("", "Leea");
    leea.setBirthday(StoreDateComponents{1970, 2, 30});
    StoreContact acme = company("Acme");
    setEmails(acme, {{home, "info@c.example"}});
    acme.setBirthday(StoreDateComponents{1990, 1, 1});
    StoreContact cy = person("Cy", "Lee");
    setEmails(cy, {{home, "cy@"}});
    return table({ann, bo, leea, acme, cy});
}

class SubContactSort : public TableTestCase, public testing::WithParamInterface<SortCase> { };

TEST_P(SubContactSort, OrdersTheRowsByTheKeyOfEachRow)
{
    ContactTableModel model;
    model.setContactTable(sortedContacts());
    model.setColumnIdentifiers({"Name", "Email"});
    model.setSelectedLabels({"All"});
    model.updateSubContactTable();
    model.sortSubContactTable({{QString::fromUtf8(GetParam().key), GetParam().ascending}});
    EXPECT_EQ(rowNames(model.subContactTable()), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(Keys, SubContactSort,
    testing::Values(SortCase{"Email", true, {"Ann:1", "Ann:0", "Bo:0", "Cy:0", "Acme:0", ":0"}},
        SortCase{"Email", false, {"Acme:0", "Cy:0", "Bo:0", "Ann:0", "Ann:1", ":0"}},
        // Continuation rows, no birthday and February 30 are no date; a
        // birthday without a year is in the year 1.
        SortCase{"Birthday", true, {"Ann:1", ":0", "Cy:0", "Bo:0", "Ann:0", "Acme:0"}},
        SortCase{"Email domain", true, {"Ann:1", "Ann:0", "Acme:0", "Bo:0", ":0", "Cy:0"}},
        SortCase{"Email username", true, {"Ann:0", "Ann:1", "Bo:0", "Cy:0", "Acme:0", ":0"}},
        SortCase{"LastName", true, {"Acme:0", "Bo:0", ":0", "Ann:0", "Ann:1", "Cy:0"}},
        SortCase{"FirstName", false, {":0", "Cy:0", "Bo:0", "Ann:0", "Ann:1", "Acme:0"}},
        // Equal keys, or a key that names nothing: the order stays.
        SortCase{"Note", true, {"Ann:0", "Ann:1", "Bo:0", ":0", "Acme:0", "Cy:0"}}));

// Two contacts of one name, multi-line rows, a company and a deleted
// contact, in the order a rebuild meets them.
ContactTablePtr contactsWithTies()
{
    StoreContact ann = person("Ann", "Lee");
    setEmails(ann, {{home, "ann@b.example"}, {home, "ann@a.example"}});
    ann.setNote("two\nlines");
    StoreContact twin = person("Ann", "Lee");
    setEmails(twin, {{home, "twin@z.example"}});
    StoreContact cy = person("Cy", "Lee");
    setEmails(cy, {{home, "cy@c.example"}, {home, "cy@b.example"}, {home, "cy@a.example"}});
    StoreContact acme = company("Acme");
    acme.setNote("our\nsupplier\nsince 1990");
    const ContactTablePtr contacts = table({ann, person("Bo"), twin, acme, person("Gone"), cy, person("", "Leea")});
    contacts->at(4)->deleted = true;
    return contacts;
}

// Each row as "<list place>:<position>/<lines>".
QStringList rowPlaces(const ContactTableModel &model)
{
    QStringList places;
    for (const SubContactRecordPtr &row : model.subContactTable()) {
        qsizetype place = 0;
        while (model.contactTable()->at(place)->person != row->person)
            ++place;
        places.append(QStringLiteral("%1:%2/%3").arg(place).arg(row->labelIndex).arg(row->numLines));
    }
    return places;
}

void buildAndMeasure(ContactTableModel &model, const ContactTablePtr &contacts, const SortDescriptor &descriptor)
{
    model.setContactTable(contacts);
    model.setColumnIdentifiers({"Name", "Note", "Email"});
    model.setSelectedLabels({"All"});
    model.updateSubContactTable();
    model.sortSubContactTable({descriptor});
    (void)model.heightsOfRows();
}

struct ReorderCase {
    SortDescriptor from;
    SortDescriptor to;
    bool reordered;
};

void PrintTo(const ReorderCase &row, std::ostream *out)
{
    *out << qPrintable(row.from.key) << " to " << qPrintable(row.to.key)
         << (row.to.ascending ? " ascending" : " descending");
}

class RowsReordered : public TableTestCase, public testing::WithParamInterface<ReorderCase> { };

// A sort by a key the whole contact shares moves the rows there, with the
// lines measured for them, into the order a rebuild and sort makes, ties
// in the contact list's order; a key of single rows is left to a rebuild.
TEST_P(RowsReordered, AsARebuildAndSortOrdersThemAfterTheListMoved)
{
    const ContactTablePtr contacts = contactsWithTies();
    ContactTableModel model;
    buildAndMeasure(model, contacts, GetParam().from);
    const QStringList before = rowPlaces(model);
    // The window sorts its contact list first; reversed here.
    std::reverse(contacts->begin(), contacts->end());

    ASSERT_EQ(model.reorderRows(GetParam().to), GetParam().reordered);
    if (!GetParam().reordered) {
        EXPECT_EQ(rowPlaces(model).size(), before.size());
        return;
    }
    ContactTableModel rebuilt;
    buildAndMeasure(rebuilt, contacts, GetParam().to);
    EXPECT_EQ(rowPlaces(model), rowPlaces(rebuilt));
}

INSTANTIATE_TEST_SUITE_P(Keys, RowsReordered,
    testing::Values(ReorderCase{{"compositeName", true}, {"compositeName", false}, true},
        ReorderCase{{"compositeName", true}, {"compositeName", true}, true},
        ReorderCase{{"Email", true}, {"LastName", true}, true},
        ReorderCase{{"Email domain", false}, {"FirstName", false}, true},
        ReorderCase{{"compositeName", true}, {"Note", true}, true},
        ReorderCase{{"compositeName", true}, {"PhoneticLastName", true}, true},
        ReorderCase{{"compositeName", true}, {"Email", true}, false},
        ReorderCase{{"compositeName", true}, {"Birthday", true}, false}));

class ReorderedRows : public TableTestCase { };

// Rows made before a contact came or went are not the list's: they are made
// again.
TEST_F(ReorderedRows, AreNotThoseMadeBeforeAContactCameOrWent)
{
    const ContactTablePtr contacts = contactsWithTies();
    ContactTableModel model;
    buildAndMeasure(model, contacts, {"compositeName", true});
    contacts->append(record(person("Dee")));
    EXPECT_FALSE(model.reorderRows({"compositeName", true}));
    contacts->removeLast();
    contacts->first()->deleted = true;
    EXPECT_FALSE(model.reorderRows({"compositeName", true}));
    contacts->first()->deleted = false;
    EXPECT_TRUE(model.reorderRows({"compositeName", true}));
}

class SubContactSortOfManyKeys : public TableTestCase, public testing::WithParamInterface<bool> { };

// The keys of a large table fill several blocks, and a name longer than a
// block takes one of its own: the rows still stand in the order of their
// texts compared without case, equal names in the order they had.
TEST_P(SubContactSortOfManyKeys, OrdersAsTheTextsCompareWithoutCase)
{
    QList<StoreContact> people;
    for (int index = 0; index < 12000; ++index) {
        const QString given
            = QString::fromLatin1(index % 3 == 0 ? "ann" : "Bo") + QString::number((index * 7919) % 4001);
        people.append(person(index == 6000 ? QString(70000, u'b') : given, QString::number(index % 5)));
    }
    ContactTableModel model;
    model.setContactTable(table(people));
    model.setColumnIdentifiers({"Name"});
    model.setSelectedLabels({"All"});
    model.updateSubContactTable();
    QList<SubContactRecordPtr> expected = model.subContactTable();
    const bool ascending = GetParam();
    std::stable_sort(expected.begin(), expected.end(), [ascending](const auto &a, const auto &b) {
        const int order = QString::compare(a->person->compositeName(), b->person->compositeName(), Qt::CaseInsensitive);
        return ascending ? order < 0 : order > 0;
    });
    model.sortSubContactTable({{"compositeName", ascending}});
    EXPECT_TRUE(model.subContactTable() == expected);
}

INSTANTIATE_TEST_SUITE_P(Directions, SubContactSortOfManyKeys, testing::Bool(),
    [](const testing::TestParamInfo<bool> &info) { return info.param ? "Ascending" : "Descending"; });

// A rebuild for a sort orders whole contacts before making their rows, and
// single rows after: either way the rows, their order and their lines are
// those of a rebuild sorted afterwards.
class SortedRebuild : public TableTestCase, public testing::WithParamInterface<SortDescriptor> { };

TEST_P(SortedRebuild, GivesTheRowsOfARebuildSortedAfterwards)
{
    for (const ContactTablePtr &contacts : {contactsWithTies(), generatedTable(300)}) {
        ContactTableModel expected;
        buildAndMeasure(expected, contacts, GetParam());
        ContactTableModel model;
        model.setContactTable(contacts);
        model.setColumnIdentifiers({"Name", "Note", "Email"});
        model.setSelectedLabels({"All"});

        model.updateSortedSubContactTable({GetParam()});
        (void)model.heightsOfRows();

        EXPECT_EQ(rowPlaces(model), rowPlaces(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, SortedRebuild,
    testing::Values(SortDescriptor{"compositeName", true}, SortDescriptor{"compositeName", false},
        SortDescriptor{"FirstName", true}, SortDescriptor{"LastName", false}, SortDescriptor{"Note", true},
        SortDescriptor{"PhoneticLastName", true}, SortDescriptor{"Email", true}, SortDescriptor{"Birthday", false}),
    [](const testing::TestParamInfo<SortDescriptor> &info) {
        return QString(info.param.key + (info.param.ascending ? "Ascending" : "Descending")).toStdString();
    });

class FoldedKey : public testing::TestWithParam<std::pair<const char *, const char *>> { };

TEST_P(FoldedKey, OrdersAsTheCaseInsensitiveComparisonOfTexts)
{
    const QString a = QString::fromUtf8(GetParam().first);
    const QString b = QString::fromUtf8(GetParam().second);
    const int expected = QString::compare(a, b, Qt::CaseInsensitive);
    const std::u32string keyA = SubContactTableSorter::caseFoldedKey(a);
    const std::u32string keyB = SubContactTableSorter::caseFoldedKey(b);
    EXPECT_EQ(keyA < keyB, expected < 0);
    EXPECT_EQ(keyA == keyB, expected == 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, FoldedKey,
    testing::Values(std::pair{"Leea", "LeeAnn"}, std::pair{"Straße", "STRASSE"}, std::pair{"ΣΊΣΥΦΟΣ", "σίσυφος"},
        std::pair{"İstanbul", "istanbul"}, std::pair{"𐐀x", "𐐨X"}, std::pair{"𐐀", "\uffff"}, std::pair{"ab", "a"},
        std::pair{"やまだ", "ヤマダ"}, std::pair{"Ａ", "ａ"}, std::pair{"_a", "A"}, std::pair{"", "a"}));

} // namespace
