// A click on the name column's header sorts the contact list and moves the
// rows already made and measured: the rows must stand as a rebuild and a
// fresh sort would put them, each with the height a fresh measure gives.
#include "AddressBookTestSupport.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/TestEnvironment.h"
#include "find/FindBarController.h"
#include "model/MVPerson.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether the find bar holds a text while the header is clicked.
class HeaderResort : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] ContactsViewController &table() const { return *window().contactsViewController(); }
    [[nodiscard]] const ContactTable &contacts() const { return *table().contactTable(); }

    // Half the contacts share one name, so that their order is the ties'
    // order; one contact's company has two lines.
    void giveEqualNames() const
    {
        for (qsizetype place = 0; place < contacts().size(); place += 2) {
            MVPerson &person = *contacts().at(place)->person;
            NameRecord name;
            name.firstName = u"Ann"_s;
            name.lastName = u"Lee"_s;
            person.setValue(name, FieldId::Name);
        }
        contacts().at(3)->person->setValue(u"Acme\nTokyo office"_s, FieldId::Company);
        table().updateTable();
    }

    void clickNameHeader() const
    {
        const int column = int(table().columnIdentifiers().indexOf(FieldId::Name));
        ASSERT_GE(column, 0);
        QHeaderView *header = table().tableView()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 10, 8));
    }

    // The rows a rebuild and a sort of the contact list as it stands make.
    [[nodiscard]] ContactTableModel &freshModel()
    {
        m_fresh.setContactTable(table().contactTable());
        m_fresh.setColumnIdentifiers(table().columnIdentifiers());
        m_fresh.setSelectedLabels(table().labelFilter());
        m_fresh.setRowHeight(table().rowHeight());
        m_fresh.updateSubContactTable();
        m_fresh.sortSubContactTable(table().sortDescriptors());
        return m_fresh;
    }

    [[nodiscard]] static QStringList rowKeys(const QList<SubContactRecordPtr> &rows)
    {
        QStringList keys;
        for (const SubContactRecordPtr &row : rows)
            keys.append(u"%1:%2"_s.arg(row->uniqueId.toString()).arg(row->labelIndex));
        return keys;
    }

    [[nodiscard]] QList<int> shownHeights() const
    {
        QList<int> heights;
        for (int row = 0; row < table().model()->rowCount(); ++row)
            heights.append(table().tableView()->rowHeight(row));
        return heights;
    }

    GeneratedAddressBook m_book{24, TestEnvironment::makeScratchFolder(u"header-resort"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
    ContactTableModel m_fresh;
};

TEST_P(HeaderResort, TheRowsStandAsARebuildPutsThemWithTheirHeights)
{
    giveEqualNames();
    if (GetParam()) {
        QTest::keyClick(&window(), Qt::Key_F, Qt::ControlModifier);
        FindBarController &bar = *window().findBarController();
        QTest::keyClicks(bar.searchField(), u"e"_s);
        QTest::keyClick(bar.searchField(), Qt::Key_Return);
    }
    ASSERT_GT(table().subContactTable().size(), contacts().size());
    for (const bool ascending : {true, false}) {
        clickNameHeader();
        if (table().sortDescriptors().first().ascending != ascending)
            clickNameHeader();
        ASSERT_EQ(table().sortDescriptors().first().key, u"compositeName"_s);
        ContactTableModel &fresh = freshModel();
        EXPECT_EQ(rowKeys(table().subContactTable()), rowKeys(fresh.subContactTable())) << ascending;
        const QList<int> heights = fresh.heightsOfRows();
        EXPECT_EQ(shownHeights(), heights) << ascending;
        EXPECT_TRUE(heights.contains(2 * table().rowHeight()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    FindBar, HeaderResort, testing::Bool(), [](const auto &info) { return info.param ? "Finding" : "NotFinding"; });

} // namespace
