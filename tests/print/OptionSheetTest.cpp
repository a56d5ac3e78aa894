#include "OptionSheetWindow.h"

#include "common/Screenshot.h"
#include "platform/NotificationCenter.h"
#include "platform/widgets/FontResolver.h"
#include "print/AddressListTab.h"
#include "print/EnvelopeTab.h"
#include "print/HagakiTab.h"
#include "print/LabelsTab.h"
#include "print/LengthField.h"
#include "print/OptionSheetController.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "print/VerticalFontList.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

using OptionSheet = OptionSheetWindowTest;

TEST_F(OptionSheet, LengthsShowInTheUnitChosenAndAreStoredInPoints)
{
    openWindow();
    OptionSheetController &sheet = openSheet();
    EXPECT_EQ(sheet.lastUnitType(), u"points"_s);
    EXPECT_EQ(sheet.unitTypePopup()->currentIndex(), 2);
    EXPECT_EQ(sheet.topMarginField()->value(), 0);
    EXPECT_EQ(sheet.keishouPopup()->currentData().toString(), PrintOptionValue::text(stored().value(Keishou)));

    type(*sheet.topMarginField(), u"72"_s);
    EXPECT_EQ(m_notices, 1);
    chooseUnit(sheet, u"mm"_s);
    EXPECT_FLOAT_EQ(float(sheet.topMarginField()->value()), 25.4f);
    EXPECT_EQ(sheet.topMarginField()->singleStep(), 1.0);
    chooseUnit(sheet, u"inches"_s);
    EXPECT_FLOAT_EQ(float(sheet.topMarginField()->value()), 1.0f);
    EXPECT_EQ(sheet.topMarginField()->singleStep(), 0.1);
    EXPECT_EQ(m_notices, 1);

    chooseUnit(sheet, u"mm"_s);
    type(*sheet.topMarginField(), u"10"_s);
    EXPECT_EQ(m_notices, 2);
    EXPECT_EQ(sheet.printOptions()->value(TopMargin).typeId(), QMetaType::Float);
    EXPECT_FLOAT_EQ(stored().value(TopMargin).toFloat(), 28.346457f);
    // The preview took the stored record.
    EXPECT_FLOAT_EQ(float(PrintOptionValue::number(pane().printOptions()->value(TopMargin))), 28.346457f);
    // Margins end at 4 inches.
    EXPECT_FLOAT_EQ(float(sheet.leftMarginField()->maximum()), 101.6f);
    Screenshot::grab(&sheet);

    // Reopened, the sheet keeps the unit last chosen.
    chooseUnit(sheet, u"inches"_s);
    QTest::mouseClick(sheet.doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), 1);
    openSheet();
    EXPECT_EQ(sheet.bottomMarginField()->unit(), u"inches"_s);
    EXPECT_NEAR(sheet.topMarginField()->value(), 10 / 25.4, 1e-4);
}

