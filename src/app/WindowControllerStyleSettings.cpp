// The print style pop-up's choice and the print options sheet it opens.

#include "app/WindowController.h"

#include "app/ViewController.h"
#include "platform/UserDefaults.h"
#include "print/OptionSheetController.h"
#include "print/PrintOptions.h"
#include "print/VerticalFontList.h"

#include <QAction>
#include <QToolButton>

OptionSheetController *WindowController::optionSheetController() const
{
    return m_optionSheetController;
}

void WindowController::makeOptionSheet()
{
    if (!m_optionSheetController) {
        m_optionSheetController = new OptionSheetController(*m_userDefaults, this);
        m_optionSheetController->setWindowModality(Qt::WindowModal);
        // However the sheet ends, its options are stored once more, without
        // a notice: the preview has followed every change already.
        connect(m_optionSheetController, &QDialog::finished, m_optionSheetController,
            &OptionSheetController::storePrintOptions);
        connect(m_styleSettingButton, &QToolButton::clicked, this, &WindowController::showStyleSettings);
    }
    // The fonts of vertical text take a while to find: they are looked for
    // before the sheet first asks.
    VerticalFontList::startBuilding();
}

void WindowController::showStyleSettings()
{
    makeOptionSheet();
    m_optionSheetController->setPrintStyle(m_mainViewController->printStyle());
    m_optionSheetController->setColumnsInMainView(m_viewSettings->selectedColumns());
    m_optionSheetController->open();
}

void WindowController::printStyleSelected(const QAction *item)
{
    const QString style = item->data().toString();
    const QString previous = m_mainViewController->printStyle();
    m_mainViewController->setPrintStyle(style);
    m_userDefaults->setObject(style, PrintOptions::printStyleKey);
    m_mainViewController->refreshPrintStyle(previous);
    validateMenus();
}
