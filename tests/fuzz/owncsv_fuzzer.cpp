// Feeds arbitrary text, taken as FuzzInput takes it, to the reader of the
// older CSV document layout; every contact read is listed by name, and the
// values it read are laid out as the table lays them out, then made into its
// lists and layouts.
#include "fuzz/FuzzInput.h"
#include "interchange/QuillmarkCsvReader.h"
#include "model/MVPerson.h"

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
    const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(FuzzInput::text(data, size));
    for (const ContactRecordPtr &contact : std::as_const(*result.contacts)) {
        MVPerson &person = *contact->person;
        (void)person.compositeName();
        if (const ReadLabeledValues *read = person.pendingReadValues())
            (void)read->madeLists();
        (void)person.addressValues();
        (void)person.hagakiLayouts();
    }
    return 0;
}
