#include "TableTestSupport.h"

#include "common/Screenshot.h"
#include "model/MVPerson.h"
#include "platform/UserDefaults.h"
#include "platform/contacts/ContactLabels.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableCellEditor.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"
#include "table/FindMarks.h"

#include <QHeaderView>
#include <QPointer>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace TableTest;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString home = ContactLabels::home;
const QString work = ContactLabels::work;

class ContactsViewControllerTest : public TableTestCase {
protected:
    // Shown first: showing puts up the stored view type's columns, which
    // no columns given leaves.
    void show(const ContactTablePtr &contacts, const QStringList &columns = {})
    {
        controller.resize(700, 400);
        controller.show();
        controller.setDelegate(&delegate);
        controller.setContactTable(contacts);
        controller.setSelectedLabels({"All"});
        if (columns.isEmpty())
            return controller.updateTable();
        controller.setColumnIdentifiers(columns);
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

// The view's teardown still sends its viewport events: a table torn down
// while shown with a cell open for editing goes with its view and
// everything in it, and leaves another table as it was.
TEST_F(ContactsViewControllerTest, ATableTornDownWhileACellIsEditedTakesItsViewAlong)
{
    show(table({person("Ann"), person("Bo")}), {"Name", "Phone"});
    ASSERT_TRUE(controller.cellEditor()->editCellInPlace(0, 1));

    auto *torn = new ContactsViewController;
    torn->resize(400, 200);
    torn->show();
    torn->setContactTable(table({person("Cy")}));
    torn->setSelectedLabels({"All"});
    torn->setColumnIdentifiers({"Name"});
    torn->updateSubContactTable();
    torn->reload();
    QTest::mouseClick(torn->tableView()->viewport(), Qt::LeftButton, {},
        torn->tableView()->visualRect(torn->model()->index(0, 0)).center());
    ASSERT_TRUE(torn->cellEditor()->editCellInPlace(0, 0));
    const QPointer<QWidget> tornView = torn->tableView();
    const QPointer<QWidget> tornViewport = torn->tableView()->viewport();
    delete torn;
    EXPECT_TRUE(tornView.isNull());
    EXPECT_TRUE(tornViewport.isNull());
    EXPECT_TRUE(controller.cellEditor()->isEditingCell());
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

TEST_F(ContactsViewControllerTest, HeaderClicksSortAndReverseAndTheDelegateHearsOfANewFirstDescriptorOnly)
{
    show(generatedTable(4), {"Sender", "Name", "Email"});
    QHeaderView *header = controller.tableView()->horizontalHeader();
    const auto clickHeader = [header](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2));
    };
    const QSignalSpy resets(controller.model(), &QAbstractItemModel::modelReset);
    clickHeader(2);
    EXPECT_EQ(resets.size(), 1);
    clickHeader(0);
    EXPECT_EQ(delegate.sortChanges.size(), 1) << "Sender sorts by nothing";
    clickHeader(2);
    ASSERT_EQ(delegate.sortChanges.size(), 2);
    EXPECT_EQ(controller.sortDescriptors().first().key, "Email");
    EXPECT_FALSE(controller.sortDescriptors().first().ascending);
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_GT(cell(0, 2), cell(1, 2));
    controller.setSortDescriptors({{"Email", false}, {"Phone", true}});
    EXPECT_EQ(delegate.sortChanges.size(), 2);
    EXPECT_EQ(UserDefaults::standardUserDefaults().dictionaryForKey("MV1DlastSortDesc"),
        QVariantMap({{"key", "Email"}, {"ascending", false}}));
}

TEST_F(ContactsViewControllerTest, AClickHandsItsRowOverAndSelectedContactsAreEachContactOnceInTheListsOrder)
{
    show(generatedTable(3), {"Sender", "Name", "Phone"});
    controller.setSortDescriptors({{"Phone", false}});
    QTableView *view = controller.tableView();
    const QStringList rows = rowNames(controller.subContactTable());
    // The name column: a press on a phone's label pop-up opens its menu.
    const auto click = [view](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton, modifiers, view->visualRect(view->model()->index(row, 1)).center());
    };
    delegate.selectedRows.clear();
    const int footer = int(rows.size());
    click(footer, {});
    EXPECT_TRUE(delegate.selectedRows.isEmpty());
    EXPECT_FALSE(controller.selectedRowIndexes().contains(footer));
    click(int(rows.indexOf("John:2")), {});
    ASSERT_EQ(delegate.selectedRows.size(), 1);
    EXPECT_EQ(rowNames({delegate.selectedRows.first()}), QStringList({"John:2"}));
    click(int(rows.indexOf("太郎:1")), Qt::ControlModifier);
    click(int(rows.indexOf("John:0")), Qt::ControlModifier);
    const ContactTablePtr &contacts = controller.contactTable();
    EXPECT_EQ(controller.selectedContacts(), QList<ContactRecordPtr>({contacts->at(0), contacts->at(1)}));
    EXPECT_EQ(controller.selectedSubContacts().size(), 3);
}

