// The contact detail pane: child 2 of the window's split view. Its width,
// 350 to 550, is set as the window appears, with the other panes'.

#include "app/WindowController.h"

#include "app/ViewController.h"
#include "detail/ContactInfoController.h"

#include <QSplitter>

void WindowController::installContactInfoController()
{
    auto *pane = new ContactInfoController;
    pane->setUserDefaults(m_userDefaults);
    pane->setDelegate(m_mainViewController);
    delete m_splitView->replaceWidget(2, pane);
    m_mainViewController->setContactInfoController(pane);
}
