#include "AddressBookTestSupport.h"
#include "CancelWhileAdding.h"
#include "HeldThreadPool.h"

#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/DeliveredDoubleClick.h"
#include "common/DragEvents.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"
#include "table/GroupOutlineModel.h"
#include "table/GroupViewController.h"
#include "app/FileMenuCommands.h"
#include "app/FilePanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The address-book window on a generated store, shown, active and editable.
class WindowDragAndDrop : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.launch());
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        // Tall enough for the outline above the preview.
        window().resize(1100, 900);
        QCoreApplication::processEvents();
        if (!mainView().editState())
            window().editButtonClicked();
    }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] ViewController &mainView() const { return m_app.mainView(); }
    [[nodiscard]] ContactsViewController &table() const { return *window().contactsViewController(); }
    [[nodiscard]] GroupViewController &outline() const { return *window().groupViewController(); }
    [[nodiscard]] GroupRecordPtr groupNamed(const QString &name) const
    {
        for (const GroupRecordPtr &group : *mainView().containerTable()->first()->groups) {
            if (group->name == name)
                return group;
        }
        return nullptr;
    }
    [[nodiscard]] QPoint centreOf(const GroupRecordPtr &group) const
    {
        return outline().outlineView()->visualRect(outline().model()->indexOfGroup(group)).center();
    }
    // Double-clicks the group in the outline, as the window system delivers
    // it (the second press comes before the double click): its name opens
    // for editing.
    QLineEdit *startRenaming(const GroupRecordPtr &group)
    {
        QWidget *viewport = outline().outlineView()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(group));
        QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(group));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, centreOf(group));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(group));
        return viewport->findChild<QLineEdit *>();
    }
    // The first row of each of the first contacts not in the group.
    [[nodiscard]] QList<int> rowsOfContactsOutside(const GroupRecordPtr &group, int count) const
    {
        QList<int> rows;
        const QList<SubContactRecordPtr> &shown = table().subContactTable();
        for (int row = 0; row < shown.size() && rows.size() < count; ++row) {
            const bool member = group->contactTable
                && std::any_of(group->contactTable->cbegin(), group->contactTable->cend(),
                    [&](const ContactRecordPtr &contact) { return contact->uniqueId == shown.at(row)->uniqueId; });
            if (shown.at(row)->labelIndex == 0 && !member)
                rows.append(row);
        }
        return rows;
    }

    [[nodiscard]] QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = QDir(m_files).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
    // Drops the local file between the table's first two rows, as a file
    // manager's drag delivers it.
    bool dropFile(const QString &path) const
    {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(path)});
        return dropOnTable(files);
    }
    // Whether the table took the data dropped between its first two rows.
    bool dropOnTable(const QMimeData &data) const
    {
        QTableView *view = table().tableView();
        const QPoint between = view->visualRect(view->model()->index(1, 1)).topLeft() + QPoint(10, 1);
        return DragEvents::drop(view->viewport(), between, &data);
    }
    [[nodiscard]] qsizetype contactsNamed(const QString &firstName) const
    {
        const ContactTable &shown = *mainView().contactTable();
        return std::count_if(shown.cbegin(), shown.cend(), [&](const ContactRecordPtr &contact) {
            return !contact->deleted && contact->person->nameValue()->firstName == firstName;
        });
    }

    GeneratedAddressBook m_book{12, TestEnvironment::makeScratchFolder(u"drag-window"_s)};
    QString m_files = TestEnvironment::makeScratchFolder(u"dropped-files"_s);
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_F(WindowDragAndDrop, CtrlCCopiesTheSelectedRowsButAnOpenTextEditorKeepsIt)
{
    table().selectRowIndexes({});
    window().validateMenus();
    EXPECT_FALSE(window().copyAction()->isEnabled());
    table().selectRowIndexes({0, 1});
    EXPECT_TRUE(window().copyAction()->isEnabled());
    EXPECT_TRUE(window().copyAsCSVAction()->isEnabled());
    table().makeFirstResponder();
    QTest::keyClick(table().tableView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(u'\n'), 1);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(u"text/tab-separated-values"_s));

    QLineEdit *editor = startRenaming(groupNamed(u"Friends"_s));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Friends"_s);
}

