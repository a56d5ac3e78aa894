// The find bar's Replace and Replace All: a hit's text changed only while it
// still is the find string, and every occurrence in the texts the table (or
// the shown contact) shows changed as one undo step.

#include "app/ViewController.h"

#include "detail/ContactDetailPane.h"
#include "find/FindBarPane.h"
#include "find/FindReplacement.h"
#include "find/FindWalk.h"
#include "platform/UndoManager.h"
#include "table/ContactTablePane.h"

#include <QTableView>

bool ViewController::replaceByString(const QString &replacement, const ItemAndRangeRecord &hit)
{
    ContactRecordPtr contact;
    for (const ContactRecordPtr &candidate : m_contactTable ? *m_contactTable : ContactTable()) {
        if (candidate && candidate->person && candidate->uniqueId == hit.uniqueId) {
            contact = candidate;
            break;
        }
    }
    if (!contact)
        return false;
    MVPerson &person = *contact->person;
    const std::optional<qsizetype> position = FindWalk::positionOfTarget(hit, m_findTargetInDetail, person);
    if (!position)
        return false;
    const std::optional<FindReplacement::Change> change
        = FindReplacement::changeForHit(hit, *position, person, m_findString, replacement, findCaseSensitivity());
    if (change)
        undoReplaceValue(change->value, change->identifier, contact);
    return true;
}

// Replace always moves forward, also after a step back.
void ViewController::replaceAndFindNext()
{
    if (m_findString.isEmpty() || !m_selectedItemAndRange)
        return;
    const QString replacement = m_findBarController ? m_findBarController->replaceString() : QString();
    const bool showing = std::exchange(m_showingHit, true);
    replaceByString(replacement, *m_selectedItemAndRange);
    if (const ItemAndRangeRecordPtr hit = findNextString(m_findString, m_contactInfoVisible)) {
        if (m_contactInfoVisible && m_contactInfoController) {
            if (m_contactInfoController->tableView())
                m_contactInfoController->tableView()->setFocus();
            m_contactInfoController->selectItemAndRange(hit);
        } else if (!m_contactInfoVisible && m_contactsViewController) {
            m_contactsViewController->selectItemAndRange(hit);
            m_contactsViewController->makeFirstResponder();
        }
    }
    m_showingHit = showing;
}

void ViewController::replaceAll()
{
    if (m_findString.isEmpty())
        return;
    const QString replacement = m_findBarController ? m_findBarController->replaceString() : QString();
    const Qt::CaseSensitivity caseSensitivity = findCaseSensitivity();
    const auto replaceTexts = [&](const PersonRecordPtr &contact, const QList<FindReplacement::Text> &texts) {
        bool changed = false;
        for (const FindReplacement::Text &text : texts) {
            changed = m_operations->undoReplaceString(
                          m_findString, replacement, text.identifier, text.position, caseSensitivity, contact)
                || changed;
        }
        if (changed)
            contactDidUpdate(contact, ChangeSender());
    };
    UndoManager *manager = undoManager();
    if (manager)
        manager->beginUndoGrouping();
    if (m_contactInfoVisible) {
        const PersonRecordPtr contact = m_contactInfoController ? m_contactInfoController->contact() : nullptr;
        if (contact && contact->person)
            replaceTexts(contact, FindReplacement::textsOfContact(*contact->person));
    } else if (m_contactsViewController && m_contactTable) {
        const QStringList columns = m_contactsViewController->columnIdentifiers();
        const QStringList labels = m_contactsViewController->labelFilter();
        for (const ContactRecordPtr &contact : std::as_const(*m_contactTable)) {
            if (contact && contact->person && !contact->deleted)
                replaceTexts(contact, FindReplacement::textsOfColumns(*contact->person, columns, labels));
        }
    }
    if (manager)
        manager->endUndoGrouping();
    // The changed contacts have the panes redraw once, when the turn ends.
    if (m_contactsViewController && !m_contactInfoVisible)
        m_contactsViewController->makeFirstResponder();
}
