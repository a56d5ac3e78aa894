// The commands that follow the table's selection: Merge Contacts asks for
// two contacts, however many rows show them; Print and the ZIP button for
// any row.
#include "AddressBookTestSupport.h"

#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/TestEnvironment.h"
#include "table/ContactsViewController.h"
#include "app/ContactMenuCommands.h"
#include "app/PrintCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Chosen { OneRow, TwoRowsOfOneContact, RowsOfTwoContacts, EveryRow };

struct MenuCase {
    const char *what;
    Chosen chosen;
    bool merge;
};

class SelectionMenus : public testing::TestWithParam<MenuCase> {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] ContactsViewController &table() const { return *window().contactsViewController(); }

    void click(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTableView &view = *table().tableView();
        QTest::mouseClick(
            view.viewport(), Qt::LeftButton, modifiers, view.visualRect(view.model()->index(row, 1)).center());
    }
    // The first row followed by another row of its contact: a contact with
    // two addresses shows one row for each.
    [[nodiscard]] int firstOfTwoRowsOfOneContact() const
    {
        const QList<SubContactRecordPtr> &rows = table().subContactTable();
        for (int row = 0; row + 1 < rows.size(); ++row) {
            if (rows.at(row)->uniqueId == rows.at(row + 1)->uniqueId)
                return row;
        }
        return -1;
    }
    void choose(Chosen chosen) const
    {
        const int pair = firstOfTwoRowsOfOneContact();
        ASSERT_GE(pair, 0);
        switch (chosen) {
        case Chosen::OneRow:
            click(pair);
            break;
        case Chosen::TwoRowsOfOneContact:
            click(pair);
            click(pair + 1, Qt::ShiftModifier);
            break;
        case Chosen::RowsOfTwoContacts:
            click(pair);
            click(pair + 2, Qt::ShiftModifier);
            break;
        case Chosen::EveryRow:
            click(pair);
            QTest::keyClick(table().tableView(), Qt::Key_A, Qt::ControlModifier);
            break;
        }
    }

    GeneratedAddressBook m_book{12, TestEnvironment::makeScratchFolder(u"selection-menus"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_P(SelectionMenus, FollowTheContactsTheSelectedRowsShow)
{
    const MenuCase &row = GetParam();
    choose(row.chosen);
    ASSERT_FALSE(table().selectedRowIndexes().isEmpty());
    EXPECT_EQ(window().contactCommands()->mergeContactsAction()->isEnabled(), row.merge) << row.what;
    EXPECT_TRUE(window().printCommands()->printAction()->isEnabled()) << row.what;
    EXPECT_TRUE(window().zipButton()->isEnabled()) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Rows, SelectionMenus,
    testing::Values(MenuCase{"OneRow", Chosen::OneRow, false},
        MenuCase{"TwoRowsOfOneContact", Chosen::TwoRowsOfOneContact, false},
        MenuCase{"RowsOfTwoContacts", Chosen::RowsOfTwoContacts, true}, MenuCase{"EveryRow", Chosen::EveryRow, true}),
    [](const testing::TestParamInfo<MenuCase> &info) { return std::string(info.param.what); });

} // namespace
