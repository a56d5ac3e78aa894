// The groups of the address book's containers as the window shows them: a
// group first opened after a contact was deleted or edited in All Contacts
// shows that contact as All Contacts has it, and a window dragged off a
// contact of another container than the one the save reloads stays with its
// contact.
#include "ContactViewFixture.h"

#include "app/AddressBookLoader.h"
#include "table/GroupViewController.h"
#include "platform/UserDefaults.h"
#include "table/GroupOutlineModel.h"

#include <QPointer>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace {

// The generated book with an account beside it: Kim, Lee, Max and Noa, in
// its groups Club (Kim, Lee, Max) and Team (Lee, Noa).
class ContainerGroupsWindow : public ContactViewTest {
protected:
    void SetUp() override
    {
        const std::optional<StoreContainer> account
            = m_book.store().addContainer(u"Club Account"_s, StoreContainer::Type::CardDAV);
        ASSERT_TRUE(account);
        const StoreGroup club(u"Club"_s);
        const StoreGroup team(u"Team"_s);
        StoreSaveRequest request;
        request.addGroup(club, account->identifier);
        request.addGroup(team, account->identifier);
        for (const QString &name : {u"Kim"_s, u"Lee"_s, u"Max"_s, u"Noa"_s}) {
            StoreContact contact;
            contact.setGivenName(name);
            contact.setFamilyName(u"Ito"_s);
            contact.setOrganizationName(name + u" Club Co."_s);
            request.addContact(contact, account->identifier);
            if (name != u"Noa"_s)
                request.addMember(contact, club);
            if (name == u"Lee"_s || name == u"Noa"_s)
                request.addMember(contact, team);
            m_accountIds.insert(name, contact.identifier());
        }
        ASSERT_TRUE(m_book.store().execute(request));
        // The last run ended in the account: the load reads it alone.
        if (m_startsInAccount)
            m_app.userDefaults().setObject(account->identifier, AppDelegate::lastContainerIdentifierKey);
        ContactViewTest::SetUp();
        // Tall enough for every group of both containers in the outline.
        window().resize(1100, 900);
        endTurn();
    }

    [[nodiscard]] GroupRecordPtr group(const QString &name, int container) const
    {
        for (const GroupRecordPtr &candidate : std::as_const(*mainView().containerTable()->at(container)->groups)) {
            if (candidate->name == name)
                return candidate;
        }
        return nullptr;
    }
    // The group clicked in the outline, its container's item opened and
    // scrolled to first.
    void open(const QString &name, int container)
    {
        const GroupRecordPtr chosen = group(name, container);
        ASSERT_NE(chosen, nullptr) << qPrintable(name);
        GroupViewController &outline = *window().groupViewController();
        const QModelIndex item = outline.model()->indexOfGroup(chosen);
        ASSERT_TRUE(item.isValid()) << qPrintable(name);
        outline.outlineView()->expand(item.parent());
        outline.outlineView()->scrollTo(item);
        endTurn();
        QTest::mouseClick(
            outline.outlineView()->viewport(), Qt::LeftButton, {}, outline.outlineView()->visualRect(item).center());
        endTurn();
        ASSERT_EQ(mainView().selectedGroupDict(), chosen) << qPrintable(name);
    }
    // Whether the table lists the contact, and its footer.
    [[nodiscard]] QString showing(const UniqueId &uniqueId) const
    {
        const QAbstractItemModel &model = *view()->model();
        return (firstRowOf(uniqueId) >= 0 ? u"listed, "_s : u"left out, "_s)
            + model.index(model.rowCount() - 1, 0).data().toString();
    }
    [[nodiscard]] QString companyCell(const UniqueId &uniqueId) const
    {
        return view()->model()->index(firstRowOf(uniqueId), column(FieldId::Company)).data().toString();
    }
    // The contact's row clicked, and Contact ▸ Delete Contacts chosen.
    void deleteContact(const UniqueId &uniqueId)
    {
        const int at = firstRowOf(uniqueId);
        ASSERT_GE(at, 0);
        activateMainWindow();
        click(FieldId::Company, at);
        endTurn();
        ASSERT_EQ(table().selectedRowIndexes().value(0, -1), at);
        chooseDeleteContacts();
        ASSERT_EQ(firstRowOf(uniqueId), -1);
    }
    void undoByKey()
    {
        endTurn();
        activateMainWindow();
        QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
        endTurn();
    }
    // The store's members of the first container's group.
    [[nodiscard]] QStringList membersOf(const QString &name) const
    {
        const std::optional<QList<QStringList>> members
            = m_book.store().contactIdentifiersOfGroups({group(name, 0)->uniqueId});
        return members ? members->value(0) : QStringList();
    }
    // The contact's company retyped in its detached window, and Return.
    static bool retypeCompany(ContactInfoPopover &detached, const QString &company)
    {
        QPlainTextEdit *editor = retypeRow(detached, rowIn(detached, FieldId::Company), company);
        if (!editor)
            return false;
        QTest::keyClick(editor, Qt::Key_Return);
        endTurn();
        return true;
    }

    // The groups the view names, as one text.
    [[nodiscard]] static QString groupsShown(const ContactInfoView &view)
    {
        const int at = rowIn(view, u"Groups"_s);
        return at < 0 ? QString() : view.infoModel()->valueText(at);
    }
    // The contact's company as the store holds it.
    [[nodiscard]] QString storedCompany(const UniqueId &uniqueId) const
    {
        const std::optional<StoreContact> stored
            = m_book.store().unifiedContactWithIdentifier(uniqueId, AddressBookLoader::keysToFetch());
        return stored ? stored->organizationName() : u"(missing)"_s;
    }

