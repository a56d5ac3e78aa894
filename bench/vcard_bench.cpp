// Speed of the vCard serialization of store contacts: 10,000 generated
// Japanese contacts (kanji name, katakana readings, company and department,
// title, two phones, an e-mail, an address, a four-line note, a birthday, no
// photo) written to vCard 3.0 and read back. Rates count UTF-8 bytes of vCard
// text.
#include "BenchContacts.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int contactCount = 10000;

const QList<StoreContact> &contacts()
{
    static const QList<StoreContact> list = [] {
        QList<StoreContact> made;
        made.reserve(contactCount);
        for (int i = 0; i < contactCount; ++i)
            made.append(BenchContacts::japaneseContact(i));
        return made;
    }();
    return list;
}

// The cards as an export reads them back: the serialization's own text with
// each contact's note put in before END:VCARD, as the exporter adds it.
const QString &exportedText()
{
    static const QString text = [] {
        const QByteArray data = ContactVCardSerialization::dataWithContacts(contacts());
        QString note = contacts().first().note();
        note.replace(u'\n', QStringLiteral("\\n"));
        QString withNotes = QString::fromUtf8(data);
        withNotes.replace(
            QStringLiteral("END:VCARD\r\n"), QStringLiteral("NOTE:") + note + QStringLiteral("\r\nEND:VCARD\r\n"));
        return withNotes;
    }();
    return text;
}

void writeContacts(benchmark::State &state)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray data = ContactVCardSerialization::dataWithContacts(contacts());
        bytes += data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["MB/s"] = benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsRate);
    state.counters["contacts/s"]
        = benchmark::Counter(double(state.iterations()) * contactCount, benchmark::Counter::kIsRate);
}

void readContacts(benchmark::State &state)
{
    const QString &text = exportedText();
    const qint64 utf8Bytes = text.toUtf8().size();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QList<StoreContact> read = ContactVCardSerialization::contactsWithData(text);
        if (read.size() != contactCount)
            state.SkipWithError("wrong number of contacts read back");
        bytes += utf8Bytes;
        benchmark::DoNotOptimize(read.constData());
    }
    state.counters["MB/s"] = benchmark::Counter(double(bytes) / 1e6, benchmark::Counter::kIsRate);
    state.counters["contacts/s"]
        = benchmark::Counter(double(state.iterations()) * contactCount, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(writeContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(readContacts)->Unit(benchmark::kMillisecond);
