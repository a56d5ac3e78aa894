#include "TableTestSupport.h"

#include "common/Screenshot.h"
#include "model/MVPerson.h"
#include "platform/UserDefaults.h"
#include "platform/contacts/ContactLabels.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"
#include "table/FindMarks.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace TableTest;

namespace {

const QString home = ContactLabels::home;
const QString work = ContactLabels::work;

class ContactsViewControllerTest : public TableTestCase {
protected:
    // Shown first: showing puts up the stored view type's columns.
    void show(const ContactTablePtr &contacts, const QStringList &columns)
    {
        controller.resize(700, 400);
        controller.show();
        controller.setDelegate(&delegate);
        controller.setContactTable(contacts);
        controller.setColumnIdentifiers(columns);
        controller.setSelectedLabels({"All"});
        controller.updateSubContactTable();
        controller.reload();
    }
    [[nodiscard]] QString cell(int row, int column) const
    {
        return controller.model()->index(row, column).data().toString();
    }

    RecordingDelegate delegate;
    ContactsViewController controller;
};

TEST_F(ContactsViewControllerTest, SortingByPhoneReordersEachContactsPhonesFirst)
{
    StoreContact ann = person("Ann");
    setPhones(ann, {{home, "03-3333"}, {work, "03-1111"}, {home, "03-2222"}});
    StoreContact bo = person("Bo");
    setPhones(bo, {{home, "03-1500"}});
    show(table({ann, bo}), {"Name", "Phone"});

    controller.setSortDescriptors({{"Phone", true}});
    EXPECT_EQ(rowNames(controller.subContactTable()), QStringList({"Ann:0", "Bo:0", "Ann:1", "Ann:2"}));
    EXPECT_EQ(cell(0, 1), "03-1111");
    EXPECT_EQ(cell(1, 1), "03-1500");
    EXPECT_EQ(cell(3, 1), "03-3333");
    Screenshot::grab(&controller);
}

TEST_F(ContactsViewControllerTest, TheSelectedAddressRowIsFoundAgainByItsTextAfterASort)
{
    StoreContact ann = person("Ann");
    setStreets(ann, {{home, "9 Zeta Road"}, {work, "1 Alpha Road"}});
    show(table({person("Bo"), ann}), {"Name", "Address"});
    ASSERT_TRUE(cell(2, 1).startsWith("1 Alpha Road"));
    controller.selectRowIndexes({2});

    controller.setSortDescriptors({{"Address", true}});
    ASSERT_EQ(controller.selectedRowIndexes().size(), 1);
    const SubContactRecordPtr selected = controller.subContactTable().at(controller.selectedRow());
    EXPECT_EQ(rowNames({selected}), QStringList({"Ann:0"}));
    EXPECT_TRUE(cell(controller.selectedRow(), 1).startsWith("1 Alpha Road"));
}

TEST_F(ContactsViewControllerTest, TheDelegateHearsOnlyOfAChangedFirstDescriptorAndTheSortIsRemembered)
{
    show(generatedTable(4), {"Name", "Email"});
    controller.setSortDescriptors({{"Email", true}});
    controller.setSortDescriptors({{"Email", true}, {"Phone", false}});
    EXPECT_EQ(delegate.sortChanges.size(), 1);
    controller.setSortDescriptors({{"Email", false}});
    controller.setSortDescriptors({});
    EXPECT_EQ(delegate.sortChanges.size(), 2);
    EXPECT_EQ(UserDefaults::standardUserDefaults().dictionaryForKey("MV1DlastSortDesc"),
        QVariantMap({{"key", "Email"}, {"ascending", false}}));
}

TEST_F(ContactsViewControllerTest, AClickHandsItsRowOverAndTheFooterCannotBeSelected)
{
    show(generatedTable(3), {"Sender", "Name", "Phone", "Email"});
    QTableView *view = controller.tableView();
    const auto click = [view](int row) {
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 2)).center());
    };
    click(2);
    ASSERT_EQ(delegate.selectedRows.size(), 1);
    EXPECT_EQ(delegate.selectedRows.first(), controller.subContactTable().at(2));

    const int footer = int(controller.subContactTable().size());
    click(footer);
    EXPECT_EQ(delegate.selectedRows.size(), 1);
    EXPECT_FALSE(controller.selectedRowIndexes().contains(footer));
}

TEST_F(ContactsViewControllerTest, CellsShowTheFindMarksOfTheCurrentHit)
{
    delegate.group->name = "All Contacts";
    show(generatedTable(6), {"Sender", "Name", "Company", "Phone", "Email", "ZIP", "Street"});
    const SubContactRecordPtr first = controller.subContactTable().first();
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->uniqueId = first->uniqueId;
    target->identifier = "Email";
    target->labelIndex = 0;
    target->range = {0, 4};
    controller.setFindString("user");
    controller.setSelectedItemAndRange(target);
    const QImage image = controller.tableView()->viewport()->grab().toImage();
    int orange = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            orange += image.pixelColor(x, y) == FindMarks::hitColor() ? 1 : 0;
    }
    EXPECT_GT(orange, 0);
    Screenshot::grab(&controller);
}

} // namespace
