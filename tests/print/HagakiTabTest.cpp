#include "print/HagakiTab.h"
#include "print/LengthField.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

const QList<VerticalFontPopup::Entry> fonts{{u"Noto Serif CJK JP"_s, u"Noto Serif CJK JP"_s}};

// Chooses a card type with the keyboard, then stores and shows the position
// again, as the sheet does on a type change.
void chooseType(HagakiTab &tab, QVariantMap &hagaki, int index)
{
    QComboBox *popup = tab.typePopup();
    while (popup->currentIndex() < index)
        QTest::keyClick(popup, Qt::Key_Down);
    while (popup->currentIndex() > index)
        QTest::keyClick(popup, Qt::Key_Up);
    tab.store(hagaki);
    tab.showPosition(hagaki);
}

TEST(HagakiTab, CardTypesAndTheSenderCodePosition)
{
    QVariantMap hagaki = PrintOptionValue::dictionary(PrintOptions::initPrintOptions(u"ja"_s), Hagaki);
    HagakiTab tab;
    tab.show();
    tab.fill(hagaki, fonts, u"points"_s);
    EXPECT_EQ(tab.typePopup()->currentIndex(), 1);
    EXPECT_NEAR(tab.zipXField()->value(), 15.59, 0.001);
    EXPECT_NEAR(tab.zipYField()->value(), 348.66, 0.001);

    chooseType(tab, hagaki, 2);
    EXPECT_EQ(hagaki.value(HagakiType), u"General"_s);
    EXPECT_EQ(hagaki.value(ShowBackground), true);
    EXPECT_NEAR(tab.zipYField()->value(), 391.18, 0.01);

    tab.zipXField()->setValue(20);
    tab.storePosition(hagaki);
    const QPointF stored = PrintOptionValue::point(hagaki.value(SenderZIPPositionForNenga));
    EXPECT_NEAR(stored.x(), 20, 0.001);
    EXPECT_NEAR(stored.y(), 348.66, 0.01);

    chooseType(tab, hagaki, 0);
    EXPECT_EQ(hagaki.value(ShowBackground), false);
    EXPECT_EQ(hagaki.value(HagakiType), u"None"_s);
    // The entries are told apart by their keys, whatever their titles.
    EXPECT_EQ(tab.typePopup()->itemData(1).toString(), u"年賀ハガキのイメージを表示する"_s);
    Screenshot::grab(&tab);
}

TEST(HagakiTab, MissingValuesAreWrittenAndShownInTheUnit)
{
    QVariantMap hagaki{{ShowBackground, true}, {HagakiType, u"Nenga"_s}};
    HagakiTab tab;
    tab.fill(hagaki, fonts, u"mm"_s);
    EXPECT_EQ(hagaki.value(SenderZIPPositionForNenga), u"(15.59, 348.66)"_s);
    EXPECT_FALSE(hagaki.value(FontName).toString().isEmpty());
    EXPECT_NEAR(tab.zipXField()->value(), 15.59 / 72 * 25.4, 0.01);
    tab.storePosition(hagaki);
    EXPECT_NEAR(PrintOptionValue::senderZIPPosition(hagaki).x(), 15.59, 0.02);
}

} // namespace
