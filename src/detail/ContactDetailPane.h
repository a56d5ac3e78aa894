#pragma once

#include "table/ContactInfoPane.h"
#include "model/ItemAndRangeRecord.h"

#include <QString>

class ContactInfoControllerDelegate;
class QTableView;

// What the window's controller asks of the contact detail pane.
class ContactDetailPane : public ContactInfoPane {
public:
    // Not owned: the window's controller, which outlives the pane.
    virtual void setDelegate(ContactInfoControllerDelegate *delegate) = 0;
    // A null row given to setContact is ignored; the edit state is only
    // stored.
    // The pane's table, made the window's focus when the pane is shown.
    [[nodiscard]] virtual QTableView *tableView() = 0;
    // The find bar's marks: the text whose occurrences the rows mark, its
    // case mode ("caseInsensitive" or "caseSensitive"), and the current hit,
    // whose row is selected and shown.
    virtual void setFindString(const QString &findString) = 0;
    virtual void setFindOptions(const QString &findOptions) = 0;
    virtual void selectItemAndRange(const ItemAndRangeRecordPtr &hit) = 0;
};
