// What the group outline asks of the window's controller beyond choosing a
// group and dropping rows onto one.

#include "app/ViewController.h"

#include "app/AddressBookLoader.h"
#include "platform/widgets/AlertPresenter.h"
#include "app/WindowController.h"

void ViewController::groupNameWillChange(const QString &name, const GroupRecordPtr &group)
{
    if (!group || name.isEmpty() || name == group->name)
        return;
    m_operations->undoChangeGroupName(name, group);
    setWindowEdited(true);
}

void ViewController::updateGroupTable(ContainerRecord &container)
{
    if (!m_contactStore || !m_sideStore)
        return;
    AddressBookLoader loader(*m_contactStore, *m_sideStore);
    QPointer<WindowController> window = m_windowController;
    loader.setAlertPoster([window](const QString &message, const QString &informative) {
        QMetaObject::invokeMethod(
            window,
            [window, message, informative] {
                if (window)
                    window->alertPresenter().showAlert(window, message, informative);
            },
            Qt::QueuedConnection);
    });
    loader.appendGroups(container);
}
