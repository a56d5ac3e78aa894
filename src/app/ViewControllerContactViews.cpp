// The contact views the table shows beside a row and the windows they are
// dragged off into: made here, where the detail views are known, and handed
// down to the table as plain widgets.

#include "app/ViewController.h"

#include "app/WindowController.h"
#include "detail/ContactInfoPopover.h"
#include "detail/DetachedWindow.h"

#include <QAction>

AlertPresenter *ViewController::alertPresenter() const
{
    return m_windowController ? &m_windowController->alertPresenter() : nullptr;
}

bool ViewController::canUnlock() const
{
    return !m_editButton || m_editButton->isEnabled();
}

ContactInfoPopover *ViewController::newContactView()
{
    auto *view = new ContactInfoPopover(&userDefaults());
    view->setDelegate(this);
    view->setMyUndoManager(undoManager());
    return view;
}

ViewController::ContactView ViewController::makeContactInfoPopover()
{
    if (!m_windowController)
        return {};
    ContactInfoPopover *view = newContactView();
    view->setParentWindow(m_windowController);
    m_popover = view;
    return {view, view};
}

ViewController::DetachedContactWindow ViewController::makeDetachedContactWindow(const PersonRecordPtr &contact)
{
    if (!m_windowController)
        return {};
    ContactInfoPopover *view = newContactView();
    view->setContact(contact);
    auto *window = new DetachedWindow(view);
    return {window, view, view};
}
