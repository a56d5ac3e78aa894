// Closing the address-book window, or Quit, while it holds edits: the user
// is asked, and nothing is lost that the user did not let go.
#include "AddressBookTestSupport.h"

#include "app/AddressBookLoader.h"
#include "app/RenmeiAndHagakiStore.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"
#include "platform/UndoManager.h"
#include "platform/contacts/ContactKeys.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString question = u"Do you want to save the changes to your contacts?"_s;

enum class Ending { Close, Quit };

// The window on a small generated store; the contact of the first row is
// the one edited.
class QuitWithEdits : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.launchActive());
        m_row = m_app.mainView().contactTable()->first();
    }
    void TearDown() override { ApplicationPaths::setWriteFaultHook({}); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }

    // Joint names typed for the first contact, as one undoable edit.
    void edit()
    {
        ASSERT_TRUE(m_app.mainView().undoReplaceValue(u"Hanako"_s, FieldId::Renmei, m_row));
        QCoreApplication::processEvents();
        ASSERT_TRUE(window().isWindowModified());
    }
    void end(Ending ending)
    {
        if (ending == Ending::Close)
            window().close();
        else
            quitItem()->trigger();
        QCoreApplication::processEvents();
    }
    [[nodiscard]] QAction *quitItem() const
    {
        for (QAction *item : window().fileMenu()->actions()) {
            if (item->menuRole() == QAction::QuitRole)
                return item;
        }
        return nullptr;
    }
    // The joint names of the first contact as a new start would show them.
    [[nodiscard]] QString savedJointNames() const
    {
        ContactStore store(m_book.store().filePath());
        KeyValueStore keyValueStore(m_book.keyValueStorePath());
        const RenmeiAndHagakiStore sideStore(&keyValueStore, m_book.sideStorePath());
        const AddressBookTables tables = AddressBookLoader(store, sideStore).loadAddressBook({});
        for (const ContactRecordPtr &row : std::as_const(*tables.contactTable)) {
            if (row->uniqueId == m_row->uniqueId)
                return row->person->stringValues()->value(FieldId::Renmei);
        }
        return u"(missing)"_s;
    }
    void expectKeptOpenWithTheEdit() const
    {
        EXPECT_TRUE(window().isVisible());
        EXPECT_TRUE(window().isWindowModified());
        EXPECT_TRUE(window().undoManager()->canUndo());
        EXPECT_EQ(m_row->person->stringValues()->value(FieldId::Renmei), u"Hanako"_s);
    }

    GeneratedAddressBook m_book{4, TestEnvironment::makeScratchFolder(u"quit-with-edits"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
    ContactRecordPtr m_row;
};

// How the window ends, and the button that answers the question.
using Answer = std::tuple<Ending, int>;

std::string caseName(const Answer &answer)
{
    static const char *const answers[] = {"Save", "DontSave", "Cancel"};
    return std::string(std::get<0>(answer) == Ending::Close ? "Close" : "Quit")
        + answers[std::get<1>(answer) - AlertPresenter::FirstButtonReturn];
}

class AnsweredQuestion : public QuitWithEdits, public testing::WithParamInterface<Answer> { };

TEST_P(AnsweredQuestion, SaveSavesDontSaveDropsCancelKeepsTheWindow)
{
    const auto [ending, answer] = GetParam();
    edit();
    m_alerts.answer = answer;
    end(ending);

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, question);
    switch (answer) {
    case AlertPresenter::FirstButtonReturn:
        EXPECT_FALSE(window().isVisible());
        EXPECT_EQ(savedJointNames(), u"Hanako"_s);
        break;
    case AlertPresenter::SecondButtonReturn:
        EXPECT_FALSE(window().isVisible());
        EXPECT_EQ(savedJointNames(), QString());
        break;
    default:
        expectKeptOpenWithTheEdit();
        EXPECT_EQ(savedJointNames(), QString());
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, AnsweredQuestion,
    testing::Combine(testing::Values(Ending::Close, Ending::Quit),
        testing::Values(AlertPresenter::FirstButtonReturn, AlertPresenter::SecondButtonReturn,
            AlertPresenter::SecondButtonReturn + 1)),
    [](const testing::TestParamInfo<Answer> &info) { return caseName(info.param); });

class FailedSave : public QuitWithEdits, public testing::WithParamInterface<Ending> { };

TEST_P(FailedSave, KeepsTheWindowTheEditsAndTheUndoSteps)
{
    edit();
    const QString sideFile = m_book.sideStorePath();
    ApplicationPaths::setWriteFaultHook(
        [sideFile](const QString &path) { return path == sideFile ? u"No space left on device"_s : QString(); });
    end(GetParam());

    ASSERT_EQ(m_alerts.alerts.size(), 2);
    EXPECT_EQ(m_alerts.alerts.first().messageText, question);
    EXPECT_TRUE(m_alerts.alerts.last().informativeText.contains(u"No space left on device"_s));
    expectKeptOpenWithTheEdit();

    // Once the disk has room, the same question saves.
    ApplicationPaths::setWriteFaultHook({});
    end(GetParam());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(savedJointNames(), u"Hanako"_s);
}

INSTANTIATE_TEST_SUITE_P(Endings, FailedSave, testing::Values(Ending::Close, Ending::Quit),
    [](const testing::TestParamInfo<Ending> &info) { return info.param == Ending::Close ? "Close" : "Quit"; });

TEST_F(QuitWithEdits, WithoutEditsOrOnceTheyAreUndoneNothingIsAsked)
{
    edit();
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_FALSE(window().isWindowModified());
    end(Ending::Close);
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    EXPECT_FALSE(window().isVisible());
}

// The window with the application's own alerts, holding one unsaved edit.
class QuitQuestion : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.launchActive());
        const ContactRecordPtr row = m_app.mainView().contactTable()->first();
        ASSERT_TRUE(m_app.mainView().undoReplaceValue(u"Hanako"_s, FieldId::Renmei, row));
        QCoreApplication::processEvents();
    }

    GeneratedAddressBook m_book{2, TestEnvironment::makeScratchFolder(u"quit-question"_s)};
    LaunchedAddressBook m_app{m_book};
};

