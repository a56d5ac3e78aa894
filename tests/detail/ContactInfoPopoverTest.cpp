#include "DetailTestSupport.h"

#include "detail/DetachedWindow.h"
#include "detail/ImageViewDragAndDrop.h"
#include "editors/EditLockToggle.h"
#include "editors/SeparatorBox.h"
#include "platform/widgets/Popover.h"

#include <QLineEdit>
#include <QMimeData>
#include <QTableView>
#include <QUrl>

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

// A contact's popover opened from the address-book window, as the table
// opens it: its undo manager, the window as the one to mark, and the
// window's controller as delegate.
class ContactPopover : public PaneTest {
protected:
    // A view set up as its openers set it up.
    ContactInfoPopover *makeView(const ContactRecordPtr &contact, bool editState)
    {
        m_contact = contact;
        auto *view = new ContactInfoPopover(m_defaults.get());
        view->setContact(contact);
        view->setEditState(editState);
        view->setMyUndoManager(m_window.undoManager());
        view->setParentWindow(&m_window);
        view->setDelegate(&m_controller);
        return view;
    }

    ContactInfoPopover *open(const ContactRecordPtr &contact, bool editState = true)
    {
        m_popover = new Popover(&m_window);
        m_popover->setBehavior(Popover::Behavior::Transient);
        ContactInfoPopover *view = makeView(contact, editState);
        view->setParentPopover(m_popover);
        m_popover->setContentWidget(view);
        m_popover->setContentSize({450, 640});
        m_popover->showRelativeToRect(QRect(20, 40, 100, 20), &m_window, Popover::Edge::MaxX);
        EXPECT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == m_popover->windowHandle(); }));
        return view;
    }

    // The view of a window detached from a popover.
    DetachedWindow *openDetached(const ContactRecordPtr &contact)
    {
        auto *window = new DetachedWindow(makeView(contact, true));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }

    void TearDown() override { delete m_popover; }

    QPointer<Popover> m_popover;
};

TEST_F(ContactPopover, LockedShowsEditAndTakesNothingThenLockShowsRedKeepsTheRowAndRetypedTextRecordsNothing)
{
    ContactInfoPopover &view = *open(fullContact(), false);
    const int company = view.infoModel()->firstRowOfType(FieldId::Company);
    view.selectRows({company});
    EXPECT_EQ(view.editButton()->text(), u"Edit"_s);
    EXPECT_EQ(view.redSeparator()->borderColor(), QColor(Qt::gray));
    EXPECT_FALSE(view.infoModel()->flags(view.infoModel()->index(company, 1)) & Qt::ItemIsEditable);
    QMimeData picture;
    picture.setImageData(portrait());
    EXPECT_FALSE(view.photoWell()->acceptsDrag(&picture, nullptr, Qt::CopyAction));

    QTest::mouseClick(view.editButton(), Qt::LeftButton);
    EXPECT_EQ(view.editButton()->text(), u"Lock"_s);
    EXPECT_EQ(view.redSeparator()->borderColor(), QColor(Qt::red));
    EXPECT_EQ(view.redSeparator()->borderWidth(), 2);
    EXPECT_TRUE(view.infoModel()->flags(view.infoModel()->index(company, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(view.photoWell()->acceptsDrag(&picture, nullptr, Qt::CopyAction));
    EXPECT_EQ(view.selectedRows(), QList<int>{company});
    Screenshot::grab(m_popover);

    // Retyped text records nothing here.
    typeInto(view, company, u"Quill Co."_s);
    endTurn();
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    EXPECT_FALSE(m_window.isWindowModified());
    // A hit in another contact keeps the contact and selects the first row.
    view.selectRows({5});
    view.selectItemAndRange(hitIn(contactNamed(u"Bob"_s, u"c2"_s), FieldId::Company, {0, 0}));
    EXPECT_EQ(view.contact(), m_contact);
    EXPECT_EQ(view.selectedRows(), QList<int>{0});
}

TEST_F(ContactPopover, UndoInADetachedWindowUndoesTheWindowsStepAndClearsItsMark)
{
    DetachedWindow *window = openDetached(fullContact());
    ContactInfoPopover *view = window->contactInfoPopover();
    typeInto(*view, view->infoModel()->firstRowOfType(FieldId::Company), u"Ink Ltd."_s);
    endTurn();
    EXPECT_TRUE(window->isWindowModified());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Company, 0), u"Quill Co."_s);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    window->close();
}

// The Lock button ends an edit left open in the view as Return would: what
// was typed is stored, one step to undo, whether the button is clicked or
// pressed as an assistive tool presses it, leaving the focus where it is.
TEST_F(ContactPopover, LockStoresTheTextStillTypedInARow)
{
    for (const bool byAssistiveTool : {false, true}) {
        SCOPED_TRACE(byAssistiveTool ? "pressed, the focus left in the row" : "a click on the button");
        ContactInfoPopover &view = *open(fullContact());
        QPlainTextEdit *editor = editRow(view, view.infoModel()->firstRowOfType(FieldId::Company));
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, u"Ink Ltd."_s);
        if (byAssistiveTool) {
            ASSERT_EQ(QApplication::focusWidget(), editor);
            view.editButton()->click();
        } else {
            QTest::mouseClick(view.editButton(), Qt::LeftButton);
        }
        endTurn();
        EXPECT_EQ(view.editButton()->text(), u"Edit"_s);
        EXPECT_EQ(person().stringValueForIdentifier(FieldId::Company, 0), u"Ink Ltd."_s);
        EXPECT_TRUE(m_window.isWindowModified());
        ASSERT_TRUE(m_window.undoManager()->canUndo());
        m_controller.undo();
        EXPECT_EQ(person().stringValueForIdentifier(FieldId::Company, 0), u"Quill Co."_s);
        EXPECT_FALSE(m_window.undoManager()->canUndo());
        delete m_popover;
        m_window.setWindowModified(false);
    }
}

