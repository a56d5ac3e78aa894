// The window's open and save dialogs answered as a user answers them, the
// path typed into the name field, then Return or the Open or Save button:
// each answer runs once the dialog is done, and the user sees its outcome.
#include "AddressBookTestSupport.h"

#include "app/DocumentController.h"
#include "app/FileMenuCommands.h"
#include "app/ImportPanelController.h"
#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/FileDialogUser.h"
#include "common/GeneratedAddressBook.h"
#include "common/KeysTypedAhead.h"
#include "common/LaunchedAddressBook.h"
#include "common/LoggedMessages.h"
#include "common/TestEnvironment.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray twoCards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Yamada;Taro;;;\r\nFN:Taro Yamada\r\nEND:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Suzuki;Hanako;;;\r\nFN:Hanako Suzuki\r\nEND:VCARD\r\n";
// No line of it names a column, so it is read in the fixed order.
const QByteArray csvWithoutHeader = "Taro Yamada,,Acme,100-0001,Tokyo,1-1\nHanako Suzuki,,,,,\n";

using Answer = FileDialogUser::Answer;

class FileDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        ProgressJob::setDocumentMinimumMilliseconds(0);
        ASSERT_TRUE(m_app.launchActive());
    }
    void TearDown() override
    {
        for (WindowController *window : documents().documentWindows())
            delete window;
    }

    static DocumentController &documents() { return DocumentController::sharedDocumentController(); }
    [[nodiscard]] WindowController &window() const { return m_app.window(); }

    [[nodiscard]] QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = QDir(m_folder).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
    void trigger(WindowController &in, QLatin1StringView key) const
    {
        QAction *item = in.fileCommands()->fileAction(QString(key));
        ASSERT_NE(item, nullptr);
        in.validateMenus();
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    }
    [[nodiscard]] QStringList chooserNames() const
    {
        ImportPanelController *chooser = window().fileCommands()->importPanelController();
        QStringList names;
        if (!chooser || !chooser->isVisible())
            return names;
        const QAbstractItemModel *model = chooser->nameTableView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data().toString());
        chooser->reject();
        return names;
    }

    QString m_folder = TestEnvironment::makeScratchFolder(u"file-dialogs"_s);
    GeneratedAddressBook m_book{3, TestEnvironment::makeScratchFolder(u"file-dialogs-book"_s)};
    LaunchedAddressBook m_app{m_book};
    FileDialogUser m_user;
};

class FileDialogAnswer : public FileDialogs, public testing::WithParamInterface<Answer> {
protected:
    // Answers the dialog the window shows with the path, the answer running
    // only once the dialog is done with it.
    void answerDialog(const QWidget &in, const QString &path)
    {
        QFileDialog *dialog = FileDialogUser::shownDialog(in);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(m_user.answer(dialog, path, GetParam()));
        EXPECT_EQ(m_user.shownInsideDone().join(u", "_s).toStdString(), "");
        EXPECT_TRUE(m_user.outlivedItsAnswer());
    }
    // File ▸ Open… (Ctrl+O) answered with the path: its window shows its
    // two contacts.
    void expectOpenedWithTwoContacts(const QString &path)
    {
        QTest::keyClick(&window(), Qt::Key_O, Qt::ControlModifier);
        answerDialog(window(), path);
        WindowController *opened = documents().windowOfFile(path);
        ASSERT_NE(opened, nullptr);
        EXPECT_TRUE(opened->isVisible());
        EXPECT_EQ(opened->mainViewController()->contactTable()->size(), 2);
    }
};

TEST_P(FileDialogAnswer, OpenOfAVCardShowsItsWindow)
{
    expectOpenedWithTwoContacts(writeFile(u"two.vcf"_s, twoCards));
    EXPECT_TRUE(m_user.alertTexts().isEmpty());
    EXPECT_TRUE(window().isVisible());
}

TEST_P(FileDialogAnswer, OpenOfACsvWithoutHeaderShowsItsWindowAndSaysSo)
{
    expectOpenedWithTwoContacts(writeFile(u"list.csv"_s, csvWithoutHeader));
    EXPECT_EQ(m_user.alertTexts().join(u" / "_s).toStdString(), "Can't find header line in the file.");
}