TEST_F(WindowDragAndDrop, TheOutlineStandsAboveThePreviewAndChoosingAGroupShowsItsRowsAndChecksItsMenuItem)
{
    EXPECT_TRUE(window().groupPane()->isAncestorOf(&outline()));
    EXPECT_GE(outline().rowHeight(), 24);
    const GroupRecordPtr family = groupNamed(u"Family"_s);
    ASSERT_NE(family, nullptr);
    QTest::mouseClick(outline().outlineView()->viewport(), Qt::LeftButton, {}, centreOf(family));
    EXPECT_EQ(mainView().selectedGroupDict(), family);
    EXPECT_EQ(table().contactTable(), family->contactTable);
    // Contacts 0, 2, 4, … belong to it.
    EXPECT_EQ(family->contactTable->size(), 6);
    QMenu *groups = window().groupsPopup()->menu();
    groups->popup(QPoint(60, 60));
    groups->close();
    QMenu *local = groups->actions().value(1)->menu();
    ASSERT_NE(local, nullptr);
    local->popup(QPoint(60, 60));
    local->close();
    const auto items = local->actions();
    const auto checked = std::find_if(items.cbegin(), items.cend(), [](QAction *item) { return item->isChecked(); });
    ASSERT_NE(checked, items.cend());
    EXPECT_EQ((*checked)->data().value<GroupRecordPtr>(), family);
}

