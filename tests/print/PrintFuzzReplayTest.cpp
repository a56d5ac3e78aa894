// The corpus of the print fuzzer (tests/fuzz/corpus/print), replayed in every
// build: each contact's postcard, envelope page and label page must lay out
// and draw.
#include "fuzz/PrintFuzzInput.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

TEST(PrintFuzzReplay, EveryInputPrintsAPostcardAnEnvelopeAndLabels)
{
    const QDir folder(QString::fromUtf8(QUILLMARK_FUZZ_CORPUS) + QStringLiteral("/print"));
    const QStringList names = folder.entryList(QDir::Files);
    ASSERT_GE(names.size(), 5);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList fields = FuzzInput::text(file.readAll()).split(QChar(0x1F));
        EXPECT_FALSE(PrintFuzzInput::printedPage(fields, PrintStyleName::hagaki).isNull());
        EXPECT_FALSE(PrintFuzzInput::printedPage(fields, PrintStyleName::envelope).isNull());
        EXPECT_FALSE(PrintFuzzInput::printedPage(fields, PrintStyleName::labels).isNull());
    }
}

} // namespace
