// Feeds arbitrary text, taken as FuzzInput takes it, to the CSV reader of
// contacts; what was read is written out again in the 32-column layout.
#include "fuzz/FuzzInput.h"
#include "interchange/CsvRecordReader.h"
#include "interchange/MVvCard.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInput::silenceMessages();
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QString text = FuzzInput::text(data, size);
    {
        CsvRecordReader reader(text, CsvRecordReader::detectSeparator(text));
        QStringList cells;
        while (reader.next(cells)) { }
    }
    const MVvCard converter;
    // Handed over as an import hands over the text of a file.
    if (const ContactTablePtr contacts = converter.contactsFromCSV(std::move(text)))
        (void)converter.csvFromSubContacts(*contacts);
    return 0;
}
