// The preview beside the table follows the rows the user selects in it, as
// the print will: labels and lists hold exactly the selected rows in the
// table's order, and a postcard shows the contact the detail pane shows.
#include "AddressBookTestSupport.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "detail/ContactDetailPane.h"
#include "print/HagakiViewController.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class SelectionPreview : public testing::TestWithParam<QString> {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] QTableView &table() const { return *window().contactsViewController()->tableView(); }
    [[nodiscard]] HagakiView &preview() const { return *window().hagakiViewController()->hagakiView(); }

    void click(int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(
            table().viewport(), Qt::LeftButton, modifiers, table().visualRect(table().model()->index(row, 1)).center());
    }
    void chooseStyle(const QString &style) const
    {
        for (QAction *item : window().printStylePopup()->menu()->actions()) {
            if (item->data().toString() == style)
                item->trigger();
        }
    }
    [[nodiscard]] QList<SubContactRecordPtr> rows(const QList<int> &indexes) const
    {
        QList<SubContactRecordPtr> records;
        for (const int index : indexes)
            records.append(window().contactsViewController()->subContactTable().at(index));
        return records;
    }
    [[nodiscard]] QList<SubContactRecordPtr> previewed() const
    {
        QList<SubContactRecordPtr> sources;
        for (const PrintContactRecordPtr &receiver : preview().receiverPersons())
            sources.append(receiver->source);
        return sources;
    }

    GeneratedAddressBook m_book{24, TestEnvironment::makeScratchFolder(u"selection-preview"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

// Rows 1 to 7 by Shift+click, then 4, 5 and 6 taken out by Ctrl+click: each
// click deselects the current row, and the preview follows every one.
TEST_P(SelectionPreview, ASelectionWithHolesIsPreviewedExactlyInTheTablesOrder)
{
    chooseStyle(GetParam());
    click(1);
    click(7, Qt::ShiftModifier);
    ASSERT_EQ(previewed(), rows({1, 2, 3, 4, 5, 6, 7}));
    for (const int row : {4, 5, 6})
        click(row, Qt::ControlModifier);
    EXPECT_EQ(previewed(), rows({1, 2, 3, 7}));
    // The first page is the first rows' page, with as many pages as print.
    EXPECT_EQ(preview().receiverPersons().first()->source, rows({1}).first());
    EXPECT_EQ(preview().document().pageCount(), 1);
    Screenshot::grab(&window(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Styles, SelectionPreview, testing::Values(u"Labels"_s, u"Address List"_s),
    [](const testing::TestParamInfo<QString> &info) { return info.param.toStdString().substr(0, 5); });

class ShownContact : public SelectionPreview { };

// The detail pane shows the current row; a card's preview shows the same
// contact, whether the selection was drawn upwards or downwards.
TEST_P(ShownContact, ThePostcardAndEnvelopePreviewShowTheDetailPanesContact)
{
    chooseStyle(GetParam());
    QTest::mouseClick(window().splitButton(1), Qt::LeftButton);
    const ContactDetailPane *detail = m_app.mainView().contactInfoController();
    ASSERT_TRUE(detail);
    const auto shown = [this] { return preview().shownReceiver()->source; };
    click(2);
    click(5, Qt::ShiftModifier);
    EXPECT_EQ(detail->contact(), rows({5}).first());
    EXPECT_EQ(shown(), rows({5}).first());
    click(9);
    click(6, Qt::ShiftModifier);
    EXPECT_EQ(detail->contact(), rows({6}).first());
    EXPECT_EQ(shown(), rows({6}).first());
    // The current row deselected: the last selected row stands for it.
    click(8, Qt::ControlModifier);
    EXPECT_EQ(detail->contact(), rows({9}).first());
    EXPECT_EQ(shown(), rows({9}).first());
    EXPECT_EQ(previewed().size(), 3);
    Screenshot::grab(&window(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Styles, ShownContact, testing::Values(u"Hagaki"_s, u"Envelope"_s),
    [](const testing::TestParamInfo<QString> &info) { return info.param.toStdString(); });

} // namespace
