#pragma once

#include "editors/ValueEditorDelegate.h"
#include "model/ContactIdentifier.h"
#include "model/ContainerRecord.h"
#include "model/HagakiLayoutRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonRecord.h"
#include "model/PersonValue.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class ContactOperationsHost;
class MembershipJournal;
class MVPerson;

// The undoable operations on the contacts and groups of one window. Each
// registers its own inverse on the window's undo manager, changes the records
// in place and marks them for the next save, then has the window's panes
// show the change. The window's content controller owns it, is its host and
// hands it to the panes and commands that change contacts.
class ContactOperations : public ValueEditorDelegate {
public:
    explicit ContactOperations(ContactOperationsHost &host);
    ~ContactOperations() override;
    ContactOperations(const ContactOperations &) = delete;
    ContactOperations &operator=(const ContactOperations &) = delete;

    // --- Values of one contact ------------------------------------------------
    // Each registers its inverse with the old value and marks the person
    // changed. A replace that changes nothing (a value of a kind the field
    // does not take, text equal to a name part's) answers false and
    // registers nothing.
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override;
    void undoDeleteLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact);
    // "Birthday" takes the record's date parts (or date) as the birthday.
    void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override;
    // Replace All in one field of one contact, at a list position for the
    // labeled fields; true when the field changed.
    bool undoReplaceString(const QString &find, const QString &replacement, const ContactIdentifier &identifier,
        qsizetype index, Qt::CaseSensitivity options, const PersonRecordPtr &contact);
    // The merge editor's result: each contact takes the values of the record
    // at the same position, as one undo step.
    void undoReplacePersonByContacts(const QList<PersonRecordPtr> &newContacts, const QList<PersonRecordPtr> &contacts);

    // --- Group memberships and groups -------------------------------------
    void undoAddContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group);
    // The same in steps a progress window's Cancel may come between: the
    // contacts recorded in the group (and in its container's top group), the
    // group shown with them sorted in and selected, then kept as one undo
    // step, or taken back with the group's contacts in the order given (the
    // caller selects again the rows selected before).
    using MembershipChange = std::shared_ptr<const MembershipJournal>;
    [[nodiscard]] MembershipChange recordAddedContacts(
        const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group) const;
    void showAddedContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group);
    void keepAddedContacts(
        const MembershipChange &change, const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group);
    void takeBackAddedContacts(const MembershipChange &change, const GroupRecordPtr &group, const ContactTable &order);
    void undoDeleteContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool doUndo);
    void undoAddGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container);
    void undoDeleteGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container);
    bool undoChangeGroupName(const QString &name, const GroupRecordPtr &group);

private:
    using JournalPtr = MembershipChange;

    // The value a replace takes back to, or nothing when it is refused.
    [[nodiscard]] static std::optional<PersonValue> acceptedOldValue(
        const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person);
    static void applyReplacement(const PersonValue &value, const ContactIdentifier &identifier, MVPerson &person);
    bool replaceLabeledText(const QString &find, const QString &replacement, const ContactIdentifier &identifier,
        qsizetype index, Qt::CaseSensitivity options, const PersonRecordPtr &contact);
    void registerReplaceValue(
        const PersonValue &old, const ContactIdentifier &identifier, const PersonRecordPtr &contact);
    // The contact's addresses and postcard layouts, taken back as one.
    void registerReplaceAddresses(MVPerson &person, const PersonRecordPtr &contact);
    void undoReplaceAddresses(
        const PersonValue &addresses, const HagakiLayoutList &layouts, const PersonRecordPtr &contact);
    void mergeInto(MVPerson &source, const PersonRecordPtr &target);
    void refreshPopoversAfterMerge(const QList<PersonRecordPtr> &newContacts, const QList<PersonRecordPtr> &contacts);

    void addContactsToGroup(
        const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const;
    void addContactsToTopGroup(
        const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const;
    void markContactsDeleted(
        const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const;
    // Registers the step that takes a membership change back (or, while
    // undoing, makes it again).
    void registerMembershipStep(
        const JournalPtr &journal, const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted);
    void replayMembershipStep(const JournalPtr &journal, bool forward, const QList<ContactRecordPtr> &contacts,
        const GroupRecordPtr &group, bool sorted);
    // The shown group's table handed to the contact table again after a
    // membership change, with the changed contacts selected.
    void showChangedMembership(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted);
    // Whether the contact table shows the group's table.
    [[nodiscard]] bool showsGroup(const GroupRecord &group) const;

    ContactOperationsHost &m_host;
};
