#include "ViewControllerFixture.h"

#include "../interchange/PostalTestFiles.h"
#include "common/Screenshot.h"
#include "interchange/PostalDatabase.h"
#include "interchange/widgets/ZipResultModel_p.h"
#include "interchange/widgets/ZipSheetController.h"
#include "model/ContactIdentifier.h"
#include "app/ZipSheetCommand.h"
#include "model/MVPerson.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

std::shared_ptr<const PostalDatabase> sampleDatabase()
{
    static const std::shared_ptr<const PostalDatabase> database
        = PostalTestFiles::database(u"zip-sheet"_s, PostalTestFiles::toyamaAreaLines());
    return database;
}

class ZipSheet : public ViewControllerTest {
protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        m_window.zipSheetCommand()->setPostalDatabase(sampleDatabase());
        m_controller.setEditState(true);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    MVPerson &person(int i) const { return *top()->contactTable->at(i)->person; }

    void giveAddress(int i, const QString &zip, const QString &state, const QString &city, const QString &street)
    {
        auto address = std::make_shared<LabeledValueRecord>();
        address->label = u"home"_s;
        address->labelIndex = 0;
        address->address->zip = zip;
        address->address->state = state;
        address->address->city = city;
        address->address->street = street;
        person(i).setValue(LabeledValueList{address}, FieldId::Address);
    }

    // Selects contact i's first row and opens the sheet by the ZIP button.
    ZipSheetController &openFor(int i)
    {
        const ContactRecordPtr &contact = top()->contactTable->at(i);
        m_table.selectedSubContactsList = {std::make_shared<SubContactRecord>(contact->person, contact->uniqueId, 0)};
        m_window.validateMenus();
        EXPECT_TRUE(m_window.zipButton()->isEnabled());
        QTest::mouseClick(m_window.zipButton(), Qt::LeftButton);
        ZipSheetController *sheet = m_window.zipSheetCommand()->zipSheetController();
        EXPECT_TRUE(sheet && sheet->isVisible());
        return *sheet;
    }

    static QStringList zipsShown(const ZipSheetController &sheet)
    {
        QStringList zips;
        const QAbstractItemModel *model = sheet.tableView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            zips.append(model->index(row, 0).data().toString());
        return zips;
    }

    static void chooseRow(ZipSheetController &sheet, int row)
    {
        QTableView *table = sheet.tableView();
        QTest::mouseClick(
            table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 2)).center());
    }

    // Typed as the user types: into the sheet's window, whichever of its
    // widgets has the keyboard.
    static void typeIntoSheet(ZipSheetController &sheet, const QByteArray &keys)
    {
        QApplication::setActiveWindow(&sheet);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&sheet));
        for (const char key : keys)
            QTest::keyClick(sheet.windowHandle(), key);
    }

    [[nodiscard]] LabeledValueRecord::AddressParts addressOf(int i) const
    {
        const LabeledValueRecordPtr address = person(i).labeledValueForIdentifierAtIndex(FieldId::Address, 0);
        return address ? address->addressParts() : LabeledValueRecord::AddressParts();
    }
};

TEST_F(ZipSheet, ButtonNeedsASelectedRow)
{
    m_table.selectedSubContactsList.clear();
    m_window.validateMenus();
    EXPECT_FALSE(m_window.zipButton()->isEnabled());
}

TEST_F(ZipSheet, SeedsByCodeAndByPrefectureAndCity)
{
    giveAddress(0, u"100-0001"_s, {}, {}, {});
    ZipSheetController &byCode = openFor(0);
    EXPECT_EQ(byCode.inputField()->text(), u"100-0001"_s);
    EXPECT_EQ(zipsShown(byCode), QStringList{u"100-0001"_s});
    EXPECT_FALSE(byCode.pasteButton()->isEnabled());
    QTest::mouseClick(byCode.cancelButton(), Qt::LeftButton);

    giveAddress(1, {}, u"東京都"_s, u"中央区"_s, {});
    ZipSheetController &byAddress = openFor(1);
    EXPECT_EQ(byAddress.inputField()->text(), u"東京都中央区"_s);
    EXPECT_EQ(zipsShown(byAddress), QStringList{u"103-0027"_s});
    Screenshot::grab(&byAddress);
    QTest::mouseClick(byAddress.cancelButton(), Qt::LeftButton);

    ZipSheetController &empty = openFor(2);
    EXPECT_TRUE(empty.inputField()->text().isEmpty());
    EXPECT_EQ(empty.inputField()->placeholderText(), u"Input ZIP or Address here"_s);
    EXPECT_TRUE(zipsShown(empty).isEmpty());
    QTest::mouseClick(empty.cancelButton(), Qt::LeftButton);
}

