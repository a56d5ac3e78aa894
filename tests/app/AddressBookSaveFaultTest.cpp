#include "AddressBookTestSupport.h"

#include "app/WindowController.h"
#include "common/WriteProtection.h"
#include "platform/ApplicationPaths.h"
#include "platform/UndoManager.h"

#include <QDir>
#include <QFile>

namespace {

// What a contact shows of one save: its company (in the store), its joint
// names and the frame of its receiver's name (in the side data).
struct Shown {
    QString company;
    QString renmei;
    QString receiverName;
    bool operator==(const Shown &) const = default;
};

[[maybe_unused]] void PrintTo(const Shown &shown, std::ostream *out)
{
    *out << '{' << shown.company.toStdString() << " | " << shown.renmei.toStdString() << " | "
         << shown.receiverName.toStdString() << '}';
}

[[nodiscard]] Shown shownFor(int round)
{
    if (round == 0)
        return {};
    const QString text = QStringLiteral("Round %1").arg(round);
    return {text, text, QStringLiteral("{{%1.00,2.00},{3.00,4.00}}").arg(round)};
}

void edit(const ContactRecordPtr &row, int round)
{
    const Shown shown = shownFor(round);
    row->person->stringValues()->setEntry(FieldId::Company, shown.company);
    row->person->stringValues()->setEntry(FieldId::Renmei, shown.renmei);
    row->person->addressValues()->first()->layout.receiverName = QStringLiteral("{{%1,2},{3,4}}").arg(round);
    row->person->setChanged(true);
}

[[nodiscard]] Shown shownIn(const AddressBookTables &tables, const QString &givenName)
{
    for (const ContactRecordPtr &row : std::as_const(*tables.contactTable)) {
        MVPerson &person = *row->person;
        if (person.nameValue()->firstName == givenName)
            return {person.stringValues()->value(FieldId::Company), person.stringValues()->value(FieldId::Renmei),
                person.addressValues()->first()->layout.receiverName};
    }
    ADD_FAILURE() << "no contact named " << givenName.toStdString();
    return {};
}

} // namespace

// A save whose side data can't be written, after a first save that worked.
class SaveFaultTest : public AddressBookTest {
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        for (const QString &name : {QStringLiteral("Taro"), QStringLiteral("Hanako")}) {
            seedContact(name, QStringLiteral("Yamada"), [](StoreContact &contact) {
                contact.setPostalAddresses({{QStringLiteral("_$!<Home>!$_"),
                    StorePostalAddress{.street = QStringLiteral("1-2-3 Ginza"), .city = QStringLiteral("Chuo-ku")}}});
            });
        }
        launch();
    }

    // Every pending change is still there, to be saved again.
    void expectEverythingPending(const ContainerTablePtr &tables, const QString &cause)
    {
        ASSERT_EQ(m_alerts.alerts.size(), 1);
        EXPECT_EQ(
            m_alerts.alerts.first().messageText, QStringLiteral("Couldn't save the joint names and postcard layouts."));
        EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(cause))
            << m_alerts.alerts.first().informativeText.toStdString();
        EXPECT_EQ(m_delegate->containerTable(), tables);
        EXPECT_TRUE(m_delegate->window()->isWindowModified());
        EXPECT_TRUE(m_delegate->canSaveOrRevert());
        EXPECT_TRUE(rowNamed(QStringLiteral("Taro"))->person->changed());
    }
};

TEST_F(SaveFaultTest, ReadOnlyDataFolderFailsTheSaveUntilItIsWritableAgain)
{
    const ContainerTablePtr tables = m_delegate->containerTable();
    edit(rowNamed(QStringLiteral("Taro")), 1);
    markEdited();
    {
        const WriteProtection readOnly(m_folder);
        EXPECT_FALSE(save());
    }
    expectEverythingPending(tables, sideFilePath());
    EXPECT_EQ(shownIn(loadAsAtRestart(), QStringLiteral("Taro")), shownFor(0));

    ASSERT_TRUE(save());
    EXPECT_EQ(shownIn(loadAsAtRestart(), QStringLiteral("Taro")), shownFor(1));
}

// A full disk at the second save, for each of the two side files.
class SecondSaveWriteError : public SaveFaultTest, public testing::WithParamInterface<const char *> { };

TEST_P(SecondSaveWriteError, LeavesTheFirstSaveWholeAndTheNextSaveWritesEverything)
{
    edit(rowNamed(QStringLiteral("Taro")), 1);
    edit(rowNamed(QStringLiteral("Hanako")), 1);
    markEdited();
    ASSERT_TRUE(save());
    const ContainerTablePtr tables = m_delegate->containerTable();
    edit(rowNamed(QStringLiteral("Taro")), 2);
    markEdited();
    const QString target = m_folder + u'/' + QString::fromLatin1(GetParam());
    ApplicationPaths::setWriteFaultHook([target](const QString &path) {
        return path == target ? QStringLiteral("No space left on device") : QString();
    });

    EXPECT_FALSE(save());
    ApplicationPaths::setWriteFaultHook({});

    expectEverythingPending(tables, QStringLiteral("No space left on device"));
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(target));
    EXPECT_EQ(shownIn(loadAsAtRestart(), QStringLiteral("Taro")), shownFor(1));
    ASSERT_TRUE(save());
    const AddressBookTables restarted = loadAsAtRestart();
    EXPECT_EQ(shownIn(restarted, QStringLiteral("Taro")), shownFor(2));
    EXPECT_EQ(shownIn(restarted, QStringLiteral("Hanako")), shownFor(1));
}

INSTANTIATE_TEST_SUITE_P(
    SideFiles, SecondSaveWriteError, testing::Values("RenmeiAndHagakiContainers.data", "KeyValueStore.json"));

TEST_F(SaveFaultTest, KeyValueFileOlderThanTheStoreDoesNotWinOverTheSideFile)
{
    const QString keyValuePath = m_keyValueStore->filePath();
    edit(rowNamed(QStringLiteral("Taro")), 1);
    markEdited();
    ASSERT_TRUE(save());
    ASSERT_TRUE(QFile::copy(keyValuePath, keyValuePath + QStringLiteral(".first")));
    edit(rowNamed(QStringLiteral("Taro")), 2);
    markEdited();
    ASSERT_TRUE(save());

    ASSERT_TRUE(QFile::remove(keyValuePath));
    ASSERT_TRUE(QFile::rename(keyValuePath + QStringLiteral(".first"), keyValuePath));

    EXPECT_EQ(shownIn(loadAsAtRestart(), QStringLiteral("Taro")), shownFor(2));
}

TEST_F(AddressBookTest, TemporaryFilesOfInterruptedWritesAreRemovedAtTheNextStart)
{
    const QStringList leftovers{
        sideFilePath() + QStringLiteral(".aB3xYz"), m_folder + QStringLiteral("/KeyValueStore.json.Qw12Er")};
    const QStringList others{sideFilePath() + QStringLiteral(".notes"), sideFilePath() + QStringLiteral(".aB3xY"),
        m_folder + QStringLiteral("/Other.json.Qw12Er")};
    for (const QString &path : leftovers + others) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Hanako");
    }

    relaunch();

    for (const QString &path : leftovers)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString &path : others)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
}
