#include "PersonValueDump.h"

#include <QCryptographicHash>
#include <QImage>
#include <QMetaType>

using namespace Qt::Literals::StringLiterals;

namespace {

QString describeVariant(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<StoreDateComponents>()) {
        const auto parts = value.value<StoreDateComponents>();
        return u"%1-%2-%3"_s.arg(parts.year.value_or(-1)).arg(parts.month.value_or(-1)).arg(parts.day.value_or(-1));
    }
    if (value.metaType() == QMetaType::fromType<QVariantMap>()) {
        const QVariantMap map = value.toMap();
        QStringList entries;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            entries.append(it.key() + QLatin1Char('=') + describeVariant(it.value()));
        return QLatin1Char('{') + entries.join(u", "_s) + QLatin1Char('}');
    }
    return value.toString();
}

QString describeValue(const PersonValue &value)
{
    return std::visit(
        [](const auto &held) -> QString {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::monostate>) {
                return u"nil"_s;
            } else if constexpr (std::is_same_v<Held, QString>) {
                return QLatin1Char('"') + held + QLatin1Char('"');
            } else if constexpr (std::is_same_v<Held, StoreDateComponents>) {
                return describeVariant(QVariant::fromValue(held));
            } else if constexpr (std::is_same_v<Held, QDate>) {
                return held.toString(Qt::ISODate);
            } else if constexpr (std::is_same_v<Held, LabeledValueList> || std::is_same_v<Held, HagakiLayoutList>) {
                QStringList records;
                for (const auto &record : held)
                    records.append(record ? describeVariant(record->toVariantMap()) : u"null"_s);
                return QLatin1Char('[') + records.join(u"; "_s) + QLatin1Char(']');
            } else if constexpr (std::is_same_v<Held, HagakiLayoutRecordPtr>) {
                return held ? describeVariant(held->toVariantMap()) : u"null"_s;
            } else if constexpr (std::is_same_v<Held, QImage>) {
                QByteArray bytes(reinterpret_cast<const char *>(held.constBits()), held.sizeInBytes());
                return u"image %1x%2 %3"_s.arg(held.width())
                    .arg(held.height())
                    .arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex()));
            } else {
                return describeVariant(held.toVariantMap());
            }
        },
        value);
}

} // namespace

std::string dumpPerson(MVPerson &person)
{
    QStringList identifiers = MVPerson::allIdentifiers();
    identifiers << FieldId::Renmei << FieldId::HagakiLayout;
    QStringList lines;
    for (const ContactIdentifier &identifier : std::as_const(identifiers))
        lines.append(identifier + u": "_s + describeValue(person.valueForIdentifier(identifier)));
    return lines.join(QLatin1Char('\n')).toStdString();
}

LabeledValueRecord labeled(const QString &label, const LabeledValue &value)
{
    LabeledValueRecord record;
    record.label = label;
    record.value = value;
    return record;
}

void fillPerson(MVPerson &person, const QString &firstName)
{
    NameRecord name;
    name.firstName = firstName;
    name.lastName = u"Yamada"_s;
    person.setValue(name, FieldId::Name);
    PhoneticNameRecord phonetic;
    phonetic.firstName = u"タロウ"_s;
    phonetic.lastName = u"ヤマダ"_s;
    person.setValue(phonetic, FieldId::PhoneticName);
    person.addLabeledValue(labeled(u"mobile"_s, u"090-1234-5678"_s), FieldId::Phone);
    person.addLabeledValue(labeled(u"home"_s, u"075-123-4567"_s), FieldId::Phone);
    person.addLabeledValue(labeled(u"home"_s, firstName.toLower() + u"@example.jp"_s), FieldId::Email);
    person.addLabeledValue(labeled(u"work"_s, u"yamada@example.com"_s), FieldId::Email);
    LabeledValueRecord address = labeled(u"home"_s, QString());
    address.value = std::monostate();
    address.address->zip = u"604-8571"_s;
    address.address->state = u"京都府"_s;
    address.address->city = u"京都市中京区"_s;
    address.address->street = u"寺町通御池上る上本能寺前町488"_s;
    address.address->country = u"日本"_s;
    address.address->isoCountryCode = u"jp"_s;
    address.labelIndex = 0;
    person.setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(address)}, FieldId::Address);
    LabeledValueRecord chat = labeled(u"home"_s, u"taro.chat"_s);
    chat.account->service = u"Skype"_s;
    person.addLabeledValue(chat, FieldId::InstantMessage);
    person.addLabeledValue(labeled(u"Twitter"_s, u"taro_y"_s), FieldId::SocialNetwork);
    person.addLabeledValue(labeled(u"homepage"_s, u"https://example.jp/taro"_s), FieldId::URL);
    person.addLabeledValue(labeled(u"spouse"_s, u"Hanako"_s), FieldId::Relationship);
    LabeledValueRecord anniversary = labeled(u"anniversary"_s, QString());
    anniversary.value = StoreDateComponents{2005, 4, 29};
    person.addLabeledValue(anniversary, FieldId::Dates);
    person.setValue(StoreDateComponents{1980, 5, 1}, FieldId::Birthday);
    person.setValue(u"Quillmark Inc."_s, FieldId::Company);
    person.setValue(u"Met in Kyoto"_s, FieldId::Note);
    person.setValue(u"花子"_s, FieldId::Renmei);
    person.setChanged(false);
}
