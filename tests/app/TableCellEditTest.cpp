#include "TableEditingFixture.h"

#include "common/JapaneseLabels.h"
#include "common/Screenshot.h"
#include "common/WindowSystemInput.h"
#include "model/FieldVocabulary.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QString company(MVPerson &person)
{
    return person.stringValues()->value(FieldId::Company);
}

QStringList phones(MVPerson &person)
{
    QStringList texts;
    if (const LabeledValueListPtr values = person.labeledValues(FieldId::Phone)) {
        for (const LabeledValueRecordPtr &value : *values)
            texts.append(value->valueText());
    }
    return texts;
}

using CellEdit = TableEditingTest;

TEST_F(CellEdit, ACompanyTypedWithThreeRowsSelectedChangesAllThreeAsOneUndoStep)
{
    const QList<int> rows = firstRows().mid(0, 3);
    const QList<MVPersonPtr> persons{row(rows[0])->person, row(rows[1])->person, row(rows[2])->person};
    const QStringList before{company(*persons[0]), company(*persons[1]), company(*persons[2])};
    table().selectRowIndexes(rows);
    doubleClick(FieldId::Company, rows[1]);
    ASSERT_NE(cellEditor(), nullptr);
    EXPECT_EQ(table().selectedRowIndexes(), rows);
    Screenshot::grab(&window(), u"cellEditor"_s);
    QTest::keyClicks(cellEditor(), u"Acme 1055 Inc."_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    for (const MVPersonPtr &each : persons)
        EXPECT_EQ(company(*each), u"Acme 1055 Inc."_s);
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(table().selectedRowIndexes().size(), 1) << "Return moved the selection on";

    undoOnce();
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(company(*persons[index]), before[index]);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(CellEdit, TheSamePhoneTextRecordsNothingAndEscapeRestoresTheOldText)
{
    const int first = firstRows().first();
    const QString old = phones(person(first)).first();
    table().selectRowIndexes({first});
    doubleClick(FieldId::Phone, first);
    ASSERT_NE(cellEditor(), nullptr);
    auto *line = qobject_cast<QLineEdit *>(cellEditor());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->selectedText(), old);
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Tab);
    endTurn();
    EXPECT_FALSE(undoManager().canUndo());

    doubleClick(FieldId::Phone, first);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u"999"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Escape);
    endTurn();
    EXPECT_EQ(cellEditor(), nullptr);
    EXPECT_EQ(phones(person(first)).first(), old);
    EXPECT_FALSE(undoManager().canUndo());
    EXPECT_FALSE(window().isWindowModified());
}

TEST_F(CellEdit, APhoneTypedWhileOtherSelectedRowsHaveNoneChangesItsRowOnly)
{
    clearField(firstRows()[0], FieldId::Phone);
    clearField(firstRows()[2], FieldId::Phone);
    const QList<int> rows = firstRows().mid(0, 3);
    table().selectRowIndexes(rows);
    const MVPersonPtr before = row(rows[0])->person;
    const MVPersonPtr typed = row(rows[1])->person;
    const MVPersonPtr after = row(rows[2])->person;
    doubleClick(FieldId::Phone, rows[1]);
    // The other rows hold no phone: nothing to confirm.
    EXPECT_TRUE(m_alerts.confirmations.isEmpty());
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u"03-1234-5678"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    EXPECT_EQ(phones(*typed).first(), u"03-1234-5678"_s);
    EXPECT_TRUE(phones(*before).isEmpty());
    EXPECT_TRUE(phones(*after).isEmpty());
}

TEST_F(CellEdit, AClickOnAnotherRowEndsTheEditIntoTheEditsRows)
{
    const QList<int> rows = firstRows();
    // A company's name is its sort key: the rows move once it changes.
    const MVPersonPtr edited = row(rows[0])->person;
    const MVPersonPtr clicked = row(rows[3])->person;
    const QString other = company(*clicked);
    table().selectRowIndexes({rows[0]});
    doubleClick(FieldId::Company, rows[0]);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u"Kept Here"_s);
    click(FieldId::Company, rows[3]);
    endTurn();
    EXPECT_EQ(company(*edited), u"Kept Here"_s);
    EXPECT_EQ(company(*clicked), other);
}

