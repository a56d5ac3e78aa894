#include "AddressBookTestSupport.h"

#include "app/RenmeiAndHagakiStore.h"
#include "app/SaveRequestBuilder.h"
#include "app/WindowController.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreTestHooks_p.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

void setRenmei(const ContactRecordPtr &row, const QString &renmei)
{
    row->person->stringValues()->setEntry(FieldId::Renmei, renmei.isEmpty() ? std::nullopt : std::optional(renmei));
    row->person->setChanged(true);
}

[[nodiscard]] QString renmeiOf(const ContactRecordPtr &row)
{
    return row->person->stringValues()->value(FieldId::Renmei);
}

} // namespace

// Save commits the value being typed first; with nothing edited after that
// it writes nothing.
TEST_F(AddressBookTest, SaveCommitsTheTypingAndWritesOnlyAnEditedWindow)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    launch();
    m_delegate->window()->undoManager()->registerUndo(this, [] {});
    const ContactRecordPtr taro = rowNamed(u"Taro"_s);
    setRenmei(taro, u"Hanako"_s);
    EXPECT_FALSE(save());
    EXPECT_TRUE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_FALSE(QFile::exists(sideFilePath()));
    EXPECT_TRUE(m_view.calls.contains(u"commitEditing"_s));

    m_view.typing = [this, taro] {
        taro->person->stringValues()->setEntry(FieldId::Company, u"Typed Inc."_s);
        taro->person->setChanged(true);
        markEdited();
    };
    m_view.calls.clear();
    ASSERT_TRUE(save());
    EXPECT_EQ(m_view.calls.mid(0, 2), (QStringList{u"commitEditing"_s, u"updateTable"_s}));
    EXPECT_EQ(rowNamed(u"Taro"_s)->person->stringValues()->value(FieldId::Company), u"Typed Inc."_s);
    EXPECT_EQ(renmeiOf(rowNamed(u"Taro"_s)), u"Hanako"_s);
}

TEST_F(AddressBookTest, FailedSaveKeepsEveryPendingChangeAndASecondSaveStoresEverything)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    launch();
    const ContainerTablePtr tables = m_delegate->containerTable();
    const ContactRecordPtr taro = rowNamed(u"Taro"_s);
    setRenmei(taro, u"Hanako"_s);
    taro->person->stringValues()->setEntry(FieldId::Company, u"Yamada Shoten"_s);
    const ContactRecordPtr jiro = addCreatedContact(u"Jiro"_s);
    jiro->person->stringValues()->setEntry(FieldId::Renmei, u"Saburo"_s);
    const ContainerRecordPtr container = m_delegate->containerTable()->first();
    auto family = std::make_shared<GroupRecord>();
    family->name = u"Family"_s;
    family->containerName = container->name;
    family->containerIdentifier = container->identifier;
    family->isNew = true;
    family->contactTable = std::make_shared<ContactTable>(ContactTable{groupRow(jiro, true, false)});
    container->groups->append(family);
    markEdited();

    StoreTestHooks::setStatementHook([](int) { return false; });
    EXPECT_FALSE(save());

    expectNothingSaved(tables, QString());
    EXPECT_TRUE(taro->person->changed());
    EXPECT_TRUE(jiro->person->created());
    EXPECT_FALSE(jiro->person->cnContact().has_value());

    StoreTestHooks::setStatementHook({});
    ASSERT_TRUE(save());

    EXPECT_FALSE(m_delegate->window()->isWindowModified());
    EXPECT_FALSE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_EQ(m_view.containerTable, m_delegate->containerTable());
    EXPECT_EQ(m_view.contactTable, m_delegate->contactTable());
    EXPECT_EQ(renmeiOf(rowNamed(u"Taro"_s)), u"Hanako"_s);
    EXPECT_EQ(rowNamed(u"Taro"_s)->person->stringValues()->value(FieldId::Company), u"Yamada Shoten"_s);
    ASSERT_TRUE(rowNamed(u"Jiro"_s));
    EXPECT_EQ(renmeiOf(rowNamed(u"Jiro"_s)), u"Saburo"_s);
    EXPECT_EQ(contactsInGroupNamed(u"Family"_s), QStringList{u"Jiro"_s});
}

