#include "AddressBookTestSupport.h"

#include "app/AppDelegate.h"
#include "app/Document.h"
#include "app/DocumentController.h"
#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/DeliveredDoubleClick.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "interchange/ImportFileReader.h"
#include "model/MVPerson.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"
#include "print/HagakiViewController.h"
#include "platform/contacts/ContactStore.h"
#include "table/ContactTablePane.h"
#include "table/ContactsViewController.h"
#include "app/FileMenuCommands.h"
#include "editors/NameViewController.h"
#include "platform/widgets/Popover.h"
#include "table/ContactTableContextMenu.h"
#include "table/ContactTableMenu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace {

class DocumentWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ProgressJob::setDocumentMinimumMilliseconds(0);
        documents().setWindowServices(&m_servicesOwner, {nullptr, &m_alerts, {}});
        m_folder = TestEnvironment::makeScratchFolder(u"documents"_s);
    }

    void TearDown() override
    {
        for (WindowController *window : documents().documentWindows())
            delete window;
        documents().releaseWindowServices(&m_servicesOwner);
    }

    static DocumentController &documents() { return DocumentController::sharedDocumentController(); }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = QDir(m_folder).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }

    static QStringList namesOf(const ContactTablePtr &table)
    {
        QStringList names;
        for (const ContactRecordPtr &contact : std::as_const(*table))
            names.append(contact->person->compositeName());
        return names;
    }

    RecordingAlertPresenter m_alerts;
    QObject m_servicesOwner;
    QString m_folder;
};

TEST_F(DocumentWindow, VCardFileOpensWithItsContactsOnceInItsOwnWindow)
{
    const QString path = TestEnvironment::dataPath(u"vcard/aosp__v21_multiple_entry.vcf"_s);
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->fileCommands()->documentType(), u"vCard"_s);
    EXPECT_TRUE(window->windowTitle().startsWith(u"aosp__v21_multiple_entry.vcf"_s));
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    ViewController &view = *window->mainViewController();
    EXPECT_FALSE(view.contactTable()->isEmpty());
    EXPECT_FALSE(view.contactStore());
    window->validateMenus();
    EXPECT_TRUE(window->fileCommands()->fileAction(u"importFromVCard"_s)->isEnabled());
    ASSERT_TRUE(documents().openFile(path));
    EXPECT_EQ(documents().documentWindows(), QList<WindowController *>{window});
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

// Locked for good, and choosing its top group again keeps its rows.
TEST_F(DocumentWindow, CsvWindowIsLockedAndKeepsItsRows)
{
    UserDefaults::standardUserDefaults().removeObjectForKey(AppDelegate::lastContainerIdentifierKey);
    const QString path = writeFile(u"list.csv"_s, "Name,ZIP,Street\n山田太郎,100-0001,千代田1-1\nAnn,,\n");
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    ViewController &view = *window->mainViewController();
    QStringList names = namesOf(view.contactTable());
    names.sort();
    EXPECT_EQ(names, (QStringList{u"Ann"_s, u"山田太郎"_s}));
    EXPECT_FALSE(view.editState());
    EXPECT_FALSE(window->editButton()->isEnabled());
    // The toolbar's button the user sees is greyed with its item.
    const QWidget *editButton = window->toolbar()->widgetForAction(window->editButton());
    ASSERT_TRUE(editButton);
    EXPECT_FALSE(editButton->isEnabled());
    window->validateMenus();
    EXPECT_FALSE(window->fileCommands()->fileAction(u"importFromVCard"_s)->isEnabled());
    EXPECT_TRUE(window->fileCommands()->fileAction(u"importFromCSV"_s)->isEnabled());
    const ContactTablePtr rows = view.contactTable();
    view.groupSelectionDidChange(view.containerTable()->first()->groups->first());
    EXPECT_EQ(view.contactTable(), rows);
    EXPECT_FALSE(UserDefaults::standardUserDefaults().objectForKey(AppDelegate::lastContainerIdentifierKey).isValid());
    Screenshot::grab(window);
}

// Ctrl+double-click edits a company in place in a locked window, but not in
// one that can never be unlocked.
struct LockedCompanyRow {
    const char *name;
    QString file;
    QByteArray bytes;
    bool edits;
};

