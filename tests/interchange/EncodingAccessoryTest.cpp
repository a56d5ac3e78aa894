#include "common/EventLoop.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "interchange/TextEncodingTable.h"
#include "interchange/widgets/EncodingAccessory.h"
#include "interchange/widgets/EncodingListModel_p.h"
#include "platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

class EncodingAccessoryTest : public testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    [[nodiscard]] std::unique_ptr<EncodingAccessory> openModeAccessory()
    {
        auto accessory = std::make_unique<EncodingAccessory>(nullptr, &m_defaults);
        accessory->setEncodingOnly();
        return accessory;
    }

    [[nodiscard]] static QStringList popupTitles(const EncodingAccessory &accessory)
    {
        QStringList titles;
        for (int index = 0; index < accessory.encodingTypePopup()->count(); ++index)
            titles.append(accessory.encodingTypePopup()->itemText(index));
        return titles;
    }

    // The user picks "Customize Encoding List…", the pop-up's last item.
    static void chooseCustomize(EncodingAccessory &accessory)
    {
        QTest::keyClick(accessory.encodingTypePopup(), Qt::Key_End);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(accessory.encodingListPanel()));
    }

    // Ticks a row's check box in the customize panel from the keyboard.
    static void toggleRow(EncodingAccessory &accessory, const QString &name)
    {
        QTableView *view = accessory.tableView();
        const QModelIndexList found
            = view->model()->match(view->model()->index(0, 1), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << qPrintable(name);
        view->setCurrentIndex(found.first().siblingAtColumn(0));
        QTest::keyClick(view, Qt::Key_Space);
    }

    // An accessory of the dialog, as the import commands attach it.
    [[nodiscard]] EncodingAccessory *attachedTo(QFileDialog &dialog)
    {
        EncodingAccessory *accessory = openModeAccessory().release();
        accessory->attachTo(&dialog);
        return accessory;
    }

    UserDefaults m_defaults{TestEnvironment::makeScratchFolder(u"accessory"_s) + u"/Quillmark.conf"_s};
};

TEST_F(EncodingAccessoryTest, ACheckedEncodingComesRightBelowAutomaticAndIsRead)
{
    const auto accessory = openModeAccessory();
    accessory->show();
    QTest::keyClick(accessory->encodingTypePopup(), Qt::Key_Down);
    EXPECT_EQ(accessory->encodingType(), TextEncodingTable::UTF8);
    // "Customize Encoding List…" left showing reads as "Automatic".
    chooseCustomize(*accessory);
    EXPECT_EQ(accessory->encodingType(), 0u);
    toggleRow(*accessory, u"Japanese (Shift_JIS)"_s);
    Screenshot::grab(accessory->encodingListPanel());
    EXPECT_EQ(accessory->encodingTypePopup()->itemText(1), u"Japanese (Shift_JIS)"_s);
    EXPECT_EQ(accessory->encodingTypePopup()->currentIndex(), 1);
    EXPECT_EQ(accessory->encodingType(), TextEncodingTable::idForCharset("Shift_JIS"));

    toggleRow(*accessory, u"Japanese (Shift_JIS)"_s);
    EXPECT_EQ(accessory->encodingTypePopup()->findText(u"Japanese (Shift_JIS)"_s), -1);
    EXPECT_EQ(accessory->encodingType(), TextEncodingTable::Automatic);
}