    bool m_startsInAccount = false;
    QHash<QString, QString> m_accountIds;
};

TEST_F(ContainerGroupsWindow, AGroupOpenedAfterADeleteInAllContactsLeavesTheContactOutUntilUndone)
{
    const QStringList family = membersOf(u"Family"_s);
    const QStringList work = membersOf(u"Work"_s);
    ASSERT_EQ(family.size(), 6);
    ASSERT_EQ(work.size(), 3);
    const UniqueId gone(work.first());
    ASSERT_TRUE(family.contains(work.first()));
    // Another member of Family edited in All Contacts beforehand.
    const UniqueId editedId(family.last());
    ASSERT_NE(editedId, gone);
    doubleClick(FieldId::Company, firstRowOf(editedId));
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u" Edited"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    const QString editedCompany = companyCell(editedId);
    ASSERT_TRUE(editedCompany.endsWith(u" Edited"_s));
    deleteContact(gone);

    open(u"Family"_s, 0);
    EXPECT_EQ(showing(gone), u"left out, Family: total 5 contacts"_s);
    ASSERT_GE(firstRowOf(editedId), 0);
    EXPECT_EQ(companyCell(editedId), editedCompany);
    open(u"Work"_s, 0);
    EXPECT_EQ(showing(gone), u"left out, Work: total 2 contacts"_s);

    undoByKey();
    EXPECT_EQ(showing(gone), u"listed, Work: total 3 contacts"_s);
    open(u"Family"_s, 0);
    EXPECT_EQ(showing(gone), u"listed, Family: total 6 contacts"_s);
}

class ContainerGroupsWindowInAccount : public ContainerGroupsWindow {
protected:
    ContainerGroupsWindowInAccount() { m_startsInAccount = true; }
};

TEST_F(ContainerGroupsWindowInAccount, AGroupOfTheAccountOpenedAfterADeleteLeavesTheContactOut)
{
    ASSERT_EQ(mainView().selectedGroupDict(), group(u"All Contacts"_s, 1));
    ASSERT_FALSE(group(u"Club"_s, 1)->contactTable) << "the load reads the account's groups only when one is opened";
    const UniqueId lee(m_accountIds.value(u"Lee"_s));
    deleteContact(lee);

    open(u"Club"_s, 1);
    EXPECT_EQ(showing(lee), u"left out, Club: total 2 contacts"_s);
    open(u"Team"_s, 1);
    EXPECT_EQ(showing(lee), u"left out, Team: total 1 contacts"_s);
    undoByKey();
    EXPECT_EQ(showing(lee), u"listed, Team: total 2 contacts"_s);
}

// A contact of one container detached, the other container shown, and two
// saves: the window stays with its contact, and what is typed there before
// and after the first save is stored.
class ContainerGroupsDetached : public ContainerGroupsWindow, public testing::WithParamInterface<int> {
protected:
    // The container of the detached contact.
    [[nodiscard]] static int detachedContainer() { return GetParam() == 0 ? 0 : 1; }
    // What the window shows when it saves: the other container's All
    // Contacts, or the first container's Family.
    [[nodiscard]] static QString shownAtSave() { return GetParam() == 2 ? u"Family"_s : u"All Contacts"_s; }
    [[nodiscard]] static int shownContainer() { return 1 - detachedContainer(); }
};

TEST_P(ContainerGroupsDetached, TheWindowOfAContactOfTheOtherContainerStaysAndEditsItAfterASave)
{
    open(u"All Contacts"_s, detachedContainer());
    const int index = detachedContainer() == 1 ? firstRowOf(UniqueId(m_accountIds.value(u"Max"_s))) : firstRows()[0];
    ASSERT_GE(index, 0);
    const UniqueId detachedId = row(index)->uniqueId;
    const QPointer<ContactInfoPopover> detached = openDetached(index);
    ASSERT_TRUE(detached);
    const QString groups = groupsShown(*detached);
    ASSERT_TRUE(groups.contains(u"All Contacts"_s));
    open(shownAtSave(), shownContainer());
    ASSERT_EQ(firstRowOf(detachedId), -1);

    ASSERT_TRUE(retypeCompany(*detached, u"Before Save Co."_s));
    ASSERT_TRUE(window().isWindowModified());
    ASSERT_TRUE(save());
    EXPECT_EQ(storedCompany(detachedId), u"Before Save Co."_s);
    ASSERT_TRUE(detached);
    EXPECT_TRUE(detached->isVisible());
    ASSERT_EQ(table().detachedWindows().size(), 1);
    EXPECT_EQ(detached->contact()->uniqueId, detachedId);
    EXPECT_EQ(groupsShown(*detached), groups);

    ASSERT_TRUE(retypeCompany(*detached, u"After Save Co."_s));
    ASSERT_TRUE(window().isWindowModified());
    ASSERT_TRUE(save());
    EXPECT_EQ(storedCompany(detachedId), u"After Save Co."_s);
    ASSERT_TRUE(detached);
    detached->window()->close();
    endTurn();
}

// 0: a contact of the first container, the account shown; 1: one of the
// account, the first container shown; 2: one of the account, Family shown.
INSTANTIATE_TEST_SUITE_P(Containers, ContainerGroupsDetached, testing::Values(0, 1, 2));

} // namespace