TEST_F(ContactsViewControllerTest, AFindHitIsShownAtTheFirstRowOfItsPositionFromTheSelectedRowDown)
{
    show(generatedTable(4), {"Sender", "Name", "Phone"});
    const QStringList rows = rowNames(controller.subContactTable());
    controller.selectRowIndexes({int(rows.indexOf("John:0"))});
    delegate.selectedRows.clear();
    auto hit = std::make_shared<ItemAndRangeRecord>();
    hit->uniqueId = controller.contactTable()->at(0)->uniqueId;
    hit->labelIndex = 2; // 太郎 has two phones only
    controller.selectItemAndRange(hit);
    ASSERT_EQ(delegate.selectedRows.size(), 1);
    EXPECT_EQ(rowNames(controller.selectedSubContacts()), QStringList({"John:2"}));
    EXPECT_EQ(delegate.selectedRows.first(), controller.selectedSubContacts().first());
}

// Entering and clearing find strings, one after the other.
class RowHeightsInTheTable : public ContactsViewControllerTest, public testing::WithParamInterface<QStringList> { };

// The table sets its changed rows' heights in one go: each row takes the
// height the model measures for it alone, and starts where the rows above
// it end.
TEST_P(RowHeightsInTheTable, OneLineMultiLineAndPhotoRowsTakeTheHeightsMeasuredRowByRow)
{
    StoreContact ann = person("Ann");
    StoreContact kay = person("Kay");
    setEmails(kay, {{home, "a.very.long.address.of.kay@example.org"}, {work, "kay@example.org"}});
    StoreContact pia = person("Pia");
    pia.setImageData(QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQ"
                                            "DwAEhQGAhKmMIQAAAABJRU5ErkJggg=="));
    setEmails(pia, {{home, "pia.with.a.photo.and.a.long.address@example.org"}});
    const ContactTablePtr contacts = table({ann, kay, pia, person("Una")});
    contacts->at(0)->person->stringValues()->setEntry("Renmei", "Jo\nKim\nLee");
    show(contacts, {"Name", "Renmei", "Email"});
    controller.tableView()->horizontalHeader()->resizeSection(2, 100);
    for (const QString &findString : GetParam())
        controller.setFindString(findString);
    QCoreApplication::processEvents();

    const QTableView &view = *controller.tableView();
    const int rows = controller.model()->rowCount();
    ASSERT_EQ(rows, 6) << "Ann, Kay twice, Pia, Una and the footer";
    EXPECT_EQ(view.rowHeight(0), 3 * controller.rowHeight()) << "Ann's three-line Renmei";
    int top = view.rowViewportPosition(0);
    for (int row = 0; row < rows; ++row) {
        EXPECT_EQ(view.rowHeight(row), controller.model()->heightOfRow(row)) << "row " << row;
        EXPECT_EQ(view.rowViewportPosition(row), top) << "row " << row;
        top += view.rowHeight(row);
    }
}

INSTANTIATE_TEST_SUITE_P(FindStrings, RowHeightsInTheTable,
    testing::Values(QStringList{}, QStringList{"kay"}, QStringList{"kay", ""}, QStringList{"kay", "pia", "o"}));

