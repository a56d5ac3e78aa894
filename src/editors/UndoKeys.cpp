#include "editors/UndoKeys.h"

#include "platform/UndoManager.h"

#include <QKeyEvent>

bool UndoKeys::handle(const QKeyEvent *event, UndoManager *manager)
{
    const bool undo = event->matches(QKeySequence::Undo);
    if (!undo && !event->matches(QKeySequence::Redo))
        return false;
    if (undo)
        manager->undo();
    else
        manager->redo();
    return true;
}