// The application's own alert: its three buttons, Cancel clicked.
TEST_F(QuitQuestion, OffersSaveDontSaveAndCancel)
{
    WindowController &window = m_app.window();

    QStringList buttons;
    QString text;
    QTimer::singleShot(0, &window, [&] {
        auto *alert = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!alert)
            return;
        text = alert->text();
        Screenshot::grab(alert);
        QAbstractButton *cancel = nullptr;
        for (QAbstractButton *button : alert->buttons()) {
            buttons.append(button->text());
            if (button->text() == u"Cancel"_s)
                cancel = button;
        }
        if (cancel)
            QTest::mouseClick(cancel, Qt::LeftButton);
    });
    window.close();
    EXPECT_EQ(text, question);
    EXPECT_EQ(buttons, (QStringList{u"Save"_s, u"Don't Save"_s, u"Cancel"_s}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isWindowModified());
}

// The application's own alert: Escape answers as Cancel.
TEST_F(QuitQuestion, EscapeAnswersAsCancel)
{
    WindowController &window = m_app.window();

    QString text;
    bool stayed = false;
    QTimer::singleShot(0, &window, [&] {
        auto *alert = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!alert)
            return;
        text = alert->text();
        QTest::keyClick(alert, Qt::Key_Escape);
        stayed = alert->isVisible();
        // Without an answer the box would hold the test for good.
        if (stayed)
            alert->buttons().constLast()->click();
    });
    // Ctrl+Q where the platform binds Quit to keys; the offscreen one binds none.
    QAction *quit = nullptr;
    for (QAction *item : window.fileMenu()->actions()) {
        if (item->menuRole() == QAction::QuitRole)
            quit = item;
    }
    ASSERT_NE(quit, nullptr);
    if (quit->shortcut().isEmpty())
        quit->trigger();
    else
        QTest::keySequence(&window, quit->shortcut());
    QCoreApplication::processEvents();
    EXPECT_EQ(text, question);
    EXPECT_FALSE(stayed);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isWindowModified());
    const ContactRecordPtr row = m_app.mainView().contactTable()->first();
    EXPECT_EQ(row->person->stringValues()->value(FieldId::Renmei), u"Hanako"_s);
    EXPECT_EQ(storedString(m_book, row->uniqueId, FieldId::Renmei), QString());
}

// Return and Escape pressed at once: both reach the alert's window before
// its closing is handled. The first answer, Save, stands.
TEST_F(QuitQuestion, ReturnAndEscapeAtOnceSave)
{
    WindowController &window = m_app.window();
    QTimer::singleShot(0, &window, [] {
        auto *alert = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!alert)
            return;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                qt_handleKeyEvent(alert->windowHandle(), type, key, Qt::NoModifier);
        }
    });
    window.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    const ContactRecordPtr row = m_app.mainView().contactTable()->first();
    EXPECT_EQ(storedString(m_book, row->uniqueId, FieldId::Renmei), u"Hanako"_s);
}

} // namespace
