#pragma once

#include "print/PrintContactRecord.h"

#include <QObject>

#include <functional>

class ContactOperations;
class PostcardLayoutView;

// The layouts edited with the mouse in a window's postcard preview, stored in
// their contacts: the postcard view tells through the notification center
// that a receiver's or the sender's block moved, and the layout goes into the
// contact's layout list and into the address it belongs to, as undoable
// changes of the contact.
class PreviewLayoutEdits : public QObject {
    Q_OBJECT

public:
    // The window's postcard view (null when it has none) and what marks the
    // window edited.
    using ShownView = std::function<PostcardLayoutView *()>;
    PreviewLayoutEdits(ContactOperations &operations, ShownView shownView, std::function<void()> markEdited,
        QObject *parent = nullptr);

private:
    void storeLayout(const PrintContactRecordPtr &printed);

    ContactOperations &m_operations;
    ShownView m_shownView;
    std::function<void()> m_markEdited;
};
