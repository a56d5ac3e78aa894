// Lays out and draws one postcard and one envelope page of a contact whose
// names, joint names, company, address and saved frames are taken from the
// input, as PrintFuzzInput reads it.
#include "fuzz/PrintFuzzInput.h"

#include <QApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzInput::silenceMessages();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PrintFuzzInput::printBoth(FuzzInput::text(data, size));
    return 0;
}
