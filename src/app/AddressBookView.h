#pragma once

#include "model/ContainerRecord.h"

#include <QVariant>

// What the application delegate needs of the address-book window's main view:
// it hands the view the very tables it holds, asks it to re-apply its
// settings, and before a save has the value being typed committed.
class AddressBookView {
public:
    virtual ~AddressBookView() = default;

    virtual void setContainerTable(const ContainerTablePtr &containerTable) = 0;
    virtual void setSelectedGroupDict(const GroupRecordPtr &selectedGroupDict) = 0;
    virtual void setContactTable(const ContactTablePtr &contactTable) = 0;
    // With nothing: re-applies the sort, the group pane and the print settings.
    virtual void setRepresentedObject(const QVariant &representedObject) = 0;

    // Ends the typing into a cell or a contact's details, committing its
    // value, and ends the value editors as their Done would; true when a
    // value was being typed into a cell or a detail row.
    virtual bool commitEditing() = 0;
    // Ends the typing and the value editors without committing them: the
    // records they were meant for are about to be replaced.
    virtual void discardEditing() = 0;
    // Whether a value editor is open; after commitEditing, one that refused
    // what was typed in it.
    [[nodiscard]] virtual bool hasOpenValueEditor() const { return false; }
    // Rebuilds and redraws the contact table's rows.
    virtual void updateTable() = 0;

    // What is typed and the value editors left open reach the records, as
    // before a save; false while an editor refuses what was typed in it.
    bool endEditing()
    {
        if (commitEditing())
            updateTable();
        return !hasOpenValueEditor();
    }
};
