#pragma once

#include "model/ContactRecord.h"
#include "model/GroupRecord.h"

#include <QCoreApplication>
#include <QList>

class ProgressAlert;
class ViewController;

// Adds the contacts a drop of files or an import chose to a group of the
// window behind its progress window: the contacts recorded in the group,
// then the group's table rebuilt with them sorted in and selected. Cancel,
// honoured after each step, takes everything back, the group's contacts in
// their order and the rows selected as before; a completed add is one undo
// step, as an add without progress window is.
class ChosenContactsAdder {
    Q_DECLARE_TR_FUNCTIONS(ChosenContactsAdder)

public:
    ChosenContactsAdder(ViewController &view, ProgressAlert &alert)
        : m_view(view)
        , m_alert(alert)
    {
    }

    // False when nothing was added: no contact or group, or the user
    // cancelled, or the window went meanwhile.
    bool add(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group);

private:
    ViewController &m_view;
    ProgressAlert &m_alert;
};
