// Speed of the vCard and CSV conversion of contacts: 10,000 generated
// Japanese contacts like those of vcard_bench (kanji name, katakana readings,
// company and department, title, two phones, an e-mail, a four-line note, a
// birthday), here with two addresses, their postcard layouts and two joint
// names, written as vCard with "Note", "Renmei" and "HagakiLayout" and read
// back, and written and read as CSV; then 100 of them with photos written with
// "Photo"; then 100 MB of vCard text read once. Rates count UTF-8 bytes of text.
#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int contactCount = 10000;
constexpr int photoContactCount = 100;
constexpr qsizetype bigTextBytes = 100'000'000;

const vCardExportOptions textOptions{u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s};

const char16_t *const familyNames[] = {u"山田", u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺", u"中村"};
const char16_t *const familyReadings[]
    = {u"ヤマダ", u"サトウ", u"スズキ", u"タカハシ", u"タナカ", u"イトウ", u"ワタナベ", u"ナカムラ"};
const char16_t *const givenNames[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健太", u"由美", u"翔太"};
const char16_t *const givenReadings[] = {u"タロウ", u"ハナコ", u"イチロウ", u"ミサキ", u"ケンタ", u"ユミ", u"ショウタ"};
const char16_t *const cities[] = {u"千代田区", u"渋谷区", u"横浜市中区", u"大阪市北区", u"札幌市中央区"};

LabeledValueRecord labeledText(const QString &label, const QString &text)
{
    LabeledValueRecord record;
    record.label = label;
    record.value = text;
    return record;
}

LabeledValueRecord addressOf(const QString &label, int i, int block)
{
    LabeledValueRecord address;
    address.label = label;
    address.zip = u"%1-%2"_s.arg(100 + i % 900).arg((i + block) % 10000, 4, 10, QLatin1Char('0'));
    address.state = u"東京都"_s;
    address.city = QString::fromUtf16(cities[(i + block) % 5]);
    address.street
        = u"丸の内%1丁目%2番%3号 クイルマークビル%4階"_s.arg(1 + i % 3).arg(1 + i % 20).arg(1 + i % 9).arg(1 + block);
    address.country = u"日本"_s;
    address.isoCountryCode = u"jp"_s;
    MVPerson::hagakiLayoutFromLayoutString(&address.layout,
        u"%1;ra:{{%2.00,20.00},{30.00,40.00}};rn:{{1.50,2.25},{100.00,50.00}};"_s.arg(block + 1).arg(i % 90));
    return address;
}

MVPersonPtr makePerson(int i)
{
    const MVPersonPtr person = MVPerson::init();
    NameRecord name;
    name.lastName = QString::fromUtf16(familyNames[i % 8]);
    name.firstName = QString::fromUtf16(givenNames[i % 7]);
    person->setValue(name, FieldId::Name);
    PhoneticNameRecord phonetic;
    phonetic.lastName = QString::fromUtf16(familyReadings[i % 8]);
    phonetic.firstName = QString::fromUtf16(givenReadings[i % 7]);
    person->setValue(phonetic, FieldId::PhoneticName);
    person->setValue(u"株式会社クイルマーク商事 第%1支社"_s.arg(i % 50), FieldId::Company);
    person->setValue(u"営業本部 第二営業部"_s, FieldId::Department);
    person->setValue(u"課長代理"_s, FieldId::JobTitle);
    person->addLabeledValue(
        labeledText(u"mobile"_s, u"090-%1-%2"_s.arg(1000 + i % 9000).arg(i, 4, 10, QLatin1Char('0'))), FieldId::Phone);
    person->addLabeledValue(labeledText(u"work"_s, u"03-%1-5678"_s.arg(1000 + i % 9000)), FieldId::Phone);
    person->addLabeledValue(labeledText(u"work"_s, u"user%1@example.co.jp"_s.arg(i)), FieldId::Email);
    person->addLabeledValue(addressOf(u"work"_s, i, 0), FieldId::Address);
    person->addLabeledValue(addressOf(u"home"_s, i, 1), FieldId::Address);
    person->setValue(
        u"年賀状は毎年送付。\n二〇一九年に名刺交換。\n趣味はゴルフと釣り。\n連絡は午前中が望ましい。"_s, FieldId::Note);
    person->setValue(StoreDateComponents{1950 + i % 50, 1 + i % 12, 1 + i % 28}, FieldId::Birthday);
    person->setValue(u"山田花子\n山田一郎"_s, FieldId::Renmei);
    return person;
}

ContactTablePtr makeContacts(int count)
{
    auto contacts = std::make_shared<ContactTable>();
    for (int i = 0; i < count; ++i)
        contacts->append(ContactRecord::makeWithPerson(makePerson(i)));
    return contacts;
}

const ContactTablePtr &contacts()
{
    static const ContactTablePtr table = makeContacts(contactCount);
    return table;
}

const QString &vCardText()
{
    static const QString text = MVvCard().vCardsFromContacts(contacts(), textOptions, nullptr).value_or(QString());
    return text;
}

const QString &csvText()
{
    static const QString text = MVvCard().csvFromSubContacts(*contacts());
    return text;
}

void countBytes(benchmark::State &state, const QString &text)
{
    const double megabytes = double(text.toUtf8().size()) / 1e6;
    state.counters["MB/s"] = benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["contacts/s"]
        = benchmark::Counter(double(contactCount), benchmark::Counter::kIsIterationInvariantRate);
}

void writeVCards(benchmark::State &state)
{
    const MVvCard converter;
    (void)contacts();
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.vCardsFromContacts(contacts(), textOptions, nullptr));
    countBytes(state, vCardText());
}
BENCHMARK(writeVCards)->Unit(benchmark::kMillisecond)->UseRealTime();

void readVCards(benchmark::State &state)
{
    const MVvCard converter;
    const QString &text = vCardText();
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.containersFromVCards(text, nullptr));
    countBytes(state, text);
}
BENCHMARK(readVCards)->Unit(benchmark::kMillisecond)->UseRealTime();