class LockedCompany : public DocumentWindow, public testing::WithParamInterface<LockedCompanyRow> { };

TEST_P(LockedCompany, CtrlDoubleClickEditsInPlaceOnlyWhereTheWindowCanUnlock)
{
    const QString path = writeFile(GetParam().file, GetParam().bytes);
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    window->mainViewController()->setEditState(false);
    EXPECT_EQ(window->editButton()->isEnabled(), GetParam().edits);
    ContactsViewController &table = *window->contactsViewController();
    table.updateColumnsInTableView({FieldId::Company});
    QCoreApplication::processEvents();
    QTableView *view = table.tableView();
    const QModelIndex cell = view->model()->index(0, int(table.columnIdentifiers().indexOf(FieldId::Company)));
    ASSERT_TRUE(cell.isValid());
    deliveredDoubleClick(view->viewport(), view->visualRect(cell).center(), Qt::ControlModifier);
    QCoreApplication::processEvents();
    Screenshot::grab(window, QString::fromLatin1(GetParam().name));
    EXPECT_EQ(view->indexWidget(cell) != nullptr, GetParam().edits);
    EXPECT_EQ(window->mainViewController()->contactTable()->first()->person->stringValues()->value(FieldId::Company),
        u"ACME"_s);
}

INSTANTIATE_TEST_SUITE_P(Windows, LockedCompany,
    testing::Values(LockedCompanyRow{"VCard", u"one.vcf"_s,
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Ann;;;\r\nFN:Ann\r\nORG:ACME\r\nEND:VCARD\r\n", true},
        LockedCompanyRow{"Csv", u"one.csv"_s, "Name,Company\nAnn,ACME\n", false}),
    [](const testing::TestParamInfo<LockedCompanyRow> &info) { return std::string(info.param.name); });

// Save As is offered only with a selection, and writes every contact.
TEST_F(DocumentWindow, CsvSaveAsWritesEveryContactAsVCard)
{
    const QString path = writeFile(u"three.csv"_s, "Name,Company\nAnn,ACME\nBen,\nCid,Kit\n");
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    const QString target = QDir(m_folder).filePath(u"saved.vcf"_s);
    QList<FilePanel::Request> requests;
    window->fileCommands()->setFilePanel([&](const FilePanel::Request &request, const FilePanel::Done &done) {
        requests.append(request);
        done({target, 0});
    });
    ContactTablePane *table = window->mainViewController()->contactsViewController();
    table->selectRowIndexes({});
    window->validateMenus();
    EXPECT_FALSE(window->fileCommands()->fileAction(u"saveDocumentAs"_s)->isEnabled());
    table->selectRowIndexes({1});
    window->validateMenus();
    ASSERT_TRUE(window->fileCommands()->fileAction(u"saveDocumentAs"_s)->isEnabled());
    window->fileCommands()->fileAction(u"saveDocumentAs"_s)->trigger();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.first().proposedName, table->selectedContacts().first()->person->compositeName() + u".vcf"_s);
    const TextFileDecoder::Result read = ImportFileReader::readText(target, 0);
    ASSERT_TRUE(read.ok());
    const ContactTablePtr again = ImportFileReader::contactsFromVCardText(read);
    EXPECT_EQ(namesOf(again), namesOf(window->mainViewController()->contactTable()));
}

// The name editor of the first row, opened from the Name cell's menu.
NameViewController *openNameEditor(ContactsViewController &table)
{
    QTableView *view = table.tableView();
    const int name = int(table.columnIdentifiers().indexOf(FieldId::Name));
    const QPoint point = view->visualRect(view->model()->index(0, name)).center();
    QWidget *viewport = view->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, point);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
    QApplication::sendEvent(viewport, &event);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, point);
    endTurn();
    QMenu *menu = table.contextMenu()->menu();
    if (!menu)
        return nullptr;
    for (QAction *action : menu->actions()) {
        if (action->data().toString() == ContactTableMenu::Key::OpenNamePanel)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
    endTurn();
    Popover *popover = table.popover();
    return popover ? qobject_cast<NameViewController *>(popover->contentWidget()) : nullptr;
}