// The name over the rows is the contact's as it stands: typed, undone and
// redone.
TEST_F(ContactPopover, TheHeaderShowsTheNameAsEditedUndoneAndRedone)
{
    ContactInfoPopover &view = *open(fullContact());
    const QString before = view.contactNameField()->text();
    ASSERT_TRUE(before.contains(u"Taro"_s));
    int firstName = -1;
    for (int row = 0; row < view.infoModel()->rowCount() && firstName < 0; ++row) {
        if (view.infoModel()->index(row, ContactInfoTableModel::ValueColumn).data().toString() == u"Taro"_s)
            firstName = row;
    }
    ASSERT_GE(firstName, 0);
    typeInto(view, firstName, u"Jiro"_s);
    endTurn();
    ASSERT_EQ(person().nameValue()->firstName, u"Jiro"_s);
    EXPECT_EQ(view.contactNameField()->text(), person().compositeName());
    EXPECT_TRUE(view.contactNameField()->text().contains(u"Jiro"_s));

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.contactNameField()->text(), before);
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(view.contactNameField()->text().contains(u"Jiro"_s));
}

struct DeleteRow {
    const char *name;
    ContactIdentifier type;
    int nth;
    QStringList phonesLeft;
    QString firstNameLeft;
    bool changes;
};

class DeleteKey : public ContactPopover, public testing::WithParamInterface<DeleteRow> { };

TEST_P(DeleteKey, ClearsTheSelectedValueUndoably)
{
    const DeleteRow &row = GetParam();
    const ContactRecordPtr contact = contactNamed(u"Ann"_s);
    // Phones numbered 0 and 2: the value numbered 1 was deleted before.
    setLabeled(*contact->person, FieldId::Phone, {{"home", "111"}, {"work", "222"}}, {0, 2});
    contact->groupNames = {u"Friends"_s};
    ContactInfoPopover &view = *open(contact);
    view.selectRows({rowIn(view, row.type, row.nth)});
    QTest::keyClick(&view, Qt::Key_Delete);
    endTurn();
    QStringList phones;
    for (const LabeledValueRecordPtr &phone : *person().labeledValues(FieldId::Phone))
        phones.append(phone->stringValue);
    EXPECT_EQ(phones, row.phonesLeft);
    EXPECT_EQ(person().nameValue()->firstName, row.firstNameLeft);
    EXPECT_EQ(m_window.undoManager()->canUndo(), row.changes);
    m_controller.undo();
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->size(), 2);
    EXPECT_EQ(person().nameValue()->firstName, u"Ann"_s);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteKey,
    testing::Values(DeleteRow{"SecondPhone", FieldId::Phone, 1, {"111"}, "Ann", true},
        DeleteRow{"FirstName", FieldId::Name, 0, {"111", "222"}, "", true},
        DeleteRow{"Groups", "Groups", 0, {"111", "222"}, "Ann", false}),
    [](const auto &info) { return std::string(info.param.name); });

