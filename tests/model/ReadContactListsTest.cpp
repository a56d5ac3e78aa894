#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"

#include "PersonTestContacts.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString labeledFields[] = {FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::URL, FieldId::SocialNetwork,
    FieldId::InstantMessage, FieldId::Relationship, FieldId::Dates};

QStringList shown(const LabeledValueList &values)
{
    QStringList texts;
    for (const LabeledValueRecordPtr &record : values)
        texts.append(record->stringValue);
    return texts;
}

class ReadContactLists : public testing::TestWithParam<QString> { };

// The labeled lists of a contact read from the store are handed out as lists
// of their own: one replaced or changed by a holder leaves every other list
// as it was, and a list outlives its contact for as long as it is held.
TEST_P(ReadContactLists, StayApartAndAliveWhileHeld)
{
    const QString &changed = GetParam();
    MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    std::vector<LabeledValueListPtr> held;
    std::vector<std::weak_ptr<LabeledValueList>> watched;
    std::vector<QStringList> before;
    for (const QString &field : labeledFields) {
        held.push_back(person->labeledValues(field));
        ASSERT_FALSE(held.back()->isEmpty()) << field.toStdString();
        watched.push_back(held.back());
        before.push_back(shown(*held.back()));
    }

    auto replacement = std::make_shared<LabeledValueRecord>();
    replacement->value = u"new"_s;
    replacement->stringValue = u"new"_s;
    person->setValue(LabeledValueList{replacement}, changed);
    const std::size_t at = std::distance(std::begin(labeledFields), std::ranges::find(labeledFields, changed));
    auto added = std::make_shared<LabeledValueRecord>();
    added->stringValue = u"added"_s;
    held[at]->append(added);
    for (std::size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(labeledFields[i].toStdString());
        const LabeledValueListPtr now = person->labeledValues(labeledFields[i]);
        if (i == at) {
            EXPECT_NE(now, held[i]);
            EXPECT_EQ(now->size(), 1);
            EXPECT_EQ(shown(*held[i]), before[i] + QStringList{u"added"_s});
        } else {
            EXPECT_EQ(now, held[i]);
            EXPECT_EQ(shown(*held[i]), before[i]);
        }
    }

    person.reset();
    held[at].reset();
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (i == at)
            continue;
        EXPECT_FALSE(watched[i].expired());
        EXPECT_EQ(shown(*held[i]), before[i]);
    }
    held.clear();
    for (const auto &list : watched)
        EXPECT_TRUE(list.expired());
}

INSTANTIATE_TEST_SUITE_P(Fields, ReadContactLists, testing::ValuesIn(labeledFields));

} // namespace