// A value editor left open: Save As writes what was typed in it, as the
// address book's Save stores it.
TEST_F(DocumentWindow, SaveAsWritesTheNameTypedInAnEditorLeftOpen)
{
    const QString path
        = writeFile(u"one.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Ann;;;\r\nFN:Ann Doe\r\nEND:VCARD\r\n");
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->mainViewController()->setEditState(true);
    auto &table = *window->contactsViewController();
    table.selectRowIndexes({0});
    endTurn();

    NameViewController *editor = openNameEditor(table);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isEditing());
    QTest::mouseClick(editor->firstNameField(), Qt::LeftButton);
    QTest::keyClick(editor->firstNameField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor->firstNameField(), u"Typed"_s);

    const QString target = QDir(m_folder).filePath(u"saved.vcf"_s);
    window->fileCommands()->setFilePanel([&](const FilePanel::Request &, const FilePanel::Done &done) {
        done({target, 0});
    });
    window->validateMenus();
    window->fileCommands()->fileAction(u"saveDocumentAs"_s)->trigger();
    endTurn();

    EXPECT_EQ(table.popover(), nullptr);
    const TextFileDecoder::Result read = ImportFileReader::readText(target, 0);
    ASSERT_TRUE(read.ok());
    const ContactTablePtr written = ImportFileReader::contactsFromVCardText(read);
    ASSERT_EQ(written->size(), 1);
    EXPECT_EQ(written->first()->person->nameValue()->firstName, u"Typed"_s);
}

TEST_F(DocumentWindow, ClosingFreesItsTables)
{
    const QString path = writeFile(u"one.csv"_s, "Name\nAnn\n");
    ASSERT_TRUE(documents().openFile(path));
    std::weak_ptr<ContactTable> table = documents().windowOfFile(path)->mainViewController()->contactTable();
    documents().windowOfFile(path)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(documents().documentWindows().isEmpty());
    EXPECT_TRUE(table.expired());
}

struct UnreadableRow {
    const char *name;
    QString file;
    QByteArray bytes;
    QString suggestion;
};

class UnreadableDocument : public DocumentWindow, public testing::WithParamInterface<UnreadableRow> { };

TEST_P(UnreadableDocument, AlertsAndOpensNoWindow)
{
    const QString path = writeFile(GetParam().file, GetParam().bytes);
    EXPECT_FALSE(documents().openFile(path));
    EXPECT_TRUE(documents().documentWindows().isEmpty());
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().informativeText, GetParam().suggestion);
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableDocument,
    testing::Values(UnreadableRow{"NoCard", u"none.vcf"_s, "hello\n",
                        u"Please make sure the file is vCard 2.1/3.0 file, or text encoding."_s},
        UnreadableRow{"NoRecord", u"none.csv"_s, "Name,ZIP\n\n,\n",
            u"Please make sure the file is a valid CSV file, or text encoding."_s},
        UnreadableRow{"Binary", u"image.vcf"_s, QByteArray("\x89PNG\0\0", 6), QString()}),
    [](const testing::TestParamInfo<UnreadableRow> &info) { return std::string(info.param.name); });

// A file that begins with a card opens as a vCard document whatever its
// name; other text keeps going by its name.
struct OpenedByContentRow {
    const char *name;
    QString file;
    QByteArray bytes;
    QString type;
    QStringList names;
};

class OpenedByContent : public DocumentWindow, public testing::WithParamInterface<OpenedByContentRow> { };

TEST_P(OpenedByContent, TakesTheTypeTheContentShows)
{
    const QString path = writeFile(GetParam().file, GetParam().bytes);
    ASSERT_TRUE(documents().openFile(path)) << qPrintable(m_alerts.alerts.value(0).informativeText);
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->fileCommands()->documentType(), GetParam().type);
    QStringList names = namesOf(window->mainViewController()->contactTable());
    names.sort();
    EXPECT_EQ(names, GetParam().names);
    EXPECT_EQ(window->editButton()->isEnabled(), GetParam().type == Document::vCardType);
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

const QByteArray zedsCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nFN:Zed Quill\r\nEND:VCARD\r\n";

QByteArray utf16BigEndianWithMark(const QByteArray &latin1)
{
    QStringEncoder encoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromLatin1(latin1));
}

