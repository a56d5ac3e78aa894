#include "PersonTestContacts.h"

#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"
#include "model/PersonDuplicate.h"

#include <gtest/gtest.h>

namespace {

using PersonDuplicate::CopyLayouts;

QStringList layoutListing(const HagakiLayoutList &layouts)
{
    QStringList lines;
    for (const HagakiLayoutRecordPtr &layout : layouts)
        lines.append(QString::number(layout->labelIndex) + u' '
            + (layout->isUnset() ? QString() : HagakiLayoutString::fromLayout(*layout)));
    return lines;
}

// Two addresses with layouts of their own, the first then deleted: the
// remaining one keeps number 1 while the copy numbers it 0.
MVPersonPtr contactWithSecondAddressLeft()
{
    StoreContact contact = PersonTestContacts::fullContact();
    const StorePostalAddress address = PersonTestContacts::tokyoAddress();
    contact.setPostalAddresses({{QString(ContactLabels::home), address}, {QString(ContactLabels::work), address}});
    const MVPersonPtr person = MVPerson::initWithCNContact(contact);
    person->replaceLabeledValueAtLabelIndex(QString("1;"), FieldId::HagakiLayout, 0);
    person->replaceLabeledValueAtLabelIndex(QString("5;"), FieldId::HagakiLayout, 1);
    person->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Address, 0);
    person->setValue(QStringLiteral("花子"), FieldId::Renmei);
    return person;
}

TEST(PersonDuplicate, LayoutsFollowTheirAddressesByPosition)
{
    const MVPersonPtr source = contactWithSecondAddressLeft();
    ASSERT_EQ(source->addressValues()->size(), 1);
    ASSERT_EQ(source->addressValues()->first()->labelIndex, 1);
    const QString secondLayout = HagakiLayoutString::fromLayout(*source->hagakiLayoutForLabelIndex(1));

    const MVPersonPtr copy = PersonDuplicate::copyOf(*source, CopyLayouts::Yes);
    ASSERT_EQ(copy->addressValues()->size(), 1);
    const qint64 number = copy->addressValues()->first()->labelIndex;
    EXPECT_EQ(layoutListing(*copy->hagakiLayouts()), QStringList{QString::number(number) + u' ' + secondLayout});
    EXPECT_TRUE(copy->created());
    EXPECT_NE(copy->uniqueId(), source->uniqueId());
    EXPECT_EQ(copy->valueForIdentifier(FieldId::Renmei), PersonValue(QStringLiteral("花子")));
    // The copy's layouts are its own.
    for (const HagakiLayoutRecordPtr &layout : *source->hagakiLayouts())
        EXPECT_NE(layout, copy->hagakiLayouts()->first());
}

TEST(PersonDuplicate, WithoutLayoutsTheCopyHasOnlyBlankOnes)
{
    const MVPersonPtr source = contactWithSecondAddressLeft();
    const MVPersonPtr copy = PersonDuplicate::copyOf(*source, CopyLayouts::No);
    for (const HagakiLayoutRecordPtr &layout : *copy->hagakiLayouts())
        EXPECT_TRUE(layout->isUnset());
    EXPECT_EQ(copy->valueForIdentifier(FieldId::Renmei), PersonValue(QStringLiteral("花子")));
}

} // namespace
