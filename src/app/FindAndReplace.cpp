#include "app/FindAndReplace.h"

#include "app/ContactOperations.h"
#include "app/FindAndReplaceHost.h"
#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoView.h"
#include "detail/InfoRowRecord.h"
#include "find/FindBarDelegate.h"
#include "find/FindBarPane.h"
#include "find/FindPanel.h"
#include "find/FindPasteboard.h"
#include "find/FindReplacement.h"
#include "find/FindWalk.h"
#include "find/ReplaceAlertPanel.h"
#include "model/FieldVocabulary.h"
#include "platform/UndoManager.h"
#include "platform/widgets/DialogAnswer.h"
#include "table/ContactTablePane.h"

#include <QAction>
#include <QTableView>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString caseInsensitiveOption = u"caseInsensitive"_s;
const QString caseSensitiveOption = u"caseSensitive"_s;
const QString senderColumn = u"Sender"_s;

QString sheetType(const QString &key)
{
    if (key == QLatin1String("Add Label and Text"))
        return ReplaceAlertPanel::addLabelAndTextTitle();
    if (key == QLatin1String("Replace Label and Text"))
        return ReplaceAlertPanel::replaceLabelAndTextTitle();
    if (key == QLatin1String("Replace Text"))
        return ReplaceAlertPanel::replaceTextTitle();
    if (key == QLatin1String("Prepend Text"))
        return ReplaceAlertPanel::prependTextTitle();
    if (key == QLatin1String("Append Text"))
        return ReplaceAlertPanel::appendTextTitle();
    return key;
}

} // namespace

FindAndReplace::FindAndReplace(FindAndReplaceHost &host, ContactOperations &operations)
    : m_host(host)
    , m_operations(operations)
{
}

