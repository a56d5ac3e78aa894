#include "print/AccessoryOptions.h"
#include "print/AccessoryViewController.h"
#include "print/LabelChecklist.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include "common/DragEvents.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/FontResolver.h"
#include "print/VerticalFontList.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QJsonDocument>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

class AccessoryView : public testing::Test {
protected:
    void SetUp() override
    {
        PrintOptions::storePrintOptions(PrintOptions::initPrintOptions(u"ja"_s), *m_defaults);
        m_printOptionsBefore = storedPrintOptions();
    }

    // Opens the pane on what is stored.
    AccessoryViewController &open()
    {
        m_view = std::make_unique<AccessoryViewController>(*m_defaults, m_printInfo);
        m_view->resize(640, 520);
        m_view->show();
        return *m_view;
    }

    QByteArray storedPrintOptions() const
    {
        return QJsonDocument::fromVariant(m_defaults->objectForKey(PrintOptions::defaultsKey)).toJson();
    }
    QVariantMap storedAccessory(const QString &subRecord = {}) const
    {
        const QVariantMap record = m_defaults->objectForKey(AccessoryOptions::defaultsKey).toMap();
        return subRecord.isEmpty() ? record : record.value(subRecord).toMap();
    }

    void clickTab(int index)
    {
        QTabBar *bar = m_view->styleTab()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void chooseUnit(const QString &unit)
    {
        QComboBox *popup = m_view->unitTypePopup();
        popup->setCurrentIndex(popup->findData(unit));
    }

    std::unique_ptr<UserDefaults> m_defaults = std::make_unique<UserDefaults>(
        TestEnvironment::makeScratchFolder(u"accessory-view"_s) + u"/Quillmark.conf"_s);
    PrintInfoPtr m_printInfo = std::make_shared<PrintInfo>();
    QByteArray m_printOptionsBefore;
    std::unique_ptr<AccessoryViewController> m_view;
};

TEST_F(AccessoryView, OpensOnTheListAndLabelTabsStoringNothing)
{
    AccessoryViewController &view = open();
    ASSERT_EQ(view.styleTab()->count(), 2);
    EXPECT_EQ(view.styleTab()->tabText(0), u"Address List"_s);
    EXPECT_EQ(view.styleTab()->tabText(1), u"Mailing Labels"_s);
    EXPECT_EQ(view.itemTableView()->model()->rowCount(), 17);
    EXPECT_FALSE(m_defaults->objectForKey(AccessoryOptions::defaultsKey).isValid());
    EXPECT_EQ(view.localizedSummaryItems().first(), qMakePair(u"Header and Footer"_s, u"Off"_s));
    Screenshot::grab(&view, u"list"_s);
}

TEST_F(AccessoryView, InchesShowAPresetInInchesAndStoreItInPoints)
{
    AccessoryViewController &view = open();
    clickTab(1);
    EXPECT_EQ(m_defaults->stringForKey(AccessoryOptions::lastPrintStyleKey), u"Mailing Labels"_s);
    EXPECT_EQ(m_printInfo->dictionary().value(AccessoryOptions::printTypeKey), u"Mailing Labels"_s);
    chooseUnit(u"inches"_s);
    // Entry 0 is the 130 x 60 point preset; the arrow keys choose as a user does.
    QComboBox *presets = view.presetPopup();
    presets->setCurrentIndex(1);
    QTest::keyClick(presets, Qt::Key_Up);
    EXPECT_NEAR(view.labelSizeField(0)->value(), 130.0 / 72, 0.001);
    EXPECT_NEAR(view.labelSizeField(1)->value(), 60.0 / 72, 0.001);
    EXPECT_NEAR(
        PrintOptionValue::number(storedAccessory(AccessoryOptions::MailingLabelsOptions).value(LabelWidth)), 130, 0.5);
    EXPECT_NEAR(
        PrintOptionValue::number(storedAccessory(AccessoryOptions::MailingLabelsOptions).value(LabelHeight)), 60, 0.5);
    QTest::mouseClick(view.repeatCountField(), Qt::LeftButton);
    QTest::keyClick(view.repeatCountField(), Qt::Key_Up);
    EXPECT_EQ(storedAccessory(AccessoryOptions::MailingLabelsOptions).value(RepeatCount), 2);
    EXPECT_EQ(storedPrintOptions(), m_printOptionsBefore);
    Screenshot::grab(&view, u"labels"_s);
}

TEST_F(AccessoryView, UnitSwitchConvertsMarginsAndStoresPoints)
{
    AccessoryViewController &view = open();
    EXPECT_EQ(view.marginField(0)->value(), 15.0);
    chooseUnit(u"mm"_s);
    EXPECT_NEAR(view.marginField(0)->value(), 5.292, 0.001);
    EXPECT_EQ(view.lastUnitType(), u"mm"_s);
    QCheckBox *printFrame = view.findChildren<QCheckBox *>().first();
    QTest::mouseClick(printFrame, Qt::LeftButton, {}, QPoint(8, printFrame->height() / 2));
    ASSERT_TRUE(m_defaults->objectForKey(AccessoryOptions::defaultsKey).isValid());
    EXPECT_NEAR(PrintOptionValue::number(storedAccessory().value(TopMargin)), 15, 0.01);
    EXPECT_EQ(storedPrintOptions(), m_printOptionsBefore);
}

TEST_F(AccessoryView, StoredUnitIsTheUnitLengthsAreFilledIn)
{
    QVariantMap record = AccessoryOptions::createPrintOptions();
    record.insert(UnitType, u"mm"_s);
    record.insert(PrintStyle, u"Mailing Labels"_s);
    AccessoryOptions::storePrintOptions(record, *m_defaults);
    AccessoryViewController &view = open();
    EXPECT_EQ(view.styleTab()->currentIndex(), 1);
    EXPECT_EQ(view.lastUnitType(), u"mm"_s);
    EXPECT_NEAR(view.labelSizeField(0)->value(), 130 / 72.0 * 25.4, 0.001);
    // A store reads back the points it was filled with, not 130 mm.
    QTest::mouseClick(
        view.drawVerticalSwitch(), Qt::LeftButton, {}, QPoint(8, view.drawVerticalSwitch()->height() / 2));
    EXPECT_NEAR(
        PrintOptionValue::number(storedAccessory(AccessoryOptions::MailingLabelsOptions).value(LabelWidth)), 130, 0.01);
    EXPECT_TRUE(view.labelFontPopup()->isEnabled());
    EXPECT_EQ(storedPrintOptions(), m_printOptionsBefore);
}

TEST_F(AccessoryView, ARemovedPresetLeavesNoneSelected)
{
    AccessoryViewController &view = open();
    clickTab(1);
    NotificationCenter::defaultCenter().postNotification(u"MV1NmLabelAttributeChanged"_s);
    EXPECT_EQ(view.presetPopup()->currentIndex(), -1);
    EXPECT_EQ(storedAccessory(AccessoryOptions::MailingLabelsOptions).value(PresetArray).toList().size(), 6);
    EXPECT_EQ(storedPrintOptions(), m_printOptionsBefore);
}

} // namespace