// A code hit into a row without address: a "home" address of four parts,
// one undo step, the window marked edited.
TEST_F(ZipSheet, CodeHitAddsAHomeAddress)
{
    ZipSheetController &sheet = openFor(3);
    QTest::keyClicks(sheet.inputField(), u"1010021"_s);
    ASSERT_EQ(zipsShown(sheet), QStringList{u"101-0021"_s});
    EXPECT_FALSE(sheet.pasteButton()->isEnabled());
    chooseRow(sheet, 0);
    ASSERT_TRUE(sheet.pasteButton()->isEnabled());
    QTest::mouseClick(sheet.pasteButton(), Qt::LeftButton);
    // The paste runs once the sheet's done() has returned, not inside it.
    EXPECT_FALSE(person(3).labeledValueForIdentifierAtIndex(FieldId::Address, 0));
    endTurn();
    const LabeledValueRecordPtr added = person(3).labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->label, u"home"_s);
    EXPECT_EQ(added->addressParts().zip, u"101-0021"_s);
    EXPECT_EQ(added->addressParts().state + added->addressParts().city + added->addressParts().street,
        u"東京都千代田区外神田"_s);
    EXPECT_TRUE(m_window.isWindowModified());
    endTurn();
    m_controller.undo();
    EXPECT_FALSE(person(3).labeledValueForIdentifierAtIndex(FieldId::Address, 0));
}

