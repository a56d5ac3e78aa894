#include "PreviewWindow.h"

#include "common/Screenshot.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "print/RectText.h"
#include "app/PrintCommands.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace PrintOptionsKey;

namespace {

class LayoutEditing : public PreviewWindowTest {
protected:
    void SetUp() override
    {
        PreviewWindowTest::SetUp();
        openWindow();
        selectRows({{2, 1}});
        pressLayout();
    }

    // The contact's address the previewed row shows.
    [[nodiscard]] LabeledValueRecordPtr shownAddress() const
    {
        return person(2).labeledValueForIdentifierAtIndex(FieldId::Address, 1);
    }
    // How far the view moves a block for a drag between these paper points:
    // the pointer lands on whole pixels.
    [[nodiscard]] QPointF dragged(const QPointF &from, const QPointF &to) const
    {
        return view().mapToBounds(onView(to)) - view().mapToBounds(onView(from));
    }
};

TEST_F(LayoutEditing, ADraggedNameIsStoredWithTheAddressBlockAsOneUndoStep)
{
    EXPECT_FALSE(m_controller->editState());
    EXPECT_FALSE(m_editButton.isEnabled());
    EXPECT_TRUE(m_window->layoutButton()->isChecked());
    const QRectF name = block(0).rect;
    const QPointF from = name.center();
    drag(from, from + QPointF(-30, 20));
    const QRectF moved = name.translated(dragged(from, from + QPointF(-30, 20)));
    EXPECT_EQ(block(0).rect, moved);
    Screenshot::grab(&pane());

    const LabeledValueRecordPtr address = shownAddress();
    EXPECT_EQ(address->layout->receiverName.value_or(QRectF()), moved);
    EXPECT_EQ(address->layout->receiverAddress.value_or(QRectF()), block(1).rect);
    const HagakiLayoutRecordPtr layout = person(2).hagakiLayoutForLabelIndex(address->labelIndex);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->receiverName, address->layout->receiverName);
    EXPECT_EQ(layout->receiverAddress, address->layout->receiverAddress);

    endTurn();
    m_controller->undo();
    EXPECT_FALSE(shownAddress()->layout->receiverName);
    EXPECT_FALSE(person(2).hagakiLayoutForLabelIndex(address->labelIndex)->receiverName);
    EXPECT_FALSE(m_window->undoManager()->canUndo());
}

TEST_F(LayoutEditing, OutsideLayoutModeAClickStoresNothingAndLeavingItRestoresTheEditState)
{
    const QPointF at = block(0).rect.center();
    drag(at, at + QPointF(5, 5));
    endTurn();
    pressLayout();
    EXPECT_TRUE(m_controller->editState());
    m_window->undoManager()->removeAllActions();
    const std::optional<QRectF> saved = shownAddress()->layout->receiverName;
    drag(at, at + QPointF(5, 5));
    click(at);
    endTurn();
    EXPECT_EQ(shownAddress()->layout->receiverName, saved);
    EXPECT_FALSE(m_window->undoManager()->canUndo());

    // Leaving layout mode brings back the edit state it found.
    EXPECT_TRUE(m_editButton.isEnabled());
    m_controller->setEditState(false);
    m_controller->enableEditButton(false);
    pressLayout();
    pressLayout();
    EXPECT_FALSE(m_controller->editState());
    EXPECT_FALSE(m_editButton.isEnabled());
    EXPECT_EQ(m_window->layoutButton()->text(), u"Layout"_s);
}

TEST_F(LayoutEditing, ArrowKeysMoveTheSelectedBlockAndAreSaved)
{
    const QRectF address = block(1).rect;
    click(address.center());
    ASSERT_TRUE(block(1).selected);
    for (int press = 0; press < 3; ++press)
        QTest::keyClick(&view(), Qt::Key_Right);
    QTest::keyClick(&view(), Qt::Key_Up);
    EXPECT_EQ(block(1).rect, address.translated(3, -1));
    EXPECT_EQ(shownAddress()->layout->receiverAddress.value_or(QRectF()), block(1).rect);
}

