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
