// A detail row's double click, context menu, links and photo commands in the
// address-book window, as a user meets them.

#include "DetailTestSupport.h"

#include "common/OpenedUrls.h"
#include "detail/ContactInfoRowCommands.h"
#include "detail/ValueEditorHandOff.h"
#include "editors/AddressViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/RenmeiViewController.h"
#include "platform/widgets/Popover.h"
#include "table/ContactsViewController.h"
#include "table/workspace/WorkspaceUrls.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QUrl>

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

// Both map items read the same in this translation.
class SameMapTitles : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QByteArray text(source);
        if (QByteArray(context) == "ContactInfoMenu" && (text == "Open Map" || text == "Open Google Map"))
            return u"地図を開く"_s;
        return {};
    }
};

class DetailCommands : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        m_window.resize(1000, 900);
        m_controller.setEditState(true);
    }

    ContactInfoRowCommands &commands() const { return *pane().rowCommands(); }
    ValueEditorHandOff &handOff() const { return commands().handOff(); }
    QPoint cellPoint(const ContactInfoView &view, int row, int column) const
    {
        return view.visualRect(view.infoModel()->index(row, column)).center();
    }
    void doubleClick(ContactInfoView &view, int row, int column = ContactInfoTableModel::ValueColumn,
        Qt::KeyboardModifiers keys = {})
    {
        // As the window system delivers it: a click, then a press that is
        // also a double click.
        QWidget *viewport = view.viewport();
        const QPoint point = cellPoint(view, row, column);
        QTest::mousePress(viewport, Qt::LeftButton, keys, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, keys, point);
        QTest::mousePress(viewport, Qt::LeftButton, keys, point);
        QTest::mouseDClick(viewport, Qt::LeftButton, keys, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, keys, point);
        endTurn();
    }
    // The row's context menu as a right click opens it; null when none shows.
    QMenu *rightClick(ContactInfoView &view, const QPoint &point)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, view.viewport()->mapToGlobal(point));
        QApplication::sendEvent(view.viewport(), &event);
        QMenu *menu = view.rowCommands()->menu();
        return menu && menu->isVisible() ? menu : nullptr;
    }
    QMenu *rightClickRow(ContactInfoView &view, int row)
    {
        return rightClick(view, cellPoint(view, row, ContactInfoTableModel::ValueColumn));
    }
    static void choose(QMenu *menu, const QString &key)
    {
        ASSERT_NE(menu, nullptr);
        for (QAction *action : menu->actions()) {
            if (action->data().toString() == key) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                endTurn();
                return;
            }
        }
        FAIL() << key.toStdString();
    }
    // Closes the editor shown as if Done had written the result.
    void finishEditor(const PersonValue &value, const QStringList &names = {})
    {
        ValueEditor *editor = handOff().editor();
        ASSERT_NE(editor, nullptr);
        editor->contextInfo()->dirty = true;
        editor->contextInfo()->value = value;
        editor->contextInfo()->values = names;
        handOff().popover()->close();
        endTurn();
    }
    [[nodiscard]] int undoSteps()
    {
        int steps = 0;
        while (m_window.undoManager()->canUndo() && steps < 10) {
            m_controller.undo();
            ++steps;
        }
        endTurn();
        return steps;
    }
};

// --- Editors opened from a row -------------------------------------------------------

TEST_F(DetailCommands, EditorsOpenBelowTheRowAtTheSizeOfTheirFieldAndHost)
{
    show(fullContact());
    const struct {
        QString type;
        int column;
        Qt::KeyboardModifiers keys;
        QSize size;
    } cases[] = {{FieldId::Address, 1, {}, {340, 478}}, {FieldId::Address, 0, Qt::ControlModifier, {820, 260}},
        {FieldId::Phone, 0, {}, {360, 260}}, {FieldId::Birthday, 1, {}, {340, 284}},
        {FieldId::Renmei, 1, {}, {368, 260}}};
    for (const auto &c : cases) {
        doubleClick(pane(), rowOf(c.type), c.column, c.keys);
        ASSERT_NE(handOff().popover(), nullptr) << c.type.toStdString();
        EXPECT_EQ(handOff().popover()->contentSize(), c.size) << c.type.toStdString();
        EXPECT_EQ(handOff().popover()->positioningView(), pane().viewport());
        handOff().popover()->close();
        endTurn();
    }
    doubleClick(pane(), rowOf(FieldId::Address));
    Screenshot::grab(handOff().popover(), u"address-editor"_s);
    EXPECT_EQ(qobject_cast<RenmeiViewController *>(handOff().editor()), nullptr);
}

