#include "PdfWords.h"
#include "OptionSheetWindow.h"

#include "common/DragEvents.h"
#include "common/Screenshot.h"
#include "platform/NotificationCenter.h"
#include "print/AddressListTab.h"
#include "print/EnvelopeTab.h"
#include "print/HagakiTab.h"
#include "print/LabelChecklist.h"
#include "print/LabelConfigPanelController.h"
#include "print/LabelsTab.h"
#include "print/LengthField.h"
#include "print/OptionSheetController.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;
using namespace PdfWords;

namespace {

class StyleTabs : public OptionSheetWindowTest {
protected:
    OptionSheetController &openSheet()
    {
        OptionSheetController &sheet = OptionSheetWindowTest::openSheet();
        sheet.resize(560, 640);
        return sheet;
    }
    static void showTab(OptionSheetController &sheet, int index)
    {
        QTabBar *bar = sheet.tabView()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(sheet.tabView()->currentIndex(), index);
    }
    static void clickSwitch(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    [[nodiscard]] QVariantMap stored(const QString &subRecord) const
    {
        return OptionSheetWindowTest::stored().value(subRecord).toMap();
    }
    [[nodiscard]] QVariantMap previewed(const QString &subRecord) const
    {
        return PrintOptionValue::dictionary(*pane().printOptions(), subRecord);
    }
};

struct TabChange {
    const char *name;
    int tab;
    QString subRecord;
    QString key;
    std::function<void(OptionSheetController &)> change;
    QVariant expected;
};

TEST_F(StyleTabs, EachTabsChangeIsStoredAndPreviewed)
{
    openWindow();
    OptionSheetController &sheet = openSheet();
    ASSERT_EQ(sheet.tabView()->count(), 4);
    EXPECT_EQ(sheet.tabView()->tabText(0), u"Hagaki"_s);
    EXPECT_EQ(sheet.tabView()->tabText(1), u"Envelope"_s);
    EXPECT_EQ(sheet.tabView()->tabText(2), u"Labels"_s);
    EXPECT_EQ(sheet.tabView()->tabText(3), u"Address List"_s);
    const QList<TabChange> changes{
        {"hagaki", 0, Hagaki, ShowBackground, [](auto &s) { choose(s.hagakiTab()->typePopup(), 0); }, false},
        {"hagakiposition", 0, Hagaki, SenderZIPPositionForNenga,
            [](auto &s) { type(*s.hagakiTab()->zipXField(), u"20"_s); }, u"{20, 348.66}"_s},
        {"envelope", 1, Envelope, DrawTextInVertical,
            [](auto &s) { clickSwitch(s.envelopeTab()->drawVerticalSwitch()); }, 1},
        {"labels", 2, MailingLabels, PrintCountry, [](auto &s) { clickSwitch(s.labelsTab()->printCountrySwitch()); },
            true},
        {"addresslist", 3, AddressList, AlternatingRow,
            [](auto &s) { clickSwitch(s.addressListTab()->alternateRowSwitch()); }, false},
    };
    for (const TabChange &row : changes) {
        showTab(sheet, row.tab);
        const int notices = m_notices;
        row.change(sheet);
        EXPECT_GT(m_notices, notices) << row.name;
        EXPECT_EQ(stored(row.subRecord).value(row.key), row.expected) << row.name;
        EXPECT_EQ(previewed(row.subRecord).value(row.key), row.expected) << row.name;
        Screenshot::grab(&sheet, QString::fromLatin1(row.name));
    }
    // The envelope's face could be chosen once vertical text was switched on.
    EXPECT_TRUE(sheet.envelopeTab()->fontPopup()->isEnabled());
}

TEST_F(StyleTabs, LabelPresetInMillimetresAndRepeatCountByTheArrows)
{
    openWindow();
    OptionSheetController &sheet = openSheet();
    showTab(sheet, 2);
    QComboBox &units = *sheet.unitTypePopup();
    choose(&units, units.findData(u"mm"_s));
    LabelsTab &tab = *sheet.labelsTab();
    EXPECT_NEAR(tab.widthField()->value(), 130 / 72.0 * 25.4, 0.001);
    EXPECT_NEAR(sheet.hagakiTab()->zipXField()->value(), 15.59 / 72 * 25.4, 0.001);

    ASSERT_EQ(tab.presetPopup()->itemText(3), u"55.5x29.7mm gap 0"_s);
    choose(tab.presetPopup(), 3);
    EXPECT_NEAR(tab.widthField()->value(), 55.5, 0.001);
    EXPECT_NEAR(tab.heightField()->value(), 29.7, 0.001);
    EXPECT_NEAR(tab.hGapField()->value(), 0, 0.001);
    const QVariantMap labels = stored(MailingLabels);
    EXPECT_EQ(PrintOptionValue::dictionary(*sheet.printOptions(), MailingLabels).value(LabelWidth).typeId(),
        QMetaType::Float);
    EXPECT_NEAR(labels.value(LabelWidth).toFloat(), 157.32, 0.01);
    EXPECT_NEAR(labels.value(LabelHeight).toFloat(), 84.19, 0.01);
    EXPECT_EQ(labels.value(SelectedPreset), u"55.5x29.7mm gap 0"_s);
    EXPECT_NEAR(PrintOptionValue::number(previewed(MailingLabels).value(LabelWidth)), 157.32, 0.01);

    QSpinBox *repeat = tab.repeatCountField();
    EXPECT_EQ(repeat->minimum(), 1);
    EXPECT_EQ(repeat->maximum(), 1000);
    repeat->setFocus();
    QTest::keyClick(repeat, Qt::Key_Up);
    QTest::keyClick(repeat, Qt::Key_Up);
    EXPECT_EQ(stored(MailingLabels).value(RepeatCount), 3);
    EXPECT_EQ(previewed(MailingLabels).value(RepeatCount), 3);
    Screenshot::grab(&sheet);
}

TEST_F(StyleTabs, PresetPanelEditsTheSheetsListAndTheSheetAppliesTheNamedPreset)
{
    openWindow();
    selectRows({{0, 0}, {2, 0}});
    choosePrintStyle(u"Labels"_s);
    OptionSheetController &sheet = openSheet();
    showTab(sheet, 2);
    LabelsTab &tab = *sheet.labelsTab();
    QTest::mouseClick(tab.addDeleteButton(), Qt::LeftButton);
    LabelConfigPanelController *panel = sheet.labelConfigPanelController();
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(panel->labelAttributes(), sheet.labelPresetArray());

    QTest::mouseClick(panel->plusButton(), Qt::LeftButton);
    QTest::mouseClick(panel->plusButton(), Qt::LeftButton);
    ASSERT_EQ(tab.presetPopup()->count(), 8);
    EXPECT_EQ(tab.presetPopup()->itemText(6), u"new"_s);
    // The second "new" is the one chosen: the panel names its row.
    EXPECT_EQ(tab.presetPopup()->currentIndex(), 7);
    EXPECT_EQ(tab.widthField()->value(), 100);
    EXPECT_EQ(tab.heightField()->value(), 50);
    EXPECT_EQ(tab.hGapField()->value(), 5);
    EXPECT_EQ(tab.vGapField()->value(), 6);
    EXPECT_EQ(stored(MailingLabels).value(PresetArray).toList().size(), 8);
    EXPECT_EQ(stored(MailingLabels).value(LabelWidth), 100.0f);
    Screenshot::grab(panel, u"panel"_s);

    // A width typed in the panel reaches the sheet, the record and the print.
    QTableView *table = panel->tableView();
    const QModelIndex width = table->model()->index(7, 1);
    table->setCurrentIndex(width);
    table->edit(width);
    auto *editor = table->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, u"150"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(tab.widthField()->value(), 150);
    EXPECT_EQ(previewed(MailingLabels).value(LabelWidth), 150.0f);

    // Removing the chosen preset leaves the sizes, with no preset named.
    table->selectRow(7);
    QTest::mouseClick(panel->minusButton(), Qt::LeftButton);
    EXPECT_EQ(tab.presetPopup()->count(), 7);
    EXPECT_EQ(tab.presetPopup()->currentIndex(), -1);
    EXPECT_EQ(tab.widthField()->value(), 150);
    QTest::mouseClick(panel->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_FALSE(panel->isVisible());
    QTest::mouseClick(sheet.doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(stored(MailingLabels).value(PresetArray).toList().size(), 7);
    EXPECT_EQ(stored(MailingLabels).value(SelectedPreset), u"new"_s);

    // Two labels a row apart by the label's width and gap: 150 + 5.
    const QString path = pdfPath();
    ASSERT_TRUE(printInto(path));
    const QList<Page> pages = pdfWords(path);
    ASSERT_EQ(pages.size(), 1);
    QList<double> lefts;
    for (const QString &family : {u"山"_s, u"佐"_s}) {
        for (const Word &word : pages.first()) {
            if (word.text.startsWith(family)) {
                lefts << word.box.left();
                break;
            }
        }
    }
    ASSERT_EQ(lefts.size(), 2);
    EXPECT_NEAR(std::abs(lefts.at(1) - lefts.at(0)), 155, 1);
}

TEST_F(StyleTabs, AddressListColumnsLabelsAndADraggedItemReachThePrintedList)
{
    openWindow();
    selectRows({{0, 0}});
    choosePrintStyle(u"Address List"_s);
    OptionSheetController &sheet = openSheet();
    showTab(sheet, 3);
    AddressListTab &tab = *sheet.addressListTab();
    QTableView *table = tab.itemTableView();
    const auto printed = [&sheet] {
        QStringList titles;
        for (const QVariant &item : *sheet.itemTable()) {
            if (PrintOptionValue::flag(item.toMap().value(State)))
                titles << item.toMap().value(Title).toString();
        }
        return titles;
    };
    // Phone and Email are turned on; nothing is turned off.
    const QStringList before = printed();
    ASSERT_FALSE(before.contains(u"Phone"_s));
    sheet.setColumnsInMainView({u"Name"_s, u"Phone"_s, u"Email"_s});
    QStringList expected = before;
    expected << u"Email"_s << u"Phone"_s;
    const QStringList titles = AddressListItemTableModel::titles(*sheet.itemTable());
    std::sort(expected.begin(), expected.end(),
        [&titles](const QString &a, const QString &b) { return titles.indexOf(a) < titles.indexOf(b); });
    expected.removeDuplicates();
    EXPECT_EQ(printed(), expected);
    EXPECT_EQ(table->model()->index(5, 0).data(Qt::CheckStateRole), Qt::Checked);

    // The label checklist: marks, then the selection stored.
    const auto pick = [&tab](const QString &title) {
        QMenu *menu = tab.labelChecklist()->checklistMenu();
        menu->popup(tab.labelChecklist()->mapToGlobal(QPoint(0, tab.labelChecklist()->height())));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        for (QAction *action : menu->actions()) {
            if (action->text() == title)
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
    };
    for (const auto &[title, selection] :
        {std::pair{u"home"_s, QStringList{u"home"_s}}, {u"work"_s, QStringList{u"home"_s, u"work"_s}},
            {u"home"_s, QStringList{u"work"_s}}, {u"work"_s, QStringList{u"All"_s}}}) {
        pick(title);
        EXPECT_EQ(stored(AddressList).value(SelectedLabels).toStringList(), selection) << title.toStdString();
    }

    const auto rowPoint = [table](int row, bool top) {
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        return top ? QPoint(rect.center().x(), rect.top() + 1) : rect.center();
    };
    const auto dragSelection = [table] {
        return std::unique_ptr<QMimeData>(table->model()->mimeData(table->selectionModel()->selectedIndexes()));
    };
    // Two rows at once do not drag; above the first row takes nothing.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowPoint(3, false));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(4, false));
    EXPECT_EQ(dragSelection(), nullptr);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowPoint(3, false));
    auto data = dragSelection();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(DragEvents::drop(table->viewport(), rowPoint(0, true), data.get()));

    // The fourth item above the second, then Phone above Address: in the
    // sheet's list at once, in the record with the next change.
    EXPECT_TRUE(DragEvents::drop(table->viewport(), rowPoint(1, true), data.get()));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowPoint(5, false));
    data = dragSelection();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(DragEvents::drop(table->viewport(), rowPoint(1, true), data.get()));
    const QStringList order = AddressListItemTableModel::titles(*sheet.itemTable());
    EXPECT_EQ(order.mid(0, 5), QStringList({u"Name"_s, u"Phone"_s, u"Social Network"_s, u"Address"_s, u"Email"_s}));
    EXPECT_EQ(table->model()->index(1, 0).data().toString(), u"Phone"_s);
    EXPECT_NE(AddressListItemTableModel::titles(stored(AddressList).value(ItemTable).toList()), order);
    clickSwitch(tab.printFrameSwitch());
    EXPECT_EQ(AddressListItemTableModel::titles(stored(AddressList).value(ItemTable).toList()), order);
    Screenshot::grab(&sheet);
    QTest::mouseClick(sheet.doneButton(), Qt::LeftButton);
    endTurn();

    const QString path = pdfPath();
    ASSERT_TRUE(printInto(path));
    const QList<Page> pages = pdfWords(path);
    ASSERT_FALSE(pages.isEmpty());
    double phone = -1;
    double email = -1;
    for (const Word &word : pages.first()) {
        if (phone < 0 && word.text.startsWith(u"Phone"_s))
            phone = word.box.top();
        if (email < 0 && word.text.startsWith(u"Email"_s))
            email = word.box.top();
    }
    ASSERT_GE(phone, 0);
    ASSERT_GE(email, 0);
    EXPECT_LT(phone, email);
}

TEST_F(StyleTabs, AReorderAndTheItemsOfTheTablesColumnsReachThePreviewAsTheSheetEnds)
{
    openWindow();
    OptionSheetController &sheet = openSheet();
    showTab(sheet, 3);
    sheet.setColumnsInMainView({u"Name"_s, u"Phone"_s});
    QTableView *table = sheet.addressListTab()->itemTableView();
    const auto rowTop = [&sheet, table](const QString &title) {
        const int row = int(AddressListItemTableModel::titles(*sheet.itemTable()).indexOf(title));
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        return QPoint(rect.center().x(), rect.top() + 1);
    };
    // Phone dragged above Email, then Done with nothing else changed.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowTop(u"Phone"_s) + QPoint(0, 2));
    const std::unique_ptr<QMimeData> data(table->model()->mimeData(table->selectionModel()->selectedIndexes()));
    ASSERT_TRUE(DragEvents::drop(table->viewport(), rowTop(u"Email"_s), data.get()));
    const QStringList order = AddressListItemTableModel::titles(*sheet.itemTable());
    ASSERT_LT(order.indexOf(u"Phone"_s), order.indexOf(u"Email"_s));
    QTest::mouseClick(sheet.doneButton(), Qt::LeftButton);
    endTurn();

    // The print takes the preview's copy.
    const QVariantList items = previewed(AddressList).value(ItemTable).toList();
    EXPECT_EQ(AddressListItemTableModel::titles(items), order);
    EXPECT_TRUE(PrintOptionValue::flag(items.value(order.indexOf(u"Phone"_s)).toMap().value(State)));
}

} // namespace
