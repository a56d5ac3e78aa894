#include "AddressBookTestSupport.h"

#include "app/AppDelegate.h"
#include "app/RenmeiAndHagakiStore.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The application on a generated store whose groups were never shown: the
// first load fetches the top group "All Contacts" only.
class GroupFetch : public testing::Test {
protected:
    [[nodiscard]] ContainerRecordPtr container(int index = 0) const
    {
        return m_app.mainView().containerTable()->at(index);
    }
    [[nodiscard]] GroupRecordPtr group(const QString &name, int containerIndex = 0) const
    {
        for (const GroupRecordPtr &candidate : std::as_const(*container(containerIndex)->groups)) {
            if (candidate->name == name)
                return candidate;
        }
        return nullptr;
    }
    [[nodiscard]] ContactRecordPtr topRow(const QString &uniqueId) const
    {
        for (const ContactRecordPtr &row : std::as_const(*container()->topGroup()->contactTable)) {
            if (row->uniqueId == uniqueId)
                return row;
        }
        return nullptr;
    }
    // Two companies alike in every value, both in "Work".
    void addTwinCompanies()
    {
        StoreGroup work = m_book.store().groupsMatchingPredicate({}).at(2);
        StoreSaveRequest request;
        for (int twin = 0; twin < 2; ++twin) {
            StoreContact company;
            company.setContactType(StoreContact::ContactType::Organization);
            company.setOrganizationName(u"Twin Co"_s);
            request.addContact(company);
            request.addMember(company, work);
            m_twins.append(company.identifier());
        }
        ASSERT_TRUE(m_book.store().execute(request));
    }

