#include "AddressBookTestSupport.h"

#include "app/RenmeiAndHagakiStore.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

using namespace Qt::Literals::StringLiterals;

namespace {

[[nodiscard]] QString scratchFile(const QString &name)
{
    return TestEnvironment::makeScratchFolder(QUuid::createUuid().toString(QUuid::WithoutBraces)) + u'/' + name;
}

[[nodiscard]] RenmeiAndHagakiRecord renmei(const QString &renmei)
{
    RenmeiAndHagakiRecord record;
    record.renmei = renmei;
    return record;
}

// The records of the contacts of the container "local".
[[nodiscard]] RenmeiAndHagakiContainers local(const RenmeiAndHagakiRecords &records)
{
    return {{u"local"_s, records}};
}

[[nodiscard]] MVPersonPtr personWithAddresses(const QList<std::pair<QString, QString>> &labelsAndStreets)
{
    auto person = std::make_shared<MVPerson>();
    qint64 labelIndex = 0;
    for (const auto &[label, street] : labelsAndStreets) {
        auto address = std::make_shared<LabeledValueRecord>();
        address->label = label;
        address->address->street = street;
        address->labelIndex = labelIndex++;
        person->addressValues()->append(address);
    }
    (void)person->addressValues(); // brings the one-line texts in line with the parts
    return person;
}

} // namespace

class RenmeiAndHagakiFileTest : public testing::Test {
protected:
    QString m_path = scratchFile(RenmeiAndHagakiStore::fileName());
    RenmeiAndHagakiStore m_store{nullptr, m_path};
};

TEST_F(RenmeiAndHagakiFileTest, AMissingFileLogsNothingAndSavesMergeIntoAFileOnlyItsOwnerReads)
{
    {
        LoggedMessages log;
        EXPECT_FALSE(m_store.restoreRenmeiAndHagakiContainers().has_value());
        EXPECT_TRUE(log.lines().isEmpty());
    }
    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(
        local({{u"A"_s, renmei(u"old A"_s)}, {u"B"_s, renmei(u"B"_s)}, {u"C"_s, renmei(u"C"_s)}})));
    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(
        local({{u"A"_s, renmei(u"new A"_s)}, {u"C"_s, RenmeiAndHagakiRecord()}})));

    const auto stored = m_store.restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(
        stored->value(u"local"_s), (RenmeiAndHagakiRecords{{u"A"_s, renmei(u"new A"_s)}, {u"B"_s, renmei(u"B"_s)}}));
    EXPECT_EQ(QFile::permissions(m_path) & ~(QFile::ReadUser | QFile::WriteUser), QFile::ReadOwner | QFile::WriteOwner);
}

// Ways a side file can be unreadable.
enum class Damage { None, Empty, Truncated, UnknownVersion, OtherMagic, TrailingBytes, HugeCount, BadFlag };

// The bytes of a side file holding one record, damaged as asked.
[[nodiscard]] QByteArray damagedFile(Damage damage)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    const quint32 magic = damage == Damage::OtherMagic ? 0x12345678 : 0x514D5248;
    const quint32 version = damage == Damage::UnknownVersion ? 3 : 1;
    const quint32 entries = damage == Damage::HugeCount ? 0x7fffffff : 1;
    const quint8 flag = damage == Damage::BadFlag ? 7 : 1;
    stream << magic << version << quint32(1) << u"local"_s << quint32(1) << u"A"_s << flag << u"Hanako"_s << entries
           << u"home"_s << u"1-2-3 Ginza"_s << u"1;"_s;
    switch (damage) {
    case Damage::Empty:
        return {};
    case Damage::Truncated:
        return bytes.left(bytes.size() - 5);
    case Damage::TrailingBytes:
        return bytes + QByteArray("more");
    default:
        return bytes;
    }
}

TEST_F(RenmeiAndHagakiFileTest, UndamagedFileOfTheSameLayoutReadsBack)
{
    writeBytes(m_path, damagedFile(Damage::None));
    const auto stored = m_store.restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    RenmeiAndHagakiRecord expected = renmei(u"Hanako"_s);
    expected.hagakiArray = {{u"home"_s, u"1-2-3 Ginza"_s, u"1;"_s}};
    EXPECT_EQ(stored->value(u"local"_s).value(u"A"_s), expected);
}

// A file that can't be read back yields nothing, is logged, and is kept as a
// copy beside the whole file the next save writes.
class UnreadableSideFileTest : public RenmeiAndHagakiFileTest, public testing::WithParamInterface<Damage> { };

