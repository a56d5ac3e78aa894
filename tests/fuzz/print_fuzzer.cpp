// Lays out and draws one postcard, one envelope page and one page of mailing
// labels of a contact whose names, joint names, company, address, saved frames
// and label sheet are taken from the input, as PrintFuzzInput reads it.
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
    PrintFuzzInput::printAll(FuzzInput::text(data, size));
    return 0;
}