TEST_F(LayoutEditing, TheTopLeftHandlePastTheSmallestSizeLeavesFiveByFiftyAndOnThatTheLowerHandleWins)
{
    const QRectF name = block(0).rect;
    click(name.center());
    const QPointF to = name.topLeft() + QPointF(name.width() + 20, name.height() + 10);
    drag(name.topLeft(), to);
    const QPointF moved = dragged(name.topLeft(), to);
    const QRectF tiny = block(0).rect;
    EXPECT_EQ(tiny.size(), QSizeF(5, 50));
    EXPECT_NEAR(tiny.x(), name.x() + moved.x(), 1e-9);
    EXPECT_NEAR(tiny.y(), name.y() + moved.y(), 1e-9);
    EXPECT_EQ(block(0).dirty, TextObject::Unchanged);

    // Handles 0, 3 and 7 of a block 5 wide all hold a point between them.
    const QPointF between = tiny.topLeft() + QPointF(2, 0);
    drag(between, between + QPointF(-20, 0));
    EXPECT_LT(block(0).rect.x(), tiny.x() - 10);
    EXPECT_GT(block(0).rect.width(), 15);
}

TEST_F(LayoutEditing, ThePressInTheSelectedBlocksBottomLeftCornerStartsNothing)
{
    const QRectF name = block(0).rect;
    const QPointF corner = name.bottomLeft() + QPointF(8, -8);
    // Not yet selected: the press selects the block and moves it.
    drag(corner, corner + QPointF(10, 0));
    ASSERT_TRUE(block(0).selected);
    const QRectF moved = block(0).rect;
    EXPECT_GT(moved.x(), name.x() + 5);
    const QPointF movedCorner = moved.bottomLeft() + QPointF(8, -8);
    drag(movedCorner, movedCorner + QPointF(10, 0));
    EXPECT_EQ(block(0).rect, moved);
}

// Envelopes keep the boxes the user placed in the options, per paper and
// direction of the lines.
class EnvelopeLayout : public PreviewWindowTest {
protected:
    void SetUp() override
    {
        PreviewWindowTest::SetUp();
        m_defaults->setObject(u"Envelope"_s, PrintOptions::printStyleKey);
        openWindow();
        selectRows({{0, 0}});
        pressLayout();
    }
};

TEST_F(EnvelopeLayout, EachPaperAndDirectionKeepsItsBoxWithoutAnUndoStep)
{
    for (const char *paperName : {"Postcard", "Letter"}) {
        PrintInfo::sharedPrintInfo()->setPaperName(QString::fromLatin1(paperName));
        m_window->printCommands()->shouldChangePrintInfo(PrintInfo::sharedPrintInfo());
        for (const char *direction : {"Left-Right", "Up-Down"}) {
            QVariantMap envelope = PrintOptionValue::dictionary(*pane().printOptions(), Envelope);
            envelope.insert(TextDirection, QString::fromLatin1(direction));
            pane().printOptions()->insert(Envelope, envelope);
            pane().updateUI();
            view().repaint();
            const QPointF at = block(0).rect.center();
            drag(at, at + QPointF(12, 9));
        }
    }
    Screenshot::grab(&pane());
    const QVariantMap boxes = PrintOptionValue::dictionary(
        PrintOptionValue::dictionary(m_defaults->dictionaryForKey(PrintOptions::defaultsKey), Envelope), RectDicts);
    for (const char *paperName : {"Postcard", "Letter"}) {
        const QVariantMap paper = PrintOptionValue::dictionary(boxes, QString::fromLatin1(paperName));
        EXPECT_TRUE(RectText::parse(paper.value(ReceiverRect).toString())) << paperName;
        EXPECT_TRUE(RectText::parse(paper.value(ReceiverRectUpDown).toString())) << paperName;
    }
    // The Letter's up-down box is where the last drag left the block.
    EXPECT_EQ(RectText::parse(PrintOptionValue::dictionary(boxes, u"Letter"_s).value(ReceiverRectUpDown).toString()),
        block(0).rect);
    endTurn();
    EXPECT_FALSE(m_window->undoManager()->canUndo());
    EXPECT_FALSE(m_window->isWindowModified());
}

TEST_F(EnvelopeLayout, APressOnTheBlockWhereTheMarginsDrawItSelectsIt)
{
    PrintOptionsRecord &options = *pane().printOptions();
    options.insert(LeftMargin, u"20"_s);
    options.insert(TopMargin, u"30"_s);
    view().repaint();
    const QRectF stored = block(0).rect;
    // Inside the drawn block, below the stored one.
    click(QPointF(stored.center().x() + 20, stored.bottom() + 20));
    EXPECT_TRUE(block(0).selected);
    click(stored.topLeft() + QPointF(2, 2));
    EXPECT_FALSE(block(0).selected);
}

} // namespace
