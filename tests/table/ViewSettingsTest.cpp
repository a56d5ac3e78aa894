#include "TableTestSupport.h"

#include "common/TestEnvironment.h"
#include "platform/UserDefaults.h"
#include "table/ContactsViewController.h"
#include "table/ViewSettings.h"

#include <QHeaderView>
#include <QTableView>

using namespace TableTest;

namespace {

class ViewSettingsTest : public TableTestCase {
protected:
    ViewSettingsTest()
    {
        defaults.setObject(QStringList{"home"}, ViewSettings::selectedLabelsKey);
        defaults.setObject(
            QVariantMap{{"Address", QStringList{"Sender", "Name", "Company"}}}, ViewSettings::viewTypeDictKey);
        defaults.setObject("Address", ViewSettings::selectedViewTypeKey);
        defaults.setObject(
            QVariantMap{{"Name",
                QVariantMap{{"items", QStringList{"compositeName", "LastName"}}, {"selected", "compositeName"}}}},
            ViewSettings::sortOptionsDictKey);
    }

    UserDefaults defaults{TestEnvironment::makeScratchFolder("view-settings") + "/Quillmark.conf"};
};

TEST_F(ViewSettingsTest, ReadsTheStoredSettingsAndWritesEachChangeAtOnce)
{
    ViewSettings settings(defaults);
    EXPECT_EQ(settings.selectedLabels(), QStringList{"home"});
    EXPECT_EQ(settings.selectedColumns(), QStringList({"Sender", "Name", "Company"}));
    EXPECT_EQ(settings.selectedSortKey("Name"), "compositeName");

    settings.setSelectedLabels({"work"});
    settings.setSelectedViewType("Name Only");
    settings.setColumns("Name Only", {"Sender", "Name"});
    EXPECT_EQ(defaults.stringArrayForKey(ViewSettings::selectedLabelsKey), QStringList{"work"});
    EXPECT_EQ(defaults.stringForKey(ViewSettings::selectedViewTypeKey), "Name Only");
    EXPECT_EQ(defaults.dictionaryForKey(ViewSettings::viewTypeDictKey).keys(), QStringList({"Address", "Name Only"}));

    EXPECT_TRUE(settings.setSelectedSortKey("Name", "LastName"));
    defaults.removeObjectForKey(ViewSettings::sortOptionsDictKey);
    EXPECT_FALSE(settings.setSelectedSortKey("Name", "LastName")) << "the same key again";
    EXPECT_FALSE(defaults.objectForKey(ViewSettings::sortOptionsDictKey).isValid());
}

// The table shows what the shared settings hold, not what the defaults were
// changed to behind their back, and its column moves reach the settings.
TEST_F(ViewSettingsTest, ATableGivenSettingsReadsAndStoresThroughThem)
{
    ViewSettings settings(defaults);
    ContactsViewController table(&defaults);
    table.setViewSettings(&settings);
    defaults.setObject(QStringList{"All"}, ViewSettings::selectedLabelsKey);
    defaults.setObject("Gone", ViewSettings::selectedViewTypeKey);
    settings.setColumns("Address", {"Sender", "Name", "Company", "Note"});
    table.resize(700, 300);
    table.show();
    table.setContactTable(generatedTable(3));
    table.updateTable();
    EXPECT_EQ(table.columnIdentifiers(), QStringList({"Sender", "Name", "Company", "Note"}));
    EXPECT_EQ(table.labelFilter(), QStringList{"home"});

    table.tableView()->horizontalHeader()->moveSection(3, 2);
    EXPECT_EQ(settings.selectedColumns(), QStringList({"Sender", "Name", "Note", "Company"}));
    EXPECT_EQ(defaults.dictionaryForKey(ViewSettings::viewTypeDictKey).value("Address").toStringList(),
        settings.selectedColumns());
}

} // namespace
