// Feeds arbitrary input to the encoding chooser's short list, as it is made
// from the stored names and the preferred languages, and to the file decoder
// in an encoding of that list, as EncodingsFuzzInput reads it.
#include "fuzz/EncodingsFuzzInput.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInput::silenceMessages();
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const EncodingsFuzzInput::Run run
        = EncodingsFuzzInput::run(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    (void)run.decoded.charset();
    return 0;
}
