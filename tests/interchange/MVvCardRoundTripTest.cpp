#include "InterchangeTestContacts.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace InterchangeTestContacts;

namespace {

const vCardExportOptions exportOptions{u"Photo"_s, u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s};

MVPersonPtr readBack(const QString &text)
{
    const ContainerTablePtr containers = MVvCard().containersFromVCards(text, nullptr);
    const ContactTablePtr contacts = MVvCard().contactsInContainer(containers->constFirst());
    EXPECT_EQ(contacts->size(), 1);
    return contacts->isEmpty() ? MVPerson::init() : contacts->constFirst()->person;
}

TEST(MVvCardRoundTrip, EveryFieldSurvivesAPersonCard)
{
    const MVPersonPtr original = fullPerson();
    const MVPersonPtr read = readBack(MVvCard().vCardFromPerson(original, exportOptions, {}));
    expectSameValues(*original, *read);
    expectSameLayouts(*original, *read);
    expectSamePicture(original->photo(), read->photo());
}

TEST(MVvCardRoundTrip, EveryFieldSurvivesAContactCard)
{
    const MVPersonPtr original = fullPerson();
    const MVPersonPtr read = readBack(MVvCard().vCardFromContact(contactOf(original), exportOptions));
    expectSameValues(*original, *read);
    expectSameLayouts(*original, *read);
    expectSamePicture(original->photo(), read->photo());
}

TEST(MVvCardRoundTrip, GroupsComeBackAsCategories)
{
    auto contacts = std::make_shared<ContactTable>();
    for (const QString &name : {u"Ann"_s, u"Ben"_s})
        contacts->append(contactOf(personWithLabel(u"work"_s, name)));
    auto container = std::make_shared<ContainerRecord>();
    auto top = std::make_shared<GroupRecord>();
    top->top = true;
    top->contactTable = contacts;
    auto club = std::make_shared<GroupRecord>();
    club->name = u"Go, Chess; Shogi \\ Club"_s;
    club->contactTable = std::make_shared<ContactTable>(ContactTable{contacts->at(1)});
    container->groups->append({top, club});
    const std::optional<QString> text = MVvCard().vCardsFromContacts(contacts, exportOptions, container);
    ASSERT_TRUE(text);

    const ContainerRecordPtr read = MVvCard().containersFromVCards(*text, nullptr)->constFirst();
    ASSERT_EQ(read->groups->size(), 2);
    EXPECT_EQ(read->groups->at(1)->name, club->name);
    ASSERT_EQ(read->groups->at(1)->contactTable->size(), 1);
    EXPECT_EQ(read->groups->at(1)->contactTable->constFirst()->person->compositeName(),
        contacts->at(1)->person->compositeName());
    EXPECT_EQ(read->groups->at(0)->contactTable->size(), 2);
}

TEST(MVvCardRoundTrip, NoteWithEndOfCardTextStaysInItsCard)
{
    const MVPersonPtr original = personWithLabel(u"home"_s, u"Ann"_s);
    original->setValue(u"line one\nEND:VCARD\nBEGIN:VCARD"_s, FieldId::Note);
    const MVPersonPtr read = readBack(MVvCard().vCardFromPerson(original, {u"Note"_s}, {}));
    EXPECT_EQ(read->stringValueForIdentifier(FieldId::Note, 0), original->stringValueForIdentifier(FieldId::Note, 0));
}

} // namespace