TEST_F(CellEdit, LinesPastedIntoAOneLineFieldBecomeSpacesAndAltReturnBreaksANote)
{
    showColumns({FieldId::Company, FieldId::Note});
    const int first = firstRows().first();
    const MVPersonPtr edited = row(first)->person;
    table().selectRowIndexes({first});
    doubleClick(FieldId::Company, first);
    auto *line = qobject_cast<QLineEdit *>(cellEditor());
    ASSERT_NE(line, nullptr);
    line->insert(u"Two\nLines"_s);
    QTest::keyClick(line, Qt::Key_Return);
    endTurn();
    EXPECT_EQ(company(*edited), u"Two Lines"_s);

    const int note = firstRows().first();
    const MVPersonPtr noted = row(note)->person;
    table().selectRowIndexes({note});
    doubleClick(FieldId::Note, note);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u"one"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return, Qt::AltModifier);
    QTest::keyClicks(cellEditor(), u"two"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Backtab);
    endTurn();
    EXPECT_EQ(noted->stringValues()->value(FieldId::Note), u"one\ntwo"_s);
}

TEST_F(CellEdit, AnEditBegunOutsideTheSelectionAndEndedBySaveLeavesTheSelectedContact)
{
    const QList<int> rows = firstRows().mid(0, 2);
    const SubContactRecordPtr selected = row(rows[0]);
    const QString kept = company(*selected->person);
    table().selectRowIndexes(rows);
    // Its first press takes the row out of the selection.
    doubleClick(FieldId::Company, rows[1], Qt::ControlModifier);
    ASSERT_EQ(editedCell(), u"Company:%1"_s.arg(rows[1]));
    ASSERT_EQ(table().selectedRowIndexes(), QList<int>{rows[0]});
    m_app.delegate().saveAddressBook(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    EXPECT_EQ(storedString(m_book, selected->uniqueId, FieldId::Company), kept);
}

// A pen's press that no widget takes is passed on to each parent, then
// comes again as a mouse press: one press, on the cell.
TEST_F(CellEdit, APensDoubleTapOnACompanyOpensItsEditor)
{
    const int first = firstRows().first();
    const QPoint global = view()->viewport()->mapToGlobal(textPoint(FieldId::Company, first));
    ulong time = 100000;
    WindowSystemInput::penDoubleTap(window().windowHandle(), time, global);
    endTurn();
    EXPECT_EQ(editedCell(), u"Company:%1"_s.arg(first));
    EXPECT_NE(cellEditor(), nullptr);
}

// --- Tab and Return ------------------------------------------------------------

TEST_F(CellEdit, TabIntoAnEmptyPhoneEndsTheEdit)
{
    const int first = firstRows().first();
    clearField(first, FieldId::Phone);
    table().selectRowIndexes({first});
    doubleClick(FieldId::Company, first);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClick(cellEditor(), Qt::Key_Tab);
    endTurn();
    EXPECT_EQ(editedCell(), QString());
}

TEST_F(CellEdit, TabGoesToTheNextColumnOfTheRow)
{
    const int first = firstRows().first();
    table().selectRowIndexes({first});
    doubleClick(FieldId::Company, first);
    QTest::keyClick(cellEditor(), Qt::Key_Tab);
    endTurn();
    EXPECT_EQ(editedCell(), u"Phone:%1"_s.arg(first));
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClick(cellEditor(), Qt::Key_Escape);
}

TEST_F(CellEdit, ReturnInCompanyLandsOnTheNextContactsFirstRow)
{
    const QList<int> starts = firstRows();
    table().selectRowIndexes({starts[0]});
    doubleClick(FieldId::Company, starts[0]);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    EXPECT_EQ(editedCell(), u"Company:%1"_s.arg(starts[1]));
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{starts[1]});
}

TEST_F(CellEdit, ReturnInPhoneSkipsRowsWithoutAPhoneOrWithAFilteredOneAndWrapsToRowZero)
{
    const QList<int> starts = firstRows();
    // Phones only on the first contact and on the fourth, one each.
    for (int index = 1; index < starts.size(); ++index) {
        if (index != 3)
            person(starts[index]).setValue(LabeledValueList{}, FieldId::Phone);
    }
    for (int index : {0, 3}) {
        auto phone = std::make_shared<LabeledValueRecord>();
        phone->label = u"work"_s;
        phone->value = u"0%1"_s.arg(index);
        person(starts[index]).setValue(LabeledValueList{phone}, FieldId::Phone);
    }
    table().updateTable();
    endTurn();
    const QList<int> again = firstRows();
    table().selectRowIndexes({again[0]});
    doubleClick(FieldId::Phone, again[0]);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    EXPECT_EQ(editedCell(), u"Phone:%1"_s.arg(again[3]));
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    EXPECT_EQ(editedCell(), u"Phone:%1"_s.arg(again[0]));

    // Filtered to "home", the work phones show nothing: no edit begins.
    QTest::keyClick(cellEditor(), Qt::Key_Escape);
    table().setSelectedLabels({u"home"_s});
    table().reload();
    EXPECT_FALSE(table().cellEditor()->editCellInPlace(column(FieldId::Phone), again[0]));
}

