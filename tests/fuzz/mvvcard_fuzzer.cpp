// Feeds arbitrary text, taken as FuzzInput takes it, to the vCard reader of
// contacts with its own properties (categories, joint names, postcard
// layouts); every contact read is written out again with all of them. The
// raw bytes also go through the check that tells a vCard file by its head.
#include "fuzz/FuzzInput.h"
#include "interchange/ImportFileKind.h"
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
    (void)ImportFileKind::beginsWithVCard(QByteArrayView(data, qsizetype(size)));
    QString text = FuzzInput::text(data, size);
    const MVvCard converter;
    // Handed over as an import hands over the text of a file.
    const ContainerTablePtr containers = converter.containersFromVCards(std::move(text), QString(), nullptr);
    if (!containers || containers->isEmpty())
        return 0;
    const ContainerRecordPtr container = containers->constFirst();
    // Photos are left out: encoding pictures would slow every run down and
    // reads nothing the fuzzer gave.
    const vCardExportOptions options{QStringLiteral("Note"), QStringLiteral("Renmei"), QStringLiteral("HagakiLayout")};
    (void)converter.vCardsFromContacts(converter.contactsInContainer(container), options, container);
    return 0;
}
