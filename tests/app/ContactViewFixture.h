#pragma once

#include "TableEditingFixture.h"

#include "detail/ContactInfoPopover.h"
#include "editors/EditLockToggle.h"
#include "editors/SeparatorBox.h"
#include "table/ContactInfoPopoverPane.h"

#include <QMouseEvent>
#include <QPlainTextEdit>

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
    // The contact's row selected in the address-book window and the Contact
    // menu's Delete chosen.
    void deleteContact(const UniqueId &uniqueId)
    {
        activateMainWindow();
        table().selectRowIndexes({firstRowOf(uniqueId)});
        endTurn();
        chooseDeleteContacts();
    }
    // Contact ▸ Delete Contacts chosen for the selected rows.
    void chooseDeleteContacts()
    {
        QAction *deleteItem = window().contactMenu()->findChild<QAction *>(QStringLiteral("deleteContacts"));
        ASSERT_NE(deleteItem, nullptr);
        window().validateMenus();
        ASSERT_TRUE(deleteItem->isEnabled());
        deleteItem->trigger();
        endTurn();
    }
    // Ctrl+S typed into the address-book window; true once the reload that
    // follows the save has reached the window.
    bool save()
    {
        QApplication::setActiveWindow(&window());
        if (!QTest::qWaitForWindowActive(&window()))
            return false;
        QTest::keyClick(view(), Qt::Key_S, Qt::ControlModifier);
        if (!m_app.waitForHandOver())
            return false;
        endTurn();
        return true;
    }
    // The row of the view showing the name part, or the field's first row.
    static int rowIn(const ContactInfoView &view, const ContactIdentifier &type, const QString &label = {})
    {
        for (int each = 0; each < view.infoModel()->rowCount(); ++each) {
            const InfoRowRecord &record = view.infoModel()->rowAt(each);
            if (record.type == type && (label.isEmpty() || record.labelText() == label))
                return each;
        }
        return -1;
    }
    // The row's value cell made current, F2 typed to edit it and its text
    // typed over; the editor left open, or null when none opened.
    static QPlainTextEdit *retypeRow(ContactInfoView &view, int row, const QString &text)
    {
        view.activateWindow();
        if (!QTest::qWaitForWindowActive(view.window()))
            return nullptr;
        view.setCurrentIndex(view.infoModel()->index(row, ContactInfoTableModel::ValueColumn));
        QTest::keyClick(&view, Qt::Key_F2);
        auto *editor = qobject_cast<QPlainTextEdit *>(QApplication::focusWidget());
        if (editor) {
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor, text);
        }
        return editor;
    }
};
