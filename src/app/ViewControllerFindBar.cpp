// The find bar's delegate: the walk from hit to hit in the table or the
// shown contact, the Find menu's items, the bar shown and hidden, and the
// find panel.

#include "app/ViewController.h"

#include "app/WindowController.h"
#include "detail/ContactDetailPane.h"
#include "find/FindBarPane.h"
#include "find/FindPanel.h"
#include "find/FindPasteboard.h"
#include "find/FindWalk.h"
#include "table/ContactTablePane.h"

#include <QAction>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString caseInsensitiveOption = u"caseInsensitive"_s;
const QString caseSensitiveOption = u"caseSensitive"_s;
const QString senderColumn = u"Sender"_s;

} // namespace

Qt::CaseSensitivity ViewController::findCaseSensitivity() const
{
    return !m_findBarController || m_findBarController->isCaseInsensitive() ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

QString ViewController::findOptions() const
{
    return findCaseSensitivity() == Qt::CaseInsensitive ? caseInsensitiveOption : caseSensitiveOption;
}

// --- The walk ----------------------------------------------------------------------

ItemAndRangeRecordPtr ViewController::findNextString(const QString &findString, bool contactInfoVisible)
{
    return walk(findString, contactInfoVisible, false);
}

// The target is changed in place: the panes mark the very record.
ItemAndRangeRecordPtr ViewController::walk(const QString &findString, bool contactInfoVisible, bool backward)
{
    if (findString.isEmpty())
        return nullptr;
    m_findString = findString;
    const QList<SubContactRecordPtr> noRows;
    const QList<SubContactRecordPtr> &rows
        = m_contactsViewController ? m_contactsViewController->subContactTable() : noRows;
    if (!m_selectedItemAndRange) {
        m_selectedItemAndRange = FindWalk::defaultTarget(rows);
        m_findTargetInDetail = false;
    }
    const FindWalk::Options options{findCaseSensitivity(), backward};
    ItemAndRangeRecordPtr hit;
    if (contactInfoVisible) {
        if (m_contactInfoController)
            hit = FindWalk::walkContact(
                findString, *m_selectedItemAndRange, m_findTargetInDetail, m_contactInfoController->contact(), options);
    } else if (m_contactsViewController) {
        hit = FindWalk::walkTable(findString, *m_selectedItemAndRange, m_findTargetInDetail, rows,
            m_contactsViewController->columnIdentifiers(), m_contactsViewController->labelFilter(), options);
    }
    if (hit) {
        *m_selectedItemAndRange = *hit;
        m_findTargetInDetail = contactInfoVisible;
    }
    return m_selectedItemAndRange;
}

// The hit in the pane that is searched; the table drops its current hit's
// mark while the detail pane shows the hit.
void ViewController::showHit(const ItemAndRangeRecordPtr &hit, bool contactInfoVisible)
{
    const bool showing = std::exchange(m_showingHit, true);
    if (contactInfoVisible) {
        if (m_contactInfoController)
            m_contactInfoController->selectItemAndRange(hit);
        if (m_contactsViewController)
            m_contactsViewController->selectItemAndRange(nullptr);
    } else {
        if (m_contactsViewController)
            m_contactsViewController->selectItemAndRange(hit);
        if (m_contactInfoController)
            m_contactInfoController->selectItemAndRange(hit);
    }
    m_showingHit = showing;
}

void ViewController::stepToHit(bool backward)
{
    if (const ItemAndRangeRecordPtr hit = walk(m_findString, m_contactInfoVisible, backward))
        showHit(hit, m_contactInfoVisible);
}

// --- The bar's delegate ---------------------------------------------------------------

void ViewController::findStringDidChange(const QString &findString)
{
    m_findString = findString;
    if (!findString.isEmpty())
        FindPasteboard::setString(findString);
    const ItemAndRangeRecordPtr hit = findNextString(m_findString, m_contactInfoVisible);
    setFindStringOfPanes(m_findString);
    if (!hit) {
        if (m_contactsViewController)
            m_contactsViewController->updateTable();
        return;
    }
    // Every occurrence is marked and the first hit's row selected; the
    // current hit is marked from the next step on.
    const bool showing = std::exchange(m_showingHit, true);
    if (m_contactInfoController)
        m_contactInfoController->selectItemAndRange(hit);
    if (m_contactInfoVisible) {
        if (m_contactInfoController && m_contactInfoController->tableView())
            m_contactInfoController->tableView()->setFocus();
    } else if (m_contactsViewController) {
        m_contactsViewController->selectItemAndRange(hit);
        m_contactsViewController->makeFirstResponder();
    }
    if (m_contactsViewController)
        m_contactsViewController->selectItemAndRange(nullptr);
    m_showingHit = showing;
}

void ViewController::findBarButtonDidPress(const QString &command)
{
    if (command == Done) {
        // The window brings its button and the bar into step, and the bar's
        // hiding ends the find.
        if (m_windowController)
            m_windowController->findBarDidEnd();
        else
            showFindBar(false);
    } else if (command == OptionChanged) {
        if (m_contactInfoController) {
            m_contactInfoController->setFindOptions(findOptions());
            if (m_contactInfoVisible)
                m_contactInfoController->updateTable();
        }
        if (m_contactsViewController)
            m_contactsViewController->setFindOptions(findOptions());
    } else if (command == Next || command == Previous) {
        stepToHit(command == Previous);
    } else if (command == Replace) {
        replaceAndFindNext();
    } else if (command == ReplaceAll) {
        replaceAll();
    }
}

// --- Showing and hiding -----------------------------------------------------------------

void ViewController::setFindStringOfPanes(const QString &findString)
{
    if (m_contactInfoController) {
        m_contactInfoController->setFindString(findString);
        m_contactInfoController->setFindOptions(findOptions());
    }
    if (m_contactsViewController) {
        m_contactsViewController->setFindString(findString);
        m_contactsViewController->setFindOptions(findOptions());
    }
}

void ViewController::takeSharedFindString()
{
    const QString shared = FindPasteboard::string();
    if (shared.isEmpty())
        return;
    m_findString = shared;
    if (m_findBarController)
        m_findBarController->setSearchString(shared);
    setFindStringOfPanes(shared);
    if (m_contactInfoController && m_contactInfoVisible)
        m_contactInfoController->updateTable();
}

// No find string and no marks, in the detail pane first.
void ViewController::endFind()
{
    m_findString.clear();
    if (m_findBarController)
        m_findBarController->setSearchString(QString());
    if (m_contactInfoController) {
        m_contactInfoController->setFindString(QString());
        m_contactInfoController->selectItemAndRange(nullptr);
        m_contactInfoController->updateTable();
    }
    if (m_contactsViewController) {
        m_contactsViewController->setFindString(QString());
        m_contactsViewController->selectItemAndRange(nullptr);
    }
}

void ViewController::showFindBar(bool show)
{
    if (show)
        takeSharedFindString();
    else
        endFind();
    if (!m_findBarController)
        return;
    QPointer<WindowController> window = m_windowController;
    m_findBarController->setVisible(show, [window] {
        if (window)
            window->findBarDidFinishMoving();
    });
}

void ViewController::performFindBarAction(const QAction *item)
{
    if (!item)
        return;
    takeSharedFindString();
    const QString key = item->data().toString();
    if (key == u"Find…"_s || key == u"Find and Replace…"_s) {
        if (m_windowController)
            m_windowController->findBarButtonClicked();
    } else if (key == u"Find Next"_s || key == u"Find Previous"_s) {
        stepToHit(key == u"Find Previous"_s);
    }
}

void ViewController::showFindPanel()
{
    FindPanel panel(m_windowController);
    const QString shared = FindPasteboard::string();
    if (!shared.isEmpty()) {
        m_findString = shared;
        panel.setSearchString(shared);
    }
    QList<PersonRecordPtr> contacts;
    for (const ContactRecordPtr &contact : m_contactTable ? *m_contactTable : ContactTable())
        contacts.append(contact);
    panel.setContacts(contacts);
    QStringList columns = m_contactsViewController ? m_contactsViewController->columnIdentifiers() : QStringList();
    columns.removeAll(senderColumn);
    panel.setSelectedItems(columns);
    panel.setDateLabels(MVPerson::labelsForIdentifier(FieldId::Dates));
    panel.setEditState(m_editState);
    panel.setParentViewController(this);
    panel.updateTable();
    panel.exec();
}