INSTANTIATE_TEST_SUITE_P(Files, OpenedByContent,
    testing::Values(
        OpenedByContentRow{"CardNamedTxt", u"phone.txt"_s, "\r\n" + zedsCard, Document::vCardType, {u"Zed Quill"_s}},
        OpenedByContentRow{"Utf16CardNamedTxt", u"phone16.txt"_s, utf16BigEndianWithMark(zedsCard), Document::vCardType,
            {u"Zed Quill"_s}},
        OpenedByContentRow{"CardNamedCsv", u"cards.csv"_s, zedsCard, Document::vCardType, {u"Zed Quill"_s}},
        OpenedByContentRow{"CsvNamedTxt", u"list.txt"_s, "Name,Company\nAnn,ACME\n", Document::csvType, {u"Ann"_s}}),
    [](const testing::TestParamInfo<OpenedByContentRow> &info) { return std::string(info.param.name); });

TEST_F(DocumentWindow, CsvWithoutHeaderTellsTheOrderTaken)
{
    const QString path = writeFile(u"plain.csv"_s, "Ann,Ken,ACME\n");
    ASSERT_TRUE(documents().openFile(path));
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Can't find header line in the file."_s);
}

// A session's address-book delegate gives the document windows its defaults,
// alerts and menu items; the windows go with it, before its defaults do, and
// a document opened later never reaches what it left behind.
TEST_F(DocumentWindow, WindowsGoWithTheDelegateWhoseDefaultsTheyUse)
{
    const QString first = TestEnvironment::dataPath(u"vcard/aosp__v21_multiple_entry.vcf"_s);
    const QString second = writeFile(u"second.csv"_s, "Name\nAnn\n");
    QPointer<WindowController> window;
    {
        ContactStore store(m_folder + u"/Contacts.sqlite"_s);
        KeyValueStore keyValues(m_folder + u"/KeyValueStore.json"_s);
        auto defaults = std::make_unique<UserDefaults>(m_folder + u"/Quillmark.conf"_s);
        RecordingAlertPresenter delegateAlerts;
        AppDelegate delegate(AppDelegate::Services{
            &store, &keyValues, defaults.get(), m_folder + u"/RenmeiAndHagakiContainers.data"_s, &delegateAlerts});
        delegate.window()->show();
        delegate.applicationDidFinishLaunching();
        // The user closes the address-book window, then opens a document.
        ASSERT_TRUE(delegate.window()->close());
        ASSERT_TRUE(documents().openFile(first));
        window = documents().windowOfFile(first);
        ASSERT_TRUE(window);
        EXPECT_EQ(&window->userDefaults(), defaults.get());
        EXPECT_EQ(&window->alertPresenter(), &delegateAlerts);
        EXPECT_TRUE(window->fileMenu()->actions().contains(delegate.saveAction()));
    }
    EXPECT_FALSE(window);
    EXPECT_TRUE(documents().documentWindows().isEmpty());
    ASSERT_TRUE(documents().openFile(second));
    WindowController *later = documents().windowOfFile(second);
    ASSERT_TRUE(later);
    EXPECT_EQ(&later->userDefaults(), &UserDefaults::standardUserDefaults());
    EXPECT_EQ(later->mainViewController()->contactTable()->size(), 1);
}

