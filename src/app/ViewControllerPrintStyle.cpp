#include "app/ViewController.h"

#include "app/PostcardPreviewPane.h"
#include "app/WindowController.h"
#include "print/PrintInfo.h"

void ViewController::refreshPrintStyle(const QString &previousStyle)
{
    const QString postcards = QStringLiteral("Hagaki");
    const PrintInfoPtr &printInfo = PrintInfo::sharedPrintInfo();
    printInfo->changePaperForStyle(previousStyle == postcards, m_settings.printStyle == postcards);
    if (m_windowController)
        m_windowController->shouldChangePrintInfo(printInfo);
    if (m_hagakiViewController) {
        m_hagakiViewController->setSelectedStyle(m_settings.printStyle);
        m_hagakiViewController->updateUI();
    }
}