TEST_F(WindowDragAndDrop, ATypedGroupNameIsOneUndoStepMarksTheWindowAndIsSaved)
{
    const GroupRecordPtr friends = groupNamed(u"Friends"_s);
    QLineEdit *editor = startRenaming(friends);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, u"Pals"_s);
    Screenshot::grab(&window(), u"renaming"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    (void)QTest::qWaitFor([&] { return friends->name == u"Pals"_s; }, 1000);
    EXPECT_EQ(friends->name, u"Pals"_s);
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(outline().model()->indexOfGroup(friends).data().toString(), u"Pals"_s);

    mainView().undo();
    EXPECT_EQ(friends->name, u"Friends"_s);
    EXPECT_FALSE(window().undoManager()->canUndo());
    mainView().redo();
    EXPECT_EQ(friends->name, u"Pals"_s);

    m_app.delegate().saveAddressBook(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    EXPECT_NE(groupNamed(u"Pals"_s), nullptr);
    EXPECT_EQ(groupNamed(u"Friends"_s), nullptr);
}

TEST_F(WindowDragAndDrop, RowsDroppedOntoAGroupWithoutThemAreAddedToIt)
{
    const GroupRecordPtr work = groupNamed(u"Work"_s);
    // Chosen elsewhere (the toolbar's menu), each group shows as chosen here.
    mainView().groupSelectionDidChange(work);
    EXPECT_EQ(outline().outlineView()->currentIndex(), outline().model()->indexOfGroup(work));
    mainView().groupSelectionDidChange(groupNamed(u"All Contacts"_s));
    EXPECT_EQ(outline().outlineView()->currentIndex(), outline().model()->indexOfGroup(groupNamed(u"All Contacts"_s)));
    const qsizetype members = work->contactTable->size();
    const QList<int> rows = rowsOfContactsOutside(work, 2);
    ASSERT_EQ(rows.size(), 2);
    const auto data = std::unique_ptr<QMimeData>(table().dragAndDrop()->mimeDataForRows(rows));
    EXPECT_TRUE(DragEvents::drop(outline().outlineView()->viewport(), centreOf(work), data.get()));
    EXPECT_EQ(work->contactTable->size(), members + 2);
    EXPECT_TRUE(rowsOfContactsOutside(work, 12).size() < table().subContactTable().size());
    EXPECT_TRUE(window().isWindowModified());
}

TEST_F(WindowDragAndDrop, AnEditOfAnOldMemberOfAGroupFirstOpenedByADropIsSaved)
{
    const GroupRecordPtr work = groupNamed(u"Work"_s);
    ASSERT_FALSE(work->contactTable) << "the group was never chosen";
    const QList<int> rows = rowsOfContactsOutside(work, 1);
    ASSERT_EQ(rows.size(), 1);
    const auto data = std::unique_ptr<QMimeData>(table().dragAndDrop()->mimeDataForRows(rows));
    EXPECT_TRUE(DragEvents::drop(outline().outlineView()->viewport(), centreOf(work), data.get()));

    QTest::mouseClick(outline().outlineView()->viewport(), Qt::LeftButton, {}, centreOf(work));
    QCoreApplication::processEvents();
    ASSERT_EQ(mainView().selectedGroupDict(), work);
    table().updateColumnsInTableView({FieldId::Name, FieldId::Company});
    QCoreApplication::processEvents();
    const QList<SubContactRecordPtr> &shown = table().subContactTable();
    const auto old = std::find_if(shown.cbegin(), shown.cend(), [&work](const SubContactRecordPtr &row) {
        return std::any_of(work->contactTable->cbegin(), work->contactTable->cend(),
            [&row](const ContactRecordPtr &member) { return member->uniqueId == row->uniqueId && !member->isNew; });
    });
    ASSERT_NE(old, shown.cend()) << "the group shows its members from the store";
    const UniqueId edited = (*old)->uniqueId;
    const int index = int(old - shown.cbegin());
    QTableView *view = table().tableView();
    const QRect cell
        = view->visualRect(view->model()->index(index, int(table().columnIdentifiers().indexOf(FieldId::Company))));
    table().selectRowIndexes({index});
    deliveredDoubleClick(view->viewport(), QPoint(cell.right() - 8, cell.center().y()));
    QWidget *editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor->objectName() == u"cellEditor"_s);
    QTest::keyClicks(editor, u"Dropped Group 6 Co."_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    m_app.delegate().saveAddressBook(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    EXPECT_EQ(storedString(m_book, edited, FieldId::Company), u"Dropped Group 6 Co."_s);
}

TEST_F(WindowDragAndDrop, AnotherWindowsRowsDroppedOnTheTableAreOneUndoStep)
{
    StoreContact zed;
    zed.setGivenName(u"Zed"_s);
    zed.setFamilyName(u"Quill"_s);
    ContactsViewController other;
    other.setContactTable(
        std::make_shared<ContactTable>(ContactTable{ContactRecord::makeWithPerson(MVPerson::initWithCNContact(zed))}));
    other.setSelectedLabels({u"All"_s});
    other.setColumnIdentifiers({FieldId::Name});
    other.updateSubContactTable();
    other.reload();
    const auto data = std::unique_ptr<QMimeData>(other.dragAndDrop()->mimeDataForRows({0}));
    const qsizetype contacts = mainView().contactTable()->size();
    QTableView *view = table().tableView();
    const QPoint between = view->visualRect(view->model()->index(1, 1)).topLeft() + QPoint(10, 1);
    EXPECT_TRUE(DragEvents::drop(view->viewport(), between, data.get()));
    const auto zedsShown = [this] {
        const auto &shown = *mainView().contactTable();
        return std::count_if(shown.cbegin(), shown.cend(), [](const ContactRecordPtr &contact) {
            return !contact->deleted && contact->person->nameValue()->firstName == u"Zed"_s;
        });
    };
    EXPECT_EQ(mainView().contactTable()->size(), contacts + 1);
    EXPECT_EQ(zedsShown(), 1);
    mainView().undo();
    EXPECT_FALSE(window().undoManager()->canUndo());
    EXPECT_EQ(zedsShown(), 0);
}

// Opens the pop-up's menu as the user does and clicks the item of the key.
void chooseFromMenu(QWidget *window, QMenu *menu, const QVariant &key)
{
    menu->popup(window->mapToGlobal(QPoint(60, 60)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction *found = nullptr;
    for (QAction *item : menu->actions()) {
        if (item->data() == key && !item->menu())
            found = item;
    }
    ASSERT_TRUE(found) << qPrintable(key.toString());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(found).center());
    menu->close();
}

QString unquoted(const QString &cell)
{
    return cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"') ? cell.sliced(1, cell.size() - 2) : cell;
}

// In the Address Detail view Ctrl+C and Edit ▸ Copy as CSV carry the postal
// code, prefecture, city and street each row's cells show, with no label.
TEST_F(WindowDragAndDrop, CopyInAddressDetailCarriesTheAddressPartsTheCellsShow)
{
    chooseFromMenu(&window(), window().viewTypePopup()->menu(), u"Address Detail"_s);
    const QStringList columns = table().columnIdentifiers();
    const QAbstractItemModel *cells = table().tableView()->model();
    const qsizetype zipColumn = columns.indexOf(FieldId::ZIP);
    ASSERT_GE(zipColumn, 0) << qPrintable(columns.join(u','));
    QList<int> rows;
    for (int row = 0; row < table().subContactTable().size() && rows.size() < 3; ++row) {
        if (!cells->index(row, int(zipColumn)).data().toString().isEmpty())
            rows.append(row);
    }
    ASSERT_EQ(rows.size(), 3);
    table().selectRowIndexes(rows);
    table().makeFirstResponder();
    QTest::keyClick(table().tableView(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(lines.size(), rows.size());
    for (const ContactIdentifier &part : {FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street}) {
        const qsizetype column = columns.indexOf(part);
        ASSERT_GE(column, 0) << qPrintable(part);
        for (qsizetype line = 0; line < lines.size(); ++line) {
            const QString shown = cells->index(rows.at(line), int(column)).data().toString();
            EXPECT_EQ(unquoted(lines.at(line).split(u'\t').value(column)), shown) << qPrintable(part) << line;
        }
    }

    window().validateMenus();
    QMenu *edit = window().editMenu();
    edit->popup(window().mapToGlobal(QPoint(60, 60)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(window().copyAsCSVAction()).center());
    edit->close();
    const QStringList csvLines = QGuiApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(csvLines.size(), rows.size());
    const QString zip = cells->index(rows.first(), int(zipColumn)).data().toString();
    EXPECT_TRUE(csvLines.first().contains(u", "_s + zip + u", "_s)) << qPrintable(csvLines.first());
}

// A phone's export saved as text, with a byte-order mark and a blank line
// before its card, is taken by its content.
TEST_F(WindowDragAndDrop, ACardFileNamedTxtDroppedOnTheTableAddsItsContacts)
{
    const QString path = writeFile(u"phone.txt"_s,
        "\xEF\xBB\xBF\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nFN:Zed Quill\r\nEND:VCARD\r\n");
    const qsizetype contacts = mainView().contactTable()->size();
    EXPECT_TRUE(dropFile(path));
    EXPECT_EQ(mainView().contactTable()->size(), contacts + 1);
    EXPECT_EQ(contactsNamed(u"Zed"_s), 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

// vCard text from another program is taken only when it adds a contact:
// the program it came from is told whether to consider it moved.
TEST_F(WindowDragAndDrop, VCardTextIsTakenOnlyWhenItAddsAContact)
{
    const auto vCardText = [](const QByteArray &text) {
        auto data = std::make_unique<QMimeData>();
        data->setData(DragType::vCard, text);
        return data;
    };
    const auto zed = vCardText("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nFN:Zed Quill\r\nEND:VCARD\r\n");
    const qsizetype contacts = mainView().contactTable()->size();
    ASSERT_FALSE(window().isWindowModified());
    EXPECT_FALSE(dropOnTable(*vCardText("no card here")));

    const GroupRecordPtr shown = mainView().selectedGroupDict();
    mainView().setSelectedGroupDict(nullptr);
    EXPECT_FALSE(dropOnTable(*zed));
    EXPECT_EQ(contactsNamed(u"Zed"_s), 0);
    EXPECT_EQ(mainView().contactTable()->size(), contacts);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_FALSE(window().undoManager()->canUndo());

    mainView().setSelectedGroupDict(shown);
    EXPECT_TRUE(dropOnTable(*zed));
    EXPECT_EQ(contactsNamed(u"Zed"_s), 1);
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_TRUE(window().undoManager()->canUndo());
}

struct ProgressOfDropRow {
    const char *name;
    bool cancel;
};

class ProgressOfDrop : public WindowDragAndDrop, public testing::WithParamInterface<ProgressOfDropRow> { };

// The file is read behind the progress window File ▸ Import shows: Cancel
// adds nothing, and a reading let end adds its contacts as one undo step.
TEST_P(ProgressOfDrop, ReadsBehindTheImportsProgressWindow)
{
    const QString path = writeFile(u"zed.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nEND:VCARD\r\n");
    const qsizetype contacts = mainView().contactTable()->size();
    HeldThreadPool pool;
    bool shown = false;
    QTimer::singleShot(0, &window(), [&] {
        ProgressAlert *progress = window().progressAlert();
        shown = progress->isVisible() && progress->alertMessage()->text().contains(u"zed.vcf"_s);
        Screenshot::grab(progress, QString::fromLatin1(GetParam().name));
        if (GetParam().cancel)
            QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
        else
            pool.release();
    });
    EXPECT_EQ(dropFile(path), !GetParam().cancel);
    pool.release();
    ProgressJob::threadPool().waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(window().progressAlert()->isVisible());
    EXPECT_EQ(contactsNamed(u"Zed"_s), GetParam().cancel ? 0 : 1);
    EXPECT_EQ(window().undoManager()->canUndo(), !GetParam().cancel);
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    if (GetParam().cancel)
        return;
    mainView().undo();
    EXPECT_FALSE(window().undoManager()->canUndo());
    EXPECT_EQ(contactsNamed(u"Zed"_s), 0);
    EXPECT_EQ(mainView().contactTable()->size(), contacts);
}

INSTANTIATE_TEST_SUITE_P(Endings, ProgressOfDrop,
    testing::Values(ProgressOfDropRow{"Cancelled", true}, ProgressOfDropRow{"Completed", false}),
    [](const testing::TestParamInfo<ProgressOfDropRow> &info) { return std::string(info.param.name); });

// The file read, its contacts are added behind the same progress window:
// Cancel there adds nothing either and leaves the rows as they were.
TEST_F(WindowDragAndDrop, CancelWhileTheDropsContactsAreAddedAddsNothing)
{
    const QString path = writeFile(u"zed.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nEND:VCARD\r\n");
    const ContactTable contacts = *mainView().contactTable();
    const qsizetype rows = table().subContactTable().size();
    const CancelWhileAdding cancel(*window().progressAlert(), 1);
    dropFile(path);
    ProgressJob::threadPool().waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(cancel.turns(), 1);
    EXPECT_FALSE(window().progressAlert()->isVisible());
    EXPECT_EQ(contactsNamed(u"Zed"_s), 0);
    EXPECT_TRUE(*mainView().contactTable() == contacts);
    EXPECT_EQ(table().subContactTable().size(), rows);
    EXPECT_FALSE(window().undoManager()->canUndo());
    EXPECT_FALSE(window().isWindowModified());
}

// Counts the times a window was shown and hidden.
class ShownAndHidden : public QObject {
public:
    explicit ShownAndHidden(QWidget &window) { window.installEventFilter(this); }
    int shown = 0;
    int hidden = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        shown += event->type() == QEvent::Show ? 1 : 0;
        hidden += event->type() == QEvent::Hide ? 1 : 0;
        return false;
    }
};

struct DropEndingRow {
    const char *name;
    int cancelTurn; // the turn of the event loop, while adding, that cancels; 0: none
    bool taken;
    QList<int> selected; // the rows selected before the drop, and after a cancelled one
};

class DropEnding : public WindowDragAndDrop, public testing::WithParamInterface<DropEndingRow> { };

// The file is read and its contacts added behind one progress window, shown
// once and closed once, never closed in between; the drop is taken only
// when its contacts were added. A cancelled drop leaves the rows selected as
// they were, none if none was.
TEST_P(DropEnding, OneProgressWindowStandsFromTheReadingToTheEndOfTheAdding)
{
    const QString path = writeFile(u"zed.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Quill;Zed;;;\r\nEND:VCARD\r\n");
    table().selectRowIndexes(GetParam().selected);
    ASSERT_EQ(table().selectedRowIndexes(), GetParam().selected);
    ShownAndHidden progress(*window().progressAlert());
    std::optional<CancelWhileAdding> cancel;
    if (GetParam().cancelTurn > 0)
        cancel.emplace(*window().progressAlert(), GetParam().cancelTurn);
    EXPECT_EQ(dropFile(path), GetParam().taken);
    ProgressJob::threadPool().waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(progress.shown, 1);
    EXPECT_EQ(progress.hidden, 1);
    EXPECT_FALSE(window().progressAlert()->isVisible());
    EXPECT_EQ(contactsNamed(u"Zed"_s), GetParam().taken ? 1 : 0);
    EXPECT_EQ(window().undoManager()->canUndo(), GetParam().taken);
    if (!GetParam().taken) {
        EXPECT_EQ(table().selectedRowIndexes(), GetParam().selected);
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, DropEnding,
    testing::Values(DropEndingRow{"Completed", 0, true, {2}}, DropEndingRow{"CancelledAfterRecording", 1, false, {2}},
        DropEndingRow{"CancelledAfterSortingIn", 2, false, {2}},
        DropEndingRow{"CancelledWithNoRowSelected", 2, false, {}}),
    [](const testing::TestParamInfo<DropEndingRow> &info) { return std::string(info.param.name); });

struct UnreadableDropRow {
    const char *name;
    QString fileName;
    // Makes the file at the path.
    std::function<void(const QString &)> make;
};

class UnreadableFileDrop : public WindowDragAndDrop, public testing::WithParamInterface<UnreadableDropRow> { };

// Dropped, the file adds nothing and alerts, after the drop has ended, with
// the very alert File ▸ Import from vCard gives for it.
TEST_P(UnreadableFileDrop, AlertsAsTheImportDoes)
{
    const QString path = QDir(m_files).filePath(GetParam().fileName);
    GetParam().make(path);
    const qsizetype contacts = mainView().contactTable()->size();
    EXPECT_FALSE(dropFile(path));
    EXPECT_TRUE(m_alerts.alerts.isEmpty()) << "not while the drop runs";
    QCoreApplication::processEvents();
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    window().fileCommands()->setFilePanel([path](const FilePanel::Request &, const FilePanel::Done &done) {
        done({path, 0});
    });
    window().fileCommands()->importFromVCard();
    ASSERT_EQ(m_alerts.alerts.size(), 2);
    EXPECT_EQ(m_alerts.alerts.at(0).messageText, m_alerts.alerts.at(1).messageText);
    EXPECT_EQ(m_alerts.alerts.at(0).informativeText, m_alerts.alerts.at(1).informativeText);
    EXPECT_FALSE(m_alerts.alerts.at(0).informativeText.isEmpty());
    EXPECT_EQ(mainView().contactTable()->size(), contacts);
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableFileDrop,
    testing::Values(UnreadableDropRow{"Fifo", u"pipe.vcf"_s,
                        [](const QString &path) { EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0); }},
        UnreadableDropRow{"Folder", u"cards.vcf"_s, [](const QString &path) { EXPECT_TRUE(QDir().mkdir(path)); }},
        UnreadableDropRow{"Binary", u"image.vcf"_s,
            [](const QString &path) { ::writeBytes(path, QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)); }},
        UnreadableDropRow{"TxtCardWithNulBytes", u"damaged.txt"_s,
            [](const QString &path) { ::writeBytes(path, QByteArray("BEGIN:VCARD\r\nN:\0\0\0\0\r\n", 21)); }}),
    [](const testing::TestParamInfo<UnreadableDropRow> &info) { return std::string(info.param.name); });

} // namespace
