// Speed of the vCard and CSV conversion of contacts: the 20,000 generated
// Japanese contacts of vcard_bench, made into contact records as a loaded
// address book holds them, every one in the two category groups "年賀状" and
// "友人". They are written as vCard with "Note", "Renmei" and "HagakiLayout",
// with the groups and without them, and read back; written and read as CSV;
// the same cards written and read by the store layer alone, and each layer's
// time against the other's in turns; 100 of them with
// photos written with "Photo"; 100 MB of vCard read once; and
// a process of its own reads 100 MB of CSV and of vCard, and a million small
// cards, from a file, for its peak memory. Rates count UTF-8 bytes of text.
#include "BenchContacts.h"
#include "ProcessStatus.h"

#include "interchange/ImportFileReader.h"
#include "interchange/MVvCard.h"
#include "model/MVPerson.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <time.h>
#include <unistd.h>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int contactCount = 20000;
constexpr int photoContactCount = 100;
constexpr qsizetype bigTextBytes = 100'000'000;

const vCardExportOptions textOptions{u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s};

ContactTablePtr makeContacts(int count)
{
    auto contacts = std::make_shared<ContactTable>();
    contacts->reserve(count);
    for (int i = 0; i < count; ++i)
        contacts->append(ContactRecord::makeWithPerson(MVPerson::initWithCNContact(BenchContacts::japaneseContact(i))));
    return contacts;
}

const ContactTablePtr &contacts()
{
    static const ContactTablePtr table = makeContacts(contactCount);
    return table;
}

// The address book's container: its top group, then the two category groups
// that every contact is in.
const ContainerRecordPtr &groupedContainer()
{
    static const ContainerRecordPtr container = [] {
        auto made = std::make_shared<ContainerRecord>();
        auto top = std::make_shared<GroupRecord>();
        top->top = true;
        top->name = u"All Contacts"_s;
        top->contactTable = contacts();
        made->groups->append(top);
        for (const QString &name : {u"年賀状"_s, u"友人"_s}) {
            auto group = std::make_shared<GroupRecord>();
            group->name = name;
            group->contactTable = std::make_shared<ContactTable>(*contacts());
            made->groups->append(group);
        }
        return made;
    }();
    return container;
}

const QString &vCardText()
{
    static const QString text
        = MVvCard().vCardsFromContacts(contacts(), textOptions, groupedContainer()).value_or(QString());
    return text;
}

const QString &csvText()
{
    static const QString text = MVvCard().csvFromSubContacts(*contacts());
    return text;
}

void countBytes(benchmark::State &state, const QString &text, int count = contactCount)
{
    const double megabytes = double(text.toUtf8().size()) / 1e6;
    state.counters["MB/s"] = benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["contacts/s"] = benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate);
}

void writeVCards(benchmark::State &state)
{
    const MVvCard converter;
    (void)vCardText();
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.vCardsFromContacts(contacts(), textOptions, groupedContainer()));
    countBytes(state, vCardText());
}
BENCHMARK(writeVCards)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same export without the container and with it, one after the other in
// each round, and what the groups add as a ratio of the two times.
void writeVCardsWithAndWithoutGroups(benchmark::State &state)
{
    const MVvCard converter;
    (void)vCardText();
    qint64 without = 0;
    qint64 with = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(converter.vCardsFromContacts(contacts(), textOptions, nullptr));
        without += timer.nsecsElapsed();
        timer.restart();
        benchmark::DoNotOptimize(converter.vCardsFromContacts(contacts(), textOptions, groupedContainer()));
        with += timer.nsecsElapsed();
    }
    const double rounds = double(state.iterations());
    state.counters["without ms"] = double(without) / rounds / 1e6;
    state.counters["with ms"] = double(with) / rounds / 1e6;
    state.counters["ratio"] = double(with) / double(without);
}
BENCHMARK(writeVCardsWithAndWithoutGroups)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading is timed alone; freeing what was read, which happens when the
// document closes, is timed apart and shown as the rate of both together.
void readVCards(benchmark::State &state)
{
    const MVvCard converter;
    const QString &text = vCardText();
    qint64 withFreeing = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        ContainerTablePtr containers = converter.containersFromVCards(text, nullptr);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        containers.reset();
        withFreeing += timer.nsecsElapsed();
    }
    countBytes(state, text);
    state.counters["MB/s with freeing"]
        = double(text.toUtf8().size()) / 1e6 * double(state.iterations()) / (double(withFreeing) / 1e9);
}
BENCHMARK(readVCards)->Unit(benchmark::kMillisecond)->UseManualTime();

