#include "InterchangeTestContacts.h"

#include "common/TestEnvironment.h"
#include "model/ContactIdentifier.h"
#include "model/HagakiLayoutString.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace InterchangeTestContacts {

LabeledValueRecord labeled(const QString &label, const QString &value)
{
    LabeledValueRecord record;
    record.label = label;
    record.value = value;
    return record;
}

LabeledValueRecord address(const QString &label, const QString &zip, const QString &state, const QString &city,
    const QString &street, const QString &layout)
{
    LabeledValueRecord record;
    record.label = label;
    record.address->zip = zip;
    record.address->state = state;
    record.address->city = city;
    record.address->street = street;
    record.address->country = u"Japan"_s;
    record.address->isoCountryCode = u"jp"_s;
    HagakiLayoutString::parse(layout, *record.layout);
    return record;
}

// A photo with a gradient, so that pixel comparisons mean something.
static QImage testPhoto(int width = 64, int height = 48)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    }
    return image;
}

MVPersonPtr fullPerson()
{
    const MVPersonPtr person = MVPerson::init();
    NameRecord name;
    name.firstName = u"太郎"_s;
    name.setMiddleName(u"M"_s);
    name.lastName = u"山田"_s;
    person->setValue(name, FieldId::Name);
    PhoneticNameRecord phonetic;
    phonetic.firstName = u"たろう"_s;
    phonetic.lastName = u"やまだ"_s;
    person->setValue(phonetic, FieldId::PhoneticName);
    for (const auto &[field, text] : {std::pair{FieldId::Company, u"Quill, Inc."_s},
             {FieldId::Department, u"Sales; East"_s}, {FieldId::JobTitle, u"Manager"_s}, {FieldId::Nickname, u"Taro"_s},
             {FieldId::Title, u"Dr."_s}, {FieldId::Suffix, u"Jr."_s}, {FieldId::Renmei, u"山田花子\n山田一郎"_s},
             {FieldId::Note, u"C:\\notes\\n, first line\nsecond; \"line\""_s}})
        person->setValue(text, field);
    for (const auto &[field, label, text] : {std::tuple{FieldId::Phone, u"home"_s, u"03-1234-5678"_s},
             {FieldId::Phone, u"work"_s, u"03-8765-4321"_s}, {FieldId::Phone, u"mobile"_s, u"090-1111-2222"_s},
             {FieldId::Email, u"home"_s, u"taro@example.jp"_s}, {FieldId::Email, u"work"_s, u"yamada@quill.example"_s},
             {FieldId::URL, u"home page"_s, u"https://example.jp/taro"_s},
             {FieldId::Relationship, u"spouse"_s, u"山田花子"_s}})
        person->addLabeledValue(labeled(label, text), field);
    person->addLabeledValue(address(u"home"_s, u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田1-1"_s,
                                u"5;ra:{{10.00,20.00},{30.00,40.00}};"_s),
        FieldId::Address);
    person->addLabeledValue(address(u"work"_s, u"530-0001"_s, u"大阪府"_s, u"大阪市北区"_s, u"梅田2-2"_s,
                                u"2;rn:{{1.50,2.25},{100.00,50.00}};sn:{{5.00,6.00},{7.00,8.00}};"_s),
        FieldId::Address);
    person->addLabeledValue(
        address(u"other"_s, u"060-0001"_s, u"北海道"_s, u"札幌市"_s, u"北1条"_s, u"7;"_s), FieldId::Address);
    for (const auto &[field, label, service] : {std::tuple{FieldId::SocialNetwork, u"Facebook"_s, u"Facebook"_s},
             {FieldId::InstantMessage, u"home"_s, u"Skype"_s}}) {
        LabeledValueRecord account = labeled(label, u"taro.yamada"_s);
        account.account->username = u"taro.yamada"_s;
        account.account->service = service;
        person->addLabeledValue(account, field);
    }
    LabeledValueRecord anniversary;
    anniversary.label = u"anniversary"_s;
    anniversary.value = StoreDateComponents{2010, 4, 1};
    person->addLabeledValue(anniversary, FieldId::Dates);
    person->setValue(StoreDateComponents{1980, 2, 29}, FieldId::Birthday);
    person->setPhoto(testPhoto());
    return person;
}