TEST_F(DetailCommands, AnAddressIsReplacedByItsLabelIndexOrAddedAndEachResultIsOneUndoStep)
{
    show(fullContact());
    // A second address numbered 2: the one numbered 1 was deleted earlier.
    LabeledValueRecord other = *person().labeledValues(FieldId::Address)->first();
    other.address->zip = u"530-0001"_s;
    other.labelIndex = 2;
    MVPerson::updateAddressValue(&other, 3);
    person().labeledValues(FieldId::Address)->append(std::make_shared<LabeledValueRecord>(other));
    pane().updateTable();

    doubleClick(pane(), rowOf(FieldId::Address, 1));
    auto *editor = qobject_cast<AddressViewController *>(handOff().editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->contextInfo()->labeledValue->labelIndex, 2);
    LabeledValueRecord changed = *editor->contextInfo()->labeledValue;
    changed.address->city = u"大阪市"_s;
    finishEditor(changed);
    EXPECT_EQ(person().labeledValueForIdentifierAtLabelIndex(FieldId::Address, 2)->address->city, u"大阪市"_s);
    EXPECT_TRUE(m_window.isWindowModified());
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_NE(person().labeledValueForIdentifierAtLabelIndex(FieldId::Address, 2)->address->city, u"大阪市"_s);

    // The right-click Add Item opens a new address, which comes back numbered -1.
    choose(rightClickRow(pane(), rowOf(FieldId::Address)), u"Add Item"_s);
    ASSERT_NE(handOff().editor(), nullptr);
    const LabeledValueRecordPtr fresh = handOff().editor()->contextInfo()->labeledValue;
    EXPECT_EQ(fresh->labelIndex, -1);
    EXPECT_EQ(fresh->address->zip, u"123"_s);
    EXPECT_EQ(fresh->labelText(), u"home"_s);
    finishEditor(*fresh);
    EXPECT_EQ(person().labeledValues(FieldId::Address)->size(), 3);
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_EQ(person().labeledValues(FieldId::Address)->size(), 2);
}

TEST_F(DetailCommands, JointNamesAndTheWholeAddressListComeBackAsTheFieldsNewValue)
{
    show(fullContact());
    doubleClick(pane(), rowOf(FieldId::Renmei));
    ASSERT_NE(qobject_cast<RenmeiViewController *>(handOff().editor()), nullptr);
    finishEditor({}, {u"Jiro"_s, u"Saburo"_s});
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Renmei, 0), u"Jiro\nSaburo"_s);

    doubleClick(pane(), rowOf(FieldId::Address), ContactInfoTableModel::ValueColumn, Qt::ControlModifier);
    ASSERT_NE(qobject_cast<MultiValueViewController *>(handOff().editor()), nullptr);
    finishEditor(LabeledValueList{});
    EXPECT_TRUE(person().labeledValues(FieldId::Address)->isEmpty());
    EXPECT_EQ(undoSteps(), 2);
    EXPECT_EQ(person().labeledValues(FieldId::Address)->size(), 1);
}

TEST_F(DetailCommands, AnEditorOpenedOverAnotherHandsInTheFirstResultAndLockedDoneAppliesNothing)
{
    show(fullContact());
    doubleClick(pane(), rowOf(FieldId::Renmei));
    ValueEditor *first = handOff().editor();
    ASSERT_NE(first, nullptr);
    first->contextInfo()->dirty = true;
    first->contextInfo()->values = {u"Shiro"_s};
    doubleClick(pane(), rowOf(FieldId::Birthday));
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Renmei, 0), u"Shiro"_s);
    EXPECT_EQ(handOff().popover()->behavior(), Popover::Behavior::Semitransient);
    handOff().popover()->close();
    endTurn();
    m_window.undoManager()->removeAllActions();

    m_controller.setEditState(false);
    doubleClick(pane(), rowOf(FieldId::Address));
    ASSERT_NE(handOff().editor(), nullptr);
    EXPECT_FALSE(handOff().editor()->isEditing());
    QTest::mouseClick(handOff().editor()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(handOff().popover(), nullptr);
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    // Locked, a phone number neither opens nor edits.
    doubleClick(pane(), rowOf(FieldId::Phone));
    EXPECT_EQ(handOff().popover(), nullptr);
    EXPECT_EQ(editedRow(pane()), -1);
}

