// Feeds arbitrary text to the CSV reader of contacts, as a caller decodes a
// file: the bytes as UTF-8 or, every other run, as UTF-16 code units. What was
// read is written out again in the 32-column layout.
#include "interchange/CsvRecordReader.h"
#include "interchange/MVvCard.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qInstallMessageHandler(dropMessages);
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString text = (data[0] & 1)
        ? QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2)
        : QString::fromUtf8(bytes);
    CsvRecordReader reader(text, CsvRecordReader::detectSeparator(text));
    QStringList cells;
    while (reader.next(cells)) {
    }
    const MVvCard converter;
    if (const ContactTablePtr contacts = converter.contactsFromCSV(text))
        (void)converter.csvFromSubContacts(*contacts);
    return 0;
}