// An address hit takes over only its code; the placeholder street of a code
// hit leaves the street as it was.
TEST_F(ZipSheet, AddressHitChangesOnlyTheCodeAndThePlaceholderStreetIsKept)
{
    giveAddress(0, u"999-9999"_s, u"東京都"_s, u"中央区"_s, u"銀座1-1"_s);
    ZipSheetController &sheet = openFor(0);
    chooseRow(sheet, 0);
    QTest::mouseClick(sheet.pasteButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(addressOf(0).zip, u"103-0027"_s);
    EXPECT_EQ(addressOf(0).city + addressOf(0).street, u"中央区銀座1-1"_s);

    ZipSheetController &again = openFor(0);
    again.inputField()->setText(u"1000000"_s);
    ASSERT_EQ(zipsShown(again), QStringList{u"100-0000"_s});
    chooseRow(again, 0);
    QTest::mouseClick(again.pasteButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(addressOf(0).zip, u"100-0000"_s);
    EXPECT_EQ(addressOf(0).city + addressOf(0).street, u"千代田区銀座1-1"_s);
}

// The hit's town takes the old town's place; block, house number and
// building stay.
TEST_F(ZipSheet, CodeHitKeepsTheHouseNumber)
{
    for (const auto &[street, pasted] : {std::pair(u"八尾町上新町2-3-20 メゾン101"_s, u"千代田2-3-20 メゾン101"_s),
             std::pair(QString(), u"千代田"_s)}) {
        giveAddress(0, u"939-2342"_s, u"富山県"_s, u"富山市"_s, street);
        ZipSheetController &sheet = openFor(0);
        sheet.inputField()->clear();
        QTest::keyClicks(sheet.inputField(), u"1000001"_s);
        ASSERT_EQ(zipsShown(sheet), QStringList{u"100-0001"_s});
        chooseRow(sheet, 0);
        QTest::mouseClick(sheet.pasteButton(), Qt::LeftButton);
        endTurn();
        const LabeledValueRecord::AddressParts parts = addressOf(0);
        EXPECT_EQ(QStringList({parts.zip, parts.state, parts.city, parts.street}),
            QStringList({u"100-0001"_s, u"東京都"_s, u"千代田区"_s, pasted}));
        endTurn();
        m_controller.undo();
        EXPECT_EQ(addressOf(0).street, street);
    }
}

// Every opening puts the keyboard in the search field, the seeded query
// selected: what is typed replaces it, though Paste had the keyboard last.
TEST_F(ZipSheet, EveryOpeningTakesTypingIntoTheSearchField)
{
    giveAddress(1, {}, u"東京都"_s, u"中央区"_s, {});
    for (const int row : {3, 1}) {
        ZipSheetController &sheet = openFor(row);
        typeIntoSheet(sheet, "1000001");
        EXPECT_EQ(sheet.inputField()->text(), u"1000001"_s);
        ASSERT_EQ(zipsShown(sheet), QStringList{u"100-0001"_s});
        chooseRow(sheet, 0);
        QTest::mouseClick(sheet.pasteButton(), Qt::LeftButton);
        endTurn();
        EXPECT_EQ(addressOf(row).zip, u"100-0001"_s);
    }
}

TEST_F(ZipSheet, CancelChangesNothing)
{
    giveAddress(0, u"100-0001"_s, {}, {}, {});
    ZipSheetController &sheet = openFor(0);
    chooseRow(sheet, 0);
    QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(addressOf(0).state, QString());
    EXPECT_FALSE(m_window.isWindowModified());
    EXPECT_FALSE(m_window.undoManager()->canUndo());
}

// Looking up works while locked; pasting is never offered.
TEST_F(ZipSheet, LockedWindowDisablesPaste)
{
    m_controller.setEditState(false);
    giveAddress(0, u"100-0001"_s, {}, {}, {});
    ZipSheetController &sheet = openFor(0);
    ASSERT_EQ(zipsShown(sheet), QStringList{u"100-0001"_s});
    chooseRow(sheet, 0);
    EXPECT_FALSE(sheet.pasteButton()->isEnabled());
    QTest::keyClick(sheet.inputField(), Qt::Key_Return);
    EXPECT_TRUE(sheet.isVisible());
    QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(addressOf(0).state, QString());
}

// ZipResultModel, as the sheet's table shows it: the hits of the typed code,
// narrowing digit by digit. An office is looked up only when no area line
// has the code.
TEST_F(ZipSheet, ResultTableFollowsTheTypedCode)
{
    ZipSheetController &sheet = openFor(3);
    const QAbstractItemModel *model = sheet.tableView()->model();
    const auto cell = [model](int column) { return model->index(0, column).data().toString(); };
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(ZipResultModel::CompanyColumn, Qt::Horizontal).toString(), u"Company"_s);

    QTest::keyClicks(sheet.inputField(), u"10"_s);
    EXPECT_EQ(zipsShown(sheet), (QStringList{u"100-0000"_s, u"100-0001"_s, u"101-0021"_s, u"103-0027"_s}));
    QTest::keyClicks(sheet.inputField(), u"0"_s);
    EXPECT_EQ(zipsShown(sheet), (QStringList{u"100-0000"_s, u"100-0001"_s}));
    QTest::keyClicks(sheet.inputField(), u"0001"_s);
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(ZipResultModel::ZipColumn), u"100-0001"_s);
    EXPECT_EQ(cell(ZipResultModel::CompanyColumn), QString());
    EXPECT_EQ(cell(ZipResultModel::AddressColumn), u"東京都千代田区千代田 ﾁﾖﾀﾞｸ ﾁﾖﾀﾞ"_s);
    Screenshot::grab(&sheet);

    sheet.inputField()->clear();
    QTest::keyClicks(sheet.inputField(), u"1028554"_s);
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(ZipResultModel::ZipColumn), u"102-8554"_s);
    EXPECT_EQ(cell(ZipResultModel::CompanyColumn), u"上智大学"_s);
    EXPECT_TRUE(cell(ZipResultModel::AddressColumn).startsWith(u"東京都千代田区紀尾井町７－１"_s))
        << cell(ZipResultModel::AddressColumn).toStdString();

    sheet.inputField()->clear();
    QTest::keyClicks(sheet.inputField(), u"999"_s);
    EXPECT_EQ(model->rowCount(), 0);

    sheet.inputField()->clear();
    QTest::keyClicks(sheet.inputField(), u"10"_s);
    chooseRow(sheet, 2);
    const QModelIndexList chosen = sheet.tableView()->selectionModel()->selectedRows();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.first().row(), 2);
    EXPECT_EQ(chosen.first().data().toString(), u"101-0021"_s);
    QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
}

} // namespace