// Hosted by the test: the closing notice goes to a recording delegate.
class ClosingPopover : public ContactPopover {
protected:
    RecordingPopoverDelegate m_delegate;
};

TEST_F(ClosingPopover, AnOutsideClickOrClosingTheDetachedWindowSendsTheNoticeOnceAndKeepsTheIconCount)
{
    ContactInfoPopover *view = open(fullContact());
    view->setDelegate(&m_delegate);
    // As the context menu's icon sizes change it once the view is shown.
    view->setIconRowCount(5);
    QTest::mouseClick(m_window.centralWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(m_popover->isShown());
    EXPECT_EQ(m_delegate.closings, QStringList{u"taro"_s});
    EXPECT_EQ(ContactInfoPopover::storedIconRowCount(*m_defaults), 5);

    DetachedWindow *window = openDetached(fullContact());
    window->contactInfoPopover()->setDelegate(&m_delegate);
    window->contactInfoPopover()->setIconRowCount(4);
    window->showMinimized();
    EXPECT_EQ(m_delegate.closings.size(), 1);
    window->close();
    EXPECT_EQ(m_delegate.closings, (QStringList{u"taro"_s, u"taro"_s}));
    EXPECT_EQ(ContactInfoPopover::storedIconRowCount(*m_defaults), 4);
}

// --- The photo well ------------------------------------------------------------

TEST(PhotoWellDrag, IsTakenOnlyFromElsewhereWithAPicture)
{
    QTableView table;
    QWidget cell(table.viewport());
    QWidget elsewhere;
    ImageViewDragAndDrop well;
    well.setTableView(&table);
    well.setEditable(true); // the locked well is checked in the popover
    QMimeData picture;
    picture.setImageData(portrait());
    QMimeData file;
    const QString path = TestEnvironment::makeScratchFolder(QStringLiteral("well")) + QStringLiteral("/face.png");
    ASSERT_TRUE(portrait().save(path));
    file.setUrls({QUrl::fromLocalFile(path)});
    QMimeData text;
    text.setText(QStringLiteral("no picture"));
    const struct {
        const char *name;
        const QObject *source;
        const QMimeData *data;
        Qt::DropActions actions;
        bool accepted;
    } drags[] = {
        {"FromElsewhere", &elsewhere, &picture, Qt::CopyAction, true},
        {"APictureFile", &elsewhere, &file, Qt::CopyAction, true},
        {"ItsOwnPicture", &well, &picture, Qt::CopyAction, false},
        {"FromItsTable", &table, &picture, Qt::CopyAction, false},
        {"FromACellOfItsTable", &cell, &picture, Qt::CopyAction, false},
        {"NoPicture", &elsewhere, &text, Qt::CopyAction, false},
        {"MoveOnly", &elsewhere, &picture, Qt::MoveAction, false},
    };
    for (const auto &drag : drags)
        EXPECT_EQ(well.acceptsDrag(drag.data, drag.source, drag.actions), drag.accepted) << drag.name;
}

TEST(PhotoWellDragOut, GivesThePictureAsPngAndTiff)
{
    const std::unique_ptr<QMimeData> data(ImageViewDragAndDrop::mimeDataForImage(portrait()));
    for (const char *type : {"image/png", "image/tiff"}) {
        const QImage read = QImage::fromData(data->data(QString::fromLatin1(type)));
        EXPECT_EQ(read.size(), portrait().size()) << type;
        EXPECT_EQ(read.pixelColor(48, 30), portrait().pixelColor(48, 30)) << type;
    }
}

} // namespace