// --- Menus and item commands -----------------------------------------------------------

TEST_F(DetailCommands, MenusShowTranslatedTitlesOnlyOnValuesAndTheirItemsChangeTheContactOnce)
{
    show(fullContact());
    EXPECT_EQ(rightClick(pane(), cellPoint(pane(), rowOf(FieldId::Phone), 0)), nullptr);
    const QRect last = pane().visualRect(rows().index(rows().rowCount() - 1, 1));
    EXPECT_EQ(rightClick(pane(), last.center() + QPoint(0, last.height() * 2)), nullptr);
    EXPECT_EQ(rightClickRow(pane(), rowOf(FieldId::Company)), nullptr);

    QMenu *menu = rightClickRow(pane(), rowOf(FieldId::Address));
    ASSERT_NE(menu, nullptr);
    Screenshot::grab(menu, u"address-menu"_s);
    menu->close();

    const qsizetype phones = person().labeledValues(FieldId::Phone)->size();
    choose(rightClickRow(pane(), rowOf(FieldId::Phone)), u"Add Item"_s);
    const LabeledValueRecordPtr added = person().labeledValues(FieldId::Phone)->last();
    EXPECT_EQ(added->valueText(), u"123"_s);
    EXPECT_EQ(added->labelText(), u"home"_s);
    EXPECT_EQ(rows().rowCount(), rows().table().size());
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->size(), phones);

    choose(rightClickRow(pane(), rowOf(FieldId::Phone)), u"Delete Item"_s);
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->size(), phones - 1);
    choose(rightClickRow(pane(), rowOf(FieldId::Birthday)), u"Delete Item"_s);
    EXPECT_TRUE(person().stringValueForIdentifier(FieldId::Birthday, 0).isEmpty());
    EXPECT_EQ(undoSteps(), 2);
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->size(), phones);
    EXPECT_FALSE(person().stringValueForIdentifier(FieldId::Birthday, 0).isEmpty());

    // Locked, the changing items are there but do nothing.
    m_controller.setEditState(false);
    menu = rightClickRow(pane(), rowOf(FieldId::Phone));
    ASSERT_NE(menu, nullptr);
    for (QAction *action : menu->actions()) {
        if (action->data() == u"Delete Item"_s) {
            EXPECT_FALSE(action->isEnabled());
        }
    }
    menu->close();
}

TEST_F(DetailCommands, APhoneDeletedSinceItsMenuOpenedIsLeftAlone)
{
    show(fullContact());
    QMenu *menu = rightClickRow(pane(), rowOf(FieldId::Phone, 1));
    ASSERT_NE(menu, nullptr);
    person().deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Phone, 1);
    pane().updateTable();
    commands().runMenuCommand(u"Delete Item"_s);
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->size(), 1);
    EXPECT_FALSE(m_window.undoManager()->canUndo());
}

TEST_F(DetailCommands, ThePhotoRowKeepsBetweenOneAndTwentyLines)
{
    show(fullContact());
    for (int i = 0; i < 25; ++i)
        choose(rightClickRow(pane(), rowOf(FieldId::Photo)), u"Icon Size Bigger"_s);
    EXPECT_EQ(pane().iconRowCount(), 20);
    for (int i = 0; i < 25; ++i)
        choose(rightClickRow(pane(), rowOf(FieldId::Photo)), u"Icon Size Smaller"_s);
    EXPECT_EQ(pane().iconRowCount(), 1);
    EXPECT_FALSE(m_window.undoManager()->canUndo());
}

// --- Links ------------------------------------------------------------------------------------

