#include "FileCommandsTestSupport.h"

#include "app/FilePanel.h"
#include "model/ContactIdentifier.h"
#include "app/FileMenuCommands.h"
#include "model/MVPerson.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using ExportCommand = FileCommandsTest;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ContactRecordPtr namedContact(const QString &identifier, const QString &lastName)
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(identifier);
    NameRecord name;
    name.lastName = lastName;
    person->setValue(name, FieldId::Name);
    return ContactRecord::makeWithPerson(person);
}

// Three selected rows of two contacts: two cards, named after the first
// contact, in UTF-8, the progress naming the file written.
TEST_F(ExportCommand, WritesEachSelectedContactOnce)
{
    top()->contactTable->replace(0, namedContact(u"c0"_s, u"山田/太郎"_s));
    m_table.selectedContactsList
        = {top()->contactTable->at(0), top()->contactTable->at(1), namedContact(u"c0"_s, u"山田/太郎"_s)};
    const QString path = writeFile(u"typed.vcf"_s, {});
    answer(path);
    m_window.fileCommands()->exportToVCard();
    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_EQ(m_requests.first().proposedName, u"山田-太郎.vcf"_s);
    const QString written = QString::fromUtf8(contentsOf(path));
    EXPECT_EQ(written.count(u"BEGIN:VCARD"_s), 2);
    EXPECT_TRUE(written.contains(u"山田/太郎"_s));
    EXPECT_EQ(m_window.progressAlert()->alertMessage()->text(), u"Writing the file: typed.vcf"_s);
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
}

TEST_F(ExportCommand, NothingSelectedAsksNothing)
{
    m_window.fileCommands()->exportToVCard();
    m_window.fileCommands()->exportToCSV();
    EXPECT_TRUE(m_requests.isEmpty());
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
}

TEST_F(ExportCommand, FolderGoneAlertsAndCancelledPanelWritesNothing)
{
    m_table.select({0});
    answer(writeFile(u"x"_s, {}) + u"-gone/out.vcf"_s);
    m_window.fileCommands()->exportToVCard();
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Can't save the file"_s);
    EXPECT_EQ(m_alerts.alerts.first().informativeText, u"Something error happened in saving operation."_s);
    m_window.fileCommands()->exportToVCard(); // the panel is cancelled
    EXPECT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_FALSE(m_window.fileCommands()->fileCommandRunning());
}

// Only a complete run replaces the file.
TEST_F(ExportCommand, CancelKeepsAnExistingFile)
{
    auto many = std::make_shared<ContactTable>();
    for (int i = 0; i < 60000; ++i)
        many->append(namedContact(u"m%1"_s.arg(i), u"Name %1"_s.arg(i)));
    m_controller.setContactTable(many);
    m_table.selectedContactsList = *many;
    const QString path = writeFile(u"kept.vcf"_s, "old contents");
    answer(path);
    cancelProgressWhenShown();
    m_window.fileCommands()->exportToVCard();
    EXPECT_EQ(contentsOf(path), "old contents");
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    EXPECT_EQ(QDir(m_folder).entryList(QDir::Files).size(), 1);
}

TEST_F(ExportCommand, CsvHasAHeaderAndOneLinePerContact)
{
    m_table.select({0, 1});
    const QString path = writeFile(u"out.csv"_s, {});
    answer(path);
    m_window.fileCommands()->exportToCSV();
    EXPECT_TRUE(m_requests.first().proposedName.endsWith(u".csv"_s));
    EXPECT_EQ(contentsOf(path).count('\n'), 3);
}

TEST(ExportFileName, NeverHidesOrLeavesTheFolder)
{
    EXPECT_EQ(FilePanel::safeFileName(u"a/b"_s), u"a-b"_s);
    EXPECT_EQ(FilePanel::safeFileName(u"..hidden"_s), u"hidden"_s);
    EXPECT_EQ(FilePanel::safeFileName(u"x"_s + QChar(0) + u"y"_s), u"x-y"_s);
    EXPECT_EQ(FilePanel::safeFileName(u"../etc"_s), u"-etc"_s);
}

} // namespace
