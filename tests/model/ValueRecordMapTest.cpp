#include "model/HagakiLayoutRecord.h"
#include "model/MVPerson.h"

#include <gtest/gtest.h>

namespace {

// The dictionary forms travel through editors, the side store and coded
// records: each record comes back as it went, absent parts told from empty ones.
TEST(RecordDictionaries, EveryRecordComesBackAsItWent)
{
    LabeledValueRecord address;
    address.labelIndex = 4;
    address.address->street = "千代田1-1";
    address.address->zip = "100-0001";
    address.address->isoCountryCode = "JP";
    address.layout->company = false;
    address.layout->senderName = QRectF(1, 2, 3, -4);
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(address.toVariantMap()), address);
    EXPECT_FALSE(address.toVariantMap().contains("label"));
    LabeledValueRecord emptyLabel;
    emptyLabel.label = "";
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(emptyLabel.toVariantMap()).label, QString(""));
    EXPECT_EQ(LabeledValueRecord::fromVariantMap({}).labelIndex, -1);

    LabeledValueRecord date;
    date.value = StoreDateComponents{std::nullopt, 12, 24};
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(date.toVariantMap()), date);
    LabeledValueRecord phone;
    phone.value = QString("090-1234-5678");
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(phone.toVariantMap()), phone);

    const BirthdayRecord birthday{StoreDateComponents{1980, 4, 1}, "1980.04.01(Tue)"};
    EXPECT_EQ(BirthdayRecord::fromVariantMap(birthday.toVariantMap()), birthday);
    EXPECT_FALSE(BirthdayRecord::fromVariantMap({{"stringValue", ""}}).value.has_value());

    StringValuesRecord values;
    values.company = "Morvane";
    values.renmei = "";
    EXPECT_EQ(values.toVariantMap().keys(), QStringList({"Company", "Renmei"}));
    EXPECT_EQ(StringValuesRecord::fromVariantMap(values.toVariantMap()), values);

    NameRecord name;
    name.firstName = "Taro";
    name.lastName = "Yamada";
    name.setMiddleName("");
    name.stringValue = "Yamada Taro";
    name.nameOrdering = 2;
    name.showAsPerson = false;
    EXPECT_EQ(NameRecord::fromVariantMap(name.toVariantMap()), name);
    const PhoneticNameRecord phonetic{"タロウ", "", "", "タロウ"};
    EXPECT_EQ(PhoneticNameRecord::fromVariantMap(phonetic.toVariantMap()), phonetic);

    HagakiLayoutRecord layout;
    layout.labelIndex = 2;
    layout.label = "home";
    layout.sender = true;
    layout.receiverAddress = QRectF(1, 2, 3, 4);
    layout.stringValue = "1;ra:{{1.00,2.00},{3.00,4.00}};";
    EXPECT_FALSE(layout.toVariantMap().contains("Company"));
    EXPECT_EQ(HagakiLayoutRecord::fromVariantMap(layout.toVariantMap()), layout);
}

TEST(RecordDictionaries, StringValuesTakeOnlyStringFields)
{
    StringValuesRecord values;
    EXPECT_TRUE(values.setEntry("Job Title", "Engineer"));
    EXPECT_EQ(values.value("Job Title"), "Engineer");
    EXPECT_FALSE(values.setEntry("Phone", "0"));
    EXPECT_EQ(values.value("Note"), "");
}

} // namespace
