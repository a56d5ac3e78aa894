#pragma once

#include "model/ItemAndRangeRecord.h"
#include "model/SubContactRecord.h"
#include "table/ReplaceAlertRequest.h"

#include <QString>

#include <functional>

class ContactInfoView;
class ContactOperations;
class FindAndReplaceHost;
class QAction;
struct InfoRowRecord;

// The find and replace of one contact window: the walk from hit to hit in
// the table or the shown contact, the marks the panes draw, Replace and
// Replace All as undoable steps, the Find menu's items, the bar shown and
// hidden, the find panel, and where the next find starts as rows are
// selected. The window's content controller owns it and passes the find
// bar's calls on.
class FindAndReplace {
public:
    FindAndReplace(FindAndReplaceHost &host, ContactOperations &operations);
    FindAndReplace(const FindAndReplace &) = delete;
    FindAndReplace &operator=(const FindAndReplace &) = delete;

    // --- The find bar -----------------------------------------------------
    // Showing takes the shared find string; hiding ends the find (no find
    // string, no marks). The completion runs when the bar has finished
    // moving.
    void showFindBar(bool show, const std::function<void()> &didFinishMoving);
    // The find panel on the window's contacts, run modal.
    void showFindPanel();
    // Edit ▸ Find's items, told apart by the key in their data.
    void performFindBarAction(const QAction *item);
    void findStringDidChange(const QString &findString);
    void findBarButtonDidPress(const QString &command);

    // --- The walk -----------------------------------------------------------
    // From the find target to the next hit, in the shown contact or else the
    // table. The target after the walk: the hit, or the target as it was
    // when nothing was found; null for an empty string.
    ItemAndRangeRecordPtr findNextString(const QString &findString, bool contactInfoVisible);
    // Replaces the hit's text when it still is the find string; false when
    // the hit names no contact of the window or no text of it.
    bool replaceByString(const QString &replacement, const ItemAndRangeRecord &hit);
    [[nodiscard]] const QString &findString() const { return m_findString; }
    // Where the next find starts, made on first use.
    [[nodiscard]] const ItemAndRangeRecordPtr &selectedItemAndRange() const { return m_selectedItemAndRange; }

    // --- Where the next find starts -----------------------------------------
    // A table row selected (the first of the selected rows, not null): the
    // find starts at its name, unless the row was selected to show a hit or
    // holds the target already.
    void tableRowSelected(const SubContactRecordPtr &first);
    // A detail row selected in the sender (null: none) starts the find in
    // that value, or name part, unless the pane is hidden.
    void detailRowSelected(const ContactInfoView *sender, const InfoRowRecord &info);

    // The sheet of the table's column commands, window-modal on the
    // request's window; the completion runs after its OK.
    static void showReplaceAlertPanel(const ReplaceAlertRequest &request, const ReplaceAlertCompletion &completion);

private:
    ItemAndRangeRecordPtr walk(const QString &findString, bool contactInfoVisible, bool backward);
    [[nodiscard]] Qt::CaseSensitivity findCaseSensitivity() const;
    [[nodiscard]] QString findOptions() const;
    void takeSharedFindString();
    void setFindStringOfPanes(const QString &findString);
    void endFind();
    void showHit(const ItemAndRangeRecordPtr &hit, bool contactInfoVisible);
    [[nodiscard]] bool holdsFindTarget(const SubContactRecord &row) const;
    [[nodiscard]] bool holdsFindTarget(const InfoRowRecord &row) const;
    void stepToHit(bool backward);
    void replaceAndFindNext();
    void replaceAll();

    FindAndReplaceHost &m_host;
    ContactOperations &m_operations;
    ItemAndRangeRecordPtr m_selectedItemAndRange;
    QString m_findString;
    // The target's labelIndex is a value's own (a detail pane's row or hit)
    // rather than a list position (a table row's).
    bool m_findTargetInDetail = false;
    // Set while a hit is being shown: the selection made for it is not
    // where the next find starts.
    bool m_showingHit = false;
};
