#pragma once

#include "editors/EditorEnding.h"
#include "model/PersonRecord.h"

#include <QStringList>

class QFont;

// What the window's controller asks of every view of one contact's details:
// the window's detail pane, a popover beside a table row and the windows
// detached from it.
class ContactInfoPane {
public:
    virtual ~ContactInfoPane() = default;

    // Shows the row (a contact table's record or a table row).
    virtual void setContact(const PersonRecordPtr &contact) = 0;
    [[nodiscard]] virtual PersonRecordPtr contact() const = 0;
    // Rebuilds the rows from the shown contact's person.
    virtual void updateTable() = 0;
    // Whether in-place editing is allowed.
    virtual void setEditState(bool editState) = 0;
    // The labels whose values are shown (["All"]: every label).
    virtual void setSelectedLabels(const QStringList &labels) = 0;
    virtual void setSelectedFont(const QFont &font) = 0;
    // Ends the in-place edit of a value, storing what was typed; true when
    // one was open.
    virtual bool commitEditing() { return false; }
    // Ends the in-place edit of a value and lets what was typed go.
    virtual void discardEditing() { }
    // Ends the value editor opened from the view, its result applied to the
    // view's contact as Done; false when its Done refused what was typed and
    // it stays open.
    virtual bool finishValueEditor(EditorEnding /*ending*/) { return true; }
    [[nodiscard]] virtual bool hasOpenValueEditor() const { return false; }
};
