#pragma once

#include "print/PrintContactRecord.h"

#include <QStringList>

class DrawList;

// The contacts, each once, some of whose text a drawing left out, since no
// face could draw it. A print job tells the user of them once it is done.
class UndrawnContacts {
public:
    // Takes the draw list's flag for what was added since it was last taken:
    // when it is set, the record's contact is named in the log and kept.
    void note(DrawList &drawList, const PrintContactRecordPtr &record);
    // Their names, or their identifiers when they have none.
    [[nodiscard]] QStringList names() const;
    [[nodiscard]] bool isEmpty() const { return m_records.isEmpty(); }
    void clear() { m_records.clear(); }

private:
    PrintContactList m_records;
};
