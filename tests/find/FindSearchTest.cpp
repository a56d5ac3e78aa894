#include "FindTestContacts.h"

#include "find/FindScope.h"
#include "find/FindSearch.h"

#include <gtest/gtest.h>

#include <functional>

using namespace FindTestContacts;

namespace {

const QStringList All{FindSearch::All};

// item/subItem/label=value@ranges for every row, one line each.
QString describe(const FindResultRows &rows)
{
    QStringList lines;
    for (const FindResultRowPtr &row : rows) {
        QString ranges;
        for (const TextRange &range : row->ranges)
            ranges += QStringLiteral("{%1,%2}").arg(range.location).arg(range.length);
        lines.append(QStringLiteral("%1/%2/%3=%4@%5").arg(row->item, row->subItem, row->label, row->value, ranges));
    }
    return lines.join(QLatin1Char('\n'));
}

ContactRecordPtr contact(const QString &first, const QString &last = {})
{
    MVPersonPtr person = MVPerson::init();
    person->setValue(first, FieldId::FirstName);
    person->setValue(last, FieldId::LastName);
    return ContactRecord::makeWithPerson(person);
}

// A contact with a bit of every kind of value.
ContactRecordPtr sampleContact()
{
    ContactRecordPtr row = contact(QStringLiteral("Anna"), QStringLiteral("Banana"));
    MVPerson &person = *row->person;
    addValue(person, FieldId::Phone, "home", "03-1234-5678");
    addValue(person, FieldId::Phone, "work", "090 9999 0000");
    addValue(person, FieldId::Email, "work", "anna@example.com");
    addValue(person, FieldId::InstantMessage, "home", "annaim", "Skype");
    LabeledValueRecord address;
    address.label = QStringLiteral("home");
    address.address->zip = QStringLiteral("100-0001");
    address.address->city = QStringLiteral("Annaville");
    address.address->street = QStringLiteral("1 Anna Street");
    address.address->isoCountryCode = QStringLiteral("AN");
    person.addLabeledValue(address, FieldId::Address);
    person.setValue(QStringLiteral("Nana & Co"), FieldId::Company);
    return row;
}

struct SearchCase {
    const char *name;
    QString searchString;
    QStringList items;
    QStringList subItems;
    QStringList labels;
    uint options;
    QString expected;
    std::function<ContactRecordPtr()> make = sampleContact;
};

class FindSearchTest : public testing::TestWithParam<SearchCase> { };

TEST_P(FindSearchTest, ListsTheHitsOfOneContact)
{
    const SearchCase &c = GetParam();
    const ContactRecordPtr row = c.make();
    EXPECT_EQ(
        describe(FindSearch::searchString(c.searchString, row, c.items, c.subItems, c.labels, c.options)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FindSearchTest,
    testing::Values(SearchCase{"FourLettersTwoHits", "aa", {"Name"}, All, All, 1, "Name/FirstName/=aaaa@{0,2}{2,2}",
                        [] { return contact("aaaa"); }},
        SearchCase{"CaseSensitive", "anna", {"Name"}, All, All, 0, ""},
        SearchCase{"FirstBeforeLast", "an", {"Name"}, All, All, 1,
            "Name/FirstName/=Anna@{0,2}\nName/LastName/=Banana@{1,2}{3,2}"},
        SearchCase{"EmptySearch", "", {"Name", "Company"}, All, All, 1, ""},
        SearchCase{"OneLabelSkipsSingleValues", "a", {"Name", "Company", "Email", "Phone"}, All, {"work"}, 1,
            "Email//work=anna@example.com@{0,1}{3,1}{7,1}"},
        SearchCase{"SubItemSkipsLabeledFields", "n", {"Name", "Email", "Instant Message"}, {"FirstName"}, All, 1,
            "Name/FirstName/=Anna@{1,1}{2,1}"},
        SearchCase{
            "ServiceFilter", "anna", {"Instant Message"}, {"Skype"}, All, 1, "Instant Message/Skype/home=annaim@{0,4}"},
        SearchCase{"OtherServiceFilter", "anna", {"Instant Message"}, {"ICQ"}, All, 1, ""},
        SearchCase{"CityBeforeStreet", "anna", {"Address"}, All, All, 1,
            "Address/City/home=Annaville@{0,4}\nAddress/Street/home=1 Anna Street@{2,4}"},
        SearchCase{"ZipOnItsOwn", "100", {"ZIP"}, All, All, 1, "Address/ZIP/home=100-0001@{0,3}"},
        SearchCase{
            "CountryCodeByName", "an", {"Address"}, {"CountryCode"}, All, 1, "Address/CountryCode/home=AN@{0,2}"},
        SearchCase{"CountryCodeNotUnderAll", "AN", {"Address"}, All, All, 0, ""},
        SearchCase{"PhoneExpression", R"(\d{3}-\d{4})", {"Phone"}, All, All, 1024, "Phone//home=03-1234-5678@{4,8}"},
        SearchCase{"AnchorSeesWholeText", R"(^\d+)", {"Phone"}, All, All, 1024,
            "Phone//home=03-1234-5678@{0,2}\nPhone//work=090 9999 0000@{0,3}"},
        SearchCase{"InvalidExpression", "(", {"Phone"}, All, All, 1024, ""},
        SearchCase{"ZeroLengthMatch", "x*", {"Phone", "Name"}, All, All, 1024, ""},
        SearchCase{"UnicodeClass", R"(\p{Han}+)", {"Name"}, All, All, 1024, "Name/LastName/=山田@{0,2}",
            [] { return contact("タロウ", "山田"); }},
        SearchCase{"UnknownItem", "a", {"All", "Sender", "Photo"}, All, All, 1, ""},
        SearchCase{"StringField", "co", {"Company"}, All, All, 1, "Company//=Nana & Co@{7,2}"},
        SearchCase{"NoContact", "a", {"Name"}, All, All, 1, "", [] { return ContactRecordPtr(); }},
        SearchCase{"NoPerson", "a", {"Name"}, All, All, 1, "", [] { return std::make_shared<ContactRecord>(); }}),
    [](const testing::TestParamInfo<SearchCase> &info) { return std::string(info.param.name); });

// Contacts read from the store without e-mail share one empty list; a search
// of every field must not give each a list of its own.
TEST(FindSearchContacts, ASearchLeavesEmptyFieldsShared)
{
    StoreContact stored;
    stored.setGivenName(QStringLiteral("Anna"));
    const ContactRecordPtr first = ContactRecord::makeWithPerson(MVPerson::initWithCNContact(stored));
    const ContactRecordPtr second = ContactRecord::makeWithPerson(MVPerson::initWithCNContact(stored));
    EXPECT_TRUE(FindSearch::searchString("@", first, {"Email", "URL"}, All, All, 1).isEmpty());
    EXPECT_EQ(first->person->heldLabeledValues(FieldId::Email), second->person->heldLabeledValues(FieldId::Email));
}

TEST(FindScope, ChoiceChangesTheSelection)
{
    const struct {
        QStringList before;
        QString chosen;
        QStringList after;
    } choices[] = {{{"Phone", "Email"}, "All", {"All"}}, {{"All"}, "Phone", {"Phone"}}, {{"Phone"}, "Phone", {"Phone"}},
        {{"Phone", "Email"}, "Phone", {"Email"}}, {{"Phone"}, "Email", {"Phone", "Email"}}};
    for (const auto &choice : choices) {
        QStringList selection = choice.before;
        FindScope::choose(selection, choice.chosen);
        EXPECT_EQ(selection, choice.after) << choice.chosen.toStdString();
    }
}

TEST(FindScope, HomeWorkOtherLeadTheLabelsEvenInAShortList)
{
    const QStringList labels = FindScope::labelsFor({"Phone", "Email"});
    EXPECT_EQ(labels.mid(0, 4), (QStringList{"home", "work", "other", "main"}));
    EXPECT_EQ(labels.count("home"), 1);
    EXPECT_EQ(labels.count("work"), 1);
    EXPECT_EQ(FindScope::labelsFor({"Name"}), QStringList());
}

} // namespace
