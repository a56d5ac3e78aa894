#include "model/AddressText.h"
#include "model/MVPerson.h"
#include "model/StoreContactReader.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StorePostalAddressFormatter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every part of the store's address has its place, so that each one shows in
// the mailing form when the formatter uses it.
class EveryPartTemplate : public testing::Test {
protected:
    void SetUp() override
    {
        StorePostalAddressFormatter::setFormatProvider([](const QString &) {
            return u"{postalCode} {subAdministrativeArea}\n{state}{city}{subLocality}\n{street}\n{country}"_s;
        });
    }
    void TearDown() override { StorePostalAddressFormatter::setFormatProvider({}); }
};

StorePostalAddress storeAddress()
{
    return {"千代田1-1", "一番町", "千代田区", "千代田郡", "東京都", "100-0001", "日本", "JP"};
}

LabeledValueRecordPtr readAddress(const StorePostalAddress &stored)
{
    StoreContact contact;
    contact.setPostalAddresses({StoreLabeledValue<StorePostalAddress>(u"home"_s, stored)});
    return StoreContactReader::addressValues(contact).first();
}

using Edit = std::function<void(LabeledValueRecord &)>;

struct FormatCase {
    const char *name;
    StorePostalAddress stored;
    Edit edit; // what happens to the record read before it is formatted again
    int option;
    const char *stringValue;
    const char *formattedString;
};

class ReadAddressFormat : public EveryPartTemplate, public testing::WithParamInterface<FormatCase> { };

TEST_P(ReadAddressFormat, KeepsTheStoreAddressPartsItHasNoFieldFor)
{
    LabeledValueRecordPtr address = readAddress(GetParam().stored);
    if (GetParam().edit)
        GetParam().edit(*address);
    AddressText::updateAddressValue(address.get(), GetParam().option);
    EXPECT_EQ(address->stringValue, QString::fromUtf8(GetParam().stringValue));
    EXPECT_EQ(AddressText::mailingForm(*address, GetParam().option), QString::fromUtf8(GetParam().formattedString));
}

const Edit noEdit;

