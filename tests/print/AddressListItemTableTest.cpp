#include "print/AddressListItemTableModel.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include "common/DragEvents.h"
#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

ItemTableListPtr builtItems()
{
    const PrintOptionsRecord record = PrintOptions::initPrintOptions(u"en"_s);
    return std::make_shared<ItemTableList>(PrintOptionValue::dictionary(record, AddressList).value(ItemTable).toList());
}

QStringList printedTitles(const ItemTableList &items)
{
    QStringList result;
    for (const QVariant &item : items) {
        if (PrintOptionValue::flag(item.toMap().value(State)))
            result << item.toMap().value(Title).toString();
    }
    return result;
}

class ItemTable : public testing::Test {
protected:
    void SetUp() override
    {
        m_model.setUpView(&m_view);
        m_model.setItems(m_items);
        m_view.resize(260, 460);
        m_view.show();
    }

    QPoint rowCentre(int row) const { return m_view.visualRect(m_model.index(row, 0)).center(); }
    // Just inside the row's top edge: a drop there goes above the row.
    QPoint rowTop(int row) const
    {
        const QRect rect = m_view.visualRect(m_model.index(row, 0));
        return {rect.center().x(), rect.top() + 1};
    }
    // What the view hands the drag for its selection.
    std::unique_ptr<QMimeData> dragOfSelection() const
    {
        return std::unique_ptr<QMimeData>(m_model.mimeData(m_view.selectionModel()->selectedIndexes()));
    }

    ItemTableListPtr m_items = builtItems();
    AddressListItemTableModel m_model;
    QTableView m_view;
};

TEST_F(ItemTable, MainTableColumnsTurnItemsOnButNeverOff)
{
    (*m_items)[2] = QVariantMap{{Title, u"Email"_s}, {State, u"1"_s}, {Enabled, u"1"_s}};
    AddressListItemTableModel::markColumns(*m_items, {u"Name"_s, u"Phone"_s, u"Address"_s});
    EXPECT_EQ(printedTitles(*m_items), QStringList({u"Name"_s, u"Address"_s, u"Email"_s, u"Phone"_s}));
}

TEST_F(ItemTable, ClickingACheckBoxSwitchesAnEnabledItemOnly)
{
    QSignalSpy changed(&m_model, &AddressListItemTableModel::itemStateChanged);
    const auto clickCheckBox = [this](int row) {
        const QRect rect = m_view.visualRect(m_model.index(row, 0));
        QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 10, rect.center().y()));
    };
    clickCheckBox(5); // Phone
    clickCheckBox(0); // Name: the user may not change it
    EXPECT_EQ(printedTitles(*m_items), QStringList({u"Name"_s, u"Phone"_s}));
    EXPECT_EQ(changed.count(), 1);
    Screenshot::grab(&m_view);
}

TEST_F(ItemTable, DraggingTheFourthItemAboveTheSecondMovesIt)
{
    QSignalSpy reordered(&m_model, &AddressListItemTableModel::itemsReordered);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, rowCentre(3));
    const auto data = dragOfSelection();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), u"3"_s);
    EXPECT_TRUE(DragEvents::drop(m_view.viewport(), rowTop(1), data.get()));
    EXPECT_EQ(AddressListItemTableModel::titles(*m_items).mid(0, 5),
        QStringList({u"Name"_s, u"Social Network"_s, u"Address"_s, u"Email"_s, u"Instant Message"_s}));
    EXPECT_EQ(m_items->size(), 17);
    EXPECT_EQ(reordered.count(), 1);
}

TEST_F(ItemTable, DraggingDownEndsAboveTheTargetItem)
{
    // Rows as (from, to): the moved item ends just above the item that was at `to`.
    for (const auto &[from, to, expected] : {std::tuple{1, 4, u"Name Email Social Network Address Instant Message"_s},
             std::tuple{0, 3, u"Address Email Name Social Network Instant Message"_s}}) {
        m_model.setItems(m_items = builtItems());
        ASSERT_TRUE(m_model.moveItem(from, to));
        EXPECT_EQ(AddressListItemTableModel::titles(*m_items).mid(0, 5).join(u' '), expected);
    }
}

TEST_F(ItemTable, RefusedDragsAndDrops)
{
    const QStringList before = AddressListItemTableModel::titles(*m_items);
    // Two rows at once: no drag starts.
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, rowCentre(3));
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(4));
    EXPECT_EQ(dragOfSelection(), nullptr);

    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, rowCentre(3));
    const auto data = dragOfSelection();
    ASSERT_NE(data, nullptr);
    // Above the first row, and onto a row (the view itself takes a drop
    // on a row's middle as one beside it, since no item takes drops).
    EXPECT_FALSE(DragEvents::drop(m_view.viewport(), rowTop(0), data.get()));
    EXPECT_FALSE(m_model.canDropMimeData(data.get(), Qt::CopyAction, -1, -1, m_model.index(2, 0)));
    // From elsewhere, and an index out of range.
    QMimeData foreign;
    foreign.setText(u"3"_s);
    EXPECT_FALSE(DragEvents::drop(m_view.viewport(), rowTop(1), &foreign));
    for (const QString &text : {u"17"_s, u"-1"_s, u"x"_s}) {
        data->setText(text);
        EXPECT_FALSE(DragEvents::drop(m_view.viewport(), rowTop(1), data.get())) << text.toStdString();
    }
    EXPECT_EQ(AddressListItemTableModel::titles(*m_items), before);
}

} // namespace
