// The merge sheet's double clicks, Tab, context menus, photo commands and
// photo-well drags, as a user meets them, and the window's commands while
// the sheet is open.

#include "MergeSheetFixture.h"

#include "common/LoggedMessages.h"
#include "common/TestEnvironment.h"
#include "detail/ValueEditorHandOff.h"
#include "editors/ValueEditor.h"
#include "platform/widgets/Popover.h"
#include "table/workspace/WorkspaceUrls.h"
#include "app/ContactMenuCommands.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QToolButton>

namespace {

class MergeCommandsTest : public MergeSheetTest {
protected:
    // The class of the editor shown now, or "" for none.
    QString shownEditor() const
    {
        ValueEditor *editor = panel().handOff().editor();
        Popover *popover = panel().handOff().popover();
        return editor && popover && popover->isShown() ? QString::fromLatin1(editor->metaObject()->className())
                                                       : QString();
    }
    void closeEditor(const std::optional<PersonValue> &result = std::nullopt)
    {
        Popover *popover = panel().handOff().popover();
        if (!popover)
            return;
        if (result) {
            panel().handOff().editor()->contextInfo()->dirty = true;
            panel().handOff().editor()->contextInfo()->value = *result;
        }
        popover->close();
        QCoreApplication::processEvents();
    }
    void lock()
    {
        if (panel().editButton()->isChecked())
            QTest::mouseClick(panel().editButton(), Qt::LeftButton);
        ASSERT_FALSE(panel().isEditable());
    }
};

struct ClickCase {
    const char *what;
    bool editing;
    ContactIdentifier type;
    int nth; // the block's nth row
    int column;
    bool ctrl;
    const char *editor; // "" none, "cell" in place
};

TEST_F(MergeCommandsTest, DoubleClicksOpenTheEditorTheRowCallsFor)
{
    // The left side one phone and its address short: filler rows.
    panel().edits().undoDeleteLabeledValue(*copy(true).phoneValues()->last(), FieldId::Phone, panel().contact(true));
    panel().edits().undoDeleteLabeledValue(
        *copy(true).labeledValues(FieldId::Address)->first(), FieldId::Address, panel().contact(true));
    constexpr int value = MergeTableModel::ValueColumn;
    constexpr int type = MergeTableModel::TypeColumn;
    const QList<ClickCase> cases{
        {"empty phone", true, FieldId::Phone, 1, value, false, "MultiValueViewController"},
        {"phone number", true, FieldId::Phone, 0, value, false, "cell"},
        {"empty address: the list", true, FieldId::Address, 0, value, false, "MultiValueViewController"},
        {"chat", true, FieldId::InstantMessage, 0, value, false, "IMSViewController"},
        {"social profile", true, FieldId::SocialNetwork, 0, value, false, "SNSViewController"},
        {"dates", true, FieldId::Dates, 0, value, false, "DatesViewController"},
        {"birthday", true, FieldId::Birthday, 0, value, false, "DateViewController"},
        {"joint names", true, FieldId::Renmei, 0, value, false, "RenmeiViewController"},
        {"company", true, FieldId::Company, 0, value, false, "cell"},
        {"type cell", true, FieldId::URL, 0, type, false, ""},
        {"ctrl on a phone", true, FieldId::Phone, 0, value, true, "MultiValueViewController"},
        {"locked chat", false, FieldId::InstantMessage, 0, value, false, "IMSViewController"},
        {"locked phone", false, FieldId::Phone, 0, value, false, ""},
        {"locked joint names", false, FieldId::Renmei, 0, value, false, ""},
        {"locked empty address", false, FieldId::Address, 0, value, false, ""},
        {"locked ctrl on dates", false, FieldId::Dates, 0, type, true, "DatesViewController"},
    };
    for (const ClickCase &c : cases) {
        if (c.editing)
            unlock();
        else
            lock();
        doubleClick(true, rowOf(true, c.type, c.nth), c.column, c.ctrl ? Qt::ControlModifier : Qt::NoModifier);
        const QString editor = view(true).openEditor() ? u"cell"_s : shownEditor();
        EXPECT_EQ(editor, QString::fromLatin1(c.editor)) << c.what;
        if (!editor.isEmpty() && editor != u"cell"_s) {
            EXPECT_EQ(panel().handOff().editor()->isEditing(), c.editing) << c.what;
        }
        if (QPlainTextEdit *cell = view(true).openEditor())
            QTest::keyClick(cell, Qt::Key_Escape);
        closeEditor();
    }
    EXPECT_EQ(panel().changeCount(), 0);

    // A result on the right-hand side changes that copy and counts once.
    unlock();
    doubleClick(false, rowOf(false, FieldId::Address), MergeTableModel::ValueColumn);
    ASSERT_EQ(shownEditor(), u"AddressViewController"_s);
    LabeledValueRecord moved = *panel().handOff().editor()->contextInfo()->labeledValue;
    moved.address->city = u"大津市"_s;
    closeEditor(PersonValue(moved));
    EXPECT_EQ(copy(false).labeledValues(FieldId::Address)->first()->address->city, u"大津市"_s);
    EXPECT_EQ(panel().changeCount(), 1);
    EXPECT_TRUE(panel().doneButton()->isEnabled());
}

TEST_F(MergeCommandsTest, TabOntoAnAddressOrChatOpensItsEditor)
{
    unlock();
    view(true).editRow(rowOf(true, FieldId::Renmei));
    ASSERT_NE(view(true).openEditor(), nullptr);
    QTest::keyClick(view(true).openEditor(), Qt::Key_Tab);
    ASSERT_EQ(shownEditor(), u"AddressViewController"_s);
    EXPECT_EQ(panel().handOff().editor()->contextInfo()->labeledValue->address->zip, u"604-8571"_s);
    EXPECT_EQ(view(true).currentIndex().row(), rowOf(true, FieldId::Address));
    EXPECT_EQ(panel().handOff().popover()->contentSize(), QSize(340, 478));
    Screenshot::grab(panel().handOff().popover(), u"tab-address-editor"_s);
    closeEditor();

    view(true).editRow(rowOf(true, FieldId::Email, 1));
    ASSERT_NE(view(true).openEditor(), nullptr);
    QTest::keyClick(view(true).openEditor(), Qt::Key_Tab);
    EXPECT_EQ(shownEditor(), u"IMSViewController"_s);
    closeEditor();
    EXPECT_EQ(panel().changeCount(), 0);

    // Alt+Return breaks the line inside the note; Return alone commits it
    // and goes on editing the first name, the commit's redraw closing no
    // editor behind the sheet's back.
    LoggedMessages logged;
    view(true).editRow(rowOf(true, FieldId::Note));
    QPlainTextEdit *note = view(true).openEditor();
    ASSERT_NE(note, nullptr);
    note->moveCursor(QTextCursor::End);
    QTest::keyClick(note, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClicks(note, u"again"_s);
    QTest::keyClick(note, Qt::Key_Return);
    EXPECT_EQ(copy(true).stringValues()->value(FieldId::Note), u"Met in Kyoto\nagain"_s);
    EXPECT_EQ(panel().changeCount(), 1);
    EXPECT_NE(view(true).openEditor(), nullptr);
    EXPECT_EQ(view(true).currentIndex(),
        view(true).model()->index(rowOf(true, FieldId::Name, 0, u"FirstName"_s), MergeTableModel::ValueColumn));
    EXPECT_FALSE(logged.contains(u"closeEditor"_s)) << logged.lines().join(u'\n').toStdString();
}

TEST_F(MergeCommandsTest, EachSidesMenuAddsAndDeletesItemsOnItsOwnCopy)
{
    unlock();
    EXPECT_EQ(rightClick(true, rowOf(true, FieldId::Phone), MergeTableModel::TypeColumn), nullptr);
    EXPECT_EQ(rightClick(true, rowOf(true, FieldId::Company)), nullptr);

    QMenu *menu = rightClick(true, rowOf(true, FieldId::Phone, 1));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(itemsOf(menu), (QStringList{u"Call Phone"_s, u"Open Phone Panel"_s, u"Add Item"_s, u"Delete Item"_s}));
    Screenshot::grab(menu, u"phone-menu"_s);
    choose(menu, u"Delete Item"_s);
    EXPECT_EQ(phones(true), (QStringList{u"mobile:090-1234-5678"_s}));
    EXPECT_EQ(phones(false).size(), 2);
    EXPECT_EQ(panel().changeCount(), 1);

    // The row left behind is a filler row of the block.
    menu = rightClick(true, rowOf(true, FieldId::Phone, 1));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(itemsOf(menu), (QStringList{u"!Call Phone"_s, u"Open Phone Panel"_s, u"Add Item"_s}));
    choose(menu, u"Add Item"_s);
    EXPECT_EQ(phones(true), (QStringList{u"mobile:090-1234-5678"_s, u"home:123"_s}));
    EXPECT_EQ(panel().changeCount(), 2);

    choose(rightClick(false, rowOf(false, FieldId::Relationship)), u"Add Item"_s);
    EXPECT_EQ(copy(false).labeledValues(FieldId::Relationship)->last()->labelText(), u"friend"_s);
    EXPECT_EQ(copy(true).labeledValues(FieldId::Relationship)->size(), 1);
    choose(rightClick(false, rowOf(false, FieldId::Birthday)), u"Delete Item"_s);
    EXPECT_TRUE(copy(false).stringValueForIdentifier(FieldId::Birthday, 0).isEmpty());
    EXPECT_EQ(panel().changeCount(), 4);

    // Add Item on an address opens its editor on a new address.
    choose(rightClick(false, rowOf(false, FieldId::Address)), u"Add Item"_s);
    ASSERT_EQ(shownEditor(), u"AddressViewController"_s);
    EXPECT_EQ(panel().handOff().editor()->contextInfo()->labeledValue->labelIndex, -1);
    closeEditor();
    choose(rightClick(true, rowOf(true, FieldId::Address)), u"Open Address Panel"_s);
    EXPECT_EQ(shownEditor(), u"AddressViewController"_s);
    closeEditor();
    EXPECT_EQ(panel().changeCount(), 4);

    for (int step = 0; step < 4; ++step)
        panel().undoManager()->undo();
    EXPECT_EQ(phones(true).size(), 2);
    EXPECT_FALSE(copy(false).stringValueForIdentifier(FieldId::Birthday, 0).isEmpty());
    EXPECT_EQ(panel().changeCount(), 0);

    // Locked, nothing that changes a copy can be chosen.
    lock();
    menu = rightClick(true, rowOf(true, FieldId::Email));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(itemsOf(menu), (QStringList{u"Send Email"_s, u"Open Email Panel"_s, u"!Add Item"_s, u"!Delete Item"_s}));
    Screenshot::grab(menu, u"locked-email-menu"_s);
    menu->close();
}

TEST_F(MergeCommandsTest, PhotoItemsPickScaleAndDeleteAndWaitForTheLock)
{
    QImage blue(60, 40, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    copy(true).setPhoto(blue);
    panel().reloadTables();
    lock();
    QMenu *menu = rightClick(true, 0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(itemsOf(menu), (QStringList{u"!Replace Image"_s, u"!Delete Image"_s}));
    menu->close();

    unlock();
    menu = rightClick(false, 0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(itemsOf(menu), (QStringList{u"Add Image"_s}));
    choose(menu, u"Add Image"_s);
    auto *chooser = panel().findChild<QFileDialog *>(u"photoChooser"_s);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowModality(), Qt::WindowModal);
    chooser->reject();
    QCoreApplication::processEvents();
    EXPECT_TRUE(copy(false).photo().isNull());
    EXPECT_EQ(panel().changeCount(), 0);

    const QString folder = TestEnvironment::makeScratchFolder(u"merge-photos"_s);
    QImage tall(300, 1024, QImage::Format_RGB32);
    tall.fill(Qt::darkGreen);
    ASSERT_TRUE(tall.save(folder + u"/tall.png"_s));
    QFile text(folder + u"/notes.png"_s);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not an image\n");
    text.close();
    EXPECT_FALSE(panel().pickPhotoFile(false, folder + u"/notes.png"_s));
    EXPECT_EQ(panel().changeCount(), 0);
    EXPECT_TRUE(panel().pickPhotoFile(false, folder + u"/tall.png"_s));
    EXPECT_EQ(copy(false).photo().size(), QSize(150, 512));
    EXPECT_EQ(panel().changeCount(), 1);

    choose(rightClick(true, 0), u"Delete Image"_s);
    EXPECT_TRUE(copy(true).photo().isNull());
    EXPECT_EQ(panel().changeCount(), 2);
    panel().undoManager()->undo();
    EXPECT_EQ(copy(true).photo().size(), blue.size());
}

TEST_F(MergeCommandsTest, ALinkNothingOpensIsNamedInAnAlertOnTheSheet)
{
    lock();
    QMenu *menu = rightClick(true, rowOf(true, FieldId::Address));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(itemsOf(menu),
        (QStringList{u"Open Map"_s, u"Open Google Map"_s, u"Open Address Panel"_s, u"Add/Delete Address Item"_s,
            u"!Add Item"_s, u"!Delete Item"_s}));
    choose(menu, u"Open Map"_s);
    auto *alert = panel().findChild<QMessageBox *>(u"notOpenedAlert"_s);
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->informativeText().contains(WorkspaceUrls::webMapSearchEndpoint));
    alert->close();
}

TEST_F(MergeCommandsTest, APhotoFromTheOtherWellIsMovedOrCopiedThroughTheTable)
{
    const QByteArray right = jpegOf(Qt::blue);
    copy(false).setImageData(right);
    panel().reloadTables();
    unlock();
    const QPoint middle = panel().photoWell(true)->rect().center();

    // A drag reports the well it left as its source.
    auto dropOnLeftWell = [&](Qt::KeyboardModifiers keys) {
        std::unique_ptr<QMimeData> data(panel().photoWell(false)->dragMimeData());
        ImageViewDragAndDrop *well = panel().photoWell(true);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(middle, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(well, &enter);
        QDragMoveEvent move(middle, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(well, &move);
        QDropEvent dropped(QPointF(middle), actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(well, &dropped);
        QCoreApplication::processEvents();
        return std::pair{dropped.isAccepted(), dropped.dropAction()};
    };
    EXPECT_EQ(dropOnLeftWell(Qt::ControlModifier), std::pair(true, Qt::CopyAction));
    EXPECT_EQ(copy(true).imageData(), right);
    EXPECT_EQ(copy(false).imageData(), right);
    EXPECT_EQ(panel().changeCount(), 1);
    panel().undoManager()->undo();

    EXPECT_EQ(dropOnLeftWell(Qt::NoModifier), std::pair(true, Qt::MoveAction));
    EXPECT_EQ(copy(true).imageData(), right);
    EXPECT_TRUE(copy(false).photo().isNull());
    EXPECT_EQ(panel().changeCount(), 1);
    EXPECT_TRUE(panel().photoWell(false)->image().isNull());
    Screenshot::grab(&panel(), u"photo-moved"_s);

    // Its own well's drag back onto itself is refused.
    std::unique_ptr<QMimeData> own(panel().photoWell(true)->dragMimeData());
    QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel().photoWell(true), &enter);
    QDragMoveEvent move(middle, Qt::CopyAction | Qt::MoveAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel().photoWell(true), &move);
    EXPECT_FALSE(move.isAccepted());
}

TEST_F(MergeCommandsTest, FormatPhoneNumbersWaitsWhileTheSheetIsOpen)
{
    QMenu &formats = *m_window.contactCommands()->phoneFormatMenu();
    m_window.validateMenus();
    EXPECT_FALSE(formats.menuAction()->isEnabled());
    EXPECT_FALSE(m_window.contactCommands()->canMergeContacts());
    QTest::mouseClick(panel().cancelButton(), Qt::LeftButton);
    unlock();
    panel().done(0);
    ASSERT_FALSE(panel().isVisible());
    // The view type shown shows the phones.
    for (QAction *item : m_window.itemsPopup()->menu()->actions()) {
        if (item->data() == FieldId::Phone && !item->isChecked())
            item->trigger();
    }
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    m_window.validateMenus();
    EXPECT_TRUE(m_window.contactCommands()->canMergeContacts());
    EXPECT_TRUE(formats.menuAction()->isEnabled());
    m_window.contactCommands()->mergeContacts();
    ASSERT_TRUE(panel().isVisible());
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    m_window.validateMenus();
    EXPECT_FALSE(formats.menuAction()->isEnabled());
}

} // namespace
