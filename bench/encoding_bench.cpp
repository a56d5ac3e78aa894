// Reading a large Shift_JIS vCard file with "Automatic" (recognition and
// decoding), and drawing QR codes. Aims: at least 150 MB/s for the file; the
// code of a full contact's vCard within 5 ms.
#include "interchange/QRCodeImage.h"
#include "interchange/QRCodePayload.h"
#include "interchange/TextFileDecoder.h"
#include "model/MVPerson.h"
#include "platform/contacts/ContactLabels.h"

#include <benchmark/benchmark.h>

#include <QFile>

namespace {

constexpr qsizetype fileBytes = 20 * 1000 * 1000;

// The Japanese phone cards of the test data, repeated to 20 MB.
const QByteArray &shiftJisCards()
{
    static const QByteArray cards = [] {
        QByteArray one;
        for (const char *name : {"aosp__v21_japanese_1.vcf", "aosp__v21_japanese_2.vcf", "aosp__v21_multiple_entry.vcf",
                 "aosp__v30_japanese.vcf"}) {
            QFile file(QStringLiteral(QUILLMARK_TEST_DATA "/vcard/") + QLatin1StringView(name));
            if (file.open(QIODevice::ReadOnly))
                one += file.readAll();
        }
        QByteArray all;
        all.reserve(fileBytes + one.size());
        while (!one.isEmpty() && all.size() < fileBytes)
            all += one;
        return all;
    }();
    return cards;
}

void BM_AutomaticShiftJisFile(benchmark::State &state)
{
    const QByteArray &cards = shiftJisCards();
    const quint32 shiftJis = TextEncodingTable::idForCharset("Shift_JIS");
    for (auto _ : state) {
        const TextFileDecoder::Result result = TextFileDecoder::decode(cards, TextEncodingTable::Automatic, {});
        if (result.encoding != shiftJis) {
            state.SkipWithError("not read as Shift_JIS");
            break;
        }
        benchmark::DoNotOptimize(result.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * cards.size());
    state.counters["file_MB"] = double(cards.size()) / 1e6;
}
BENCHMARK(BM_AutomaticShiftJisFile)->Unit(benchmark::kMillisecond);

MVPersonPtr fullContact()
{
    StoreContact contact;
    contact.setGivenName(QStringLiteral("太郎"));
    contact.setFamilyName(QStringLiteral("山田"));
    contact.setPhoneticGivenName(QStringLiteral("タロウ"));
    contact.setPhoneticFamilyName(QStringLiteral("ヤマダ"));
    contact.setPhoneNumbers(
        {{QString(ContactLabels::home), *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("03-1234-5678"))},
            {QString(ContactLabels::phoneNumberMobile),
                *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("090-1234-5678"))}});
    contact.setEmailAddresses({{QString(ContactLabels::home), QStringLiteral("taro.yamada@example.jp")},
        {QString(ContactLabels::work), QStringLiteral("t.yamada@morvane.example.co.jp")}});
    StorePostalAddress address;
    address.postalCode = QStringLiteral("100-0005");
    address.state = QStringLiteral("東京都");
    address.city = QStringLiteral("千代田区");
    address.street = QStringLiteral("丸の内一丁目2番3号 丸の内ビルディング15階");
    address.country = QStringLiteral("日本");
    address.isoCountryCode = QStringLiteral("jp");
    contact.setPostalAddresses({{QString(ContactLabels::work), address}});
    contact.setUrlAddresses({{QString(ContactLabels::urlAddressHomePage), QStringLiteral("https://example.jp/~taro")}});
    contact.setOrganizationName(QStringLiteral("モルヴァン株式会社"));
    contact.setDepartmentName(QStringLiteral("営業本部 第一営業部"));
    contact.setJobTitle(QStringLiteral("課長"));
    return MVPerson::initWithCNContact(contact);
}

void BM_FullContactVCardCode(benchmark::State &state)
{
    const MVPersonPtr person = fullContact();
    QList<QRFieldRow> rows = QRCodePayload::fieldTable(*person);
    for (QRFieldRow &row : rows)
        row.selected = true;
    qsizetype payloadBytes = 0;
    int side = 0;
    for (auto _ : state) {
        const QString payload = QRCodePayload::payload(QStringLiteral("vCard"), *person, rows);
        const QImage image = QRCodeImage::createQRCodeFromString(payload);
        payloadBytes = payload.toUtf8().size();
        side = image.width();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["payload_bytes"] = double(payloadBytes);
    state.counters["side_px"] = side;
}
BENCHMARK(BM_FullContactVCardCode)->Unit(benchmark::kMillisecond);

void BM_LongestPayloadCode(benchmark::State &state)
{
    const QString payload(QRCodeImage::maximumBytes, u'a');
    int side = 0;
    for (auto _ : state) {
        const QImage image = QRCodeImage::createQRCodeFromString(payload);
        side = image.width();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["payload_bytes"] = double(payload.size());
    state.counters["side_px"] = side;
}
BENCHMARK(BM_LongestPayloadCode)->Unit(benchmark::kMillisecond);

} // namespace
