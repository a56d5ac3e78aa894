#pragma once

#include "PreviewWindow.h"

#include "platform/NotificationCenter.h"
#include "print/LengthField.h"
#include "print/OptionSheetController.h"
#include "print/PrintOptions.h"
#include "app/PrintCommands.h"

#include <QComboBox>
#include <QTest>

// The address-book window with its preview, and the Style Settings sheet
// opened from its toolbar; the options notices posted are counted.
class OptionSheetWindowTest : public PreviewWindowTest {
protected:
    void SetUp() override
    {
        PreviewWindowTest::SetUp();
        m_observer = NotificationCenter::defaultCenter().addObserver(PrintOptions::printOptionsUpdated, QVariant(),
            [this](const NotificationCenter::Notification &) { ++m_notices; });
    }
    void TearDown() override
    {
        NotificationCenter::defaultCenter().removeObserver(m_observer);
        PreviewWindowTest::TearDown();
    }

    OptionSheetController &openSheet()
    {
        QTest::mouseClick(m_window->styleSettingButton(), Qt::LeftButton);
        endTurn();
        OptionSheetController *sheet = m_window->printCommands()->optionSheetController();
        EXPECT_TRUE(sheet && sheet->isVisible());
        EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
        return *sheet;
    }
    // Picks an entry of a pop-up with the arrow keys.
    static void choose(QComboBox *popup, int index)
    {
        popup->setFocus();
        while (popup->currentIndex() != index)
            QTest::keyClick(popup, popup->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
    static void chooseUnit(OptionSheetController &sheet, const QString &unit)
    {
        choose(sheet.unitTypePopup(), sheet.unitTypePopup()->findData(unit));
    }
    // Ends the edit with Tab: a Return would press Done too and leave the
    // rest of the test on a closed sheet.
    static void type(LengthField &field, const QString &text)
    {
        field.setFocus();
        field.selectAll();
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Tab);
    }
    [[nodiscard]] PrintOptionsRecord stored() const
    {
        return m_defaults->objectForKey(PrintOptions::defaultsKey).toMap();
    }

    NotificationCenter::ObserverToken m_observer{};
    int m_notices = 0;
};
