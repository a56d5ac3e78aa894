#pragma once

#include "model/ContactRecord.h"
#include "model/PersonRecord.h"

class ContactDetailPane;
class ContactTablePane;
class FindBarPane;
class QWidget;
class UndoManager;

// What the window's find and replace asks of the window's content
// controller: the panes it searches and marks (each null when the window
// lacks it or it is gone), the contacts shown, and the window's own steps of
// the find bar.
class FindAndReplaceHost {
public:
    virtual ~FindAndReplaceHost() = default;

    [[nodiscard]] virtual ContactTablePane *tablePane() const = 0;
    [[nodiscard]] virtual ContactDetailPane *detailPane() const = 0;
    [[nodiscard]] virtual FindBarPane *findBarPane() const = 0;
    // Whether the detail pane, rather than the table, is searched.
    [[nodiscard]] virtual bool contactInfoVisible() const = 0;
    [[nodiscard]] virtual const ContactTablePtr &contactTable() const = 0;
    [[nodiscard]] virtual bool editState() const = 0;
    [[nodiscard]] virtual UndoManager *undoManager() const = 0;
    // A contact a Replace All changed: every pane redraws it when the turn
    // ends, and the window is edited.
    virtual void contactChangedByReplace(const PersonRecordPtr &contact) = 0;
    // The window's Find button, as Edit ▸ Find… presses it; the bar's Done.
    virtual void pressFindButton() = 0;
    virtual void findBarDidEnd() = 0;
    // The window the find panel is modal on; null without one.
    [[nodiscard]] virtual QWidget *findPanelParent() const = 0;
};
