#include "MergeSheetFixture.h"
#include "app/ContactMenuCommands.h"
#include "common/EventLoop.h"

namespace {

TEST_F(MergeSheetTest, OpensOnTheFirstTwoSelectedContactsAsFreshCopies)
{
    EXPECT_EQ(panel().contextInfo()->contacts, (QList<ContactRecordPtr>{contact(0), contact(1)}));
    EXPECT_EQ(panel().contactLeft()->uniqueId, contact(0)->uniqueId);
    EXPECT_NE(panel().contactLeft()->person, contact(0)->person);
    EXPECT_EQ(panel().nameFieldRight()->text(), contact(1)->person->compositeName());
    EXPECT_EQ(panel().model(true)->rowCount(), panel().model(false)->rowCount());
    EXPECT_TRUE(panel().isVisible());
    EXPECT_FALSE(m_window.contactCommands()->canMergeContacts());
    if (panel().editButton()->isChecked())
        QTest::mouseClick(panel().editButton(), Qt::LeftButton);
    EXPECT_EQ(panel().editButton()->text(), u"Edit"_s);
    Screenshot::grab(&panel(), u"locked"_s);

    unlock();
    EXPECT_EQ(panel().editButton()->text(), u"Lock"_s);
    EXPECT_EQ(panel().doneButton()->text(), u"Change"_s);
    EXPECT_FALSE(panel().doneButton()->isEnabled());
    Screenshot::grab(&panel(), u"editing"_s);
}

TEST_F(MergeSheetTest, MergeIsOfferedOnlyForTwoDistinctContacts)
{
    QTest::mouseClick(panel().cancelButton(), Qt::LeftButton);
    unlock();
    panel().done(0);
    const QList<std::pair<const char *, QList<ContactRecordPtr>>> cases{
        {"one contact", {contact(0)}},
        {"two rows of one contact", {contact(0), ContactRecord::makeWithPerson(contact(0)->person)}},
        {"two contacts", {contact(0), contact(1)}},
    };
    for (const auto &[what, selected] : cases) {
        m_table.selectedContactsList = selected;
        EXPECT_EQ(m_window.contactCommands()->canMergeContacts(), selected.size() == 2 && selected.at(1) == contact(1))
            << what;
    }
}

TEST_F(MergeSheetTest, UndoingEveryChangeDisablesDoneAndLockingWaits)
{
    unlock();
    type(true, rowOf(true, FieldId::Company), u"Other Inc."_s);
    EXPECT_EQ(panel().changeCount(), 1);
    EXPECT_TRUE(panel().doneButton()->isEnabled());
    QTest::mouseClick(panel().editButton(), Qt::LeftButton);
    EXPECT_TRUE(panel().editButton()->isChecked());
    EXPECT_EQ(panel().editButton()->text(), u"Lock"_s);

    view(true).setFocus();
    QTest::keyClick(view(true).viewport(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(panel().changeCount(), 0);
    EXPECT_FALSE(panel().doneButton()->isEnabled());
    EXPECT_EQ(copy(true).stringValues()->value(FieldId::Company), u"Quillmark Inc."_s);
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    QTest::keyClick(view(true).viewport(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(panel().changeCount(), 1);
    EXPECT_TRUE(panel().doneButton()->isEnabled());
}

TEST_F(MergeSheetTest, CancelLeavesTheAddressBookAndReopeningStartsAfresh)
{
    unlock();
    ASSERT_TRUE(drop(false, rowOf(false, FieldId::Phone, 1), true, rowOf(true, FieldId::Phone, 0)));
    const std::string before = dumpPerson(person(0)) + dumpPerson(person(1));
    QTest::mouseClick(panel().cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(dumpPerson(person(0)) + dumpPerson(person(1)), before);
    m_window.contactCommands()->mergeContacts();
    EXPECT_EQ(panel().changeCount(), 0);
    EXPECT_EQ(phones(false).size(), 2);
}

TEST_F(MergeSheetTest, DoneIsOneWindowUndoStepKeepingJointNames)
{
    const std::string before0 = dumpPerson(person(0));
    const std::string before1 = dumpPerson(person(1));
    unlock();
    ASSERT_TRUE(drop(false, rowOf(false, FieldId::Phone, 1), true, rowOf(true, FieldId::Phone, 0)));
    QTest::mouseClick(panel().doneButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(person(0).phoneValues()->first()->valueText(), u"075-123-4567"_s);
    EXPECT_EQ(person(1).phoneValues()->size(), 1);
    EXPECT_EQ(person(0).stringValues()->value(FieldId::Renmei), u"花子"_s);
    EXPECT_EQ(person(1).stringValues()->value(FieldId::Renmei), u"花子"_s);
    EXPECT_TRUE(m_window.isWindowModified());
    m_window.undoManager()->undo();
    EXPECT_EQ(dumpPerson(person(0)), before0);
    EXPECT_EQ(dumpPerson(person(1)), before1);
    EXPECT_FALSE(m_window.undoManager()->canUndo());
}

TEST_F(MergeSheetTest, PhoneDropsMoveCopyAppendAndRefuse)
{
    unlock();
    const int leftFirst = rowOf(true, FieldId::Phone, 0);
    const int rightSecond = rowOf(false, FieldId::Phone, 1);
    ASSERT_TRUE(drop(false, rightSecond, true, leftFirst));
    EXPECT_EQ(phones(true), (QStringList{u"home:075-123-4567"_s, u"home:075-123-4567"_s}));
    EXPECT_EQ(phones(false), (QStringList{u"mobile:090-1234-5678"_s}));
    EXPECT_EQ(panel().changeCount(), 1);
    panel().undoManager()->undo();
    EXPECT_EQ(phones(false).size(), 2);
    EXPECT_EQ(phones(true).first(), u"mobile:090-1234-5678"_s);
    EXPECT_EQ(panel().changeCount(), 0);

    ASSERT_TRUE(drop(false, rightSecond, true, leftFirst, false, true));
    EXPECT_EQ(phones(false).size(), 2);
    EXPECT_EQ(phones(true).first(), u"home:075-123-4567"_s);

    ASSERT_TRUE(drop(false, rightSecond, true, leftFirst, true, true));
    EXPECT_EQ(phones(true).size(), 3);
    EXPECT_EQ(phones(true).last(), u"home:075-123-4567"_s);

    // Now the right has two phones against three: one filler row, and a
    // second only once the right has one phone less.
    panel().edits().undoDeleteLabeledValue(*copy(false).phoneValues()->first(), FieldId::Phone, panel().contact(false));
    const int firstFiller = rowOf(false, FieldId::Phone, 1);
    const int secondFiller = rowOf(false, FieldId::Phone, 2);
    ASSERT_TRUE(panel().model(false)->row(secondFiller)->isFiller());
    EXPECT_FALSE(drop(true, rowOf(true, FieldId::Phone, 0), false, secondFiller));
    EXPECT_TRUE(drop(true, rowOf(true, FieldId::Phone, 0), false, firstFiller, false, true));
    EXPECT_EQ(phones(false).size(), 2);
}

TEST_F(MergeSheetTest, SingleFieldsMoveAndBadDropsAreRefused)
{
    copy(false).setValue(u"Suzuki"_s, FieldId::LastName);
    panel().reloadTables();
    unlock();
    ASSERT_TRUE(drop(false, rowOf(false, FieldId::Name, 0, u"LastName"_s), true, rowOf(true, FieldId::Name, 0)));
    EXPECT_EQ(copy(true).nameValue()->lastName, u"Suzuki"_s);
    EXPECT_EQ(copy(true).nameValue()->firstName, u"Taro0"_s);
    EXPECT_EQ(copy(false).nameValue()->lastName, u""_s);

    ASSERT_TRUE(drop(true, rowOf(true, FieldId::Company), false, rowOf(false, FieldId::Company)));
    EXPECT_EQ(copy(true).stringValues()->value(FieldId::Company), u""_s);
    ASSERT_TRUE(drop(true, rowOf(true, FieldId::Birthday), false, rowOf(false, FieldId::Birthday)));
    EXPECT_FALSE(copy(true).birthdayValue()->value.has_value());
    EXPECT_EQ(panel().changeCount(), 3);

    const QList<std::tuple<const char *, bool, int, bool, int, bool>> refused{
        {"same table", true, rowOf(true, FieldId::Phone), true, rowOf(true, FieldId::Phone, 1), false},
        {"another block", true, rowOf(true, FieldId::Phone), false, rowOf(false, FieldId::Email), false},
        {"above a single field", false, rowOf(false, FieldId::Note), true, rowOf(true, FieldId::Note), true},
    };
    for (const auto &[what, fromLeft, sourceRow, toLeft, targetRow, above] : refused)
        EXPECT_FALSE(drop(fromLeft, sourceRow, toLeft, targetRow, above)) << what;
    QTest::mouseClick(panel().doneButton(), Qt::LeftButton);
    m_window.contactCommands()->mergeContacts();
    if (panel().editButton()->isChecked())
        QTest::mouseClick(panel().editButton(), Qt::LeftButton);
    ASSERT_FALSE(panel().isEditable());
    EXPECT_FALSE(drop(false, rowOf(false, FieldId::Phone), true, rowOf(true, FieldId::Phone))) << "locked";
}

TEST_F(MergeSheetTest, TypingCountsOnlyRealChangesAndTabWalksTheRows)
{
    unlock();
    copy(true).setValue(u"line one\nline two"_s, FieldId::Renmei);
    panel().reloadTables();
    const QList<std::pair<ContactIdentifier, QString>> retyped{
        {FieldId::Company, u"Quillmark Inc."_s},
        {FieldId::PhoneticName, u"タロウ"_s},
    };
    for (const auto &[field, text] : retyped)
        type(true, rowOf(true, field), text);
    EXPECT_EQ(panel().changeCount(), 0);

    // The joint names walked through keep their lines.
    view(true).editRow(rowOf(true, FieldId::Renmei));
    ASSERT_NE(view(true).openEditor(), nullptr);
    QTest::keyClick(view(true).openEditor(), Qt::Key_Tab);
    EXPECT_EQ(copy(true).stringValues()->value(FieldId::Renmei), u"line one\nline two"_s);
    EXPECT_EQ(panel().changeCount(), 0);

    view(true).editRow(rowOf(true, FieldId::Note));
    ASSERT_NE(view(true).openEditor(), nullptr);
    QTest::keyClick(view(true).openEditor(), Qt::Key_Tab);
    EXPECT_EQ(view(true).currentIndex().row(), rowOf(true, FieldId::Name, 0, u"FirstName"_s));
}

TEST_F(MergeSheetTest, PhotosAreMovedWithTheirBytesAndOnlyChangedOnesApplied)
{
    const QByteArray right = jpegOf(Qt::blue);
    const QByteArray other = jpegOf(Qt::green);
    person(1).setImageData(right);
    person(2).setImageData(other);
    QTest::mouseClick(panel().cancelButton(), Qt::LeftButton);
    endTurn();
    m_table.selectedContactsList = {contact(0), contact(1)};
    m_window.contactCommands()->mergeContacts();
    unlock();
    ASSERT_TRUE(drop(false, 0, true, 0));
    EXPECT_EQ(copy(true).imageData(), right);
    EXPECT_TRUE(copy(false).imageData().isEmpty());
    QTest::mouseClick(panel().doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_FALSE(person(0).photo().isNull());
    EXPECT_TRUE(person(1).photo().isNull());

    // An untouched photo keeps its bytes through a merge.
    m_table.selectedContactsList = {contact(2), contact(1)};
    m_window.contactCommands()->mergeContacts();
    unlock();
    type(true, rowOf(true, FieldId::Company), u"Changed"_s);
    QTest::mouseClick(panel().doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(person(2).imageData(), other);

    // A picture dropped from outside keeps its aspect, the longer side 512.
    m_window.contactCommands()->mergeContacts();
    unlock();
    QImage wide(2048, 1024, QImage::Format_RGB32);
    wide.fill(Qt::yellow);
    ImageViewDragAndDrop *well = panel().photoWell(true);
    ASSERT_NE(well, nullptr);
    well->setImage(wide);
    panel().imageDidChange(well);
    EXPECT_EQ(copy(true).photo().size(), QSize(512, 256));
    EXPECT_EQ(panel().changeCount(), 1);
}

TEST_F(MergeSheetTest, TheCustomLabelSheetAddsOnlyAfterEditingEnds)
{
    CustomLabelPanelController &sheet = *panel().customLabelPanelController();
    int result = -1;
    QObject::connect(&sheet, &QDialog::finished, &sheet, [&result](int code) { result = code; });
    sheet.open();
    EXPECT_FALSE(sheet.addButton()->isEnabled());
    QTest::keyClicks(sheet.customLabelField(), u"cottage"_s);
    EXPECT_FALSE(sheet.addButton()->isEnabled());
    QTest::keyClick(sheet.customLabelField(), Qt::Key_Return);
    EXPECT_TRUE(sheet.addButton()->isEnabled());
    QTest::mouseClick(sheet.addButton(), Qt::LeftButton);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(sheet.customLabel(), u"cottage"_s);
    EXPECT_TRUE(sheet.customLabelField()->text().isEmpty());
    EXPECT_FALSE(sheet.addButton()->isEnabled());
    sheet.open();
    QTest::keyClicks(sheet.customLabelField(), u"barn"_s);
    QTest::mouseClick(sheet.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(result, 0);

    // On the sheet: the row's value takes the label as one change.
    unlock();
    const int row = rowOf(true, FieldId::Phone);
    panel().chooseCustomLabel(true, row);
    QTest::keyClicks(sheet.customLabelField(), u"cottage"_s);
    QTest::keyClick(sheet.customLabelField(), Qt::Key_Return);
    QTest::mouseClick(sheet.addButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(copy(true).phoneValues()->first()->labelText(), u"cottage"_s);
    EXPECT_EQ(panel().changeCount(), 1);
}

TEST_F(MergeSheetTest, CellDelegateLabelMenuAndEditorWorkWithRealEvents)
{
    copy(true).setValue(u"first line\nsecond line"_s, FieldId::Note);
    panel().reloadTables();
    unlock();
    MergeTableView &left = view(true);
    auto *delegate = qobject_cast<MergeCellDelegate *>(left.itemDelegate());
    ASSERT_NE(delegate, nullptr);

    // A press on the phone's label pop-up opens the menu; an item chosen
    // there relabels the value as one step of the sheet's undo.
    const int phoneRow = rowOf(true, FieldId::Phone);
    const QModelIndex phone = left.model()->index(phoneRow, MergeTableModel::ValueColumn);
    left.scrollTo(phone);
    const QRect popup = delegate->popupRect(left.visualRect(phone), phoneRow);
    ASSERT_FALSE(popup.isEmpty());
    const QString before = copy(true).phoneValues()->first()->labelText();
    QTest::mousePress(left.viewport(), Qt::LeftButton, {}, popup.center());
    auto *menu = left.findChild<QMenu *>(u"mergeLabelMenu"_s);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    const QStringList labels = MVPerson::labelsForIdentifier(FieldId::Phone);
    const qsizetype position = labels.indexOf(before) == 0 ? 1 : 0;
    QAction *item = menu->actions().at(position);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(copy(true).phoneValues()->first()->labelText(), labels.at(position));
    EXPECT_EQ(panel().changeCount(), 1);
    panel().undoManager()->undo();
    EXPECT_EQ(copy(true).phoneValues()->first()->labelText(), before);
    EXPECT_FALSE(panel().undoManager()->canUndo());
    EXPECT_EQ(panel().changeCount(), 0);

    // A double click on the note opens the editor over the cell, lines kept;
    // Escape drops what was typed.
    const QModelIndex note = left.model()->index(rowOf(true, FieldId::Note), MergeTableModel::ValueColumn);
    left.scrollTo(note);
    QTest::mouseDClick(left.viewport(), Qt::LeftButton, {}, left.visualRect(note).center());
    QPlainTextEdit *editor = left.openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->toPlainText(), u"first line\nsecond line"_s);
    EXPECT_EQ(editor->geometry(), left.visualRect(note));
    Screenshot::grab(&panel(), u"note-editor"_s);
    QTest::keyClicks(editor, u"changed"_s);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(left.isEditing());
    EXPECT_EQ(copy(true).stringValues()->value(FieldId::Note), u"first line\nsecond line"_s);
    EXPECT_EQ(panel().changeCount(), 0);
}

// The darkest grey of the phone row's label pop-up as the left table paints it.
int darkestInkOfPhoneLabel(MergeTableView &view, int row)
{
    const QModelIndex index = view.model()->index(row, MergeTableModel::ValueColumn);
    view.scrollTo(index);
    const QRect cell = view.visualRect(index);
    QImage image(view.viewport()->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    view.viewport()->render(&image, cell.topLeft(), cell);
    const auto &cells = *qobject_cast<MergeCellDelegate *>(view.itemDelegate());
    const QRect popup = cells.popupRect(cell, row).intersected(image.rect());
    int darkest = 255;
    for (int y = popup.top(); y <= popup.bottom(); ++y) {
        for (int x = popup.left(); x <= popup.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return popup.isEmpty() ? -1 : darkest;
}

// A locked sheet ignores clicks on its label pop-ups, so they look disabled.
TEST_F(MergeSheetTest, LabelPopupsAreGreyedWhileTheSheetIsLocked)
{
    const int row = rowOf(true, FieldId::Phone);
    ASSERT_GE(row, 0);
    unlock();
    const int enabledInk = darkestInkOfPhoneLabel(view(true), row);
    if (panel().editButton()->isChecked())
        QTest::mouseClick(panel().editButton(), Qt::LeftButton);
    ASSERT_FALSE(panel().isEditable());
    const int disabledInk = darkestInkOfPhoneLabel(view(true), row);
    Screenshot::grab(&panel(), u"locked-labels"_s);
    ASSERT_GE(enabledInk, 0);
    EXPECT_LT(enabledInk, 80);
    EXPECT_GT(disabledInk, enabledInk + 40);
}

} // namespace
