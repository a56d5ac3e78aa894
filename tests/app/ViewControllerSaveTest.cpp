#include "AddressBookTestSupport.h"
#include "PersonValueDump.h"
#include "RecordingPanes.h"

#include "app/AddressBookLoader.h"
#include "app/SaveRequestBuilder.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>

#include <algorithm>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window's controller over an address book loaded from a store seeded
// with six contacts, "Friends" (Aoi, Ben, Chika) and "Work" (Chika, Daichi);
// the groups' tables are fetched as selecting them does, sharing the top
// group's persons.
class UndoThenSave : public AddressBookTest {
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        QStringList ids;
        for (const char *name : {"Aoi", "Ben", "Chika", "Daichi", "Emi", "Fumio"})
            ids.append(seedContact(QString::fromLatin1(name), u"Sato"_s).identifier());
        seedGroup(u"Friends"_s, {ids[0], ids[1], ids[2]});
        seedGroup(u"Work"_s, {ids[2], ids[3]});
        launch();
        takeTables();
    }

    // Hands the delegate's tables to the controller, fetching every group.
    void takeTables()
    {
        m_controller = std::make_unique<ViewController>(m_delegate->window());
        m_controller->setContactsViewController(&m_table);
        m_controller->setContainerTable(m_delegate->containerTable());
        m_controller->setSelectedGroupDict(m_delegate->selectedGroupDict());
        m_controller->setContactTable(m_delegate->contactTable());
        m_controller->setRepresentedObject({});
        const ContainerRecordPtr container = m_delegate->containerTable()->first();
        const AddressBookLoader loader(*m_store, m_delegate->sideStore());
        for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
            if (group->top)
                continue;
            group->contactTable = std::make_shared<ContactTable>();
            const auto members = loader.cnContactsForGroup(group->cnGroup, container->identifier);
            ASSERT_TRUE(members);
            for (const StoreContact &member : *members) {
                if (const ContactRecordPtr topRow = rowWithId(topGroup(), member.identifier()))
                    group->contactTable->append(ContactRecord::makeWithPerson(topRow->person));
            }
        }
    }

    [[nodiscard]] static ContactRecordPtr rowWithId(const GroupRecordPtr &group, const QString &uniqueId)
    {
        const auto found = std::find_if(group->contactTable->cbegin(), group->contactTable->cend(),
            [&](const ContactRecordPtr &row) { return row->uniqueId == uniqueId; });
        return found == group->contactTable->cend() ? ContactRecordPtr() : *found;
    }

    [[nodiscard]] GroupRecordPtr groupNamed(const QString &name) const
    {
        for (const GroupRecordPtr &group : std::as_const(*m_delegate->containerTable()->first()->groups)) {
            if (group->name == name)
                return group;
        }
        return {};
    }

    [[nodiscard]] ContactRecordPtr rowIn(const QString &groupName, const QString &givenName) const
    {
        const GroupRecordPtr group = groupNamed(groupName);
        return rowWithId(group, rowNamed(givenName)->uniqueId);
    }

    static void endTurn() { QCoreApplication::processEvents(); }

    [[nodiscard]] SaveRequestBuilder::Plan pendingSave() const
    {
        return SaveRequestBuilder(*m_store).saveAddressBook(*m_delegate->containerTable());
    }

    PaneLog m_log;
    RecordingContactTable m_table{m_log};
    std::unique_ptr<ViewController> m_controller;
};

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

TEST_F(UndoThenSave, ARemovalFromAGroupMadeBeforeADeleteThatIsUndoneIsSaved)
{
    const GroupRecordPtr friends = groupNamed(u"Friends"_s);
    m_controller->undoDeleteContacts({rowIn(u"Friends"_s, u"Chika"_s)}, friends, true);
    endTurn();
    m_controller->undoDeleteContacts({rowNamed(u"Daichi"_s)}, topGroup(), true);
    endTurn();
    m_controller->undo();
    EXPECT_TRUE(m_delegate->window()->isWindowModified());

    ASSERT_TRUE(save());
    EXPECT_EQ(sorted(contactsInGroupNamed(u"Friends"_s)), (QStringList{u"Aoi"_s, u"Ben"_s}));
    EXPECT_EQ(sorted(contactsInGroupNamed(u"Work"_s)), (QStringList{u"Chika"_s, u"Daichi"_s}));
    EXPECT_TRUE(rowNamed(u"Daichi"_s));
}

namespace {

// One random change, made through the controller as the panes make it.
class RandomEditor {
public:
    RandomEditor(ViewController &controller, RecordingContactTable &table, std::mt19937 &random)
        : m_controller(controller)
        , m_table(table)
        , m_random(random)
    {
    }