TEST_F(DetailCommands, EachLinkReachesItsSchemeAndTheMapsQueryFallsBackToTheWebMap)
{
    ContactRecordPtr contact = fullContact();
    setLabeled(*contact->person, FieldId::Phone, {{"mobile", "+81-3-1234-5678"}});
    show(contact);
    OpenedUrls catcher({u"tel"_s, u"mailto"_s, u"http"_s, u"https"_s, u"ical"_s});
    SameMapTitles japanese;
    QCoreApplication::installTranslator(&japanese);
    choose(rightClickRow(pane(), rowOf(FieldId::Phone)), u"Call Phone"_s);
    choose(rightClickRow(pane(), rowOf(FieldId::Email)), u"Send Email"_s);
    choose(rightClickRow(pane(), rowOf(FieldId::URL)), u"Open URL"_s);
    choose(rightClickRow(pane(), rowOf(FieldId::Birthday)), u"Open Calendar"_s);
    QMenu *menu = rightClickRow(pane(), rowOf(FieldId::Address));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().at(0)->text(), menu->actions().at(1)->text());
    choose(menu, u"Open Google Map"_s);
    // No application takes the maps query here.
    choose(rightClickRow(pane(), rowOf(FieldId::Address)), u"Open Map"_s);
    QCoreApplication::removeTranslator(&japanese);
    ASSERT_EQ(catcher.urls.size(), 6);
    EXPECT_EQ(catcher.urls.at(0), u"tel:+81-3-1234-5678"_s);
    EXPECT_EQ(catcher.urls.at(1), u"mailto:taro%40example.com"_s);
    EXPECT_EQ(catcher.urls.at(2), u"https://example.com/taro"_s);
    EXPECT_EQ(catcher.urls.at(3), u"ical://"_s);
    EXPECT_TRUE(catcher.urls.at(4).startsWith(u"https://www.google.com/maps/search/"_s));
    EXPECT_EQ(catcher.urls.at(5), catcher.urls.at(4));

    OpenedUrls maps({u"maps"_s});
    choose(rightClickRow(pane(), rowOf(FieldId::Address)), u"Open Map"_s);
    ASSERT_EQ(maps.urls.size(), 1);
    EXPECT_TRUE(maps.urls.first().startsWith(u"maps://?q="_s));
    EXPECT_EQ(catcher.urls.size(), 6);
}

TEST_F(DetailCommands, ALinkNothingOpensIsNamedInAnAlertAndTheCalendarOnlyLogged)
{
    show(fullContact());
    choose(rightClickRow(pane(), rowOf(FieldId::Birthday)), u"Open Calendar"_s);
    EXPECT_EQ(pane().findChild<QMessageBox *>(u"notOpenedAlert"_s), nullptr);
    choose(rightClickRow(pane(), rowOf(FieldId::Address)), u"Open Map"_s);
    auto *alert = pane().findChild<QMessageBox *>(u"notOpenedAlert"_s);
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->informativeText().contains(WorkspaceUrls::webMapSearchEndpoint));
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    alert->close();
}

// --- Photos ---------------------------------------------------------------------------------------

TEST_F(DetailCommands, APickedPhotoIsScaledAndWrittenOnceAndCancelOrAnotherFileChangesNothing)
{
    show(fullContact());
    const QString folder = TestEnvironment::makeScratchFolder(u"photos"_s);
    QImage large(2048, 1024, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    ASSERT_TRUE(large.save(folder + u"/large.png"_s));
    QFile text(folder + u"/notes.png"_s);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not an image\n");
    text.close();
    const QImage before = person().photo();

    choose(rightClickRow(pane(), rowOf(FieldId::Photo)), u"Replace Image"_s);
    auto *chooser = pane().findChild<QFileDialog *>(u"photoChooser"_s);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowModality(), Qt::WindowModal);
    chooser->reject();
    endTurn();
    EXPECT_EQ(person().photo(), before);
    EXPECT_FALSE(m_window.undoManager()->canUndo());

    EXPECT_FALSE(commands().pickPhotoFile(folder + u"/notes.png"_s));
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    EXPECT_TRUE(commands().pickPhotoFile(folder + u"/large.png"_s));
    EXPECT_EQ(person().photo().size(), QSize(512, 256));
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_EQ(person().photo().size(), before.size());

    choose(rightClickRow(pane(), rowOf(FieldId::Photo)), u"Delete Image"_s);
    EXPECT_TRUE(person().photo().isNull());
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_FALSE(person().photo().isNull());
}

// --- One announcement per change ------------------------------------------------------------

TEST_F(DetailCommands, TabKeepsTheNextEditorOpenAndTheTableRedrawsOnlyTheChangedRows)
{
    ContactRecordPtr contact = fullContact();
    m_controller.setContactTable(std::make_shared<ContactTable>(ContactTable{contact}));
    m_controller.contactsViewController()->setContactTable(m_controller.contactTable());
    m_controller.contactsViewController()->updateTable();
    show(contact);
    auto *table = dynamic_cast<ContactsViewController *>(m_controller.contactsViewController());
    ASSERT_NE(table, nullptr);
    QSignalSpy resets(table->tableView()->model(), &QAbstractItemModel::modelReset);
    QSignalSpy changes(table->tableView()->model(), &QAbstractItemModel::dataChanged);

    typeInto(pane(), rowOf(FieldId::Company), u"Ink Co."_s, Qt::Key_Tab);
    const int next = editedRow(pane());
    EXPECT_EQ(next, rowOf(FieldId::PhoneticName));
    QTest::qWait(50);
    endTurn();
    EXPECT_EQ(editedRow(pane()), next);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_GE(changes.count(), 1);
    EXPECT_EQ(undoSteps(), 1);
}

