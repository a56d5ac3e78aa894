#pragma once

#include "TableEditingFixture.h"

#include "detail/ContactInfoPopover.h"
#include "editors/EditLockToggle.h"
#include "editors/SeparatorBox.h"
#include "table/ContactInfoPopoverPane.h"

#include <QMouseEvent>

// The address-book window of TableEditingTest with the contact popover a
// double-click on a name opens, and the window it is dragged off into.
class ContactViewTest : public TableEditingTest {
protected:
    ContactInfoPopover *openPopover(int index)
    {
        doubleClick(FieldId::Name, index);
        endTurn();
        auto *popover = dynamic_cast<ContactInfoPopover *>(table().contactInfoPopoverPane());
        if (popover)
            (void)QTest::qWaitFor([popover] { return QApplication::focusWidget() == popover; });
        return popover;
    }
    // The popover dragged off by its header, where no control takes the
    // press: the view of the window it becomes.
    ContactInfoPopover *detach(ContactInfoPopover &view)
    {
        Popover *popover = table().popover();
        QWidget *header = view.editButton()->parentWidget();
        QTest::mousePress(header, Qt::LeftButton, {}, QPoint(2, 2));
        const QPoint to = popover->mapFromGlobal(header->mapToGlobal(QPoint(40, 40)));
        QMouseEvent drag(QEvent::MouseMove, QPointF(to), QPointF(popover->mapToGlobal(to)), Qt::NoButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(popover, &drag);
        endTurn();
        const QList<ContactInfoPopoverPane *> windows = table().detachedWindows();
        return windows.size() == 1 ? dynamic_cast<ContactInfoPopover *>(windows.first()) : nullptr;
    }
    // The row's contact popover, dragged off; null when either failed.
    ContactInfoPopover *openDetached(int index)
    {
        ContactInfoPopover *popover = openPopover(index);
        return popover ? detach(*popover) : nullptr;
    }
    // Where the contact's rows begin now; -1 when no row shows it.
    [[nodiscard]] int firstRowOf(const UniqueId &uniqueId) const
    {
        for (const int index : firstRows()) {
            if (row(index)->uniqueId == uniqueId)
                return index;
        }
        return -1;
    }
    void activateMainWindow()
    {
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
};
