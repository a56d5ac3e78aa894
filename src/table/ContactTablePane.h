#pragma once

#include "editors/EditorEnding.h"
#include "model/ContactRecord.h"
#include "model/ItemAndRangeRecord.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QSet>
#include <QStringList>

class ContactInfoPopoverPane;
class QFont;

// What the window's controllers ask of the contact table: show a contact
// list, rebuild its rows after a change, switch its columns and sort, and
// read and set the selection.
class ContactTablePane {
public:
    virtual ~ContactTablePane() = default;

    // Only kept: the rows follow at the next rebuild.
    virtual void setContactTable(const ContactTablePtr &contactTable) = 0;
    // Rebuilds, sorts and redraws the rows, keeping the selected row.
    virtual void updateTable() = 0;
    // Redraws the rows of the contacts whose values changed; rebuilds as
    // updateTable does when their rows come or go.
    virtual void updateRowsOfContacts(const QList<PersonRecordPtr> &contacts)
    {
        Q_UNUSED(contacts);
        updateTable();
    }
    virtual void setEditState(bool editState) = 0;
    // The labels whose values get rows of their own (["All"]: every label).
    virtual void setSelectedLabels(const QStringList &labels) = 0;
    virtual void setSelectedFont(const QFont &font) = 0;
    // The table's sort descriptors, the first one deciding; setting them
    // sorts the rows as a header click does.
    virtual void setSortDescriptors(const QList<SortDescriptor> &descriptors) = 0;
    [[nodiscard]] virtual const QList<SortDescriptor> &sortDescriptors() const = 0;
    // Shows another contact list under these sort descriptors, as
    // setContactTable, setSortDescriptors and updateTable one after the
    // other would, with the rows built and measured once.
    virtual void showContactTable(const ContactTablePtr &contactTable, const QList<SortDescriptor> &descriptors)
    {
        setContactTable(contactTable);
        setSortDescriptors(descriptors);
        updateTable();
    }
    // Shows the columns the stored view type lists and rebuilds the rows.
    virtual void setSelectedViewType(const QString &viewType) = 0;
    // The column now sorts by the key chosen for it, keeping its direction.
    virtual void sortOptionsChanged(const QString &selectedKey, const QString &columnName) = 0;
    // Stores the column widths and the current view type's column order.
    virtual void saveColumnWithDictionary() = 0;
    // Makes the table view the window's focus.
    virtual void makeFirstResponder() = 0;

    // The rows as shown, the footer not among them.
    [[nodiscard]] virtual const QList<SubContactRecordPtr> &subContactTable() const = 0;
    // Selects every row that shows one of the contacts.
    virtual void selectRowIndexesWithContacts(const QList<ContactRecordPtr> &contacts) = 0;
    // The distinct contacts of the selected rows, in the contact list's order.
    [[nodiscard]] virtual QList<ContactRecordPtr> selectedContacts() const = 0;
    // Whether the selected rows show at least `count` distinct contacts: what
    // the menus ask on every selection change, answered without listing a
    // selection of every row when its first rows tell.
    [[nodiscard]] virtual bool selectsContacts(qsizetype count) const
    {
        // Two records of one person (a contact in two groups) count once.
        QSet<const MVPerson *> persons;
        for (const ContactRecordPtr &contact : selectedContacts()) {
            if (contact && contact->person)
                persons.insert(contact->person.get());
        }
        return persons.size() >= count;
    }
    // The table's own records of the selected rows, in row order; each shows
    // its contact's values at one label position.
    [[nodiscard]] virtual QList<SubContactRecordPtr> selectedSubContacts() const = 0;
    // Ascending.
    [[nodiscard]] virtual QList<int> selectedRowIndexes() const = 0;
    // Whether any row is selected, asked without listing the rows.
    [[nodiscard]] virtual bool hasSelectedRows() const { return !selectedSubContacts().isEmpty(); }
    // The table view's own selection and scrolling.
    virtual void selectRowIndexes(const QList<int> &rows) = 0;
    virtual void scrollRowToVisible(int row) = 0;

    // --- The find bar's marks ----------------------------------------------
    // The text whose occurrences the cells mark, and the case mode
    // ("caseInsensitive" or "caseSensitive"); the cells redraw.
    virtual void setFindString(const QString &findString) = 0;
    virtual void setFindOptions(const QString &findOptions) = 0;
    // Marks the hit as the current one and selects and shows its row; null
    // drops the current hit's mark and keeps those of every occurrence.
    virtual void selectItemAndRange(const ItemAndRangeRecordPtr &itemAndRange) = 0;
    // The columns' identifiers in display order.
    [[nodiscard]] virtual QStringList columnIdentifiers() const = 0;
    // The labels whose values the cells show (["All"]: every label).
    [[nodiscard]] virtual QStringList labelFilter() const = 0;

    // The contact views detached from the table into windows of their own.
    [[nodiscard]] virtual QList<ContactInfoPopoverPane *> detachedWindows() const = 0;
    // A contact view of the table closed (its contact's unique identifier).
    virtual void detachedWindowDidClose(const QString &uniqueId) = 0;
    // Ends an open cell editor, applying its text; true when one was open.
    virtual bool commitEditing() = 0;
    // Ends an open cell editor and lets its text go.
    virtual void discardEditing() = 0;
    // Ends the value editor shown below a cell, its result applied to the
    // rows it was opened for as Done; false when its Done refused what was
    // typed and it stays open.
    virtual bool finishValueEditor(EditorEnding /*ending*/) { return true; }
    [[nodiscard]] virtual bool hasOpenValueEditor() const { return false; }
};