// What the store layer beneath takes for the same contacts and text: each
// person's vCardData (its store contact written by the store's writer), and
// the store's reader on the exported text. The application's layer adds its
// own properties, the container and its groups to these.
void storeLayerWritesTheCards(benchmark::State &state)
{
    (void)vCardText();
    for (auto _ : state) {
        for (const ContactRecordPtr &contact : *contacts())
            benchmark::DoNotOptimize(contact->person->vCardData());
    }
    countBytes(state, vCardText());
}
BENCHMARK(storeLayerWritesTheCards)->Unit(benchmark::kMillisecond)->UseRealTime();

void storeLayerReadsTheCards(benchmark::State &state)
{
    const QString &text = vCardText();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QList<StoreContact> read = ContactVCardSerialization::contactsWithData(text);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        read.clear();
    }
    countBytes(state, text);
}
BENCHMARK(storeLayerReadsTheCards)->Unit(benchmark::kMillisecond)->UseManualTime();

// The application's layer against the store layer beneath, in turns within
// each round so that both see the same load: the ratio of their times, real
// and of this thread's processor time (which a machine busy with other work
// changes least).
class LayerRatio {
public:
    template <typename Work> void timeApplication(Work &&work) { time(m_application, work); }
    template <typename Work> void timeStore(Work &&work) { time(m_store, work); }

    void report(benchmark::State &state) const
    {
        const double rounds = double(state.iterations());
        state.counters["app ms"] = double(m_application.real) / rounds / 1e6;
        state.counters["store ms"] = double(m_store.real) / rounds / 1e6;
        state.counters["ratio"] = double(m_application.real) / double(m_store.real);
        state.counters["cpu ratio"] = double(m_application.cpu) / double(m_store.cpu);
    }

private:
    struct Spent {
        qint64 real = 0;
        qint64 cpu = 0;
    };

    static qint64 threadCpuNanoseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    }

    template <typename Work> static void time(Spent &spent, Work &&work)
    {
        QElapsedTimer timer;
        const qint64 cpuStart = threadCpuNanoseconds();
        timer.start();
        work();
        spent.real += timer.nsecsElapsed();
        spent.cpu += threadCpuNanoseconds() - cpuStart;
    }

    Spent m_application;
    Spent m_store;
};