// Select All offers every encoding; Clear All stores an empty list, after which the default is offered again.
TEST_F(EncodingAccessoryTest, SelectAllAndClearAllTickEveryEncodingListModelRowOrNoneAndStoreTheList)
{
    const auto accessory = openModeAccessory();
    accessory->show();
    chooseCustomize(*accessory);
    const QAbstractItemModel *model = accessory->tableView()->model();
    const auto ticked = [model] {
        int count = 0;
        for (int row = 0; row < model->rowCount(); ++row)
            count += model->index(row, 0).data(Qt::CheckStateRole) == Qt::Checked ? 1 : 0;
        return count;
    };
    QTest::mouseClick(accessory->selectAllButton(), Qt::LeftButton);
    const qsizetype encodings = TextEncodingTable::encodings().size();
    EXPECT_EQ(accessory->encodingTypePopup()->count(), encodings + 3);
    EXPECT_EQ(ticked(), encodings);

    QTest::mouseClick(accessory->clearAllButton(), Qt::LeftButton);
    EXPECT_EQ(ticked(), 0);
    EXPECT_EQ(popupTitles(*accessory), (QStringList{u"Automatic"_s, QString(), u"Customize Encoding List…"_s}));
    accessory->encodingListPanel()->close();
    endTurn();
    EXPECT_EQ(m_defaults.objectForKey(EncodingAccessory::encodingsKey), QVariant(QVariantList()));

    QList<EncodingRow> rows = TextEncodingTable::initEncodings();
    TextEncodingTable::defaultEncodings(rows, QLocale().uiLanguages());
    const QStringList defaultPopup = QStringList{u"Automatic"_s} + TextEncodingTable::checkedNames(rows)
        + QStringList{QString(), u"Customize Encoding List…"_s};
    EXPECT_EQ(popupTitles(*openModeAccessory()), defaultPopup);
    // A stored value that is no list of names reads as none.
    m_defaults.setObject(42, EncodingAccessory::encodingsKey);
    EXPECT_EQ(popupTitles(*openModeAccessory()), defaultPopup);
}

// The panel opens with the keyboard on its list, where Return presses none
// of its buttons.
TEST_F(EncodingAccessoryTest, ReturnOnTheCustomizeListChangesNoBox)
{
    const auto accessory = openModeAccessory();
    accessory->show();
    chooseCustomize(*accessory);
    const QStringList before = popupTitles(*accessory);
    QTest::keyClick(accessory->tableView(), Qt::Key_Return);
    endTurn();
    EXPECT_EQ(popupTitles(*accessory), before);
    accessory->encodingListPanel()->close();
    endTurn();
}

// A click on a row's box hands the row and its new state back and shows it;
// the name beside it takes no tick.
TEST(EncodingListModel, AClickOnABoxHandsTheRowBackAndTheNameTakesNone)
{
    QList<EncodingRow> rows = TextEncodingTable::initEncodings();
    rows.resize(3);
    for (EncodingRow &row : rows)
        row.checkBox = false;
    QList<std::pair<int, bool>> handed;
    EncodingListModel model(rows, [&](int row, bool checked) {
        handed.append({row, checked});
        rows[row].checkBox = checked;
    });
    QTableView view;
    view.setModel(&model);
    view.resize(320, 160);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto click = [&view](const QModelIndex &index) {
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.rect = view.visualRect(index);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, box.center());
    };
    click(model.index(1, EncodingListModel::CheckBoxColumn));
    click(model.index(2, EncodingListModel::NameColumn));
    EXPECT_EQ(handed, (QList<std::pair<int, bool>>{{1, true}}));
    EXPECT_EQ(model.index(1, 0).data(Qt::CheckStateRole), Qt::Checked);
    EXPECT_EQ(model.index(1, 1).data().toString(), rows[1].encodingName);
    Screenshot::grab(&view);
    click(model.index(1, EncodingListModel::CheckBoxColumn));
    EXPECT_EQ(handed.last(), std::make_pair(1, false));
}

// The customize panel belongs to the dialog: a window of its own would be
// blocked by the dialog's modality.
TEST_F(EncodingAccessoryTest, ShiftJisChosenInAFileDialogIsTheEncodingRead)
{
    m_defaults.setObject(QStringList{u"Japanese (Shift_JIS)"_s}, EncodingAccessory::encodingsKey);
    const QString folder = TestEnvironment::makeScratchFolder(u"dialog"_s);
    QFile card(folder + u"/cards.vcf"_s);
    ASSERT_TRUE(card.open(QIODevice::WriteOnly));

    QFileDialog dialog(nullptr, u"Import from vCard"_s, folder);
    EncodingAccessory *accessory = attachedTo(dialog);
    dialog.selectFile(card.fileName());
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    chooseCustomize(*accessory);
    EXPECT_EQ(accessory->encodingListPanel()->parentWidget(), &dialog);
    accessory->encodingListPanel()->close();
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(accessory->encodingTypePopup(), key);
    Screenshot::grab(&dialog);
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    ASSERT_TRUE(buttons);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(accessory->encodingType(), TextEncodingTable::idForCharset("Shift_JIS"));
}

} // namespace