void writeCsv(benchmark::State &state)
{
    const MVvCard converter;
    (void)contacts();
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.csvFromSubContacts(*contacts()));
    countBytes(state, csvText());
}
BENCHMARK(writeCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void readCsv(benchmark::State &state)
{
    const MVvCard converter;
    const QString &text = csvText();
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.contactsFromCSV(text));
    countBytes(state, text);
}
BENCHMARK(readCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void writeVCardsWithPhotos(benchmark::State &state)
{
    const ContactTablePtr table = makeContacts(photoContactCount);
    for (qsizetype i = 0; i < table->size(); ++i) {
        QImage photo(320, 320, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb((x + int(i)) % 256, y % 256, (x * y) % 256));
        }
        table->at(i)->person->setPhoto(photo);
    }
    const MVvCard converter;
    const vCardExportOptions options = textOptions + QStringList{u"Photo"_s};
    QString text;
    for (auto _ : state) {
        text = converter.vCardsFromContacts(table, options, nullptr).value_or(QString());
        benchmark::DoNotOptimize(text);
    }
    const double megabytes = double(text.toUtf8().size()) / 1e6;
    state.counters["MB/s"] = benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["contacts/s"]
        = benchmark::Counter(double(photoContactCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(writeVCardsWithPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

// One read of 100 MB of cards, as an import of a very large file takes it.
void read100MegabytesOfVCards(benchmark::State &state)
{
    const QByteArray unit = vCardText().toUtf8();
    QString text;
    {
        QByteArray big;
        big.reserve(bigTextBytes + unit.size());
        while (big.size() < bigTextBytes)
            big.append(unit);
        text = QString::fromUtf8(big);
        state.counters["MB"] = double(big.size()) / 1e6;
    }
    const MVvCard converter;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const ContainerTablePtr containers = converter.containersFromVCards(text, nullptr);
        state.counters["seconds"] = double(timer.nsecsElapsed()) / 1e9;
        state.counters["contacts"] = double(converter.contactsInContainer(containers->constFirst())->size());
    }
}
BENCHMARK(read100MegabytesOfVCards)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