    void editOnce(const ContainerRecord &container)
    {
        const GroupList &groups = *container.groups;
        const GroupRecordPtr top = groups.first();
        const ContactRecordPtr contact = pick(*top->contactTable);
        const GroupRecordPtr group = groups.at(1 + int(m_random() % (groups.size() - 1)));
        switch (m_random() % 12) {
        case 0:
            m_controller.undoReplaceValue(text(), pickOf({FieldId::Company, FieldId::Note, FieldId::Renmei}), contact);
            break;
        case 1:
            m_controller.undoReplaceValue(text(), pickOf({FieldId::FirstName, FieldId::PhoneticLastName}), contact);
            break;
        case 2: {
            LabeledValueRecord phone;
            phone.label = u"mobile"_s;
            phone.value = u"090-0000-%1"_s.arg(m_random() % 10000);
            m_controller.undoAddLabeledValue(phone, pickOf({FieldId::Phone, FieldId::Email}), contact);
            break;
        }
        case 3:
            if (const LabeledValueRecordPtr first
                = contact->person->labeledValueForIdentifierAtIndex(FieldId::Phone, 0))
                m_controller.undoDeleteLabeledValue(*first, FieldId::Phone, contact);
            break;
        case 4:
            m_controller.undoReplaceString(
                u"a"_s, text(), pickOf({FieldId::FirstName, FieldId::Company}), 0, Qt::CaseInsensitive, contact);
            break;
        case 5: {
            LabeledValueRecord birthday;
            birthday.value = StoreDateComponents{1950 + int(m_random() % 60), 1 + int(m_random() % 12), 1};
            m_controller.undoAddLabeledValue(birthday, FieldId::Birthday, contact);
            break;
        }
        case 6:
            m_controller.undoAddContacts({ContactRecord::makeWithPerson(contact->person)}, group);
            break;
        case 7:
            if (!group->contactTable->isEmpty())
                m_controller.undoDeleteContacts({pick(*group->contactTable)}, group, true);
            break;
        case 8:
            m_controller.undoDeleteContacts({contact}, top, true);
            break;
        case 9:
            m_controller.groupSelectionDidChange(top);
            m_table.select({int(m_random() % top->contactTable->size())});
            m_controller.duplicateContacts();
            break;
        case 10:
            m_controller.groupSelectionDidChange(top);
            m_table.select({int(m_random() % top->contactTable->size())});
            m_controller.deleteContacts();
            break;
        default:
            m_controller.undoChangeGroupName(text(), group);
            break;
        }
    }

private:
    template <typename T> const T &pick(const QList<T> &list) { return list.at(int(m_random() % list.size())); }
    ContactIdentifier pickOf(const QList<ContactIdentifier> &identifiers) { return pick(identifiers); }
    QString text() { return u"text %1"_s.arg(m_random() % 1000); }

    ViewController &m_controller;
    RecordingContactTable &m_table;
    std::mt19937 &m_random;
};

} // namespace

TEST_F(UndoThenSave, RandomEditsUndoneGiveBackEveryValueAndASaveOfNothingButUpdates)
{
    const ContainerRecordPtr container = m_delegate->containerTable()->first();
    std::vector<std::pair<ContactRecordPtr, std::string>> start;
    for (const ContactRecordPtr &row : std::as_const(*topGroup()->contactTable))
        start.emplace_back(row, dumpPerson(*row->person));
    std::mt19937 random(20240611);
    RandomEditor editor(*m_controller, m_table, random);

    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const int steps = 1 + int(random() % 4);
        for (int step = 0; step < steps; ++step)
            editor.editOnce(*container);
        if (random() % 3 == 0) {
            m_controller->undo();
            if (random() % 2 == 0)
                m_controller->redo();
        }
        endTurn();
    }
    while (m_controller->undoManager()->canUndo())
        m_controller->undo();
    EXPECT_FALSE(m_delegate->window()->isWindowModified());

    const GroupList &groups = *container->groups;
    EXPECT_EQ(groups.size(), 3);
    EXPECT_EQ(topGroup()->contactTable->size(), qsizetype(start.size()));
    for (const auto &[row, values] : start) {
        EXPECT_EQ(dumpPerson(*row->person), values);
        EXPECT_FALSE(row->deleted);
        EXPECT_FALSE(row->isNew);
    }
    for (const GroupRecordPtr &group : groups) {
        EXPECT_FALSE(group->changed);
        for (const ContactRecordPtr &row : std::as_const(*group->contactTable))
            EXPECT_FALSE(row->deleted || row->isNew) << qPrintable(group->name);
    }
    EXPECT_EQ(groupNamed(u"Friends"_s)->contactTable->size(), 3);
    EXPECT_EQ(groupNamed(u"Work"_s)->contactTable->size(), 2);

    const StoreSaveRequest request = pendingSave().request;
    EXPECT_TRUE(request.addedContacts().isEmpty());
    EXPECT_TRUE(request.deletedContactIdentifiers().isEmpty());
    EXPECT_TRUE(request.addedGroups().isEmpty());
    EXPECT_TRUE(request.deletedGroupIdentifiers().isEmpty());
    EXPECT_TRUE(request.addedMembers().isEmpty());
    EXPECT_TRUE(request.removedMembers().isEmpty());
    EXPECT_FALSE(request.updatedContacts().isEmpty());
}