Qt::CaseSensitivity FindAndReplace::findCaseSensitivity() const
{
    const FindBarPane *bar = m_host.findBarPane();
    return !bar || bar->isCaseInsensitive() ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

QString FindAndReplace::findOptions() const
{
    return findCaseSensitivity() == Qt::CaseInsensitive ? caseInsensitiveOption : caseSensitiveOption;
}

// --- The walk ----------------------------------------------------------------------

ItemAndRangeRecordPtr FindAndReplace::findNextString(const QString &findString, bool contactInfoVisible)
{
    return walk(findString, contactInfoVisible, false);
}

// The target is changed in place: the panes mark the very record.
ItemAndRangeRecordPtr FindAndReplace::walk(const QString &findString, bool contactInfoVisible, bool backward)
{
    if (findString.isEmpty())
        return nullptr;
    m_findString = findString;
    ContactTablePane *table = m_host.tablePane();
    const QList<SubContactRecordPtr> noRows;
    const QList<SubContactRecordPtr> &rows = table ? table->subContactTable() : noRows;
    if (!m_selectedItemAndRange) {
        m_selectedItemAndRange = FindWalk::defaultTarget(rows);
        m_findTargetInDetail = false;
    }
    const FindWalk::Options options{findCaseSensitivity(), backward};
    ItemAndRangeRecordPtr hit;
    if (contactInfoVisible) {
        if (ContactDetailPane *detail = m_host.detailPane())
            hit = FindWalk::walkContact(
                findString, *m_selectedItemAndRange, m_findTargetInDetail, detail->contact(), options);
    } else if (table) {
        hit = FindWalk::walkTable(findString, *m_selectedItemAndRange, m_findTargetInDetail, rows,
            table->columnIdentifiers(), table->labelFilter(), options);
    }
    if (hit) {
        *m_selectedItemAndRange = *hit;
        m_findTargetInDetail = contactInfoVisible;
    }
    return m_selectedItemAndRange;
}

// The hit in the pane that is searched; the table drops its current hit's
// mark while the detail pane shows the hit.
void FindAndReplace::showHit(const ItemAndRangeRecordPtr &hit, bool contactInfoVisible)
{
    const bool showing = std::exchange(m_showingHit, true);
    ContactTablePane *table = m_host.tablePane();
    ContactDetailPane *detail = m_host.detailPane();
    if (contactInfoVisible) {
        if (detail)
            detail->selectItemAndRange(hit);
        if (table)
            table->selectItemAndRange(nullptr);
    } else {
        if (table)
            table->selectItemAndRange(hit);
        if (detail)
            detail->selectItemAndRange(hit);
    }
    m_showingHit = showing;
}

void FindAndReplace::stepToHit(bool backward)
{
    const bool contactInfoVisible = m_host.contactInfoVisible();
    if (const ItemAndRangeRecordPtr hit = walk(m_findString, contactInfoVisible, backward))
        showHit(hit, contactInfoVisible);
}

// --- The bar's delegate ---------------------------------------------------------------

void FindAndReplace::findStringDidChange(const QString &findString)
{
    m_findString = findString;
    if (!findString.isEmpty())
        FindPasteboard::setString(findString);
    const bool contactInfoVisible = m_host.contactInfoVisible();
    const ItemAndRangeRecordPtr hit = findNextString(m_findString, contactInfoVisible);
    setFindStringOfPanes(m_findString);
    ContactTablePane *table = m_host.tablePane();
    if (!hit) {
        if (table)
            table->updateTable();
        return;
    }
    // Every occurrence is marked and the first hit's row selected; the
    // current hit is marked from the next step on.
    const bool showing = std::exchange(m_showingHit, true);
    ContactDetailPane *detail = m_host.detailPane();
    if (detail)
        detail->selectItemAndRange(hit);
    if (contactInfoVisible) {
        if (detail && detail->tableView())
            detail->tableView()->setFocus();
    } else if (table) {
        table->selectItemAndRange(hit);
        table->makeFirstResponder();
    }
    if (table)
        table->selectItemAndRange(nullptr);
    m_showingHit = showing;
}

void FindAndReplace::findBarButtonDidPress(const QString &command)
{
    if (command == FindBarDelegate::Done) {
        // The window brings its button and the bar into step, and the bar's
        // hiding ends the find.
        m_host.findBarDidEnd();
    } else if (command == FindBarDelegate::OptionChanged) {
        if (ContactDetailPane *detail = m_host.detailPane()) {
            detail->setFindOptions(findOptions());
            if (m_host.contactInfoVisible())
                detail->updateTable();
        }
        if (ContactTablePane *table = m_host.tablePane())
            table->setFindOptions(findOptions());
    } else if (command == FindBarDelegate::Next || command == FindBarDelegate::Previous) {
        stepToHit(command == FindBarDelegate::Previous);
    } else if (command == FindBarDelegate::Replace) {
        replaceAndFindNext();
    } else if (command == FindBarDelegate::ReplaceAll) {
        replaceAll();
    }
}

// --- Showing and hiding -----------------------------------------------------------------

void FindAndReplace::setFindStringOfPanes(const QString &findString)
{
    if (ContactDetailPane *detail = m_host.detailPane()) {
        detail->setFindString(findString);
        detail->setFindOptions(findOptions());
    }
    if (ContactTablePane *table = m_host.tablePane()) {
        table->setFindString(findString);
        table->setFindOptions(findOptions());
    }
}

void FindAndReplace::takeSharedFindString()
{
    const QString shared = FindPasteboard::string();
    if (shared.isEmpty())
        return;
    m_findString = shared;
    if (FindBarPane *bar = m_host.findBarPane())
        bar->setSearchString(shared);
    setFindStringOfPanes(shared);
    ContactDetailPane *detail = m_host.detailPane();
    if (detail && m_host.contactInfoVisible())
        detail->updateTable();
}

// No find string and no marks, in the detail pane first.
void FindAndReplace::endFind()
{
    m_findString.clear();
    if (FindBarPane *bar = m_host.findBarPane())
        bar->setSearchString(QString());
    if (ContactDetailPane *detail = m_host.detailPane()) {
        detail->setFindString(QString());
        detail->selectItemAndRange(nullptr);
        detail->updateTable();
    }
    if (ContactTablePane *table = m_host.tablePane()) {
        table->setFindString(QString());
        table->selectItemAndRange(nullptr);
    }
}

void FindAndReplace::showFindBar(bool show, const std::function<void()> &didFinishMoving)
{
    if (show)
        takeSharedFindString();
    else
        endFind();
    if (FindBarPane *bar = m_host.findBarPane())
        bar->setVisible(show, didFinishMoving);
}

void FindAndReplace::performFindBarAction(const QAction *item)
{
    if (!item)
        return;
    takeSharedFindString();
    const QString key = item->data().toString();
    if (key == u"Find…"_s || key == u"Find and Replace…"_s) {
        m_host.pressFindButton();
    } else if (key == u"Find Next"_s || key == u"Find Previous"_s) {
        stepToHit(key == u"Find Previous"_s);
    }
}

void FindAndReplace::showFindPanel()
{
    FindPanel panel(m_host.findPanelParent());
    const QString shared = FindPasteboard::string();
    if (!shared.isEmpty()) {
        m_findString = shared;
        panel.setSearchString(shared);
    }
    QList<PersonRecordPtr> contacts;
    const ContactTablePtr &shown = m_host.contactTable();
    for (const ContactRecordPtr &contact : shown ? *shown : ContactTable())
        contacts.append(contact);
    panel.setContacts(contacts);
    ContactTablePane *table = m_host.tablePane();
    QStringList columns = table ? table->columnIdentifiers() : QStringList();
    columns.removeAll(senderColumn);
    panel.setSelectedItems(columns);
    panel.setDateLabels(FieldVocabulary::shared().labelsForIdentifier(FieldId::Dates));
    panel.setEditState(m_host.editState());
    panel.setValueEditorDelegate(&m_operations);
    panel.updateTable();
    panel.exec();
}

// --- Replace -------------------------------------------------------------------------
// A hit's text is changed only while it still is the find string, and every
// occurrence in the texts the table (or the shown contact) shows is changed
// as one undo step.

bool FindAndReplace::replaceByString(const QString &replacement, const ItemAndRangeRecord &hit)
{
    ContactRecordPtr contact;
    const ContactTablePtr &shown = m_host.contactTable();
    for (const ContactRecordPtr &candidate : shown ? *shown : ContactTable()) {
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
        m_operations.undoReplaceValue(change->value, change->identifier, contact);
    return true;
}

// Replace always moves forward, also after a step back.
void FindAndReplace::replaceAndFindNext()
{
    if (m_findString.isEmpty() || !m_selectedItemAndRange)
        return;
    const FindBarPane *bar = m_host.findBarPane();
    const QString replacement = bar ? bar->replaceString() : QString();
    const bool showing = std::exchange(m_showingHit, true);
    replaceByString(replacement, *m_selectedItemAndRange);
    const bool contactInfoVisible = m_host.contactInfoVisible();
    if (const ItemAndRangeRecordPtr hit = findNextString(m_findString, contactInfoVisible)) {
        ContactDetailPane *detail = m_host.detailPane();
        ContactTablePane *table = m_host.tablePane();
        if (contactInfoVisible && detail) {
            if (detail->tableView())
                detail->tableView()->setFocus();
            detail->selectItemAndRange(hit);
        } else if (!contactInfoVisible && table) {
            table->selectItemAndRange(hit);
            table->makeFirstResponder();
        }
    }
    m_showingHit = showing;
}

void FindAndReplace::replaceAll()
{
    if (m_findString.isEmpty())
        return;
    const FindBarPane *bar = m_host.findBarPane();
    const QString replacement = bar ? bar->replaceString() : QString();
    const Qt::CaseSensitivity caseSensitivity = findCaseSensitivity();
    const auto replaceTexts = [&](const PersonRecordPtr &contact, const QList<FindReplacement::Text> &texts) {
        bool changed = false;
        for (const FindReplacement::Text &text : texts) {
            changed = m_operations.undoReplaceString(
                          m_findString, replacement, text.identifier, text.position, caseSensitivity, contact)
                || changed;
        }
        if (changed)
            m_host.contactChangedByReplace(contact);
    };
    UndoManager *manager = m_host.undoManager();
    if (manager)
        manager->beginUndoGrouping();
    const bool contactInfoVisible = m_host.contactInfoVisible();
    ContactTablePane *table = m_host.tablePane();
    const ContactTablePtr &shown = m_host.contactTable();
    if (contactInfoVisible) {
        const ContactDetailPane *detail = m_host.detailPane();
        const PersonRecordPtr contact = detail ? detail->contact() : nullptr;
        if (contact && contact->person)
            replaceTexts(contact, FindReplacement::textsOfContact(*contact->person));
    } else if (table && shown) {
        const QStringList columns = table->columnIdentifiers();
        const QStringList labels = table->labelFilter();
        for (const ContactRecordPtr &contact : std::as_const(*shown)) {
            if (contact && contact->person && !contact->deleted)
                replaceTexts(contact, FindReplacement::textsOfColumns(*contact->person, columns, labels));
        }
    }
    if (manager)
        manager->endUndoGrouping();
    // The changed contacts have the panes redraw once, when the turn ends.
    if (table && !contactInfoVisible)
        table->makeFirstResponder();
}

// --- Where the next find starts ---------------------------------------------------------

void FindAndReplace::tableRowSelected(const SubContactRecordPtr &first)
{
    // A row selected to show a find hit, or selected again as the rows are
    // rebuilt, leaves the hit the find target.
    if (m_showingHit || holdsFindTarget(*first))
        return;
    if (!m_selectedItemAndRange)
        m_selectedItemAndRange = std::make_shared<ItemAndRangeRecord>();
    m_findTargetInDetail = false;
    ItemAndRangeRecord &target = *m_selectedItemAndRange;
    target.contact = first;
    target.uniqueId = first->uniqueId;
    target.identifier = FieldId::Name;
    target.subIdentifier.reset();
    target.labelIndex = first->labelIndex;
    target.range = {0, 0};
    target.itemRange.reset();
}

bool FindAndReplace::holdsFindTarget(const SubContactRecord &row) const
{
    const ItemAndRangeRecord *target = m_selectedItemAndRange.get();
    if (!target || target->uniqueId != row.uniqueId)
        return false;
    // A hit in the detail pane lies in the row's contact, at any position.
    return m_findTargetInDetail || target->labelIndex == row.labelIndex;
}

// A row of a name part (labelIndex 0 with its part as label) starts the find
// in that part; any other row in its field, at its value.
void FindAndReplace::detailRowSelected(const ContactInfoView *sender, const InfoRowRecord &info)
{
    // The row selected to show a find hit, selected again as the rows are
    // rebuilt, or selected in the hidden pane leaves the hit the find target.
    const bool hiddenPane = sender && sender == dynamic_cast<const ContactInfoView *>(m_host.detailPane())
        && !m_host.contactInfoVisible();
    if (m_showingHit || hiddenPane || holdsFindTarget(info))
        return;
    if (!m_selectedItemAndRange)
        m_selectedItemAndRange = std::make_shared<ItemAndRangeRecord>();
    m_findTargetInDetail = true;
    ItemAndRangeRecord &target = *m_selectedItemAndRange;
    target.identifier = info.type;
    if (info.labelIndex == 0 && info.label) {
        target.subIdentifier = *info.label;
        target.labelIndex = 0;
    } else {
        target.subIdentifier.reset();
        target.labelIndex = info.labelIndex.value_or(0);
    }
    target.range = {0, 0};
    target.itemRange.reset();
}

bool FindAndReplace::holdsFindTarget(const InfoRowRecord &row) const
{
    const ItemAndRangeRecord *target = m_selectedItemAndRange.get();
    if (!target || !m_findTargetInDetail || target->identifier != row.type)
        return false;
    if (row.type == FieldId::Name || row.type == FieldId::PhoneticName) {
        const QString part = target->subIdentifier.value_or(QString());
        return part == row.labelText() || part == u"Phonetic" + row.labelText();
    }
    return !row.labelIndex || target->labelIndex == row.labelIndex;
}

// --- The column commands' sheet -------------------------------------------------------
// The table lies below the find folder that holds the sheet, so it asks for
// the sheet here.

void FindAndReplace::showReplaceAlertPanel(const ReplaceAlertRequest &request, const ReplaceAlertCompletion &completion)
{
    if (!request.window) {
        qWarning("%s: ERROR no window for the sheet", Q_FUNC_INFO);
        return;
    }
    auto *panel = new ReplaceAlertPanel(request.window);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setLabels(request.labels);
    panel->setLabel(request.label);
    panel->setType(sheetType(request.type));
    panel->setReplaceString(request.replaceString);
    panel->setIdentifier(request.identifier);
    panel->updateUI();
    DialogAnswer::deliverAfterDone(panel, request.window, [panel, completion](int code) -> DialogAnswer::Answer {
        if (code != 1 || !completion)
            return {};
        return
            [completion, answer = ReplaceAlertAnswer{panel->replaceString(), panel->label()}] { completion(answer); };
    });
    panel->open();
}