TEST_F(OptionSheet, NoneStoresNothingAndDoneStoresOnceMoreWithoutANotice)
{
    openWindow();
    OptionSheetController &sheet = openSheet();
    QComboBox &honorifics = *sheet.keishouPopup();
    honorifics.setFocus();
    while (honorifics.currentIndex() != 0)
        QTest::keyClick(&honorifics, Qt::Key_Up);
    EXPECT_EQ(PrintOptionValue::text(stored().value(Keishou)), QString());
    EXPECT_TRUE(stored().contains(Keishou));
    const int notices = m_notices;
    EXPECT_GT(notices, 0);
    // Something else wrote the record meanwhile: the sheet's copy wins.
    m_defaults->setObject(QVariantMap(), PrintOptions::defaultsKey);
    QTest::mouseClick(sheet.doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(m_notices, notices);
    EXPECT_EQ(stored().value(Keishou), QString());
}

TEST_F(OptionSheet, TheFontDialogNamesTheFaceAndItsWholeSize)
{
    if (!FontResolver::isInstalled(u"Noto Sans CJK JP"_s))
        GTEST_SKIP() << "Noto Sans CJK JP is not installed";
    openWindow();
    OptionSheetController &sheet = openSheet();
    QTest::mouseClick(sheet.showFontButton(), Qt::LeftButton);
    endTurn();
    QFontDialog *panel = sheet.fontPanel();
    ASSERT_TRUE(panel && panel->isVisible());
    QFont bold(u"Noto Sans CJK JP"_s);
    bold.setStyleName(u"Bold"_s);
    bold.setPointSize(12);
    panel->setCurrentFont(bold);
    panel->accept();
    endTurn();
    EXPECT_EQ(PrintOptionValue::text(stored().value(FontName)), u"Noto Sans CJK JP Bold"_s);
    EXPECT_EQ(PrintOptionValue::integer(stored().value(FontSize)), 12);
    EXPECT_EQ(sheet.fontSizeField()->value(), 12);
    const QFont resolved = FontResolver::font(u"Noto Sans CJK JP Bold"_s, 12);
    EXPECT_EQ(resolved.family(), u"Noto Sans CJK JP"_s);
    EXPECT_EQ(resolved.styleName(), u"Bold"_s);
    EXPECT_EQ(FontResolver::faceName(u"Noto Sans CJK JP"_s, u"Regular"_s), u"Noto Sans CJK JP"_s);
}

// Answered by Return and by its OK button, the font dialog has finished
// before the sheet takes its font.
TEST_F(OptionSheet, TheFontDialogAnsweredByReturnOrOkStandsUntilTheSheetTakesItsFont)
{
    openWindow();
    OptionSheetController &sheet = openSheet();
    for (const bool byReturn : {true, false}) {
        const int size = byReturn ? 13 : 15;
        QTest::mouseClick(sheet.showFontButton(), Qt::LeftButton);
        endTurn();
        const QPointer<QFontDialog> panel = sheet.fontPanel();
        ASSERT_TRUE(panel && panel->isVisible());
        QFont font = panel->currentFont();
        font.setPointSize(size);
        panel->setCurrentFont(font);
        if (byReturn) {
            QTest::keyClick(panel, Qt::Key_Return);
        } else {
            auto *buttons = panel->findChild<QDialogButtonBox *>();
            ASSERT_NE(buttons, nullptr);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }
        EXPECT_FALSE(panel.isNull());
        EXPECT_NE(sheet.fontSizeField()->value(), size);
        endTurn();
        EXPECT_EQ(sheet.fontSizeField()->value(), size);
    }
}

TEST_F(OptionSheet, TheStylePopupStoresTheStyleAndEachKindOfStyleKeepsItsPaper)
{
    openWindow();
    selectRows({{0, 0}, {1, 0}});
    choosePrintStyle(u"Labels"_s);
    EXPECT_EQ(m_defaults->objectForKey(PrintOptions::printStyleKey).toString(), u"Labels"_s);
    EXPECT_EQ(m_controller->printStyle(), u"Labels"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"Letter"_s);
    m_window->validateMenus();
    for (QAction *item : m_window->printStylePopup()->menu()->actions()) {
        if (item->objectName() == u"printStyleSelected"_s) {
            EXPECT_EQ(item->isChecked(), item->data() == u"Labels"_s);
        }
    }
    // The preview draws the label sheet: frames or glyphs beyond the page.
    EXPECT_FALSE(view().drawList(view().bounds()).glyphs().isEmpty());

    // Page Setup chose A4 for labels; postcards and back keep it.
    PrintInfo::sharedPrintInfo()->setPaperName(u"A4"_s);
    choosePrintStyle(u"Hagaki"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"Postcard"_s);
    choosePrintStyle(u"Labels"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"A4"_s);
    choosePrintStyle(u"Address List"_s);
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"A4"_s);
    m_controller->setRepresentedObject({});
    EXPECT_EQ(PrintInfo::sharedPrintInfo()->paperName(), u"A4"_s);
}

TEST_F(OptionSheet, OpensOnTheTabOfThePrintStyle)
{
    openWindow();
    selectRows({{0, 0}});
    for (const QString &style : {u"Labels"_s, u"Envelope"_s, u"Address List"_s, u"Hagaki"_s, u"Labels"_s}) {
        choosePrintStyle(style);
        OptionSheetController &sheet = openSheet();
        const QList<QWidget *> tabs{sheet.hagakiTab(), sheet.envelopeTab(), sheet.labelsTab(), sheet.addressListTab()};
        const QStringList names{u"Hagaki"_s, u"Envelope"_s, u"Labels"_s, u"Address List"_s};
        for (qsizetype tab = 0; tab < tabs.size(); ++tab) {
            EXPECT_EQ(sheet.tabView()->currentWidget() == tabs.at(tab), names.at(tab) == style)
                << names.at(tab).toStdString();
        }
        QTest::mouseClick(sheet.doneButton(), Qt::LeftButton);
        endTurn();
        ASSERT_FALSE(sheet.isVisible());
    }
}

TEST(VerticalFontList, FacesWithVerticalFormsForKanaPunctuationOnly)
{
    if (!FontResolver::isInstalled(u"IPAexGothic"_s) || !FontResolver::isInstalled(u"DejaVu Sans"_s))
        GTEST_SKIP() << "IPAex and DejaVu fonts are not installed";
    EXPECT_TRUE(VerticalFontList::isVerticalFace(u"IPAexGothic"_s, u"Regular"_s));
    EXPECT_FALSE(VerticalFontList::isVerticalFace(u"DejaVu Sans"_s, u"Book"_s));
    const std::shared_ptr<const VerticalFontEntries> fonts = VerticalFontList::fonts();
    ASSERT_TRUE(fonts);
    EXPECT_TRUE(fonts->contains(VerticalFontEntry{u"IPAexGothic"_s, u"IPAexGothic"_s}));
    EXPECT_TRUE(fonts->contains(VerticalFontEntry{u"IPAexMincho"_s, u"IPAexMincho"_s}));
    for (const VerticalFontEntry &entry : *fonts)
        EXPECT_FALSE(entry.fontName.startsWith(u"DejaVu"_s));
}

} // namespace
