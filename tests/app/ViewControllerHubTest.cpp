#include "PersonValueDump.h"
#include "ViewControllerFixture.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Contacts c0–c3 of the table, each sorted differently by every key.
class ContactListSort : public ViewControllerTest {
protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        // c0: Ann Lee, c1: the company Acme, c2: Bo, c3: Zed.
        name(0, u"Ann"_s, u"Lee"_s, u"あん"_s, u"りい"_s);
        name(1, {}, {}, {}, {});
        person(1).nameValue()->showAsPerson = false;
        person(1).setValue(u"Acme"_s, FieldId::Company);
        name(2, u"Bo"_s, {}, {}, u"ぼう"_s);
        name(3, u"Zed"_s, u"Ash"_s, u"ぜっど"_s, u"あし"_s);
        person(0).addLabeledValue(labeled(u"home"_s, u"x@beta.com"_s), FieldId::Email);
        person(2).addLabeledValue(labeled(u"work"_s, u"y@alpha.org"_s), FieldId::Email);
        person(3).addLabeledValue(labeled(u"home"_s, u"z@"_s), FieldId::Email);
        person(0).addLabeledValue(labeled(u"other"_s, StoreDateComponents{2001, 5, 1}), FieldId::Dates);
        person(2).addLabeledValue(labeled(u"other"_s, StoreDateComponents{1999, 1, 1}), FieldId::Dates);
        person(2).addLabeledValue(labeled(u"other"_s, StoreDateComponents{2020, 1, 1}), FieldId::Dates);
        top()->contactTable->resize(4);
    }

    void name(
        int i, const QString &first, const QString &last, const QString &phoneticFirst, const QString &phoneticLast)
    {
        NameRecord name;
        name.firstName = first;
        name.lastName = last;
        person(i).setValue(name, FieldId::Name);
        PhoneticNameRecord phonetic;
        phonetic.firstName = phoneticFirst;
        phonetic.lastName = phoneticLast;
        person(i).setValue(phonetic, FieldId::PhoneticName);
    }
    [[nodiscard]] MVPerson &person(int i) const { return *top()->contactTable->at(i)->person; }
    [[nodiscard]] QString order() const
    {
        QStringList ids;
        for (const ContactRecordPtr &row : std::as_const(*m_controller.contactTable()))
            ids.append(row->uniqueId);
        return ids.join(u' ');
    }
};

struct SortRow {
    const char *key;
    bool ascending;
    const char *order;
};

void PrintTo(const SortRow &row, std::ostream *out)
{
    *out << row.key << (row.ascending ? " ascending" : " descending");
}

class ContactListSortBy : public ContactListSort, public testing::WithParamInterface<SortRow> { };

TEST_P(ContactListSortBy, OrdersByTheFirstValueWithEmptyOnesLast)
{
    m_controller.sortDescriptorsDidChange({{QString::fromUtf8(GetParam().key), GetParam().ascending}});
    EXPECT_EQ(order(), QString::fromUtf8(GetParam().order));
    EXPECT_EQ(m_table.contactTable, m_controller.contactTable());
}

INSTANTIATE_TEST_SUITE_P(Keys, ContactListSortBy,
    testing::Values(SortRow{"Email domain", true, "c2 c0 c1 c3"}, SortRow{"Email domain", false, "c0 c2 c1 c3"},
        SortRow{"Dates", true, "c2 c0 c1 c3"}, SortRow{"FirstName", true, "c1 c0 c2 c3"},
        SortRow{"Phonetic LastName", true, "c3 c2 c0 c1"}, SortRow{"PhoneticLastName", true, "c3 c2 c0 c1"}),
    [](const auto &info) { return std::to_string(info.index); });

TEST_F(ContactListSort, EqualKeysOrderByIdentifierWhateverOrderTheListCameIn)
{
    for (int i = 0; i < 4; ++i)
        name(i, u"Ann"_s, u"Lee"_s, {}, {});
    std::reverse(top()->contactTable->begin(), top()->contactTable->end());
    m_controller.sortDescriptorsDidChange({{u"FirstName"_s, true}});
    EXPECT_EQ(order(), u"c0 c1 c2 c3"_s);
    m_controller.sortDescriptorsDidChange({{u"FirstName"_s, false}});
    EXPECT_EQ(order(), u"c0 c1 c2 c3"_s);
}

using SelectionHandOff = ViewControllerTest;

TEST_F(SelectionHandOff, TheRowGoesToTheDetailPaneTheSelectionToThePreviewAndTheFindStartsAtTheFirst)
{
    const auto row = [this](int i, qint64 position) {
        const ContactRecordPtr &contact = top()->contactTable->at(i);
        return std::make_shared<SubContactRecord>(contact->person, contact->uniqueId, position);
    };
    m_table.selectedSubContactsList = {row(6, 1), row(1, 0)};
    const SubContactRecordPtr clicked = m_table.selectedSubContactsList.last();
    m_controller.rowSelectionDidChange(clicked);

    EXPECT_EQ(m_detail.shown, clicked);
    EXPECT_EQ(*clicked->groupNames, QStringList({u"All Contacts"_s, u"Friends"_s}));
    EXPECT_EQ(m_preview.receiverPersons, m_table.selectedSubContactsList);
    EXPECT_EQ(m_preview.shownReceiver, clicked);
    EXPECT_EQ(m_log.calls().mid(m_log.calls().size() - 3),
        QStringList({u"preview.setReceiverPersons"_s, u"preview.setShownReceiver"_s, u"preview.updateUI"_s}));
    const ItemAndRangeRecord &target = *m_controller.selectedItemAndRange();
    EXPECT_EQ(std::tuple(target.uniqueId, target.labelIndex, target.identifier, target.range),
        std::tuple(u"c6"_s, std::optional<qint64>(1), FieldId::Name, TextRange{0, 0}));
}

TEST_F(SelectionHandOff, DroppedPositionsThatAreNoRowsAndTextThatIsNoCardAddNothing)
{
    for (const ContactRecordPtr &contact : std::as_const(*top()->contactTable))
        m_table.rows.append(std::make_shared<SubContactRecord>(contact->person, contact->uniqueId, 0));
    auto club = std::make_shared<GroupRecord>();
    club->name = u"Club"_s;
    club->containerIdentifier = m_container->identifier;
    club->contactTable = std::make_shared<ContactTable>();
    m_container->groups->append(club);

    m_controller.addContactByStringIndexes(u"x,-1,99,"_s, club);
    m_controller.addContactByVCardString(u"no card here"_s);
    EXPECT_TRUE(club->contactTable->isEmpty());
    EXPECT_EQ(top()->contactTable->size(), 10);
    EXPECT_FALSE(m_window.isWindowModified());
    m_controller.addContactByStringIndexes(u"3,5,99,"_s, club);
    ASSERT_EQ(club->contactTable->size(), 2);
    EXPECT_EQ(club->contactTable->at(0)->uniqueId, u"c3"_s);
    EXPECT_EQ(club->contactTable->at(1)->person, top()->contactTable->at(5)->person);
    EXPECT_TRUE(m_window.isWindowModified());

    club->containerIdentifier = u"gone"_s;
    club->contactTable.reset();
    m_controller.groupSelectionDidChange(club);
    EXPECT_FALSE(m_table.contactTable) << "a group whose container is gone shows no rows";
}

} // namespace