TEST_F(AddressBookTest, DeletedContactsAndClearedJointNamesLeaveNoSideEntries)
{
    const StoreContact taro = seedContact(u"Taro"_s, u"Yamada"_s);
    const StoreContact hanako = seedContact(u"Hanako"_s, u"Sato"_s);
    launch();
    setRenmei(rowNamed(u"Taro"_s), u"Jiro"_s);
    setRenmei(rowNamed(u"Hanako"_s), u"Ichiro"_s);
    markEdited();
    ASSERT_TRUE(save());
    ASSERT_TRUE(m_keyValueStore->objectForKey(hanako.identifier()).isValid());

    // A deleted contact is deleted even when it was also changed.
    setRenmei(rowNamed(u"Taro"_s), u"Changed"_s);
    rowNamed(u"Taro"_s)->deleted = true;
    setRenmei(rowNamed(u"Hanako"_s), QString());
    markEdited();
    ASSERT_TRUE(save());
    relaunch();

    EXPECT_FALSE(rowNamed(u"Taro"_s));
    EXPECT_FALSE(m_store->unifiedContactWithIdentifier(taro.identifier(), {}).has_value());
    EXPECT_TRUE(renmeiOf(rowNamed(u"Hanako"_s)).isEmpty());
    const auto stored = m_delegate->sideStore().restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    for (const StoreContact &contact : {taro, hanako}) {
        EXPECT_FALSE(m_keyValueStore->objectForKey(contact.identifier()).isValid());
        EXPECT_FALSE(stored->value(m_store->defaultContainerIdentifier()).contains(contact.identifier()));
    }
}

TEST_F(AddressBookTest, RevertAskedFirstAndWhenConfirmedClearsTheUndoHistoryAndTheEditedMarkAndLoadsAgain)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    launch();
    setRenmei(rowNamed(u"Taro"_s), u"Hanako"_s);
    markEdited();
    const ContainerTablePtr before = m_delegate->containerTable();

    m_alerts.answer = AlertPresenter::SecondButtonReturn;
    m_delegate->revertAddressBookToSaved(nullptr);
    endTurn();
    EXPECT_EQ(m_alerts.confirmations, QStringList{u"Do you want to revert AddressBook?"_s});
    const auto editedAndUndoable = [this] {
        return std::pair(m_delegate->window()->isWindowModified(), m_delegate->window()->undoManager()->canUndo());
    };
    EXPECT_EQ(m_delegate->containerTable(), before);
    EXPECT_EQ(editedAndUndoable(), std::pair(true, true));

    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    m_delegate->revertAddressBookToSaved(nullptr);
    endTurn();
    EXPECT_NE(m_delegate->containerTable(), before);
    EXPECT_EQ(m_view.containerTable, m_delegate->containerTable());
    EXPECT_EQ(editedAndUndoable(), std::pair(false, false));
    EXPECT_TRUE(renmeiOf(rowNamed(u"Taro"_s)).isEmpty());
}

TEST_F(AddressBookTest, RowsMadeAndUnmadeBeforeTheSaveSendNothing)
{
    const StoreContact taro = seedContact(u"Taro"_s, u"Yamada"_s);
    seedContact(u"Hanako"_s, u"Sato"_s);
    seedGroup(u"Family"_s, {taro.identifier()});
    launch();
    const auto plan = [this] { return SaveRequestBuilder(*m_store).saveAddressBook(*m_delegate->containerTable()); };
    EXPECT_TRUE(plan().request.isEmpty());
    const ContactRecordPtr jiro = addCreatedContact(u"Jiro"_s);
    jiro->deleted = true;
    m_delegate->containerTable()->first()->groups->at(1)->contactTable = std::make_shared<ContactTable>(
        ContactTable{groupRow(jiro, true, false), groupRow(rowNamed(u"Hanako"_s), true, true)});

    EXPECT_TRUE(plan().request.isEmpty());
    EXPECT_TRUE(plan().sideRecords.isEmpty());
}
