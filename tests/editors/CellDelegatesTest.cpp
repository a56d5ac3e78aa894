#include "EditorTestContacts.h"

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
        // An editor just closed may linger until deleted; the new one has the focus.
        return qobject_cast<Editor *>(QApplication::focusWidget());
    }

    QDialog m_dialog;
    QTableView m_view;
    QPushButton m_default{QStringLiteral("Done")};
};

TEST_F(CellDelegates, ReturnEnterAndTabCommitTheTextAndMoveOnWithoutPressingTheDefaultButton)
{
    QStandardItemModel model(3, 1);
    CellEditingDelegate delegate;
    show(&model, &delegate);
    QSignalSpy advanced(&delegate, &CellEditingDelegate::advanceRequested);
    QSignalSpy pressed(&m_default, &QPushButton::clicked);
    for (const auto &[row, key] :
        {std::pair(0, Qt::Key_Return), std::pair(1, Qt::Key_Enter), std::pair(2, Qt::Key_Tab)}) {
        auto *field = edit<QLineEdit>(model.index(row, 0));
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, QStringLiteral("075"));
        QTest::keyClick(field, key);
        EXPECT_EQ(model.index(row, 0).data().toString(), QStringLiteral("075"));
        ASSERT_EQ(advanced.size(), row + 1);
        EXPECT_EQ(advanced.at(row).at(0).toModelIndex(), model.index(row, 0));
        EXPECT_EQ(advanced.at(row).at(1).toBool(), key == Qt::Key_Tab);
    }
    EXPECT_EQ(pressed.size(), 0);
}

TEST_F(CellDelegates, PopupCommitsAnItemButNotTheCustomLabelEntry)
{
    QStandardItemModel model(1, 1);
    const QModelIndex cell = model.index(0, 0);
    model.setData(cell, 0, Qt::EditRole);
    model.setData(cell, QStringList{QStringLiteral("home"), QStringLiteral("work"), {}, QStringLiteral("Custom Label")},
        CellEditingDelegate::PopupItemsRole);
    model.setData(cell, 3, CellEditingDelegate::CustomLabelItemRole);
    CellEditingDelegate delegate;
    show(&model, &delegate);
    QSignalSpy custom(&delegate, &CellEditingDelegate::customLabelRequested);
    auto *popup = edit<QComboBox>(cell);
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    EXPECT_EQ(cell.data(Qt::EditRole).toInt(), 1);
    QTest::keyClick(popup, Qt::Key_End);
    EXPECT_EQ(custom.size(), 1);
    EXPECT_EQ(cell.data(Qt::EditRole).toInt(), 1);
    EXPECT_EQ(popup->currentIndex(), 1);
}

TEST_F(CellDelegates, DatesLabelPopupStoresTheChosenWordAndAsksForACustomOne)
{
    DatesTableModel model;
    model.reset({labeledValue(QStringLiteral("anniversary"), {}, 0)},
        {QStringLiteral("anniversary"), QStringLiteral("命日")},
        {QStringLiteral("Anniversary"), QStringLiteral("命日")}, FieldId::Dates);
    model.setEditing(true);
    DatesCellDelegate delegate;
    show(&model, &delegate);
    QSignalSpy custom(&delegate, &DatesCellDelegate::customLabelRequested);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_End}) {
        auto *popup = edit<QComboBox>(model.index(0, DatesTableModel::LabelColumn));
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->itemText(0), QStringLiteral("Anniversary"));
        QTest::keyClick(popup, key);
        EXPECT_EQ(model.rows().first()->label, QStringLiteral("命日"));
    }
    EXPECT_EQ(custom.size(), 1);
}

} // namespace
