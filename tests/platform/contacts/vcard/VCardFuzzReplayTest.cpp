// The corpus of the vCard fuzzer (tests/fuzz/corpus/vcard), crashes it once
// found included, replayed through the reader and the writer in every build:
// each input must come back without a crash, and what it gives must be
// written and read back to the same field values.
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include "VCardContactDump.h"
#include "VCardTestText.h"

#include "fuzz/FuzzInput.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

// The writer leaves these to the exporter.
QStringList withoutNoteAndImage(QStringList lines)
{
    lines.removeIf([](const QString &line) {
        return line.startsWith(QStringLiteral("note: ")) || line.startsWith(QStringLiteral("image: "));
    });
    return lines;
}

TEST(VCardFuzzReplayTest, EveryInputOfTheCorpusReadsAndWritesBack)
{
    const QDir folder(QString::fromUtf8(QUILLMARK_FUZZ_CORPUS) + QStringLiteral("/vcard"));
    const QStringList names = folder.entryList(QDir::Files);
    ASSERT_GT(names.size(), 10);
    qsizetype contacts = 0;
    for (const QString &name : names) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        ContactVCardSerialization::ReadReport report;
        const QList<StoreContact> read
            = ContactVCardSerialization::contactsWithData(FuzzInput::text(file.readAll()), &report);
        const QByteArray written = ContactVCardSerialization::dataWithContacts(read);
        const QList<StoreContact> again = ContactVCardSerialization::contactsWithData(QString::fromUtf8(written));
        EXPECT_EQ(text(VCardContactDump::dump(again)), text(withoutNoteAndImage(VCardContactDump::dump(read))))
            << name.toStdString();
        contacts += read.size();
    }
    EXPECT_GT(contacts, 0);
}

} // namespace
