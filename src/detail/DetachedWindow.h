#pragma once

#include "detail/ContactInfoPopover.h"

#include <QPointer>
#include <QWidget>

class ContactInfoPopover;

// The window a contact popover becomes when the user drags it away from its
// row: it holds the popover's view, is marked edited by its edits, and is
// deleted when closed, after the view has sent its closing notice.
class DetachedWindow : public QWidget {
    Q_OBJECT

public:
    // Takes the view; the view marks this window edited.
    explicit DetachedWindow(ContactInfoPopover *view, QWidget *parent = nullptr);

    [[nodiscard]] ContactInfoPopover *contactInfoPopover() const { return m_view; }
    // The shown person's name, "No name" when it has none.
    void updateTitle();

private:
    QPointer<ContactInfoPopover> m_view;
};
