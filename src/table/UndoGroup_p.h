#pragma once

#include "platform/UndoManager.h"

// One undo group on the window's undo manager while it lives; a null manager
// groups nothing.
class UndoGroup {
public:
    explicit UndoGroup(UndoManager *manager)
        : m_manager(manager)
    {
        if (m_manager)
            m_manager->beginUndoGrouping();
    }
    ~UndoGroup()
    {
        if (m_manager)
            m_manager->endUndoGrouping();
    }
    UndoGroup(const UndoGroup &) = delete;
    UndoGroup &operator=(const UndoGroup &) = delete;

private:
    UndoManager *m_manager;
};