TEST_P(UnreadableSideFileTest, LoadsNothingLogsAnErrorAndIsKeptBesideTheNextFile)
{
    const QByteArray damaged = damagedFile(GetParam());
    writeBytes(m_path, damaged);
    {
        LoggedMessages log;
        EXPECT_FALSE(m_store.restoreRenmeiAndHagakiContainers().has_value());
        EXPECT_TRUE(log.contains(u": ERROR "_s));
    }

    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(local({{u"B"_s, renmei(u"B"_s)}})));

    const QStringList copies = ApplicationPaths::backupCopies(m_path);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(fileBytes(copies.first()), damaged);
    EXPECT_EQ(m_store.restoreRenmeiAndHagakiContainers().value_or(RenmeiAndHagakiContainers()).value(u"local"_s).keys(),
        QStringList{u"B"_s});
}

INSTANTIATE_TEST_SUITE_P(SideFiles, UnreadableSideFileTest,
    testing::Values(Damage::Empty, Damage::Truncated, Damage::UnknownVersion, Damage::OtherMagic, Damage::TrailingBytes,
        Damage::HugeCount, Damage::BadFlag));

TEST_F(RenmeiAndHagakiFileTest, EachDamagedFileIsKeptUnderANameOfItsOwnAndTheNewestFiveStay)
{
    QByteArrayList damaged;
    for (int i = 0; i < 7; ++i) {
        damaged.append("damaged side file " + QByteArray::number(i));
        writeBytes(m_path, damaged.last());
        ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(local({{u"A"_s, renmei(u"A"_s)}})));
    }

    const QDir folder = QFileInfo(m_path).absoluteDir();
    QByteArrayList kept;
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        if (folder.filePath(name) != m_path)
            kept.append(fileBytes(folder.filePath(name)));
    }
    EXPECT_EQ(kept, damaged.mid(2));
}

TEST(RenmeiAndHagakiRecord, LayoutsFollowTheirAddressByLabelAndTextInAnyOrder)
{
    const MVPersonPtr saved = personWithAddresses({{u"home"_s, u"1-2-3 Ginza"_s}, {u"work"_s, u"4-5-6 Umeda"_s}});
    saved->stringValues()->setEntry(FieldId::Renmei, u"Hanako"_s);
    saved->addressValues()->at(1)->layout->renmei = true;
    saved->addressValues()->at(1)->layout->senderAddress = QRectF(1, 2, 3, 4);
    const RenmeiAndHagakiRecord record = RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*saved);
    ASSERT_EQ(record.hagakiArray.size(), 2);
    EXPECT_EQ(record.hagakiArray.at(1).layoutString, u"4;sa:{{1.00,2.00},{3.00,4.00}};"_s);

    // The same addresses in another order, one of them moved, and twice.
    const MVPersonPtr loaded = personWithAddresses(
        {{u"work"_s, u"4-5-6 Umeda"_s}, {u"home"_s, u"7-8-9 Ginza"_s}, {u"work"_s, u"4-5-6 Umeda"_s}});
    RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(record, *loaded);
    EXPECT_EQ(loaded->stringValues()->value(FieldId::Renmei), u"Hanako"_s);
    for (qsizetype i : {0, 2}) {
        EXPECT_TRUE(loaded->addressValues()->at(i)->layout->printsRenmei()) << i;
        EXPECT_EQ(loaded->addressValues()->at(i)->layout->senderAddress, QRectF(1, 2, 3, 4));
    }
    EXPECT_TRUE(loaded->addressValues()->at(1)->layout->isUnset());

    MVPerson withoutAddress;
    withoutAddress.stringValues()->setEntry(FieldId::Renmei, u"Hanako"_s);
    EXPECT_EQ(RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(withoutAddress).toVariantMap(),
        (QVariantMap{{u"Renmei"_s, u"Hanako"_s}}));
}

// Two starts on one store, the first under en_US, the second under ja_JP:
// the text of an address without a country code changes its order with the
// locale, and the address keeps its postcard choices.
TEST(RenmeiAndHagakiRecord, AStartUnderAnotherLocaleFindsTheLayoutsOfTheAddresses)
{
    const QString folder = TestEnvironment::makeScratchFolder(u"locale-starts"_s);
    const auto start = [&folder](const QString &mode, const QString &locale) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"LC_ALL"_s, u"LANG"_s, u"LANGUAGE"_s})
            environment.insert(name, locale);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(QUILLMARK_LOCALE_START_CHILD), {mode, folder});
        EXPECT_TRUE(child.waitForFinished(60000)) << mode.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << mode.toStdString();
        return QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    const QStringList seeded = start(u"seed"_s, u"en_US.UTF-8"_s);
    const QStringList shown = start(u"show"_s, u"ja_JP.UTF-8"_s);
    ASSERT_EQ(seeded.size(), 2);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_NE(shown.at(0), seeded.at(0));
    EXPECT_EQ(shown.at(1), seeded.at(1));
    EXPECT_EQ(shown.at(1), u"shown 花子 sender 1 company 1 renmei 1 frame {{1.00,2.00},{3.00,4.00}}"_s);
}