MVPersonPtr personWithLabel(const QString &label, const QString &name)
{
    const MVPersonPtr person = MVPerson::init();
    NameRecord record;
    record.firstName = name;
    record.lastName = u"Family"_s;
    person->setValue(record, FieldId::Name);
    person->addLabeledValue(labeled(label, u"+81 3 "_s + QString::number(name.size() * 1111)), FieldId::Phone);
    person->addLabeledValue(labeled(label, name.toLower() + u"@example.com"), FieldId::Email);
    person->addLabeledValue(
        address(label, u"100-0001"_s, u"Tokyo"_s, u"Chiyoda"_s, name + u" Street 1", u"0;"_s), FieldId::Address);
    return person;
}

ContactRecordPtr contactOf(const MVPersonPtr &person)
{
    return ContactRecord::makeWithPerson(person);
}

namespace {

QString describe(const LabeledValueRecord &record)
{
    QString text = record.labelText() + u'|' + record.valueText() + u'|';
    if (const auto *date = std::get_if<StoreDateComponents>(&record.value))
        text += u"%1-%2-%3|"_s.arg(date->year.value_or(0)).arg(date->month.value_or(0)).arg(date->day.value_or(0));
    return text + record.addressParts().zip + u'|' + record.addressParts().state + u'|' + record.addressParts().city
        + u'|' + record.addressParts().street + u'|' + record.accountParts().username + u'|'
        + record.accountParts().service;
}

} // namespace

QString listing(MVPerson &person)
{
    QStringList lines;
    for (const ContactIdentifier &identifier :
        {FieldId::FirstName, FieldId::MiddleName, FieldId::LastName, FieldId::PhoneticFirstName,
            FieldId::PhoneticLastName, FieldId::Company, FieldId::Department, FieldId::JobTitle, FieldId::Nickname,
            FieldId::Title, FieldId::Suffix, FieldId::Note, FieldId::Renmei, FieldId::Birthday}) {
        if (const QString text = person.stringValueForIdentifier(identifier, 0); !text.isEmpty())
            lines.append(identifier + u'=' + text);
    }
    if (!person.nameValue()->showAsPerson)
        lines.append(u"shown as a company"_s);
    for (const ContactIdentifier &identifier : MVPerson::labeledIdentifiers()) {
        const PersonValue value = person.valueForIdentifier(identifier);
        if (const auto *list = std::get_if<LabeledValueList>(&value)) {
            for (const LabeledValueRecordPtr &record : *list)
                lines.append(identifier + u'=' + describe(*record).remove(QRegularExpression(u"\\|+$"_s)));
        }
    }
    return lines.join(u'\n');
}

void expectSameValues(MVPerson &expected, MVPerson &actual)
{
    EXPECT_EQ(listing(actual).toStdString(), listing(expected).toStdString());
}

QStringList layoutStrings(MVPerson &person)
{
    QStringList layouts;
    if (const LabeledValueListPtr addresses = person.labeledValues(FieldId::Address)) {
        for (const LabeledValueRecordPtr &address : *addresses)
            layouts.append(person.layoutStringFromHagakiLayoutDict(&*std::as_const(address->layout)));
    }
    return layouts;
}

// Same size, every channel of every pixel within the tolerance and their
// mean within a twelfth of it.
void expectSamePicture(const QImage &expected, const QImage &actual, int tolerance)
{
    ASSERT_FALSE(actual.isNull());
    ASSERT_EQ(actual.size(), expected.size());
    int worst = 0;
    qint64 total = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = expected.pixel(x, y);
            const QRgb b = actual.pixel(x, y);
            const int red = std::abs(qRed(a) - qRed(b));
            const int green = std::abs(qGreen(a) - qGreen(b));
            const int blue = std::abs(qBlue(a) - qBlue(b));
            worst = std::max({worst, red, green, blue});
            total += red + green + blue;
        }
    }
    EXPECT_LE(worst, tolerance);
    const qint64 channels = qint64(expected.width()) * expected.height() * 3;
    EXPECT_LE(channels ? double(total) / double(channels) : 0.0, tolerance / 12.0);
}

void expectSameContact(MVPerson &expected, MVPerson &actual)
{
    expectSameValues(expected, actual);
    EXPECT_EQ(layoutStrings(actual), layoutStrings(expected));
    expectSamePicture(expected.photo(), actual.photo());
}

QString dataText(const QString &relativePath)
{
    QFile file(TestEnvironment::dataPath(relativePath));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(relativePath);
    return QString::fromUtf8(file.readAll());
}

} // namespace InterchangeTestContacts
