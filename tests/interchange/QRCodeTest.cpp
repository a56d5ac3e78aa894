#include "InterchangeTestContacts.h"
#include "interchange/QRCodeImage.h"
#include "interchange/QRCodePayload.h"
#include "model/MVPerson.h"
#include "platform/contacts/ContactLabels.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Two phones, a semicolon in the family name, an address of two street
// lines, a web address without scheme and the three organisation texts.
MVPersonPtr makePerson()
{
    StoreContact contact;
    for (const auto &[key, value] : {std::pair{"givenName", u"Taro"_s}, {"familyName", u"Yama;da"_s},
             {"phoneticGivenName", u"タロウ"_s}, {"phoneticFamilyName", u"ヤマダ"_s},
             {"organizationName", u"Morvane"_s}, {"departmentName", u"Sales"_s}, {"jobTitle", u"Manager"_s}})
        contact.setStringForKey(QString::fromLatin1(key), value);
    contact.setPhoneNumbers(
        {{QString(ContactLabels::home), *StorePhoneNumber::phoneNumberWithStringValue(u"03-1111-2222"_s)},
            {QString(ContactLabels::phoneNumberMobile),
                *StorePhoneNumber::phoneNumberWithStringValue(u"090-3333-4444"_s)}});
    contact.setEmailAddresses({{QString(ContactLabels::work), u"taro@example.jp"_s}});
    contact.setPostalAddresses({{QString(ContactLabels::home),
        StorePostalAddress{
            u"1-2-3 Marunouchi\nBuilding 4"_s, {}, u"Chiyoda"_s, {}, u"Tokyo"_s, u"100-0005"_s, u"Japan"_s, u"jp"_s}}});
    contact.setUrlAddresses({{QString(ContactLabels::urlAddressHomePage), u"example.jp/taro"_s}});
    return MVPerson::initWithCNContact(contact);
}

struct PayloadRow {
    const char *name;
    QString format;
    QString tick; // "second" ticks the second phone too, "all" every value, a type only that type's
    QString expected;
};

class Payload : public testing::TestWithParam<PayloadRow> { };

TEST_P(Payload, IsTheFormatsTextOfTheTickedValues)
{
    const MVPersonPtr person = makePerson();
    QList<QRFieldRow> rows = QRCodePayload::fieldTable(*person);
    const QString &tick = GetParam().tick;
    for (qsizetype index = 0; index < rows.size() && !tick.isEmpty(); ++index) {
        QRFieldRow &row = rows[index];
        row.selected = tick == u"all" || (tick == u"second" ? row.selected || index == 1 : row.type == tick);
    }
    EXPECT_EQ(
        QRCodePayload::payload(GetParam().format, *person, rows).toStdString(), GetParam().expected.toStdString());
}

const QString memory
    = u"MEMORY:\nNAME1:Taro Yama;da\nNAME2:タロウ ヤマダ\nTEL1:090-3333-4444\nMAIL1:taro@example.jp\n"_s;
const QString vCardHead = u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Taro Yama\\;da\r\nN:Yama\\;da;Taro;;;\r\n"
                          u"X-PHONETIC-FIRST-NAME:タロウ\r\nX-PHONETIC-LAST-NAME:ヤマダ\r\n"_s;

INSTANTIATE_TEST_SUITE_P(Formats, Payload,
    testing::Values(PayloadRow{"Docomo", u"docomo"_s, u"second"_s,
                        u"MECARD:N:Taro Yama\\;da;SOUND:タロウ ヤマダ;TEL:090-3333-4444;EMAIL:taro@example.jp;"
                        u"ADR:100-0005 Tokyo Chiyoda 1-2-3 Marunouchi Building 4 Japan ;"_s},
        PayloadRow{
            "Au", u"au"_s, u"second"_s, memory + u"ADD:100-0005 Tokyo Chiyoda 1-2-3 Marunouchi Building 4 Japan \n"_s},
        PayloadRow{"SoftBank", u"SoftBank"_s, u"second"_s, memory},
        PayloadRow{"Phone", u"Phone"_s, u"second"_s, u"tel:090-3333-4444"_s},
        PayloadRow{"NoPhone", u"Phone"_s, u"none"_s, u"tel:"_s},
        PayloadRow{"Email", u"Email"_s, QString(), u"mailto:taro@example.jp"_s},
        PayloadRow{"UrlWithoutScheme", u"URL"_s, FieldId::URL, u"http://example.jp/taro"_s},
        PayloadRow{"NoUrl", u"URL"_s, QString(), u"http:"_s},
        PayloadRow{"VCard", u"vCard"_s, u"all"_s,
            vCardHead
                + u"EMAIL;type=work:taro@example.jp\r\n"
                  u"TEL;type=home:03-1111-2222\r\nTEL:090-3333-4444\r\n"
                  u"ADR;type=home:;;1-2-3 Marunouchi Building 4;Chiyoda;Tokyo;100-0005;Japan\r\n"
                  u"URL:http://example.jp/taro\r\nORG:Morvane;Sales\r\nTITLE:Manager\r\nEND:VCARD\r\n"_s},
        PayloadRow{"DepartmentOnly", u"vCard"_s, FieldId::Department, vCardHead + u"ORG:;Sales\r\nEND:VCARD\r\n"_s},
        PayloadRow{"UnknownFormat", u"Fax"_s, u"second"_s, u""_s}),
    rowName);

TEST(PayloadWebAddress, KeepsAnHttpsScheme)
{
    EXPECT_EQ(QRCodePayload::webAddress(u"https://example.org"_s), u"https://example.org"_s);
}

// The symbol's size follows from the payload's length; the picture is the
// symbol in k × k squares inside a white border one module wide.
TEST(CodeImage, HasSquareModulesInsideAWhiteBorder)
{
    for (const auto &[bytes, side, k] : {std::tuple{154, 141, 3}, {155, 204, 4}, {271, 295, 5}}) {
        const QImage image = QRCodeImage::createQRCodeFromString(QString(bytes, u'a'));
        ASSERT_EQ(image.size(), QSize(side, side)) << bytes;
        const int modules = side / k;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int moduleX = x / k;
                const int moduleY = y / k;
                const bool border = moduleX == 0 || moduleY == 0 || moduleX == modules - 1 || moduleY == modules - 1;
                const QRgb pixel = image.pixel(x, y);
                if (border)
                    ASSERT_EQ(pixel, qRgb(255, 255, 255)) << x << "," << y;
                else
                    ASSERT_EQ(pixel, image.pixel(moduleX * k, moduleY * k)) << x << "," << y;
            }
        }
        // The finder pattern's dark corner.
        EXPECT_EQ(image.pixel(k, k), qRgb(0, 0, 0)) << bytes;
    }
}

TEST(CodeImageLimits, GivesNoPictureForAnEmptyOrOverlongPayload)
{
    EXPECT_FALSE(QRCodeImage::createQRCodeFromString(QString(2953, u'a')).isNull());
    EXPECT_TRUE(QRCodeImage::createQRCodeFromString(QString(2954, u'a')).isNull());
    EXPECT_TRUE(QRCodeImage::createQRCodeFromString(QString()).isNull());
}

} // namespace