namespace {

TEST_F(AccessoryView, TheFontButtonSetsTheFrameFontAndTheFacesAreTheSheetsByFamily)
{
    AccessoryViewController &view = open();
    EXPECT_EQ(view.verticalFonts(), AccessoryOptions::verticalFontNames(*VerticalFontList::fonts()));
    clickTab(1);
    ASSERT_EQ(view.labelFontPopup()->count(), view.verticalFonts().size());
    EXPECT_EQ(view.labelFontPopup()->itemText(0), view.verticalFonts().first());

    QTest::mouseClick(view.showFontButton(), Qt::LeftButton);
    QFontDialog *panel = view.fontPanel();
    ASSERT_TRUE(panel && panel->isVisible());
    QFont font(QGuiApplication::font().family());
    font.setPointSize(11);
    panel->setCurrentFont(font);
    panel->accept();
    QCoreApplication::processEvents();
    EXPECT_EQ(view.fontSizeField()->value(), 11);
    EXPECT_EQ(PrintOptionValue::integer(storedAccessory().value(FontSize)), 11);
    EXPECT_EQ(PrintOptionValue::text(storedAccessory().value(FontName)), FontResolver::faceName(font));
    EXPECT_EQ(storedPrintOptions(), m_printOptionsBefore);
}

TEST(AccessoryFaces, PrinterFontsByNameOthersByFamilyEachOnce)
{
    const QString standard = QGuiApplication::font().family();
    EXPECT_EQ(AccessoryOptions::verticalFontNames({}), QStringList{standard});
    const QStringList names = AccessoryOptions::verticalFontNames(
        {{u"EPSON-KAISHO"_s, u"EPSON 楷書"_s}, {standard, standard}, {standard, u"again"_s}});
    EXPECT_EQ(names, QStringList({u"EPSON-KAISHO"_s, FontResolver::resolvedFamily(standard)}));
    if (!FontResolver::isInstalled(u"Noto Sans CJK JP"_s))
        GTEST_SKIP() << "Noto Sans CJK JP is not installed";
    EXPECT_EQ(AccessoryOptions::verticalFontNames(
                  {{u"Noto Sans CJK JP Bold"_s, u"Bold"_s}, {u"Noto Sans CJK JP"_s, u"Regular"_s}}),
        QStringList{u"Noto Sans CJK JP"_s});
}

TEST_F(AccessoryView, ADraggedItemIsStoredAndTheFirstRowTakesNoDrop)
{
    AccessoryViewController &view = open();
    QTableView *table = view.itemTableView();
    const auto rowPoint = [table](int row, bool top) {
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        return top ? QPoint(rect.center().x(), rect.top() + 1) : rect.center();
    };
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowPoint(3, false));
    const std::unique_ptr<QMimeData> data(table->model()->mimeData(table->selectionModel()->selectedIndexes()));
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(DragEvents::drop(table->viewport(), rowPoint(0, true), data.get()));
    EXPECT_TRUE(DragEvents::drop(table->viewport(), rowPoint(1, true), data.get()));
    const QVariantList items = storedAccessory(AccessoryOptions::AddressListOptions).value(ItemTable).toList();
    EXPECT_EQ(AddressListItemTableModel::titles(items).mid(0, 3),
        QStringList({u"Name"_s, u"Social Network"_s, u"Address"_s}));
    EXPECT_EQ(storedPrintOptions(), m_printOptionsBefore);
    Screenshot::grab(&view);
}

} // namespace