TEST_P(FileDialogAnswer, ImportOfAVCardAndOfACsvOffersTheirContacts)
{
    trigger(window(), FileMenuCommands::importVCardKey);
    answerDialog(window(), writeFile(u"two.vcf"_s, twoCards));
    EXPECT_EQ(chooserNames().size(), 2);

    trigger(window(), FileMenuCommands::importCSVKey);
    answerDialog(window(), writeFile(u"list.csv"_s, "Name,ZIP,Street\nTaro Yamada,100-0001,1-1\n"));
    EXPECT_EQ(chooserNames().join(u", "_s).toStdString(), "Taro Yamada");
    EXPECT_TRUE(m_user.alertTexts().isEmpty());
}

TEST_P(FileDialogAnswer, ExportAsVCardWritesTheSelectedContact)
{
    window().contactsViewController()->selectRowIndexes({0});
    trigger(window(), FileMenuCommands::exportVCardKey);
    const QString path = QDir(m_folder).filePath(u"chosen.vcf"_s);
    answerDialog(window(), path);
    EXPECT_EQ(fileBytes(path).count("BEGIN:VCARD"), 1);
    EXPECT_TRUE(m_user.alertTexts().isEmpty());
}

TEST_P(FileDialogAnswer, SaveAsOfADocumentWritesItsContacts)
{
    ASSERT_TRUE(documents().openFile(writeFile(u"two.vcf"_s, twoCards)));
    WindowController *document = documents().documentWindows().value(0);
    ASSERT_NE(document, nullptr);
    trigger(*document, FileMenuCommands::saveAsKey);
    const QString path = QDir(m_folder).filePath(u"saved.vcf"_s);
    answerDialog(*document, path);
    EXPECT_EQ(fileBytes(path).count("BEGIN:VCARD"), 2);
    EXPECT_TRUE(document->isVisible());
}

// Return typed twice faster than the first is handled: both reach the file
// dialog, the second after the first has closed it, and the dialog answers
// once. The import reads the file once and offers its contacts, the export
// writes once, and neither leaves its progress window standing.
TEST_F(FileDialogs, TwoReturnsTypedAheadAnswerOnce)
{
    const LoggedMessages logged;
    const ProgressAlert *progress = window().progressAlert();
    const auto typeTwoReturns = [this](const QString &path) {
        QFileDialog *dialog = FileDialogUser::shownDialog(window());
        ASSERT_TRUE(FileDialogUser::type(dialog, path));
        const QPointer<QFileDialog> answered = dialog;
        typeAhead(dialog->windowHandle(), Qt::Key_Return, 2);
        ASSERT_TRUE(QTest::qWaitFor([&answered] { return answered.isNull(); }));
    };
    trigger(window(), FileMenuCommands::importVCardKey);
    typeTwoReturns(writeFile(u"two.vcf"_s, twoCards));
    ASSERT_TRUE(QTest::qWaitFor([this, progress] {
        const ImportPanelController *chooser = window().fileCommands()->importPanelController();
        return !progress->isVisible() && chooser && chooser->isVisible();
    }));
    EXPECT_EQ(chooserNames().size(), 2);
    endTurn();

    window().contactsViewController()->selectRowIndexes({0});
    trigger(window(), FileMenuCommands::exportVCardKey);
    const QString path = QDir(m_folder).filePath(u"chosen.vcf"_s);
    typeTwoReturns(path);
    ASSERT_TRUE(QTest::qWaitFor(
        [this, progress] { return !progress->isVisible() && !window().fileCommands()->fileCommandRunning(); }));
    EXPECT_EQ(fileBytes(path).count("BEGIN:VCARD"), 1);
    // Nothing tried a second reading or writing.
    EXPECT_EQ(logged.lines().filter(u"ERROR"_s).join(u'\n').toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Answers, FileDialogAnswer, testing::Values(Answer::Return, Answer::Button),
    [](const testing::TestParamInfo<Answer> &info) { return info.param == Answer::Return ? "Return" : "Button"; });

} // namespace
