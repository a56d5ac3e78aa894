#pragma once

#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <QString>

#include <ostream>

inline void PrintTo(const StoreDateComponents &parts, std::ostream *out)
{
    *out << parts.year.value_or(0) << '-' << parts.month.value_or(0) << '-' << parts.day.value_or(0);
}

// Taro Yamada, formerly Sato, タロウ ヤマダ, of Quill Co., born 31 January
// 1980, with three dates numbered 0, 1 and 2.
inline ContactRecordPtr testContact()
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(QStringLiteral("taro"));
    NameRecord name;
    name.firstName = QStringLiteral("Taro");
    name.lastName = QStringLiteral("Yamada");
    name.previousFamilyName = QStringLiteral("Sato");
    person->setValue(name, FieldId::Name);
    PhoneticNameRecord phonetic;
    phonetic.firstName = QStringLiteral("タロウ");
    phonetic.lastName = QStringLiteral("ヤマダ");
    person->setValue(phonetic, FieldId::PhoneticName);
    person->setValue(QStringLiteral("Quill Co."), FieldId::Company);
    person->setValue(StoreDateComponents{1980, 1, 31}, FieldId::Birthday);
    LabeledValueList dates;
    const StoreDateComponents days[] = {{2001, 6, 1}, {2005, 1, 10}, {2010, 12, 24}};
    for (qint64 i = 0; i < 3; ++i) {
        auto date = std::make_shared<LabeledValueRecord>();
        date->label = QStringLiteral("anniversary");
        date->value = days[i];
        date->labelIndex = i;
        MVPerson::updateDatesValue(date.get());
        dates.append(date);
    }
    person->setValue(dates, FieldId::Dates);
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