// Reading, each side's result freed outside its time.
void readVCardsAgainstStoreLayer(benchmark::State &state)
{
    const MVvCard converter;
    const QString &text = vCardText();
    LayerRatio ratio;
    for (auto _ : state) {
        ContainerTablePtr containers;
        ratio.timeApplication([&] { containers = converter.containersFromVCards(text, nullptr); });
        containers.reset();
        QList<StoreContact> read;
        ratio.timeStore([&] { read = ContactVCardSerialization::contactsWithData(text); });
        read.clear();
    }
    ratio.report(state);
}
BENCHMARK(readVCardsAgainstStoreLayer)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// Writing with the category groups.
void writeVCardsAgainstStoreLayer(benchmark::State &state)
{
    const MVvCard converter;
    (void)vCardText();
    LayerRatio ratio;
    for (auto _ : state) {
        ratio.timeApplication([&] {
            benchmark::DoNotOptimize(converter.vCardsFromContacts(contacts(), textOptions, groupedContainer()));
        });
        ratio.timeStore([&] {
            for (const ContactRecordPtr &contact : *contacts())
                benchmark::DoNotOptimize(contact->person->vCardData());
        });
    }
    ratio.report(state);
}
BENCHMARK(writeVCardsAgainstStoreLayer)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

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
    countBytes(state, text, photoContactCount);
}
BENCHMARK(writeVCardsWithPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

// A file of at least 100 MB: the text's first `headerLines` lines once, then
// the rest over and over.
QByteArray bigFile(const QString &text, int headerLines)
{
    const QByteArray unit = text.toUtf8();
    qsizetype bodyStart = 0;
    for (int i = 0; i < headerLines; ++i)
        bodyStart = unit.indexOf('\n', bodyStart) + 1;
    const QByteArrayView body = QByteArrayView(unit).sliced(bodyStart);
    QByteArray big;
    big.reserve(bigTextBytes + unit.size());
    big.append(QByteArrayView(unit).first(bodyStart));
    while (big.size() < bigTextBytes)
        big.append(body);
    return big;
}

// One read of 100 MB of cards, as an import of a very large file takes it.
void read100MegabytesOfVCards(benchmark::State &state)
{
    const QByteArray big = bigFile(vCardText(), 0);
    const QString text = QString::fromUtf8(big);
    state.counters["MB"] = double(big.size()) / 1e6;
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

// --- peak memory --------------------------------------------------------------
// Measured in a process of its own that does nothing but what an import does:
// read the file, recognise its encoding and decode it, read the contacts out
// of the text. Its peak
// resident size (VmHWM) counts everything: the program itself, the file's
// bytes, the decoded text and the reader's records. (ru_maxrss would not do:
// it keeps the peak of the process image before exec, the forked benchmark.)

enum class Format { Csv, VCard, SmallCards };
constexpr int smallCardCount = 1'000'000;
constexpr const char *peakFileVariable = "QUILLMARK_BENCH_PEAK_FILE";

// The file read, decoded and handed to the reader as an import does it.
qsizetype readContactsOfFile(const QString &path, Format format)
{
    TextFileDecoder::Result read = ImportFileReader::readText(path, TextEncodingTable::Automatic);
    if (!read.ok())
        return -1;
    if (format == Format::Csv)
        return MVvCard().contactsFromCSV(std::move(read.text))->size();
    return ImportFileReader::contactsFromVCardText(std::move(read))->size();
}

// The peak resident size of this process image.
long peakKilobytes()
{
    return processStatusKilobytes("VmHWM");
}

[[noreturn]] void reportPeakOfChild(const QString &path, Format format)
{
    const qsizetype count = readContactsOfFile(path, format);
    std::printf("peak-kB=%ld contacts=%lld\n", peakKilobytes(), static_cast<long long>(count));
    std::fflush(stdout);
    _exit(0);
}

const QString &bigFilePath(Format format)
{
    static QTemporaryDir folder;
    static const QString csvPath = [] {
        const QString path = folder.filePath(u"big.csv"_s);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bigFile(csvText(), 1));
        return path;
    }();
    static const QString vCardPath = [] {
        const QString path = folder.filePath(u"big.vcf"_s);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bigFile(vCardText(), 0));
        return path;
    }();
    // A million cards of a name and a phone number each, about 110 MB: what a
    // contact costs beside its few values.
    static const QString smallCardsPath = [] {
        const QString path = folder.filePath(u"small.vcf"_s);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            for (int i = 0; i < smallCardCount; ++i)
                file.write(QByteArrayLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Family") + QByteArray::number(i)
                    + ";Given;;;\r\nFN:Given Family" + QByteArray::number(i) + "\r\nTEL;TYPE=CELL:090-1234-"
                    + QByteArray::number(i % 10000).rightJustified(4, '0') + "\r\nEND:VCARD\r\n");
        }
        return path;
    }();
    return format == Format::Csv ? csvPath : format == Format::VCard ? vCardPath : smallCardsPath;
}

void peakMemoryOfReading100Megabytes(benchmark::State &state, Format format)
{
    if (qEnvironmentVariableIsSet(peakFileVariable))
        reportPeakOfChild(qEnvironmentVariable(peakFileVariable), format);
    const QString &path = bigFilePath(format);
    for (auto _ : state) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(peakFileVariable), path);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
            {u"--benchmark_filter=^peakMemoryOfReading100Megabytes/%1/"_s.arg(format == Format::Csv ? u"csv"_s
                    : format == Format::VCard                                                       ? u"vCard"_s
                                              : u"smallCards"_s)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            state.SkipWithError("the reading process failed");
            return;
        }
        const QByteArray output = child.readAllStandardOutput();
        long peakKilobytes = 0;
        long long count = 0;
        if (std::sscanf(output.constData() + qMax(0, output.indexOf("peak-kB=")), "peak-kB=%ld contacts=%lld",
                &peakKilobytes, &count)
            != 2) {
            state.SkipWithError("the reading process reported nothing");
            return;
        }
        const double fileMegabytes = double(QFile(path).size()) / 1e6;
        state.counters["file MB"] = fileMegabytes;
        state.counters["peak MB"] = double(peakKilobytes) * 1024 / 1e6;
        state.counters["peak/file"] = double(peakKilobytes) * 1024 / 1e6 / fileMegabytes;
        state.counters["contacts"] = double(count);
    }
}
BENCHMARK_CAPTURE(peakMemoryOfReading100Megabytes, csv, Format::Csv)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(peakMemoryOfReading100Megabytes, vCard, Format::VCard)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(peakMemoryOfReading100Megabytes, smallCards, Format::SmallCards)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