// A new contact list shown under a sort, as the window shows each load,
// builds and measures its rows once, and shows what a list set, then sorted,
// then rebuilt shows: the same rows, values in each row, heights, selection,
// sort remembered and sort heard of.
class ShownContactTable : public ContactsViewControllerTest, public testing::WithParamInterface<SortDescriptor> {
protected:
    [[nodiscard]] static ContactTablePtr contacts()
    {
        StoreContact ann = person("Ann");
        setPhones(ann, {{home, "03-3333"}, {work, "03-1111"}, {home, "03-2222"}});
        setEmails(ann, {{home, "a.very.long.address.of.ann.that.wraps@example.org"}});
        StoreContact bo = person("Bo");
        setPhones(bo, {{home, "03-1500"}});
        const ContactTablePtr table = TableTest::table({person("Cy"), ann, bo});
        table->append(*generatedTable(3));
        return table;
    }
    // Rows, each row's cells and height, the selection and the sort.
    [[nodiscard]] static QStringList shown(const ContactsViewController &table)
    {
        QStringList lines = rowNames(table.subContactTable());
        const QAbstractItemModel &model = *table.model();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column)
                cells.append(model.index(row, column).data().toString());
            lines.append(cells.join(u'|') + u'#' + QString::number(table.tableView()->rowHeight(row)));
        }
        for (const int row : table.selectedRowIndexes())
            lines.append(u"selected "_s + QString::number(row));
        for (const SortDescriptor &descriptor : table.sortDescriptors())
            lines.append(descriptor.key + (descriptor.ascending ? u" up"_s : u" down"_s));
        lines.append(UserDefaults::standardUserDefaults().dictionaryForKey("MV1DlastSortDesc").value("key").toString());
        return lines;
    }
};

TEST_P(ShownContactTable, BuildsAndMeasuresTheRowsOnceAndShowsWhatSortingThenRebuildingShows)
{
    show(table({person("Old")}), {"Name", "Phone", "Email"});
    controller.tableView()->horizontalHeader()->resizeSection(2, 120);
    RecordingDelegate otherDelegate;
    ContactsViewController other;
    other.resize(700, 400);
    other.show();
    other.setDelegate(&otherDelegate);
    other.setContactTable(table({person("Old")}));
    other.setSelectedLabels({"All"});
    other.setColumnIdentifiers({"Name", "Phone", "Email"});
    other.tableView()->horizontalHeader()->resizeSection(2, 120);
    other.updateTable();

    other.setContactTable(contacts());
    other.setSortDescriptors({GetParam()});
    other.updateTable();
    const QSignalSpy resets(controller.model(), &QAbstractItemModel::modelReset);
    controller.showContactTable(contacts(), {GetParam()});

    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(shown(controller), shown(other));
    EXPECT_EQ(delegate.sortChanges.size(), otherDelegate.sortChanges.size());
}

INSTANTIATE_TEST_SUITE_P(Sorts, ShownContactTable,
    testing::Values(
        SortDescriptor{"compositeName", true}, SortDescriptor{"Phone", true}, SortDescriptor{"Email", false}));

TEST(ContactTableRowHeight, FollowsTheLineOrThePointSizeAndIsAtLeast24)
{
    EXPECT_EQ(ContactsViewController::rowHeightFor(24, 20), 33);
    EXPECT_EQ(ContactsViewController::rowHeightFor(15, 12), 24);
}

// The view types and widths in the settings, stored before the table is
// made: it reads the widths once, as it loads.
struct StoredViewTypes {
    StoredViewTypes()
    {
        UserDefaults &defaults = UserDefaults::standardUserDefaults();
        defaults.removePersistentDomain();
        defaults.setObject(QVariantMap{{"Address", QStringList{"Sender", "Name", "Renmei", "Company", "Address"}},
                               {"Name Only", QStringList{"Sender", "Name"}}},
            "MV1DviewTypeDict");
        defaults.setObject("Address", "MV1DselectedViewType");
        defaults.setObject(
            QVariantMap{{"Renmei", "wide"}, {"Address", -5}, {"Name", 150}}, "MV1DcolumnWidthDictionary");
    }
};

class TableColumns : private StoredViewTypes, public ContactsViewControllerTest {
protected:
    [[nodiscard]] QStringList storedColumns() const
    {
        return UserDefaults::standardUserDefaults()
            .dictionaryForKey("MV1DviewTypeDict")
            .value("Address")
            .toStringList();
    }
};

