// Real exports of phones and mail programs (tests/data/vcard, see SOURCES.tsv
// there) read into contacts whose listing must match the reference beside
// each file line by line. QUILLMARK_WRITE_VCARD_REFERENCES=1 rewrites the
// references instead; read every change against its file before committing it.
#include "platform/contacts/vcard/ContactVCardSerialization.h"
#include "platform/contacts/vcard/VCardDecoding_p.h"
#include "platform/contacts/vcard/VCardUnfoldedBytes.h"

#include "../StoreTestSupport.h"
#include "VCardContactDump.h"
#include "VCardTestText.h"
#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

namespace {

struct CorpusFile {
    QString name;
    QString encoding;
};

QList<CorpusFile> corpusFiles()
{
    QList<CorpusFile> files;
    QFile sources(TestEnvironment::dataPath(QStringLiteral("vcard/SOURCES.tsv")));
    if (!sources.open(QIODevice::ReadOnly))
        return files;
    const QList<QByteArray> rows = sources.readAll().split('\n');
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QList<QByteArray> columns = rows.at(i).split('\t');
        if (columns.size() >= 7)
            files.append({QFileInfo(QString::fromUtf8(columns.first())).fileName(), QString::fromUtf8(columns.last())});
    }
    return files;
}

class VCardCorpusTest : public testing::TestWithParam<CorpusFile> { };

TEST_P(VCardCorpusTest, ReadsAsTheReferenceListingSays)
{
    const CorpusFile &file = GetParam();
    const QByteArray bytes
        = StoreTestSupport::fileBytes(TestEnvironment::dataPath(QStringLiteral("vcard/") + file.name));
    ASSERT_FALSE(bytes.isEmpty()) << file.name.toStdString();
    bool known = false;
    const QString decoded = VCardDecoding::decodeBytes(bytes, file.encoding, &known);
    ASSERT_TRUE(known) << file.encoding.toStdString();
    const QStringList listing = VCardContactDump::dump(ContactVCardSerialization::contactsWithData(decoded));
    // Folds joined before decoding change nothing where no character is split.
    const QString unfolded = VCardDecoding::decodeBytes(VCardUnfoldedBytes(bytes).bytes(), file.encoding);
    EXPECT_EQ(VCardContactDump::dump(ContactVCardSerialization::contactsWithData(unfolded)), listing);
    const QString referencePath
        = TestEnvironment::dataPath(QStringLiteral("vcard/") + file.name + QStringLiteral(".txt"));
    if (qEnvironmentVariableIntValue("QUILLMARK_WRITE_VCARD_REFERENCES") == 1) {
        QFile out(referencePath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write((listing.join(u'\n') + u'\n').toUtf8());
        return;
    }
    QStringList reference = QString::fromUtf8(StoreTestSupport::fileBytes(referencePath)).split(u'\n');
    ASSERT_FALSE(reference.isEmpty());
    reference.removeLast(); // the final line end
    for (qsizetype i = 0; i < std::max(listing.size(), reference.size()); ++i) {
        EXPECT_EQ(
            text(listing.value(i, QStringLiteral("(missing)"))), text(reference.value(i, QStringLiteral("(missing)"))))
            << file.name.toStdString() << " line " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, VCardCorpusTest, testing::ValuesIn(corpusFiles()), [](const testing::TestParamInfo<CorpusFile> &info) {
        std::string name = QFileInfo(info.param.name).baseName().toStdString();
        for (char &c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

TEST(VCardCorpusListTest, EveryCopiedFileIsListed)
{
    EXPECT_EQ(corpusFiles().size(), 16);
}

} // namespace