INSTANTIATE_TEST_SUITE_P(Read, ReadAddressFormat,
    testing::Values(FormatCase{"AsRead", storeAddress(), noEdit, 3, "100-0001 東京都 千代田区 千代田1-1 日本 ",
                        "100-0001 千代田郡\n東京都千代田区一番町\n千代田1-1\n日本"},
        FormatCase{"WithoutCountry", storeAddress(), noEdit, 0, "東京都 千代田区 千代田1-1 ",
            "100-0001 千代田郡\n東京都千代田区一番町\n千代田1-1"},
        FormatCase{"WithCountry", storeAddress(), noEdit, 1, "東京都 千代田区 千代田1-1 日本 ",
            "100-0001 千代田郡\n東京都千代田区一番町\n千代田1-1\n日本"},
        FormatCase{"StreetAndCityChanged", storeAddress(),
            [](LabeledValueRecord &r) {
                r.address->street = u"丸の内1-1"_s;
                r.address->city = u"港区"_s;
            },
            3, "100-0001 東京都 港区 丸の内1-1 日本 ", "100-0001 千代田郡\n東京都港区一番町\n丸の内1-1\n日本"},
        FormatCase{"CountryCleared", storeAddress(), [](LabeledValueRecord &r) { r.address->country.clear(); }, 3,
            "100-0001 東京都 千代田区 千代田1-1 ", "100-0001 千代田郡\n東京都千代田区一番町\n千代田1-1"},
        FormatCase{"OnlyTheFieldsOfTheRecord",
            {"1 Main St", "", "Springfield", "", "IL", "62701", "United States", "US"}, noEdit, 3,
            "1 Main St Springfield IL 62701 United States ", "62701\nILSpringfield\n1 Main St\nUnited States"},
        FormatCase{"LowerCaseCode", {"1 Main St", "", "Springfield", "", "IL", "62701", "", "us"}, noEdit, 3,
            "1 Main St Springfield IL 62701 ", "62701\nILSpringfield\n1 Main St"},
        FormatCase{"NoPartsAtAll", {}, noEdit, 3, "", ""},
        // A record copied from one read keeps what the read one keeps; the
        // dictionary form carries no store object.
        FormatCase{"Copied", storeAddress(), [](LabeledValueRecord &r) { r = LabeledValueRecord(r); }, 3,
            "100-0001 東京都 千代田区 千代田1-1 日本 ", "100-0001 千代田郡\n東京都千代田区一番町\n千代田1-1\n日本"},
        FormatCase{"ThroughTheDictionaryForm", storeAddress(),
            [](LabeledValueRecord &r) { r = LabeledValueRecord::fromVariantMap(r.toVariantMap()); }, 3,
            "100-0001 東京都 千代田区 千代田1-1 日本 ", "東京都千代田区\n千代田1-1\n日本"}),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

// The mailing form shows the postal code the record has now, not the one it
// was read with.
INSTANTIATE_TEST_SUITE_P(ZIPEdited, ReadAddressFormat,
    testing::Values(
        FormatCase{"Changed", storeAddress(), [](LabeledValueRecord &r) { r.address->zip = u"105-0011"_s; }, 1,
            "東京都 千代田区 千代田1-1 日本 ", "105-0011 千代田郡\n東京都千代田区一番町\n千代田1-1\n日本"},
        FormatCase{"Cleared", storeAddress(), [](LabeledValueRecord &r) { r.address->zip.clear(); }, 3,
            "東京都 千代田区 千代田1-1 日本 ", "千代田郡\n東京都千代田区一番町\n千代田1-1\n日本"},
        FormatCase{"AddedWhereTheStoreHadNone", {"1 Main St", "", "Springfield", "", "IL", "", "", "US"},
            [](LabeledValueRecord &r) { r.address->zip = u"62701"_s; }, 3, "1 Main St Springfield IL 62701 ",
            "62701\nILSpringfield\n1 Main St"}),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

// A new address has no store address: its mailing form has none of the
// store's parts, its postal code included.
TEST_F(EveryPartTemplate, ANewAddressHasNoPostalCodeInItsMailingForm)
{
    LabeledValueRecord address;
    address.address->street = u"千代田1-1"_s;
    address.address->city = u"千代田区"_s;
    address.address->state = u"東京都"_s;
    address.address->zip = u"100-0001"_s;
    address.address->isoCountryCode = u"JP"_s;
    AddressText::updateAddressValue(&address, AddressText::IncludeCountryAndZIP);
    EXPECT_EQ(address.stringValue, "100-0001 東京都 千代田区 千代田1-1 ");
    EXPECT_EQ(AddressText::mailingForm(address, AddressText::IncludeCountryAndZIP), "東京都千代田区\n千代田1-1");
}

// A read address keeps that it was read from the store, with or without
// parts of its own, through copies and moves; an address made here keeps
// nothing.
TEST(ReadAddressSlot, TellsAReadAddressApartWhetherOrNotItKeptParts)
{
    StorePostalAddress plain = storeAddress();
    plain.subLocality.clear();
    plain.subAdministrativeArea.clear();
    const LabeledValueRecordPtr bare = readAddress(plain);
    const LabeledValueRecordPtr kept = readAddress(storeAddress());
    ASSERT_NE(bare->heldStoreObject<StoreAddressExtras>(), nullptr);
    EXPECT_EQ(*bare->heldStoreObject<StoreAddressExtras>(), StoreAddressExtras{});
    EXPECT_EQ(*kept->heldStoreObject<StoreAddressExtras>(), (StoreAddressExtras{u"一番町"_s, u"千代田郡"_s}));

    LabeledValueRecord copy = *bare;
    EXPECT_EQ(copy, *bare);
    EXPECT_NE(copy.heldStoreObject<StoreAddressExtras>(), nullptr);
    LabeledValueRecord made = copy;
    made.storeObject.reset();
    EXPECT_FALSE(made == copy);
    EXPECT_FALSE(copy == *kept);
    copy.address->zip = u"100-0001"_s;
    const LabeledValueRecord moved = std::move(copy);
    EXPECT_EQ(moved, *bare);
    EXPECT_TRUE(copy.storeObject.isEmpty());
    EXPECT_EQ(moved.heldStoreObject<StoreContactRelation>(), nullptr);
}

// What the record gives back to the store: the parts it has fields for, and
// those kept from the store's address it was read from.
QStringList written(const StoreContact &contact)
{
    QStringList lines;
    for (const StoreLabeledValue<StorePostalAddress> &value : contact.postalAddresses()) {
        const StorePostalAddress &a = value.value();
        lines.append(QStringList{value.label(), a.street, a.subLocality, a.city, a.subAdministrativeArea, a.state,
            a.postalCode, a.country, a.isoCountryCode}
                         .join(u'|'));
    }
    return lines;
}

TEST(ReadAddressWriteBack, WritesTheReadChangedAndNewAddressesWithThePartsTheyKept)
{
    StoreContact contact;
    contact.setPostalAddresses({StoreLabeledValue<StorePostalAddress>(u"_$!<Home>!$_"_s, storeAddress()),
        StoreLabeledValue<StorePostalAddress>(u"_$!<Work>!$_"_s, storeAddress())});
    const MVPersonPtr person = MVPerson::initWithCNContact(contact);
    EXPECT_EQ(written(person->contactFromCache(contact)),
        QStringList({"_$!<Home>!$_|千代田1-1|一番町|千代田区|千代田郡|東京都|100-0001|日本|JP",
            "_$!<Work>!$_|千代田1-1|一番町|千代田区|千代田郡|東京都|100-0001|日本|JP"}));

    LabeledValueRecord &work = *person->addressValues()->at(1);
    work.address->zip = u"105-0011"_s;
    work.address->street = u"芝公園4-2"_s;
    LabeledValueRecord added;
    added.label = u"other"_s;
    added.address->city = u"Springfield"_s;
    added.address->zip = u"62701"_s;
    person->addLabeledValue(added, FieldId::Address);
    EXPECT_EQ(written(person->contactFromCache(contact)),
        QStringList({"_$!<Home>!$_|千代田1-1|一番町|千代田区|千代田郡|東京都|100-0001|日本|JP",
            "_$!<Work>!$_|芝公園4-2|一番町|千代田区|千代田郡|東京都|105-0011|日本|JP",
            "_$!<Other>!$_|||Springfield|||62701||"}));
}

} // namespace