TEST_F(TableColumns, AViewTypeShowsItsColumnsWhoseWidthsAndMovesAreKept)
{
    show(generatedTable(3));
    EXPECT_EQ(controller.columnIdentifiers(), QStringList({"Sender", "Name", "Renmei", "Company", "Address"}));
    QHeaderView *header = controller.tableView()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(1), 150);
    EXPECT_EQ(header->sectionSize(2), 120) << "no number";
    EXPECT_EQ(header->sectionSize(4), ContactsViewController::labeledColumnWidth) << "not positive: the pop-up's room";
    header->resizeSection(3, 200);
    header->resizeSection(4, 30);
    EXPECT_EQ(header->sectionSize(4), 80);

    controller.setSelectedViewType("Name Only");
    EXPECT_EQ(controller.columnIdentifiers(), QStringList({"Sender", "Name"}));
    EXPECT_EQ(controller.columnWidthDictionary().value("Company").toDouble(), 200);
    controller.setSelectedViewType("Address");
    EXPECT_EQ(header->sectionSize(3), 200);
    controller.setSelectedViewType("Gone");
    EXPECT_EQ(controller.columnIdentifiers(), QStringList({"Sender", "Name"}));

    // Nothing moves into the first two places; another move is stored at once.
    controller.setSelectedViewType("Address");
    header->moveSection(3, 0);
    header->moveSection(1, 4);
    EXPECT_EQ(controller.columnIdentifiers(), QStringList({"Sender", "Name", "Renmei", "Company", "Address"}));
    EXPECT_EQ(storedColumns(), QStringList({"Sender", "Name", "Renmei", "Company", "Address"}));
    header->moveSection(3, 2);
    const QStringList moved{"Sender", "Name", "Company", "Renmei", "Address"};
    EXPECT_EQ(controller.columnIdentifiers(), moved);
    EXPECT_EQ(header->logicalIndex(2), 2);
    EXPECT_EQ(storedColumns(), moved);
}

// Each cell is set up from its own row as it is painted: the company's
// check box from the row's address, the street as a value labeled like its
// address, and the current hit only in the column and the row it was found
// in (the company shows on each of the contact's rows).
TEST_F(ContactsViewControllerTest, ContactTableCellDelegateSetsUpEachCellFromItsRow)
{
    StoreContact ann = person("Ann");
    ann.setOrganizationName("Acme");
    setStreets(ann, {{home, "1 Elm"}, {work, "Ash 2"}});
    show(table({ann, person("Bo")}), {"Sender", "Name", "Company", "Street"});
    controller.contactTable()->first()->person->addressValues()->first()->layout->company = true;
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->uniqueId = controller.contactTable()->first()->uniqueId;
    target->identifier = "Company";
    target->labelIndex = 0;
    target->range = {0, 1};
    controller.setFindString("a");
    controller.setSelectedItemAndRange(target);
    const auto &cells = *qobject_cast<ContactTableCellDelegate *>(controller.tableView()->itemDelegate());
    // The view paints just the cell, so the delegate's cells hold what it shows.
    const auto paint = [this](int row, int column) {
        QWidget &viewport = *controller.tableView()->viewport();
        QImage image(viewport.size(), QImage::Format_ARGB32);
        viewport.render(&image, {}, controller.tableView()->visualRect(controller.model()->index(row, column)));
    };
    paint(0, 2);
    EXPECT_TRUE(cells.checkboxAndTextCell().isChecked());
    EXPECT_FALSE(cells.checkboxAndTextCell().isCheckboxHidden());
    EXPECT_EQ(cells.checkboxAndTextCell().marks().hit(), TextRange({0, 1}));
    paint(1, 2);
    EXPECT_FALSE(cells.checkboxAndTextCell().isChecked());
    EXPECT_EQ(cells.checkboxAndTextCell().marks().hit(), std::nullopt);
    paint(2, 2);
    EXPECT_TRUE(cells.checkboxAndTextCell().isCheckboxHidden());
    paint(1, 3);
    EXPECT_EQ(cells.popupAndTextCell().marks().text(), "Ash 2");
    EXPECT_EQ(cells.popupAndTextCell().labelPopup().titleOfSelectedItem(), "work");
    EXPECT_EQ(cells.popupAndTextCell().marks().hit(), std::nullopt);
}

} // namespace