TEST_F(CellEdit, HomeAndEndSelectTheFirstAndLastRowAndTheNameSortKeyReadsAsAWord)
{
    table().selectRowIndexes({2});
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_End);
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{rowCount() - 1});
    QTest::keyClick(view(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{0});

    QStringList titles;
    for (QAction *column : window().sortOptionsPopup()->menu()->actions()) {
        if (column->menu() && column->data() == FieldId::Name) {
            for (QAction *key : column->menu()->actions())
                titles.append(key->text());
        }
    }
    EXPECT_EQ(titles.value(0), u"Name"_s);
}

// --- Label pop-ups and check boxes ------------------------------------------------

class CellControls : public TableEditingTest {
protected:
    [[nodiscard]] QPoint popupPoint(const ContactIdentifier &identifier, int index) const
    {
        const QModelIndex cell = view()->model()->index(index, column(identifier));
        const QRect rect = view()->visualRect(cell);
        return {rect.left() + 12, rect.top() + table().rowHeight() / 2};
    }
    [[nodiscard]] QPoint boxPoint(const ContactIdentifier &identifier, int index) const
    {
        const QModelIndex cell = view()->model()->index(index, column(identifier));
        const QRect rect = view()->visualRect(cell);
        return identifier == u"Sender"_s ? QPoint(rect.center().x(), rect.top() + table().rowHeight() / 2)
                                         : QPoint(rect.left() + 8, rect.top() + table().rowHeight() / 2);
    }
    // Presses the label pop-up and picks the item of the label word, or the
    // item showing the title.
    void chooseLabel(const ContactIdentifier &identifier, int index, const QString &label, bool byTitle = false)
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, popupPoint(identifier, index));
        auto *menu = table().findChild<QMenu *>(u"labelMenu"_s);
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        Screenshot::grab(menu, u"labelMenu"_s);
        QAction *item = nullptr;
        for (QAction *each : menu->actions()) {
            if ((byTitle ? each->text() : each->data().toString()) == label)
                item = each;
        }
        ASSERT_NE(item, nullptr) << qPrintable(label);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        endTurn();
    }
    [[nodiscard]] static QString label(MVPerson &person, const ContactIdentifier &field, int position)
    {
        return person.labeledValues(field)->at(position)->labelText();
    }
    [[nodiscard]] static QList<bool> senderFlags(MVPerson &person)
    {
        QList<bool> flags;
        if (const LabeledValueListPtr addresses = person.labeledValues(FieldId::Address)) {
            for (const LabeledValueRecordPtr &address : *addresses)
                flags.append(std::as_const(address->layout)->printsSender());
        }
        return flags;
    }
};

TEST_F(CellControls, ChoosingTheLabelAValueHasRecordsNothingAndAnotherIsOneStepThatKeepsTheSelection)
{
    const QList<int> rows = firstRows().mid(0, 3);
    const QString old = label(person(rows[0]), FieldId::Phone, 0);
    table().selectRowIndexes({rows[0]});
    chooseLabel(FieldId::Phone, rows[0], old);
    EXPECT_FALSE(undoManager().canUndo());
    EXPECT_TRUE(m_alerts.confirmations.isEmpty());

    const QString other = old == u"iPhone"_s ? u"main"_s : u"iPhone"_s;
    chooseLabel(FieldId::Phone, rows[0], other);
    EXPECT_EQ(label(person(rows[0]), FieldId::Phone, 0), other);
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{rows[0]});
    undoOnce();
    EXPECT_EQ(label(person(rows[0]), FieldId::Phone, 0), old);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(CellControls, ATranslatedLabelChosenInThePopupIsStoredAsItsWord)
{
    JapaneseLabels japanese;
    QCoreApplication::installTranslator(&japanese);
    // The label tables are built again under the translation.
    FieldVocabulary::shared().removeAllCustomLabels();
    int chosen = -1;
    for (const int index : firstRows()) {
        if (label(person(index), FieldId::Phone, 0) != u"home"_s) {
            chosen = index;
            break;
        }
    }
    ASSERT_GE(chosen, 0);
    const MVPersonPtr edited = row(chosen)->person;
    table().selectRowIndexes({chosen});
    chooseLabel(FieldId::Phone, chosen, u"自宅"_s, true);
    QCoreApplication::removeTranslator(&japanese);
    FieldVocabulary::shared().removeAllCustomLabels();
    EXPECT_EQ(label(*edited, FieldId::Phone, 0), u"home"_s);
}

