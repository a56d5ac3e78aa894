#include "print/EnvelopeTab.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"

#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

const QList<EnvelopeTab::FontEntry> fonts{
    {u"Noto Serif CJK JP"_s, u"Noto Serif CJK JP"_s}, {u"IPAexMincho"_s, u"IPAexMincho"_s}};

void clickSwitch(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

TEST(EnvelopeTab, MissingAndUnknownValuesAreFilledInTheWorkingCopy)
{
    // Stored direction, then the direction after filling.
    for (const auto &[stored, filled] : {std::pair{QVariant(), u"Left-Right"_s},
             {QVariant(u"Sideways"_s), u"Left-Right"_s}, {QVariant(u"Up-Down"_s), u"Up-Down"_s}}) {
        EnvelopeTab tab;
        QVariantMap envelope{{PrintBorder, true}};
        if (stored.isValid())
            envelope.insert(TextDirection, stored);
        tab.fill(envelope, fonts);
        EXPECT_EQ(envelope.value(TextDirection), filled);
        EXPECT_EQ(tab.directionPopup()->currentData(), filled);
        EXPECT_EQ(envelope.value(PrintZIP), true);
        EXPECT_EQ(envelope.value(PrintCountry), false);
        EXPECT_TRUE(tab.printZIPSwitch()->isChecked());
        EXPECT_FALSE(tab.fontPopup()->isEnabled());
    }
}

TEST(EnvelopeTab, VerticalSwitchEnablesTheFontAndAnUnlistedFaceIsKept)
{
    EnvelopeTab tab;
    tab.show();
    QSignalSpy changed(&tab, &EnvelopeTab::changed);
    QVariantMap envelope{{VerticalFontName, u"Gone Mincho"_s}, {TextDirection, u"Up-Down"_s}};
    tab.fill(envelope, fonts);
    EXPECT_EQ(tab.fontPopup()->count(), 3);
    EXPECT_EQ(tab.fontPopup()->currentText(), u"Gone Mincho"_s);

    clickSwitch(tab.drawVerticalSwitch());
    clickSwitch(tab.printBorderSwitch());
    EXPECT_EQ(changed.count(), 2);
    tab.store(envelope);
    EXPECT_TRUE(tab.fontPopup()->isEnabled());
    EXPECT_EQ(envelope.value(DrawTextInVertical), 1);
    EXPECT_EQ(envelope.value(PrintBorder), 1);
    // Another change stores the face as it was.
    EXPECT_EQ(envelope.value(VerticalFontName), u"Gone Mincho"_s);
    EXPECT_EQ(envelope.value(TextDirection), u"Up-Down"_s);
    Screenshot::grab(&tab);
}

} // namespace
