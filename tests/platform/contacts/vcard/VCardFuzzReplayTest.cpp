// The corpus of the vCard fuzzer (tests/fuzz/corpus/vcard), crashes it once
// found included, replayed through the reader and the writer in every build:
// each input must come back without a crash, and what it gives must be
// written and read back to the same field values.
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include "VCardContactDump.h"
#include "VCardTestText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

// The fuzzer's own reading of its input: the first byte chooses UTF-8 or
// UTF-16 code units for the rest.
QString fuzzerText(const QByteArray &input)
{
    if (input.isEmpty())
        return {};
    const QByteArray bytes = input.sliced(1);
    if (input.at(0) & 1)
        return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
    return QString::fromUtf8(bytes);
}

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
        const QList<StoreContact> read = ContactVCardSerialization::contactsWithData(fuzzerText(file.readAll()), &report);
        const QByteArray written = ContactVCardSerialization::dataWithContacts(read);
        const QList<StoreContact> again = ContactVCardSerialization::contactsWithData(QString::fromUtf8(written));
        EXPECT_EQ(text(VCardContactDump::dump(again)), text(withoutNoteAndImage(VCardContactDump::dump(read))))
            << name.toStdString();
        contacts += read.size();
    }
    EXPECT_GT(contacts, 0);
}

}  // namespace
