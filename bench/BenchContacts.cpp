#include "BenchContacts.h"

#include "platform/contacts/ContactLabels.h"

namespace {

const char16_t *const familyNames[] = {u"山田", u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺", u"中村"};
const char16_t *const familyReadings[]
    = {u"ヤマダ", u"サトウ", u"スズキ", u"タカハシ", u"タナカ", u"イトウ", u"ワタナベ", u"ナカムラ"};
const char16_t *const givenNames[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健太", u"由美", u"翔太"};
const char16_t *const givenReadings[] = {u"タロウ", u"ハナコ", u"イチロウ", u"ミサキ", u"ケンタ", u"ユミ", u"ショウタ"};
const char16_t *const cities[] = {u"千代田区", u"渋谷区", u"横浜市中区", u"大阪市北区", u"札幌市中央区"};

template <typename T> StoreLabeledValue<T> labeled(QLatin1StringView label, const T &value)
{
    return StoreLabeledValue<T>(QString(label), value);
}

} // namespace

namespace BenchContacts {

StoreContact japaneseContact(int i)
{
    StoreContact c;
    c.setFamilyName(QString::fromUtf16(familyNames[i % 8]));
    c.setGivenName(QString::fromUtf16(givenNames[i % 7]));
    c.setPhoneticFamilyName(QString::fromUtf16(familyReadings[i % 8]));
    c.setPhoneticGivenName(QString::fromUtf16(givenReadings[i % 7]));
    c.setOrganizationName(QStringLiteral("株式会社クイルマーク商事 第%1支社").arg(i % 50));
    c.setDepartmentName(QStringLiteral("営業本部 第二営業部"));
    c.setJobTitle(QStringLiteral("課長代理"));
    c.setPhoneNumbers({labeled(ContactLabels::phoneNumberMobile,
                           *StorePhoneNumber::phoneNumberWithStringValue(
                               QStringLiteral("090-%1-%2").arg(1000 + i % 9000).arg(i, 4, 10, QLatin1Char('0')))),
        labeled(ContactLabels::work,
            *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("03-%1-5678").arg(1000 + i % 9000)))});
    c.setEmailAddresses({labeled(ContactLabels::work, QStringLiteral("user%1@example.co.jp").arg(i))});
    StorePostalAddress address;
    address.postalCode = QStringLiteral("%1-%2").arg(100 + i % 900).arg(i % 10000, 4, 10, QLatin1Char('0'));
    address.state = QStringLiteral("東京都");
    address.city = QString::fromUtf16(cities[i % 5]);
    address.street = QStringLiteral("丸の内%1丁目%2番%3号 クイルマークビル%4階")
                         .arg(1 + i % 3)
                         .arg(1 + i % 20)
                         .arg(1 + i % 9)
                         .arg(1 + i % 30);
    address.country = QStringLiteral("日本");
    address.isoCountryCode = QStringLiteral("jp");
    c.setPostalAddresses({labeled(ContactLabels::work, address)});
    c.setNote(
        QStringLiteral("年賀状は毎年送付。\n二〇一九年に名刺交換。\n趣味はゴルフと釣り。\n連絡は午前中が望ましい。"));
    c.setBirthday(StoreDateComponents{1950 + i % 50, 1 + i % 12, 1 + i % 28});
    return c;
}

} // namespace BenchContacts