// --- The contact popover --------------------------------------------------------------------

class PopoverCommands : public DetailCommands {
protected:
    ContactInfoPopover &open(const ContactRecordPtr &contact)
    {
        m_contact = contact;
        m_popover = new Popover(&m_window);
        m_popover->setBehavior(Popover::Behavior::Transient);
        auto *view = new ContactInfoPopover(m_defaults.get());
        view->setContact(contact);
        view->setEditState(true);
        view->setMyUndoManager(m_window.undoManager());
        view->setParentWindow(&m_window);
        view->setDelegate(&m_controller);
        view->setParentPopover(m_popover);
        m_popover->setContentWidget(view);
        m_popover->setContentSize({450, 640});
        m_popover->showRelativeToRect(QRect(20, 40, 100, 20), &m_window, Popover::Edge::MaxX);
        EXPECT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == m_popover->windowHandle(); }));
        return *view;
    }
    void TearDown() override { delete m_popover; }

    QPointer<Popover> m_popover;
};

TEST_F(PopoverCommands, OpensItsOwnSizesEditsAPhoneWithoutLabelAndStaysOpenForItsDialogsAndChanges)
{
    ContactRecordPtr contact = fullContact();
    setLabeled(*contact->person, FieldId::Phone, {{"", "555-0100"}});
    ContactInfoPopover &view = open(contact);
    ValueEditorHandOff &editors = view.rowCommands()->handOff();
    doubleClick(view, rowIn(view, FieldId::Address));
    ASSERT_NE(qobject_cast<AddressViewController *>(editors.editor()), nullptr);
    EXPECT_EQ(editors.popover()->contentSize(), QSize(340, 460));
    editors.popover()->close();
    endTurn();

    // The click that closed the editor went to the contact's popover.
    m_popover->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == m_popover->windowHandle(); }));
    doubleClick(view, rowIn(view, FieldId::Phone));
    EXPECT_EQ(editedRow(view), rowIn(view, FieldId::Phone));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    endTurn();

    QMenu *menu = rightClickRow(view, rowIn(view, FieldId::URL));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().at(1)->data(), u"Open URL Panel"_s);
    menu->close();

    choose(rightClickRow(view, rowIn(view, FieldId::Photo)), u"Replace Image"_s);
    auto *chooser = view.findChild<QFileDialog *>(u"photoChooser"_s);
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(m_popover->isShown());
    chooser->reject();
    endTurn();

    const qsizetype emails = person().labeledValues(FieldId::Email)->size();
    choose(rightClickRow(view, rowIn(view, FieldId::Email)), u"Add Item"_s);
    EXPECT_EQ(person().labeledValues(FieldId::Email)->size(), emails + 1);
    EXPECT_TRUE(m_popover->isShown());
    EXPECT_TRUE(m_window.isWindowModified());
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_EQ(person().labeledValues(FieldId::Email)->size(), emails);
}

TEST_F(DetailCommands, AValueThatMovesItsContactInTheSortRebuildsTheTable)
{
    ContactRecordPtr ann = contactNamed(u"Ann"_s, u"c1"_s);
    ContactRecordPtr bob = contactNamed(u"Bob"_s, u"c2"_s);
    ann->person->setValue(u"Acme"_s, FieldId::Company);
    bob->person->setValue(u"Beta"_s, FieldId::Company);
    m_controller.setContactTable(std::make_shared<ContactTable>(ContactTable{ann, bob}));
    ContactTablePane &table = *m_controller.contactsViewController();
    table.setContactTable(m_controller.contactTable());
    table.setSortDescriptors({{FieldId::Company, true}});
    table.updateTable();
    ASSERT_EQ(table.subContactTable().first()->uniqueId, u"c1"_s);
    show(ann);

    typeInto(pane(), rowOf(FieldId::Company), u"Zeta"_s);
    QTest::qWait(20);
    endTurn();
    EXPECT_EQ(table.subContactTable().first()->uniqueId, u"c2"_s);
}

} // namespace
