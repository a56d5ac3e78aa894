// The lock of a window holds in the contact popovers it opens: their own
// Undo and Redo step the window's history only while the window is
// editable, and a window that cannot be unlocked gives them no Edit.
#include "AddressBookTestSupport.h"
#include "ContactViewFixture.h"

#include "app/DocumentController.h"
#include "app/ProgressJob.h"
#include "common/Screenshot.h"

#include <QDir>
#include <QFile>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

ContactInfoPopover *openContactPopover(ContactsViewController &table, int index)
{
    QTableView *view = table.tableView();
    const int name = int(table.columnIdentifiers().indexOf(FieldId::Name));
    const QRect cell = view->visualRect(view->model()->index(index, name));
    deliveredDoubleClick(view->viewport(), cell.center());
    endTurn();
    auto *popover = dynamic_cast<ContactInfoPopover *>(table.contactInfoPopoverPane());
    if (popover && !QTest::qWaitFor([popover] { return QApplication::focusWidget() == popover; }))
        popover->setFocus();
    return popover;
}

QString companyOf(const PersonRecordPtr &contact)
{
    return contact->person->stringValues()->value(FieldId::Company);
}

class PopoverHistory : public ContactViewTest {
protected:
    // Types the company into the row's cell.
    void typeCompany(int index, const QString &text)
    {
        table().selectRowIndexes({index});
        doubleClick(FieldId::Company, index);
        ASSERT_NE(cellEditor(), nullptr);
        QTest::keyClick(cellEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(cellEditor(), text);
        QTest::keyClick(cellEditor(), Qt::Key_Return);
        endTurn();
    }
};

TEST_F(PopoverHistory, UndoAndRedoInAPopoverOfALockedWindowChangeNothing)
{
    const QList<int> starts = firstRows();
    const SubContactRecordPtr edited = row(starts[0]);
    typeCompany(starts[0], u"First 3 Co."_s);
    typeCompany(firstRowOf(edited->uniqueId), u"Second 3 Co."_s);
    ASSERT_EQ(companyOf(edited), u"Second 3 Co."_s);
    undoOnce();
    ASSERT_EQ(companyOf(edited), u"First 3 Co."_s);
    ASSERT_TRUE(undoManager().canUndo());
    ASSERT_TRUE(undoManager().canRedo());
    window().editButton()->trigger();
    ASSERT_FALSE(mainView().editState());

    const SubContactRecordPtr other = row(starts[1]);
    ContactInfoPopover *popover = openPopover(starts[1]);
    ASSERT_NE(popover, nullptr);
    ASSERT_EQ(popover->contact()->uniqueId, other->uniqueId);
    QTest::keyClick(popover, Qt::Key_Z, Qt::ControlModifier);
    endTurn();
    EXPECT_EQ(companyOf(edited), u"First 3 Co."_s);
    QTest::keyClick(popover, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    endTurn();
    EXPECT_EQ(companyOf(edited), u"First 3 Co."_s);
    EXPECT_TRUE(undoManager().canUndo());
    EXPECT_TRUE(undoManager().canRedo());
    EXPECT_TRUE(window().isWindowModified());
    // A window merely locked leaves the popover's own toggle to the user.
    ASSERT_TRUE(popover->editButton()->isEnabled());
    QTest::mouseClick(popover->editButton(), Qt::LeftButton);
    EXPECT_TRUE(popover->editState());
    closePopover();

    // Unlocked, the same keys step the window's history.
    window().editButton()->trigger();
    ASSERT_TRUE(mainView().editState());
    popover = openPopover(firstRowOf(other->uniqueId));
    ASSERT_NE(popover, nullptr);
    QTest::keyClick(popover, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    endTurn();
    EXPECT_EQ(companyOf(edited), u"Second 3 Co."_s);
    QTest::keyClick(popover, Qt::Key_Z, Qt::ControlModifier);
    endTurn();
    EXPECT_EQ(companyOf(edited), u"First 3 Co."_s);
    closePopover();
}

// Layout mode locks the window and every contact view it opened; its Edit
// comes back with the window's.
TEST_F(PopoverHistory, ADetachedWindowLocksInLayoutModeAndMayUnlockAfterIt)
{
    const QPointer<ContactInfoPopover> detached = openDetached(firstRows().first());
    ASSERT_TRUE(detached);
    ASSERT_TRUE(detached->editState());
    activateMainWindow();
    QTest::mouseClick(window().layoutButton(), Qt::LeftButton);
    ASSERT_FALSE(window().editButton()->isEnabled());
    EXPECT_FALSE(detached->editState());
    EXPECT_FALSE(detached->editButton()->isEnabled());

    QTest::mouseClick(window().layoutButton(), Qt::LeftButton);
    ASSERT_TRUE(window().editButton()->isEnabled());
    EXPECT_TRUE(detached->editButton()->isEnabled());
    QTest::mouseClick(detached->editButton(), Qt::LeftButton);
    EXPECT_TRUE(detached->editState());
    detached->window()->close();
    endTurn();
}

// A CSV document is shown as it was read: its popover has no Edit.
class CsvDocumentPopover : public testing::Test {
protected:
    void SetUp() override
    {
        ProgressJob::setDocumentMinimumMilliseconds(0);
        documents().setWindowServices(&m_servicesOwner, {nullptr, &m_alerts, {}});
        const QString path = QDir(TestEnvironment::makeScratchFolder(u"csv-popover"_s)).filePath(u"two.csv"_s);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Name,Company\nAnn Able,ACME\nBen Best,Kit\n");
        file.close();
        ASSERT_TRUE(documents().openFile(path));
        m_window = documents().windowOfFile(path);
        ASSERT_TRUE(m_window);
        m_window->show();
        QApplication::setActiveWindow(m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    }
    void TearDown() override
    {
        for (WindowController *window : documents().documentWindows())
            delete window;
        documents().releaseWindowServices(&m_servicesOwner);
    }
    static DocumentController &documents() { return DocumentController::sharedDocumentController(); }

    RecordingAlertPresenter m_alerts;
    QObject m_servicesOwner;
    QPointer<WindowController> m_window;
};

TEST_F(CsvDocumentPopover, OffersNoEditAndItsDeleteKeyClearsNothing)
{
    ContactsViewController &table = *m_window->contactsViewController();
    ASSERT_FALSE(m_window->editButton()->isEnabled());
    ContactInfoPopover *popover = openContactPopover(table, 0);
    ASSERT_NE(popover, nullptr);
    const PersonRecordPtr shown = popover->contact();
    const QString company = companyOf(shown);
    ASSERT_FALSE(company.isEmpty());
    Screenshot::grab(table.popover(), u"csvPopover"_s);
    EXPECT_FALSE(popover->editButton()->isEnabled());
    EXPECT_FALSE(popover->editState());

    QTest::mouseClick(popover->editButton(), Qt::LeftButton);
    EXPECT_FALSE(popover->editState());
    popover->selectRows({popover->infoModel()->firstRowOfType(FieldId::Company)});
    QTest::keyClick(popover, Qt::Key_Delete);
    endTurn();
    EXPECT_EQ(companyOf(shown), company);
    EXPECT_FALSE(m_window->isWindowModified());
    EXPECT_FALSE(m_window->undoManager()->canUndo());
}

} // namespace
