#pragma once

#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <QDebug>
#include <QString>

#include <ostream>

inline void PrintTo(const StoreDateComponents &parts, std::ostream *out)
{
    *out << parts.year.value_or(0) << '-' << parts.month.value_or(0) << '-' << parts.day.value_or(0);
}

inline void PrintTo(const NameRecord &name, std::ostream *out)
{
    *out << QDebug::toString(name.toVariantMap()).toStdString();
}

inline LabeledValueRecordPtr labeledValue(const QString &label, const QString &value, qint64 labelIndex)
{
    auto record = std::make_shared<LabeledValueRecord>();
    record->label = label;
    record->value = value;
    record->stringValue = value;
    record->labelIndex = labelIndex;
    return record;
}

inline LabeledValueRecordPtr addressValue(
    const QString &label, const QStringList &parts, const QString &isoCode, qint64 labelIndex)
{
    auto address = labeledValue(label, QString(), labelIndex);
    address->value = std::monostate();
    address->address->zip = parts.value(0);
    address->address->state = parts.value(1);
    address->address->city = parts.value(2);
    address->address->street = parts.value(3);
    address->address->country = parts.value(4);
    address->address->isoCountryCode = isoCode;
    MVPerson::updateAddressValue(address.get(), AddressText::IncludeCountryAndZIP);
    return address;
}

// Taro Yamada, formerly Sato, タロウ ヤマダ, of Quill Co., born 31 January
// 1980, living in Japan: three dates numbered 0, 1 and 2, four phones, an
// address in Kyoto (0) and one in New York whose street has three lines (1), a
// chat account stored under an older service name, a social profile of a
// service that is no label, and two joint names.
inline ContactRecordPtr testContact()
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(QStringLiteral("taro"));
    NameRecord name;
    name.firstName = QStringLiteral("Taro");
    name.lastName = QStringLiteral("Yamada");
    name.setPreviousFamilyName(QStringLiteral("Sato"));
    person->setValue(name, FieldId::Name);
    person->setValue(PhoneticNameRecord{"タロウ", {}, "ヤマダ", {}}, FieldId::PhoneticName);
    person->setValue(QStringLiteral("Quill Co."), FieldId::Company);
    person->setValue(StoreDateComponents{1980, 1, 31}, FieldId::Birthday);
    LabeledValueList dates;
    for (const StoreDateComponents &day : {StoreDateComponents{2001, 6, 1}, {2005, 1, 10}, {2010, 12, 24}}) {
        dates.append(labeledValue("anniversary", {}, dates.size()));
        dates.last()->value = day;
        MVPerson::updateDatesValue(dates.last().get());
    }
    person->setValue(dates, FieldId::Dates);
    person->setDefaultCountryCode(QStringLiteral("jp"));
    person->setValue(LabeledValueList{labeledValue("home", "075-111-1111", 0), labeledValue("work", "075-222-2222", 1),
                         labeledValue("mobile", "090-3333-3333", 2), labeledValue("main", "075-444-4444", 3)},
        FieldId::Phone);
    person->setValue(
        LabeledValueList{addressValue("home",
                             {"604-8571", "京都府", "京都市中京区", "寺町通御池上る上本能寺前町488", "日本"}, "jp", 0),
            addressValue("work", {"10001", "NY", "New York", "350 Fifth Avenue\nSuite 200\nBuilding C"}, "us", 1)},
        FieldId::Address);
    auto chat = labeledValue("work", "taro.chat", 0);
    chat->account->service = QStringLiteral("SkypeInstant");
    MVPerson::updateIMSValue(chat.get());
    person->setValue(LabeledValueList{chat}, FieldId::InstantMessage);
    auto profile = labeledValue("GameCenter", "taro_gc", 0);
    profile->account->urlString = QStringLiteral("https://example.jp/taro");
    MVPerson::updateSNSValue(profile.get());
    person->setValue(LabeledValueList{profile}, FieldId::SocialNetwork);
    person->setValue(QStringLiteral("花子\n次郎"), FieldId::Renmei);
    return ContactRecord::makeWithPerson(person);
}

// The dates of a result or a contact as "labelIndex:yyyy-MM-dd" lines.
inline QStringList datesOf(const PersonValue &value)
{
    QStringList lines;
    if (const auto *list = std::get_if<LabeledValueList>(&value)) {
        for (const LabeledValueRecordPtr &record : *list) {
            const auto *parts = std::get_if<StoreDateComponents>(&record->value);
            lines.append(QStringLiteral("%1:%2")
                             .arg(record->labelIndex)
                             .arg(parts ? parts->date().toString(Qt::ISODate) : record->valueText()));
        }
    }
    return lines;
}