// The preview of a new document window shows the row the table selects,
// not the file's first card.
TEST_F(DocumentWindow, PreviewShowsTheSelectedRow)
{
    const QString path = writeFile(u"two-names.vcf"_s,
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nFN:Zed Quill\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Able;Ann;;;\r\nFN:Ann Able\r\nEND:VCARD\r\n");
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    QCoreApplication::processEvents();
    const QList<SubContactRecordPtr> selected
        = window->mainViewController()->contactsViewController()->selectedSubContacts();
    ASSERT_EQ(selected.size(), 1);
    QStringList previewed;
    for (const SubContactRecordPtr &row : window->hagakiViewController()->receiverPersons())
        previewed.append(row->person->compositeName());
    EXPECT_EQ(previewed, QStringList{selected.first()->person->compositeName()});
}

// The window is built behind the progress window that read the file: a
// Cancel once the window exists closes it, and the file opens again later.
struct CancelledBuildRow {
    const char *name;
    QString file;
    QByteArray bytes;
};

class CancelledBuild : public DocumentWindow, public testing::WithParamInterface<CancelledBuildRow> { };

TEST_P(CancelledBuild, LeavesNothingOpen)
{
    const QString path = writeFile(GetParam().file, GetParam().bytes);
    const qsizetype windowsBefore = WindowController::windowControllers().size();
    bool cancelled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        const bool building = WindowController::windowControllers().size() > windowsBefore;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *progress = qobject_cast<ProgressAlert *>(widget);
            if (building && progress && progress->isVisible() && !cancelled) {
                cancelled = true;
                QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
            }
        }
    });
    watch.start(0);
    EXPECT_FALSE(documents().openFile(path));
    watch.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(documents().documentWindows().isEmpty());
    EXPECT_EQ(WindowController::windowControllers().size(), windowsBefore);
    for (QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<ProgressAlert *>(widget) && widget->isVisible());
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    ASSERT_TRUE(documents().openFile(path));
    EXPECT_EQ(documents().windowOfFile(path)->mainViewController()->contactTable()->size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Files, CancelledBuild,
    testing::Values(CancelledBuildRow{"VCard", u"two.vcf"_s, zedsCard + zedsCard},
        CancelledBuildRow{"Csv", u"two.csv"_s, "Name,Company\nAnn,ACME\nBen,\n"}),
    [](const testing::TestParamInfo<CancelledBuildRow> &info) { return std::string(info.param.name); });

// The rows of a document are made once, in the order of the window's sort: a
// CSV document is locked before its contacts come, so the lock rebuilds no
// rows (each rebuild of a large file's rows raised the window's peak).
struct RowsMadeOnceRow {
    const char *name;
    QString file;
    QByteArray bytes;
    bool locked;
};

class RowsMadeOnce : public DocumentWindow, public testing::WithParamInterface<RowsMadeOnceRow> { };

TEST_P(RowsMadeOnce, InTheOrderOfTheSort)
{
    int fullResets = 0;
    const auto countResets = [&fullResets](WindowController *window) {
        auto *table = window->findChild<QTableView *>(u"contactTableView"_s);
        ASSERT_TRUE(table);
        QAbstractItemModel *model = table->model();
        QObject::connect(model, &QAbstractItemModel::modelReset, window,
            [model, &fullResets] { fullResets += model->rowCount() > 0 ? 1 : 0; });
    };
    documents().setWindowServices(&m_servicesOwner, {nullptr, &m_alerts, countResets});
    const QString path = writeFile(GetParam().file, GetParam().bytes);
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    ASSERT_TRUE(window);
    ViewController &view = *window->mainViewController();
    EXPECT_EQ(fullResets, 1);
    EXPECT_EQ(view.editState(), !GetParam().locked);
    QStringList shown;
    for (const SubContactRecordPtr &row : view.contactsViewController()->subContactTable())
        shown.append(row->person->compositeName());
    EXPECT_EQ(shown, (QStringList{u"Ann Able"_s, u"Ben Best"_s, u"Zed Quill"_s}));
}

INSTANTIATE_TEST_SUITE_P(Files, RowsMadeOnce,
    testing::Values(RowsMadeOnceRow{"VCard", u"three.vcf"_s,
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nFN:Zed Quill\r\nEND:VCARD\r\n"
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Able;Ann;;;\r\nFN:Ann Able\r\nEND:VCARD\r\n"
                        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Best;Ben;;;\r\nFN:Ben Best\r\nEND:VCARD\r\n",
                        false},
        RowsMadeOnceRow{"Csv", u"three.csv"_s, "Name,Company\nZed Quill,ACME\nAnn Able,\nBen Best,\n", true}),
    [](const testing::TestParamInfo<RowsMadeOnceRow> &info) { return std::string(info.param.name); });

// A change of screens that leaves a document window on none puts it back.
TEST_F(DocumentWindow, WindowOnNoScreenIsCentred)
{
    const QString path = writeFile(u"far.csv"_s, "Name\nAnn\n");
    ASSERT_TRUE(documents().openFile(path));
    WindowController *window = documents().windowOfFile(path);
    window->move(-20000, -20000);
    documents().screenChanged();
    EXPECT_TRUE(QGuiApplication::screenAt(window->frameGeometry().center()));
}

} // namespace
