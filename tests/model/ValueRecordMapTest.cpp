#include "model/MVPerson.h"

#include <gtest/gtest.h>

namespace {

// The dictionary forms travel through editors, the side store and coded
// records: their key strings are part of the file formats.
TEST(RecordDictionaries, LabeledValuesKeepTheirKeysAndTheDifferenceBetweenNoLabelAndEmpty)
{
    LabeledValueRecord address;
    address.labelIndex = 4;
    address.street = "千代田1-1";
    address.zip = "100-0001";
    address.isoCountryCode = "JP";
    address.layout.company = false;
    address.layout.senderName = "{{1,2},{3,4}}";
    const QVariantMap map = address.toVariantMap();
    EXPECT_FALSE(map.contains("label"));
    EXPECT_EQ(map.value("Street").toString(), "千代田1-1");
    EXPECT_EQ(map.value("ZIP").toString(), "100-0001");
    EXPECT_EQ(map.value("ISOCountryCode").toString(), "JP");
    EXPECT_EQ(map.value("labelIndex").toLongLong(), 4);
    EXPECT_TRUE(map.contains("Company"));
    EXPECT_FALSE(map.contains("Sender"));
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(map), address);

    LabeledValueRecord emptyLabel;
    emptyLabel.label = "";
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(emptyLabel.toVariantMap()).label, QString(""));
    EXPECT_EQ(LabeledValueRecord::fromVariantMap({}).labelIndex, -1);
}

TEST(RecordDictionaries, DatePartsAndTextValuesComeBackAsTheyWent)
{
    LabeledValueRecord date;
    date.value = StoreDateComponents{std::nullopt, 12, 24};
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(date.toVariantMap()).value, date.value);

    LabeledValueRecord phone;
    phone.value = QString("090-1234-5678");
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(phone.toVariantMap()).value, phone.value);

    BirthdayRecord birthday{StoreDateComponents{1980, 4, 1}, "1980.04.01(Tue)"};
    EXPECT_EQ(BirthdayRecord::fromVariantMap(birthday.toVariantMap()), birthday);
    EXPECT_FALSE(BirthdayRecord::fromVariantMap({{"stringValue", ""}}).value.has_value());
}

TEST(RecordDictionaries, StringFieldsTellAbsentFromEmpty)
{
    StringValuesRecord values;
    values.company = "Morvane";
    values.renmei = "";
    const QVariantMap map = values.toVariantMap();
    EXPECT_EQ(map.keys(), QStringList({"Company", "Renmei"}));
    EXPECT_EQ(StringValuesRecord::fromVariantMap(map), values);
    EXPECT_TRUE(values.setEntry("Job Title", "Engineer"));
    EXPECT_EQ(values.value("Job Title"), "Engineer");
    EXPECT_FALSE(values.setEntry("Phone", "0"));
    EXPECT_EQ(values.value("Note"), "");
}

TEST(RecordDictionaries, NamesUseTheirPartKeys)
{
    NameRecord name{"Taro", "", "Yamada", "", 2, false, "Yamada Taro"};
    const QVariantMap map = name.toVariantMap();
    EXPECT_EQ(map.value("FirstName").toString(), "Taro");
    EXPECT_EQ(map.value("nameOrdering").toInt(), 2);
    EXPECT_FALSE(map.value("showAsPerson").toBool());
    EXPECT_EQ(NameRecord::fromVariantMap(map), name);

    PhoneticNameRecord phonetic{"タロウ", "", "", "タロウ"};
    EXPECT_FALSE(phonetic.toVariantMap().contains("MiddleName"));
    EXPECT_EQ(PhoneticNameRecord::fromVariantMap(phonetic.toVariantMap()), phonetic);
}

TEST(AddressFormatMerge, ReplacesRowsByCodeAndAppendsNothingToTheTable)
{
    const QByteArray json = R"({"AddressFormat":[
        {"CountryCode":"JP","Country":"JAPAN","Alpha3":"JPN","formatString":"ZIP State City Street Country"},
        {"CountryCode":"DE","Country":"GERMANY","Alpha3":"DEU","formatString":"Street ZIP City State Country"}]})";
    AddressFormatTable table = AddressFormatTable::fromJson(json, "en", "US");
    AddressFormatRow japan;
    japan.countryCode = "JP";
    japan.country = "JAPAN";
    japan.formatString = "Street City State ZIP Country";
    AddressFormatRow atlantis;
    atlantis.countryCode = "AT";
    atlantis.formatString = "City Street";
    table.mergeRows({japan, atlantis}, "ja", "JP");

    ASSERT_EQ(table.rows().size(), 2);
    EXPECT_EQ(table.rows().first(), table.rowsByCode().value("JP"));
    EXPECT_EQ(table.orderOfaddressFormats("JP"), QStringList({"JP", "Street", "City", "State", "ZIP", "Country"}));
    EXPECT_EQ(table.rowsByCode().value("JP")->toVariantMap().value("Country.ja").toString(), "日本");
    EXPECT_EQ(table.orderOfaddressFormats("AT"), QStringList({"AT", "City", "Street"}));
}

} // namespace