TEST_F(CellControls, ACityLabelWithSeveralRowsAsksAndChangesOnlyOtherLabels)
{
    const QList<int> rows = firstRows().mid(0, 2);
    auto setFirstLabel = [this](int index, const QString &word) {
        LabeledValueList addresses = *person(index).labeledValues(FieldId::Address);
        auto first = std::make_shared<LabeledValueRecord>(*addresses.first());
        first->label = word;
        addresses.first() = first;
        person(index).setValue(addresses, FieldId::Address);
    };
    setFirstLabel(rows[0], u"home"_s);
    setFirstLabel(rows[1], u"work"_s);
    table().updateTable();
    endTurn();
    table().selectRowIndexes(rows);
    chooseLabel(FieldId::City, rows[0], u"work"_s);
    EXPECT_EQ(m_alerts.confirmations, QStringList{u"Do you want to set the same label in the selected rows"_s});
    EXPECT_EQ(m_alerts.confirmationInformativeTexts, QStringList{u"This operation can be undone."_s});
    EXPECT_EQ(label(person(rows[0]), FieldId::Address, 0), u"work"_s);
    EXPECT_EQ(label(person(rows[1]), FieldId::Address, 0), u"work"_s);
    undoOnce();
    EXPECT_EQ(label(person(rows[0]), FieldId::Address, 0), u"home"_s);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(CellControls, ADoubleClickWhoseFirstPressWentElsewhereChangesNothing)
{
    const QList<int> rows = firstRows();
    click(FieldId::Company, rows[1]);
    // A dialog's button takes the first press and closes on it; the second
    // reaches the table under it as a double-click.
    QPushButton paste;
    QTest::mouseClick(&paste, Qt::LeftButton);
    for (const QPoint &point : {boxPoint(FieldId::Company, rows[2]), popupPoint(FieldId::Phone, rows[2]),
             textPoint(FieldId::Company, rows[1])}) {
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, point);
    }
    endTurn();
    EXPECT_EQ(editedCell(), QString());
    EXPECT_EQ(table().findChild<QMenu *>(u"labelMenu"_s), nullptr);
    EXPECT_FALSE(undoManager().canUndo());
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{rows[1]});
}

TEST_F(CellControls, SenderOnARowWithoutAddressIsOneStepThatUndoesTheAddressToo)
{
    showColumns({FieldId::Company, FieldId::Phone});
    const int first = firstRows().first();
    clearField(first, FieldId::Address);
    table().selectRowIndexes({first});
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(u"Sender"_s, first));
    endTurn();
    EXPECT_EQ(senderFlags(person(first)), QList<bool>{true});
    EXPECT_EQ(person(first).labeledValues(FieldId::Address)->first()->labelText(), u"home"_s);
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{first});
    undoOnce();
    EXPECT_TRUE(senderFlags(person(first)).isEmpty());
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(CellControls, TheSenderMarkMovingBetweenContactsIsOneStepAndLockedBoxesChangeNothing)
{
    const QList<int> rows = firstRows();
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(u"Sender"_s, rows[0]));
    endTurn();
    ASSERT_TRUE(senderFlags(person(rows[0])).first());
    undoManager().removeAllActions();
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(u"Sender"_s, rows[1]));
    endTurn();
    EXPECT_FALSE(senderFlags(person(rows[0])).contains(true));
    EXPECT_TRUE(senderFlags(person(rows[1])).first());
    undoOnce();
    EXPECT_TRUE(senderFlags(person(rows[0])).first());
    EXPECT_FALSE(senderFlags(person(rows[1])).contains(true));
    EXPECT_FALSE(undoManager().canUndo());

    mainView().setEditState(false);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, boxPoint(u"Sender"_s, rows[2]));
    endTurn();
    EXPECT_FALSE(senderFlags(person(rows[2])).contains(true));
    EXPECT_FALSE(undoManager().canUndo());
}

} // namespace
