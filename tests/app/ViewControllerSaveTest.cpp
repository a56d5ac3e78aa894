#include "common/EventLoop.h"
#include "AddressBookTestSupport.h"
#include "PersonValueDump.h"
#include "RecordingPanes.h"

#include "app/SaveRequestBuilder.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>

#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window's controller over an address book loaded from a store seeded
// with six contacts, "Friends" (Aoi, Ben, Chika) and "Work" (Chika, Daichi),
// every group fetched as choosing one does.
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
        m_controller = std::make_unique<ViewController>(m_delegate->window());
        m_controller->setContactsViewController(&m_table);
        m_controller->setAddressBookStores(m_store.get(), &m_delegate->sideStore());
        m_controller->setContainerTable(m_delegate->containerTable());
        m_controller->groupSelectionDidChange(group(u"Work"_s));
        m_controller->groupSelectionDidChange(topGroup());
    }

    [[nodiscard]] GroupRecordPtr group(const QString &name) const
    {
        for (const GroupRecordPtr &candidate : std::as_const(*m_delegate->containerTable()->first()->groups)) {
            if (candidate->name == name)
                return candidate;
        }
        return {};
    }

    PaneLog m_log;
    RecordingContactTable m_table{m_log};
    std::unique_ptr<ViewController> m_controller;
};

// One random change, made through the controller as the panes make it.
void editOnce(ViewController &controller, RecordingContactTable &table, const GroupList &groups, std::mt19937 &random)
{
    const auto pick = [&random](const auto &list) { return list.at(int(random() % list.size())); };
    const QString text = u"text %1"_s.arg(random() % 1000);
    const GroupRecordPtr top = groups.first();
    const ContactRecordPtr contact = pick(*top->contactTable);
    const GroupRecordPtr group = groups.at(1 + int(random() % (groups.size() - 1)));
    LabeledValueRecord added;
    switch (random() % 12) {
    case 0:
        controller.undoReplaceValue(text, pick(QList{FieldId::Company, FieldId::Note, FieldId::Renmei}), contact);
        break;
    case 1:
        controller.undoReplaceValue(text, pick(QList{FieldId::FirstName, FieldId::PhoneticLastName}), contact);
        break;
    case 2:
        added.value = u"090-0000-%1"_s.arg(random() % 10000);
        controller.undoAddLabeledValue(added, pick(QList{FieldId::Phone, FieldId::Email}), contact);
        break;
    case 3:
        if (const LabeledValueRecordPtr first = contact->person->labeledValueForIdentifierAtIndex(FieldId::Phone, 0))
            controller.undoDeleteLabeledValue(*first, FieldId::Phone, contact);
        break;
    case 4:
        controller.contactOperations().undoReplaceString(
            u"a"_s, text, pick(QList{FieldId::FirstName, FieldId::Company}), 0, Qt::CaseInsensitive, contact);
        break;
    case 5:
        added.value = StoreDateComponents{1950 + int(random() % 60), 1 + int(random() % 12), 1};
        controller.undoAddLabeledValue(added, FieldId::Birthday, contact);
        break;
    case 6:
        controller.undoAddContacts({ContactRecord::makeWithPerson(contact->person)}, group);
        break;
    case 7:
        if (!group->contactTable->isEmpty())
            controller.undoDeleteContacts({pick(*group->contactTable)}, group, true);
        break;
    case 8:
        controller.undoDeleteContacts({contact}, top, true);
        break;
    case 9:
    case 10:
        controller.groupSelectionDidChange(top);
        table.select({int(random() % top->contactTable->size())});
        if (random() % 2)
            controller.duplicateContacts();
        else
            controller.deleteContacts();
        break;
    default:
        controller.contactOperations().undoChangeGroupName(text, group);
        break;
    }
}

} // namespace

TEST_F(UndoThenSave, ARemovalFromAGroupMadeBeforeADeleteThatIsUndoneIsSaved)
{
    const GroupRecordPtr friends = group(u"Friends"_s);
    m_controller->undoDeleteContacts({friends->contactTable->at(2)}, friends, true);
    endTurn();
    m_controller->undoDeleteContacts({rowNamed(u"Daichi"_s)}, topGroup(), true);
    endTurn();
    m_controller->undo();
    EXPECT_TRUE(m_delegate->window()->isWindowModified());

    ASSERT_TRUE(save());
    EXPECT_EQ(contactsInGroupNamed(u"Friends"_s), (QStringList{u"Aoi"_s, u"Ben"_s}));
    EXPECT_EQ(contactsInGroupNamed(u"Work"_s), (QStringList{u"Chika"_s, u"Daichi"_s}));
    EXPECT_TRUE(rowNamed(u"Daichi"_s));
}

TEST_F(UndoThenSave, RandomEditsUndoneGiveBackEveryValueAndASaveOfNothingButUpdates)
{
    const ContainerRecordPtr container = m_delegate->containerTable()->first();
    std::vector<std::pair<ContactRecordPtr, std::string>> start;
    for (const ContactRecordPtr &row : std::as_const(*topGroup()->contactTable))
        start.emplace_back(row, dumpPerson(*row->person));
    ASSERT_EQ(group(u"Friends"_s)->contactTable->size(), 3);
    std::mt19937 random(20240611);

    for (int round = 0; round < 40; ++round) {
        for (int step = 1 + int(random() % 4); step > 0; --step)
            editOnce(*m_controller, m_table, *container->groups, random);
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

    EXPECT_EQ(topGroup()->contactTable->size(), qsizetype(start.size()));
    for (const auto &[row, values] : start)
        EXPECT_EQ(dumpPerson(*row->person), values);
    for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
        EXPECT_FALSE(group->changed);
        for (const ContactRecordPtr &row : std::as_const(*group->contactTable))
            EXPECT_FALSE(row->deleted || row->isNew) << qPrintable(group->name);
    }
    EXPECT_EQ(group(u"Work"_s)->contactTable->size(), 2);

    const StoreSaveRequest request
        = SaveRequestBuilder(*m_store).saveAddressBook(*m_delegate->containerTable()).request;
    EXPECT_TRUE(request.addedContacts().isEmpty() && request.deletedContactIdentifiers().isEmpty());
    EXPECT_TRUE(request.addedGroups().isEmpty() && request.deletedGroupIdentifiers().isEmpty());
    EXPECT_TRUE(request.addedMembers().isEmpty() && request.removedMembers().isEmpty());
    EXPECT_FALSE(request.updatedContacts().isEmpty());
}
