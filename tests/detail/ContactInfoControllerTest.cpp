#include "DetailTestSupport.h"

#include "common/JapaneseLabels.h"
#include "detail/ContactInfoCellDelegate.h"
#include "detail/ImageViewDragAndDrop.h"

#include <QMimeData>

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

// --- Cells -----------------------------------------------------------------------

using DetailPane = PaneTest;

TEST_F(DetailPane, ShowsEachFieldOnceWithItsPictureAndThePopUpsAndEditorsAsTheyMayBeUsed)
{
    m_window.resize(1000, 900);
    show(fullContact());
    const int phone = rowOf(FieldId::Phone);
    for (const int row : {phone, phone + 1}) {
        EXPECT_EQ(rows().typeText(row), row == phone ? u"Phone"_s : QString());
        EXPECT_EQ(rows().data(rows().index(row, 0), Qt::DecorationRole).value<QImage>().isNull(), row != phone);
    }

    const int ordering = rowOf(FieldId::NameOrdering);
    const int display = rowOf(QStringLiteral("Name Display"));
    EXPECT_FALSE(rows().isPopupEnabled(ordering));
    EXPECT_EQ(rows().data(rows().index(ordering, 1), Qt::ToolTipRole).toString(),
        u"Sorry, change will not be saved due to the lack of system service."_s);
    EXPECT_TRUE(rows().isPopupEnabled(display));
    EXPECT_FALSE(rows().data(rows().index(display, 1), Qt::ToolTipRole).isValid());
    Screenshot::grab(&pane(), QStringLiteral("editing"));
    // A disabled pop-up does not open; an editor left without typing changes nothing.
    const QRect orderingCell = pane().visualRect(rows().index(ordering, 1));
    QTest::mouseClick(pane().viewport(), Qt::LeftButton, {}, orderingCell.topLeft() + QPoint(8, 8));
    EXPECT_EQ(pane().popupMenu(), nullptr);
    QPlainTextEdit *editor = editRow(pane(), rowOf(FieldId::Company));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    endTurn();
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    EXPECT_FALSE(m_window.isWindowModified());

    m_controller.setEditState(false);
    EXPECT_FALSE(rows().isPopupEnabled(display));
    EXPECT_FALSE(rows().flags(rows().index(rowOf(FieldId::Company), 1)) & Qt::ItemIsEditable);
    Screenshot::grab(&pane(), QStringLiteral("locked"));
}

// --- Find ------------------------------------------------------------------------

// How many pixels of the row's value cell show the colour.
int pixelsOf(ContactInfoView &view, int row, const QColor &colour)
{
    const QImage shown = view.viewport()->grab().toImage();
    const QRect cell = view.visualRect(view.infoModel()->index(row, 1));
    int count = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x)
            count += shown.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

TEST_F(DetailPane, MarksEveryMatchAndTheCurrentHitOrangeAndFollowsAHitIntoAnotherContact)
{
    show(contactNamed(QStringLiteral("Ann")));
    person().setValue(u"Anderson and Sons"_s, FieldId::Note);
    pane().setFindString(u"an"_s);
    pane().selectItemAndRange(hitIn(m_contact, FieldId::Note, {0, 2}));
    const int note = rowOf(FieldId::Note);
    EXPECT_EQ(pane().selectedRows(), QList<int>{note});
    const FindMarks marks = rows().textMarks(note);
    EXPECT_EQ(marks.matches(), (QList<TextRange>{{0, 2}, {9, 2}}));
    EXPECT_EQ(marks.hit(), (TextRange{0, 2}));
    EXPECT_GT(pixelsOf(pane(), note, FindMarks::hitColor()), 20);
    EXPECT_GT(pixelsOf(pane(), note, FindMarks::matchColor()), 20);

    // A range the text no longer reaches marks nothing.
    pane().selectItemAndRange(hitIn(m_contact, FieldId::Note, {20, 2}));
    EXPECT_FALSE(rows().textMarks(note).hit());

    // A hit in another contact shows that contact, which no contact replaces.
    const ContactRecordPtr other = contactNamed(QStringLiteral("Bob"), QStringLiteral("c2"));
    other->person->setValue(u"bobs note"_s, FieldId::Note);
    pane().selectItemAndRange(hitIn(other, FieldId::Note, {0, 3}));
    EXPECT_EQ(pane().contact(), other);
    EXPECT_EQ(pane().selectedRows(), QList<int>{rowOf(FieldId::Note)});
    pane().setContact(nullptr);
    EXPECT_EQ(pane().contact(), other);
}

// A labeled hit selects the value by its number, and a selected row is where
// the next find starts.
TEST_F(DetailPane, ALabeledHitAndASelectedRowGoByTheValuesNumber)
{
    show(contactNamed(QStringLiteral("Ann")));
    setLabeled(person(), FieldId::Phone, {{"home", "111"}, {"work", "222"}, {"other", "333"}}, {0, 2, 5});
    pane().updateTable();
    pane().selectItemAndRange(hitIn(m_contact, FieldId::Phone, {0, 1}, 2));
    EXPECT_EQ(pane().selectedRows(), QList<int>{rowOf(FieldId::Phone, 1)});
    pane().selectRows({rowOf(FieldId::Phone, 1)});
    const ItemAndRangeRecordPtr target = m_controller.selectedItemAndRange();
    ASSERT_TRUE(target);
    EXPECT_EQ(target->identifier, FieldId::Phone);
    EXPECT_EQ(target->labelIndex, 2);
    EXPECT_FALSE(target->subIdentifier);
    pane().selectRows({rowOf(FieldId::Name)});
    EXPECT_EQ(target->identifier, FieldId::Name);
    EXPECT_EQ(target->subIdentifier, FieldId::FirstName);
    EXPECT_EQ(target->range, (TextRange{0, 0}));
}

