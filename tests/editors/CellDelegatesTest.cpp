#include "editors/CellEditingDelegate.h"
#include "editors/DatesCellDelegate.h"
#include "editors/DatesTableModel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A table in a dialog whose default button Return must not reach.
class CellDelegates : public testing::Test {
protected:
    void show(QAbstractItemModel *model, QAbstractItemDelegate *delegate)
    {
        auto *layout = new QVBoxLayout(&m_dialog);
        layout->addWidget(&m_view);
        layout->addWidget(&m_default);
        m_default.setDefault(true);
        m_view.setModel(model);
        m_view.setItemDelegate(delegate);
        m_dialog.show();
        m_dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    }

    template <typename Editor> Editor *edit(const QModelIndex &cell)
    {
        m_view.setCurrentIndex(cell);
        m_view.edit(cell);
        return m_view.viewport()->findChild<Editor *>();
    }

    QDialog m_dialog;
    QTableView m_view;
    QPushButton m_default{QStringLiteral("Done")};
};

struct AdvanceKey {
    const char *name;
    Qt::Key key;
    bool tab;
};

class CellEditingAdvance : public CellDelegates, public testing::WithParamInterface<AdvanceKey> { };

TEST_P(CellEditingAdvance, CommitsTheTextAndMovesOnWithoutPressingTheDefaultButton)
{
    QStandardItemModel model(2, 1);
    CellEditingDelegate delegate;
    show(&model, &delegate);
    QSignalSpy advanced(&delegate, &CellEditingDelegate::advanceRequested);
    QSignalSpy pressed(&m_default, &QPushButton::clicked);
    auto *field = edit<QLineEdit>(model.index(0, 0));
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, QStringLiteral("075"));
    QTest::keyClick(field, GetParam().key);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("075"));
    ASSERT_EQ(advanced.size(), 1);
    EXPECT_EQ(advanced.at(0).at(0).toModelIndex(), model.index(0, 0));
    EXPECT_EQ(advanced.at(0).at(1).toBool(), GetParam().tab);
    EXPECT_EQ(pressed.size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, CellEditingAdvance,
    testing::Values(AdvanceKey{"Return", Qt::Key_Return, false}, AdvanceKey{"Enter", Qt::Key_Enter, false},
        AdvanceKey{"Tab", Qt::Key_Tab, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CellDelegates, PopupCommitsAnItemButNotTheCustomLabelEntry)
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), 0, Qt::EditRole);
    model.setData(model.index(0, 0),
        QStringList{QStringLiteral("home"), QStringLiteral("work"), {}, QStringLiteral("Custom Label")},
        CellEditingDelegate::PopupItemsRole);
    model.setData(model.index(0, 0), 3, CellEditingDelegate::CustomLabelItemRole);
    CellEditingDelegate delegate;
    show(&model, &delegate);
    QSignalSpy custom(&delegate, &CellEditingDelegate::customLabelRequested);
    auto *popup = edit<QComboBox>(model.index(0, 0));
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    EXPECT_EQ(model.index(0, 0).data(Qt::EditRole).toInt(), 1);
    QTest::keyClick(popup, Qt::Key_End);
    EXPECT_EQ(custom.size(), 1);
    EXPECT_EQ(model.index(0, 0).data(Qt::EditRole).toInt(), 1);
    EXPECT_EQ(popup->currentIndex(), 1);
}

TEST_F(CellDelegates, DatesLabelPopupStoresTheChosenLabelAndAsksForACustomOne)
{
    auto date = std::make_shared<LabeledValueRecord>();
    date->label = QStringLiteral("anniversary");
    DatesTableModel model;
    model.reset({date}, {QStringLiteral("anniversary"), QStringLiteral("命日")},
        {QStringLiteral("Anniversary"), QStringLiteral("命日")}, FieldId::Dates);
    model.setEditing(true);
    DatesCellDelegate delegate;
    show(&model, &delegate);
    QSignalSpy custom(&delegate, &DatesCellDelegate::customLabelRequested);
    auto *popup = edit<QComboBox>(model.index(0, DatesTableModel::LabelColumn));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->itemText(0), QStringLiteral("Anniversary"));
    QTest::keyClick(popup, Qt::Key_Down);
    EXPECT_EQ(model.rows().first()->label, QStringLiteral("命日"));
    popup = edit<QComboBox>(model.index(0, DatesTableModel::LabelColumn));
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_End);
    EXPECT_EQ(custom.size(), 1);
    EXPECT_EQ(model.rows().first()->label, QStringLiteral("命日"));
}

} // namespace
