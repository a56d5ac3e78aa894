#pragma once

#include "detail/ContactInfoPopover.h"

#include <QPointer>
#include <QWidget>

class ContactInfoPopover;

// The window a contact popover becomes when the user drags it away from its
// row: it holds the popover's view, is marked edited by its edits, and is
// deleted when closed, after the view has sent its closing notice. Its title
// is the shown contact's name as the view's header shows it.
class DetachedWindow : public QWidget {
    Q_OBJECT

public:
    // Takes the view; the view marks this window edited.
    explicit DetachedWindow(ContactInfoPopover *view, QWidget *parent = nullptr);

    [[nodiscard]] ContactInfoPopover *contactInfoPopover() const { return m_view; }
    // The shown person's name, "No name" when it has none.
    void updateTitle();
    // The window whose table it came from, whose edits this window's are:
    // when that window is no longer edited (saved, reverted, undone back to
    // where it was saved), neither is this one.
    void setOpeningWindow(QWidget *opener);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<ContactInfoPopover> m_view;
    QPointer<QWidget> m_opener;
};