// --- Edits -----------------------------------------------------------------------

TEST_F(DetailPane, EmptyingTheFirstNameAndDroppingAPictureAreStepsUndoTakesBackAndThePhoneticMiddleNameGoesToItsPart)
{
    show(contactNamed(QStringLiteral("Ann")));
    // The empty row of a field without values takes no typing.
    EXPECT_EQ(editRow(pane(), rowOf(FieldId::Email)), nullptr);
    EXPECT_EQ(editedRow(pane()), -1);
    typeInto(pane(), rowOf(FieldId::Name), {});
    endTurn();
    EXPECT_EQ(person().nameValue()->firstName, QString());
    EXPECT_TRUE(m_window.isWindowModified());
    m_controller.undo();
    EXPECT_EQ(person().nameValue()->firstName, QStringLiteral("Ann"));
    EXPECT_FALSE(m_window.undoManager()->canUndo());

    // A dropped picture is one step too.
    m_window.setWindowModified(false);
    QMimeData data;
    data.setImageData(portrait());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    deliver(pane().photoWell(), &drop);
    endTurn();
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_FALSE(person().photo().isNull());
    EXPECT_TRUE(m_window.isWindowModified());
    // Data that holds no picture is refused and keeps the picture, adding no step.
    const auto dropped = person().photo();
    QMimeData broken;
    broken.setData(QStringLiteral("image/png"), "not a picture");
    QDropEvent refused(QPointF(10, 10), Qt::CopyAction, &broken, Qt::LeftButton, {});
    deliver(pane().photoWell(), &refused);
    endTurn();
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(person().photo(), dropped);
    m_controller.undo();
    EXPECT_TRUE(person().photo().isNull());
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    typeInto(pane(), rowOf(FieldId::PhoneticName, 1), u"Mido"_s);
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::PhoneticMiddleName, 0), u"Mido"_s);
}

TEST_F(DetailPane, RetypedTextIsAStepAndATextWithLinesMakesItsRowTaller)
{
    show(fullContact());
    // Tab from the company skips to the phonetic name.
    typeInto(pane(), rowOf(FieldId::Company), u"Quill Co."_s, Qt::Key_Tab);
    EXPECT_EQ(editedRow(pane()), rowOf(FieldId::PhoneticName));
    endTurn();
    EXPECT_TRUE(m_window.undoManager()->canUndo());
    EXPECT_TRUE(m_window.isWindowModified());

    const int note = rowOf(FieldId::Note);
    QPlainTextEdit *editor = editRow(pane(), note);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, u"one"_s);
    QTest::keyClick(editor, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClicks(editor, u"two"_s);
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Note, 0), u"one\ntwo"_s);
    EXPECT_EQ(pane().rowHeight(note), 2 * 24 + 2);
    // The note is the last row that takes text: the walk ends there rather
    // than open the first name, whose text the next keys would replace.
    EXPECT_EQ(editedRow(pane()), -1);
    endTurn();
    EXPECT_EQ(editedRow(pane()), -1);
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::FirstName, 0), u"Taro"_s);
}

// The label pop-up is drawn at the left of a labeled value and only a press
// there opens it; a plain text row has none. Choosing the label a value has
// records nothing.
TEST_F(DetailPane, LabelPopUpOpensOnlyWhereItIsDrawnAndChoosingTheLabelAValueHasRecordsNothing)
{
    show(fullContact());
    auto *delegate = qobject_cast<ContactInfoCellDelegate *>(pane().itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const int phone = rowOf(FieldId::Phone);
    const QRect cell = pane().visualRect(rows().index(phone, ContactInfoTableModel::ValueColumn));
    const QRect popup = delegate->popupRect(cell, phone);
    ASSERT_FALSE(popup.isEmpty());
    EXPECT_TRUE(cell.contains(popup));
    const int company = rowOf(FieldId::Company);
    EXPECT_TRUE(
        delegate->popupRect(pane().visualRect(rows().index(company, ContactInfoTableModel::ValueColumn)), company)
            .isEmpty());

    QTest::mouseClick(pane().viewport(), Qt::LeftButton, {}, QPoint(popup.right() + 30, popup.center().y()));
    EXPECT_EQ(pane().popupMenu(), nullptr);
    Screenshot::grab(&pane(), QStringLiteral("labeled"));

    choose(pane(), rowOf(FieldId::Phone), u"mobile"_s);
    endTurn();
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    choose(pane(), rowOf(FieldId::Phone), u"home"_s);
    endTurn();
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->first()->label, u"home"_s);
    EXPECT_TRUE(m_window.undoManager()->canUndo());

    choose(pane(), rowOf(QStringLiteral("Name Display")), u"Company"_s);
    EXPECT_FALSE(person().nameValue()->showAsPerson);
    EXPECT_EQ(person().compositeName(), u"Quill Co."_s);
    EXPECT_EQ(rows().valueText(rowOf(QStringLiteral("Name Display"))), u"Company"_s);
}

TEST_F(DetailPane, AChosenTranslatedLabelIsStoredAsItsWord)
{
    JapaneseLabels labels;
    QCoreApplication::installTranslator(&labels);
    FieldVocabulary::shared().removeAllCustomLabels();
    show(fullContact());
    choose(pane(), rowOf(FieldId::Phone), u"自宅"_s);
    QCoreApplication::removeTranslator(&labels);
    FieldVocabulary::shared().removeAllCustomLabels();
    EXPECT_EQ(person().labeledValues(FieldId::Phone)->first()->label, u"home"_s);
}

} // namespace
