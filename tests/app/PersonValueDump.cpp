#include "PersonValueDump.h"

#include <QCryptographicHash>
#include <QImage>
#include <QMetaType>

namespace {

QString describeVariant(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<StoreDateComponents>()) {
        const auto parts = value.value<StoreDateComponents>();
        return QStringLiteral("%1-%2-%3")
            .arg(parts.year.value_or(-1))
            .arg(parts.month.value_or(-1))
            .arg(parts.day.value_or(-1));
    }
    if (value.metaType() == QMetaType::fromType<QVariantMap>()) {
        const QVariantMap map = value.toMap();
        QStringList entries;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            entries.append(it.key() + QLatin1Char('=') + describeVariant(it.value()));
        return QLatin1Char('{') + entries.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    return value.toString();
}

QString describeValue(const PersonValue &value)
{
    return std::visit(
        [](const auto &held) -> QString {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::monostate>) {
                return QStringLiteral("nil");
            } else if constexpr (std::is_same_v<Held, QString>) {
                return QLatin1Char('"') + held + QLatin1Char('"');
            } else if constexpr (std::is_same_v<Held, StoreDateComponents>) {
                return describeVariant(QVariant::fromValue(held));
            } else if constexpr (std::is_same_v<Held, QDate>) {
                return held.toString(Qt::ISODate);
            } else if constexpr (std::is_same_v<Held, LabeledValueList> || std::is_same_v<Held, HagakiLayoutList>) {
                QStringList records;
                for (const auto &record : held)
                    records.append(record ? describeVariant(record->toVariantMap()) : QStringLiteral("null"));
                return QLatin1Char('[') + records.join(QStringLiteral("; ")) + QLatin1Char(']');
            } else if constexpr (std::is_same_v<Held, HagakiLayoutRecordPtr>) {
                return held ? describeVariant(held->toVariantMap()) : QStringLiteral("null");
            } else if constexpr (std::is_same_v<Held, QImage>) {
                QByteArray bytes(reinterpret_cast<const char *>(held.constBits()), held.sizeInBytes());
                return QStringLiteral("image %1x%2 %3")
                    .arg(held.width())
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
        lines.append(identifier + QStringLiteral(": ") + describeValue(person.valueForIdentifier(identifier)));
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
    name.lastName = QStringLiteral("Yamada");
    person.setValue(name, FieldId::Name);
    PhoneticNameRecord phonetic;
    phonetic.firstName = QStringLiteral("タロウ");
    phonetic.lastName = QStringLiteral("ヤマダ");
    person.setValue(phonetic, FieldId::PhoneticName);
    person.addLabeledValue(labeled(QStringLiteral("mobile"), QStringLiteral("090-1234-5678")), FieldId::Phone);
    person.addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("075-123-4567")), FieldId::Phone);
    person.addLabeledValue(
        labeled(QStringLiteral("home"), firstName.toLower() + QStringLiteral("@example.jp")), FieldId::Email);
    person.addLabeledValue(labeled(QStringLiteral("work"), QStringLiteral("yamada@example.com")), FieldId::Email);
    LabeledValueRecord address = labeled(QStringLiteral("home"), QString());
    address.value = std::monostate();
    address.zip = QStringLiteral("604-8571");
    address.state = QStringLiteral("京都府");
    address.city = QStringLiteral("京都市中京区");
    address.street = QStringLiteral("寺町通御池上る上本能寺前町488");
    address.country = QStringLiteral("日本");
    address.isoCountryCode = QStringLiteral("jp");
    address.labelIndex = 0;
    person.setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(address)}, FieldId::Address);
    LabeledValueRecord chat = labeled(QStringLiteral("home"), QStringLiteral("taro.chat"));
    chat.service = QStringLiteral("Skype");
    person.addLabeledValue(chat, FieldId::InstantMessage);
    person.addLabeledValue(labeled(QStringLiteral("Twitter"), QStringLiteral("taro_y")), FieldId::SocialNetwork);
    person.addLabeledValue(
        labeled(QStringLiteral("homepage"), QStringLiteral("https://example.jp/taro")), FieldId::URL);
    person.addLabeledValue(labeled(QStringLiteral("spouse"), QStringLiteral("Hanako")), FieldId::Relationship);
    LabeledValueRecord anniversary = labeled(QStringLiteral("anniversary"), QString());
    anniversary.value = StoreDateComponents{2005, 4, 29};
    person.addLabeledValue(anniversary, FieldId::Dates);
    person.setValue(StoreDateComponents{1980, 5, 1}, FieldId::Birthday);
    person.setValue(QStringLiteral("Quillmark Inc."), FieldId::Company);
    person.setValue(QStringLiteral("Met in Kyoto"), FieldId::Note);
    person.setValue(QStringLiteral("花子"), FieldId::Renmei);
    person.setChanged(false);
}