    GeneratedAddressBook m_book{24, TestEnvironment::makeScratchFolder(u"groups"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
    QStringList m_twins;
};

TEST_F(GroupFetch, TheFirstGroupChosenFetchesEveryGroupOfItsContainerOntoTheTopGroupsPersons)
{
    addTwinCompanies();
    ASSERT_TRUE(m_app.launch());
    ViewController &view = m_app.mainView();
    const GroupRecordPtr work = group(u"Work"_s);
    ASSERT_FALSE(work->contactTable);
    view.groupSelectionDidChange(work);

    for (int g = 0; g < GeneratedAddressBook::groupNames().size(); ++g) {
        const GroupRecordPtr fetched = group(GeneratedAddressBook::groupNames().at(g));
        ASSERT_TRUE(fetched->contactTable);
        QSet<QString> members;
        for (const ContactRecordPtr &row : std::as_const(*fetched->contactTable)) {
            EXPECT_EQ(row->person, topRow(row->uniqueId)->person) << qPrintable(fetched->name);
            members.insert(row->uniqueId);
        }
        int expected = g == 2 ? 2 : 0;
        for (int i = 0; i < m_book.contactCount(); ++i)
            expected += GeneratedAddressBook::isMember(i, g) ? 1 : 0;
        EXPECT_EQ(members.size(), expected) << qPrintable(fetched->name);
    }
    // Equal content is no reason to take one company for the other.
    EXPECT_NE(topRow(m_twins.at(0))->person, topRow(m_twins.at(1))->person);
    EXPECT_TRUE(std::any_of(work->contactTable->cbegin(), work->contactTable->cend(),
        [this](const ContactRecordPtr &row) { return row->person == topRow(m_twins.at(1))->person; }));

    EXPECT_EQ(view.contactTable(), work->contactTable);
    EXPECT_EQ(m_app.window().contactsViewController()->contactTable(), work->contactTable);
    EXPECT_EQ(m_app.userDefaults().stringForKey(AppDelegate::lastContainerIdentifierKey), container()->identifier);
    const ContactTablePtr friends = group(u"Friends"_s)->contactTable;
    view.groupSelectionDidChange(group(u"Friends"_s));
    EXPECT_EQ(group(u"Friends"_s)->contactTable, friends) << "fetched once";
}

// A member the top group doesn't know by identifier is read, and a company
// among them still finds its row by content; a person does not.
TEST_F(GroupFetch, AMemberUnknownByIdentifierIsBoundByContentWhenACompany)
{
    StoreGroup work = m_book.store().groupsMatchingPredicate({}).at(2);
    StoreContact solo;
    solo.setContactType(StoreContact::ContactType::Organization);
    solo.setOrganizationName(u"Solo Co"_s);
    solo.setNote(u"only one of its kind"_s);
    StoreContact ida;
    ida.setGivenName(u"Ida"_s);
    StoreSaveRequest request;
    request.addContact(solo);
    request.addMember(solo, work);
    request.addContact(ida);
    request.addMember(ida, work);
    ASSERT_TRUE(m_book.store().execute(request));
    ASSERT_TRUE(m_app.launch());
    const ContactRecordPtr soloRow = topRow(solo.identifier());
    const ContactRecordPtr idaRow = topRow(ida.identifier());
    ASSERT_TRUE(soloRow && idaRow);
    soloRow->uniqueId = UniqueId(u"known-elsewhere-1"_s);
    idaRow->uniqueId = UniqueId(u"known-elsewhere-2"_s);

    m_app.mainView().groupSelectionDidChange(group(u"Work"_s));
    const ContactTable &members = *group(u"Work"_s)->contactTable;
    const auto holds = [&members](const ContactRecordPtr &row) {
        return std::any_of(members.cbegin(), members.cend(),
            [&row](const ContactRecordPtr &member) { return member->person == row->person; });
    };
    EXPECT_TRUE(holds(soloRow));
    EXPECT_FALSE(holds(idaRow));
    qsizetype expected = 0;
    for (int i = 0; i < m_book.contactCount(); ++i)
        expected += GeneratedAddressBook::isMember(i, 2) ? 1 : 0;
    EXPECT_EQ(members.size(), expected + 1);
}

// The group's rows stand in the store's member order, a member found by
// content in its own place among those found by identifier.
TEST_F(GroupFetch, TheRowsFollowTheStoresMemberOrderWithAContentMatchInItsPlace)
{
    const StoreGroup work = m_book.store().groupsMatchingPredicate({}).at(2);
    const QStringList order = m_book.store().contactIdentifiersOfGroups({work.identifier()}).value().first();
    ASSERT_GE(order.size(), 3);
    const QString middle = order.at(order.size() / 2);
    std::optional<StoreContact> company = m_book.store().unifiedContactWithIdentifier(middle, {});
    ASSERT_TRUE(company);
    company->setContactType(StoreContact::ContactType::Organization);
    company->setOrganizationName(u"Middle Co"_s);
    StoreSaveRequest request;
    request.updateContact(*company);
    ASSERT_TRUE(m_book.store().execute(request));
    ASSERT_TRUE(m_app.launch());
    QList<MVPersonPtr> expected;
    for (const QString &identifier : order)
        expected.append(topRow(identifier)->person);
    topRow(middle)->uniqueId = UniqueId(u"known-elsewhere"_s);

    m_app.mainView().groupSelectionDidChange(group(u"Work"_s));
    QList<MVPersonPtr> shown;
    for (const ContactRecordPtr &row : std::as_const(*group(u"Work"_s)->contactTable))
        shown.append(row->person);
    EXPECT_EQ(shown, expected);
}

TEST_F(GroupFetch, AGroupTableADropMadeIsKeptAndTakesTheTopGroupsPersons)
{
    ASSERT_TRUE(m_app.launch());
    const GroupRecordPtr family = group(u"Family"_s);
    const ContactRecordPtr member = container()->topGroup()->contactTable->at(3);
    auto copy = std::make_shared<MVPerson>();
    copy->setUniqueId(member->uniqueId);
    auto dropped = std::make_shared<ContactTable>(ContactTable{ContactRecord::makeWithPerson(copy)});
    family->contactTable = dropped;

    m_app.mainView().groupSelectionDidChange(group(u"Work"_s));
    EXPECT_EQ(family->contactTable, dropped);
    EXPECT_EQ(dropped->first()->person, member->person);
}

TEST_F(GroupFetch, JointNamesOfAContactInAnotherContainerShowAndSurviveASave)
{
    const std::optional<StoreContainer> account
        = m_book.store().addContainer(u"Club Account"_s, StoreContainer::Type::CardDAV);
    ASSERT_TRUE(account);
    StoreContact kim;
    kim.setGivenName(u"Kim"_s);
    const StoreGroup club(u"Club"_s);
    StoreSaveRequest request;
    request.addContact(kim, account->identifier);
    request.addGroup(club, account->identifier);
    request.addMember(kim, club);
    ASSERT_TRUE(m_book.store().execute(request));
    RenmeiAndHagakiRecord record;
    record.renmei = u"Kim\nJo"_s;
    KeyValueStore keyValues(m_book.keyValueStorePath());
    ASSERT_TRUE(RenmeiAndHagakiStore(&keyValues, m_book.sideStorePath())
                    .saveRenmeiAndHagakiContainers({{account->identifier, {{kim.identifier(), record}}}}));

    ASSERT_TRUE(m_app.launch());
    ViewController &view = m_app.mainView();
    ASSERT_EQ(view.containerTable()->size(), 2);
    view.groupSelectionDidChange(group(u"Club"_s, 1));
    ASSERT_EQ(view.contactTable()->size(), 1);
    const ContactRecordPtr row = view.contactTable()->first();
    EXPECT_EQ(row->person->stringValueForIdentifier(FieldId::Renmei, 0), u"Kim\nJo"_s);

    ASSERT_TRUE(view.undoReplaceValue(u"Met at the club."_s, FieldId::Note, row));
    m_app.delegate().saveAddressBook(nullptr);
    const auto stored = RenmeiAndHagakiStore(&keyValues, m_book.sideStorePath()).restoreRenmeiAndHagakiContainers({});
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->value(account->identifier).value(kim.identifier()).renmei, u"Kim\nJo"_s);
}

} // namespace
