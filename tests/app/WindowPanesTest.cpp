// What the window's panes show at the size the window first opens at: the
// group outline beside the preview, the table beside the detail pane.
#include "AddressBookTestSupport.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoCellDelegate.h"
#include "detail/ContactInfoView.h"
#include "find/FindBarController.h"
#include "print/HagakiViewController.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"
#include "table/TableColumn.h"
#include "table/GroupViewController.h"
#include "platform/contacts/StoreSaveRequest.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace {

class WindowPanes : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] QTableView &table() const { return *window().contactsViewController()->tableView(); }

    // The outline's rows whose whole height lies in its viewport.
    [[nodiscard]] int wholeOutlineRows() const
    {
        QTreeView *outline = window().groupViewController()->outlineView();
        int rows = 0;
        for (QModelIndex index = outline->model()->index(0, 0); index.isValid(); index = outline->indexBelow(index)) {
            if (outline->viewport()->rect().contains(outline->visualRect(index)))
                ++rows;
        }
        return rows;
    }

    [[nodiscard]] QList<int> rowHeights() const
    {
        QList<int> heights;
        for (int row = 0; row < table().model()->rowCount(); ++row)
            heights.append(table().rowHeight(row));
        return heights;
    }

    GeneratedAddressBook m_book{24, TestEnvironment::makeScratchFolder(u"window-panes"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_F(WindowPanes, AtTheFirstRunSizeTheOutlineShowsItsGroupsAndThePreviewGivesWay)
{
    ASSERT_EQ(window().size(), QSize(900, 500));
    QCoreApplication::processEvents();
    // The local container and its four groups.
    EXPECT_GE(wholeOutlineRows(), 5);
    // The card is made smaller, whole and in the paper's proportion.
    const HagakiViewController &preview = *window().hagakiViewController();
    const QRect card = preview.hagakiView()->geometry();
    EXPECT_TRUE(preview.rect().contains(card));
    const QSizeF paper = preview.hagakiView()->bounds().size();
    EXPECT_NEAR(double(card.width()) / card.height(), paper.width() / paper.height(), 0.01);
    Screenshot::grab(&window());

    // A taller window gives the card its full height again.
    window().resize(1200, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.hagakiView()->height(), HagakiViewController::previewHeight);
}

// Every row holds a hit of "a", most of them in texts wider than their
// column: the marks show on the row's line as the row stood.
TEST_F(WindowPanes, WhileTheFindBarIsOpenTheRowsKeepTheirHeights)
{
    const QList<int> before = rowHeights();
    QTest::keyClick(&window(), Qt::Key_F, Qt::ControlModifier);
    FindBarController &bar = *window().findBarController();
    ASSERT_TRUE(bar.isVisible());
    QTest::keyClicks(bar.searchField(), u"a"_s);
    QTest::keyClick(bar.searchField(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(rowHeights(), before);
    Screenshot::grab(&window());
}

// Each part's text beside its label pop-up, for the rows on screen.
TEST_F(WindowPanes, TheAddressDetailViewsDefaultWidthsShowEachPartsText)
{
    for (QAction *item : window().viewTypePopup()->menu()->actions()) {
        if (item->data().toString() == u"Address Detail"_s)
            item->trigger();
    }
    const QStringList columns = window().contactsViewController()->columnIdentifiers();
    const auto &cells = *qobject_cast<ContactTableCellDelegate *>(table().itemDelegate());
    int parts = 0;
    for (int column = 0; column < columns.size(); ++column) {
        if (TableColumn::make(columns.at(column)).kind != TableColumn::Kind::AddressPart)
            continue;
        ++parts;
        for (int row = 0; row < 6; ++row) {
            table().scrollTo(table().model()->index(row, column));
            const QRect rect = table().visualRect(table().model()->index(row, column));
            QImage image(table().viewport()->size(), QImage::Format_ARGB32);
            table().viewport()->render(&image, {}, rect);
            const PopupAndTextCell &cell = cells.popupAndTextCell();
            const int room = rect.right() - cell.popupRect(rect, table().viewport()).right();
            EXPECT_LE(
                QFontMetrics(window().contactsViewController()->model()->selectedFont()).horizontalAdvance(cell.text()),
                room)
                << qPrintable(columns.at(column)) << " " << qPrintable(cell.text());
        }
    }
    EXPECT_GE(parts, 4);
    Screenshot::grab(&window());
}

// A contact with every kind of field: each type's name shows whole.
TEST_F(WindowPanes, TheDetailPanesTypeNamesAreNotCut)
{
    QTest::mouseClick(window().splitButton(1), Qt::LeftButton);
    QTest::mouseClick(
        table().viewport(), Qt::LeftButton, {}, table().visualRect(table().model()->index(5, 1)).center());
    auto *view = qobject_cast<ContactInfoView *>(m_app.mainView().contactInfoController()->tableView());
    ASSERT_TRUE(view);
    const QFontMetrics metrics(view->selectedFont());
    const int room = view->columnWidth(ContactInfoTableModel::TypeColumn) - 28;
    for (int row = 0; row < view->infoModel()->rowCount(); ++row)
        EXPECT_LE(metrics.horizontalAdvance(view->infoModel()->typeText(row)), room)
            << qPrintable(view->infoModel()->typeText(row));
    Screenshot::grab(&window());
}

// The table's check box and name columns, whole beside the pane.
[[nodiscard]] int widthOfFirstColumns(const QTableView &table, int count)
{
    int width = 2 * table.frameWidth() + table.verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < count; ++column)
        width += table.horizontalHeader()->sectionSize(column);
    return width;
}

// The pane opened at the first-run size and at larger frames a user left: it
// keeps between 350 and 550 points and leaves the table its first three
// columns where there is room for them, else all the room it can spare.
TEST_F(WindowPanes, TheDetailPaneLeavesTheTableItsFirstColumns)
{
    const QWidget &pane = *window().splitView()->widget(2);
    const QWidget &tablePane = *window().splitView()->widget(1);
    const int handle = window().splitView()->handleWidth();
    for (const QSize size : {QSize(900, 500), QSize(1000, 600), QSize(1400, 800)}) {
        if (!pane.isHidden())
            QTest::mouseClick(window().splitButton(1), Qt::LeftButton);
        window().resize(size);
        QCoreApplication::processEvents();
        const int room = tablePane.width() - handle;
        QTest::mouseClick(window().splitButton(1), Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(window().width(), size.width());
        EXPECT_GE(tablePane.width(), std::min(widthOfFirstColumns(table(), 3), room - 350)) << size.width();
        EXPECT_GE(pane.width(), 350) << size.width();
        EXPECT_LE(pane.width(), 550) << size.width();
        if (size.width() == 900)
            Screenshot::grab(&window());
    }
    // Narrowed again with the pane open: the check box and the name stay.
    window().resize(900, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(window().width(), 900);
    EXPECT_GE(tablePane.width(), widthOfFirstColumns(table(), 2));
    EXPECT_GE(pane.width(), 350);
}

} // namespace

namespace {

struct UnlabeledRow {
    const char *name;
    const char *viewType; // the view the window opens in
    const char *column; // a column of the address or one of its parts
    const char *text; // the column's text for contact %1
};

// Three contacts whose address has no label, beside the generated ones.
class UnlabeledValues : public WindowPanes, public testing::WithParamInterface<UnlabeledRow> {
protected:
    void SetUp() override
    {
        m_app.userDefaults().setObject(QString::fromUtf8(GetParam().viewType), ViewSettingsKeys::selectedViewTypeKey);
        StoreSaveRequest request;
        for (int k = 0; k < 3; ++k) {
            StoreContact contact;
            contact.setFamilyName(u"Unlabeled%1"_s.arg(k));
            StorePostalAddress address;
            address.street = u"%1 Elm Street"_s.arg(k);
            address.city = u"Dayton"_s;
            contact.setPostalAddresses({{QString(), address}});
            request.addContact(contact);
        }
        ASSERT_TRUE(m_book.store().execute(request));
        ASSERT_TRUE(m_app.launchActive());
    }

    [[nodiscard]] int rowOf(const QString &name) const
    {
        for (int row = 0; row < table().model()->rowCount(); ++row) {
            if (table().model()->index(row, 1).data().toString() == name)
                return row;
        }
        return -1;
    }

    // The label pop-up's title and the text beside it, as the row's column
    // draws them.
    [[nodiscard]] QString drawnAddress(int row) const
    {
        const int column
            = int(window().contactsViewController()->columnIdentifiers().indexOf(QString::fromUtf8(GetParam().column)));
        const QModelIndex index = table().model()->index(row, column);
        table().scrollTo(index);
        QImage image(table().viewport()->size(), QImage::Format_ARGB32);
        table().viewport()->render(&image, {}, table().visualRect(index));
        const auto &cell = qobject_cast<ContactTableCellDelegate *>(table().itemDelegate())->popupAndTextCell();
        return cell.labelPopup().titleOfSelectedItem() + u" | "_s + cell.text();
    }

    // The same in the detail pane, for the contact it shows.
    [[nodiscard]] QString drawnDetailAddress() const
    {
        auto *view = qobject_cast<ContactInfoView *>(m_app.mainView().contactInfoController()->tableView());
        const ContactInfoTableModel &model = *view->infoModel();
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.rowAt(row).type == FieldId::Address && model.labeledValue(row)) {
                const auto &cell = qobject_cast<ContactInfoCellDelegate *>(view->itemDelegate())->labeledCell(row);
                return cell.labelPopup().titleOfSelectedItem() + u" | "_s + cell.text();
            }
        }
        return u"(none)"_s;
    }
};

// Another contact deleted, then the window locked as for printing: the pop-up
// of each unlabeled address still reads "No label", in the table and in the
// detail pane, also in a window that opens on the address's parts.
TEST_P(UnlabeledValues, ShowNoLabelAfterADeleteAndWhileLocked)
{
    QTest::mouseClick(window().splitButton(1), Qt::LeftButton);
    QTest::mouseClick(
        table().viewport(), Qt::LeftButton, {}, table().visualRect(table().model()->index(5, 1)).center());
    for (QAction *item : window().findChildren<QAction *>()) {
        if (item->objectName() == u"deleteContacts"_s)
            item->trigger();
    }
    QCoreApplication::processEvents();
    for (const bool locked : {false, true}) {
        if (locked)
            window().editButton()->trigger();
        for (int k = 0; k < 3; ++k) {
            const int row = rowOf(u"Unlabeled%1"_s.arg(k));
            ASSERT_GE(row, 0);
            EXPECT_EQ(drawnAddress(row), u"No label | "_s + QString::fromUtf8(GetParam().text).arg(k)) << locked;
            QTest::mouseClick(
                table().viewport(), Qt::LeftButton, {}, table().visualRect(table().model()->index(row, 1)).center());
            EXPECT_EQ(drawnDetailAddress(), u"No label | %1 Elm Street Dayton "_s.arg(k)) << locked;
        }
    }
    Screenshot::grab(&window());
}

INSTANTIATE_TEST_SUITE_P(Views, UnlabeledValues,
    testing::Values(UnlabeledRow{"Address", "Address", "Address", "%1 Elm Street Dayton "},
        UnlabeledRow{"AddressDetail", "Address Detail", "Street", "%1 Elm Street"}),
    [](const testing::TestParamInfo<UnlabeledRow> &info) { return std::string(info.param.name); });

} // namespace
