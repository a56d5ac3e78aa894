#include "DetailTestSupport.h"

#include "common/DragEvents.h"
#include "detail/DetailRowOrder.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"

#include <QMimeData>

#include <memory>

using namespace DetailTest;
using namespace Qt::Literals::StringLiterals;

namespace {

using Drop = ContactInfoView::DropOperation;

// The pane over a contact with the phones stored above the e-mail.
class DetailDragAndDrop : public PaneTest {
protected:
    void SetUp() override
    {
        QStringList order = DetailRowOrder::defaultOrder();
        order.move(order.indexOf(FieldId::Phone), order.indexOf(FieldId::Email));
        m_defaults->setObject(order, DetailRowOrder::lastRowOrderKey);
        PaneTest::SetUp();
        m_window.mainViewController()->setEditState(true);
    }
    // The point between the row and the one above it, or below the last row.
    [[nodiscard]] QPoint above(int row) const
    {
        if (row >= rows().rowCount())
            return pane().visualRect(rows().index(rows().rowCount() - 1, 1)).bottomLeft() + QPoint(40, 20);
        return pane().visualRect(rows().index(row, 1)).topLeft() + QPoint(40, 1);
    }
    [[nodiscard]] QPoint onto(int row) const { return pane().visualRect(rows().index(row, 1)).center(); }
    [[nodiscard]] std::unique_ptr<QMimeData> dragOfRow(ContactInfoView &view, int row) const
    {
        return std::unique_ptr<QMimeData>(view.mimeDataForRow(row));
    }
    [[nodiscard]] QStringList typesInOrder(const ContactInfoView &view) const
    {
        QStringList types;
        for (const InfoRowRecord &row : view.infoModel()->table()) {
            if (types.isEmpty() || types.last() != row.type)
                types.append(row.type);
        }
        return types;
    }
    // Another contact's view, shown as a popover's would be.
    std::unique_ptr<ContactInfoPopover> otherView(const ContactRecordPtr &contact)
    {
        auto view = std::make_unique<ContactInfoPopover>(m_defaults.get());
        view->setContact(contact);
        return view;
    }
    [[nodiscard]] QStringList phones() const
    {
        QStringList texts;
        for (const LabeledValueRecordPtr &value : *person().labeledValues(FieldId::Phone))
            texts.append(value->stringValue);
        return texts;
    }
    [[nodiscard]] QList<qint64> phoneNumbers() const
    {
        QList<qint64> numbers;
        for (const LabeledValueRecordPtr &value : *person().labeledValues(FieldId::Phone))
            numbers.append(value->labelIndex);
        return numbers;
    }
};

TEST_F(DetailDragAndDrop, TheEmailBlockDraggedAboveThePhonesStaysThereForTheNextContactView)
{
    show(fullContact());
    ASSERT_LT(typesInOrder(pane()).indexOf(FieldId::Phone), typesInOrder(pane()).indexOf(FieldId::Email));
    const auto drag = dragOfRow(pane(), rowOf(FieldId::Email));
    ASSERT_NE(drag, nullptr);
    {
        // Where the block would land shows while it is dragged.
        QDragEnterEvent enter(above(rowOf(FieldId::Phone)), DragEvents::everyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(pane().viewport(), &enter);
        QDragMoveEvent move(above(rowOf(FieldId::Phone)), DragEvents::everyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(pane().viewport(), &move);
        EXPECT_EQ(move.dropAction(), Qt::MoveAction);
        Screenshot::grab(&pane(), u"dragging"_s);
        QDragLeaveEvent leave;
        QApplication::sendEvent(pane().viewport(), &leave);
    }
    EXPECT_TRUE(DragEvents::drop(pane().viewport(), above(rowOf(FieldId::Phone)), drag.get()));

    const QStringList shown = typesInOrder(pane());
    EXPECT_EQ(shown.indexOf(FieldId::Email) + 1, shown.indexOf(FieldId::Phone));
    const QStringList stored = DetailRowOrder::storedOrder(*m_defaults);
    EXPECT_EQ(stored.indexOf(FieldId::Email) + 1, stored.indexOf(FieldId::Phone));
    // No edit of the contact.
    EXPECT_FALSE(m_window.undoManager()->canUndo());
    const auto next = otherView(contactNamed("Hana"));
    EXPECT_EQ(typesInOrder(*next).indexOf(FieldId::Email) + 1, typesInOrder(*next).indexOf(FieldId::Phone));
    Screenshot::grab(&m_window);
}

TEST_F(DetailDragAndDrop, ABlockGoesAboveAFirstRowWhateverItsNumberButNotAboveALaterRow)
{
    const ContactRecordPtr contact = fullContact();
    setLabeled(*contact->person, FieldId::Phone, {{"work", "03-1111"}, {"mobile", "090-2222"}}, {2, 0});
    show(contact);
    const auto drag = dragOfRow(pane(), rowOf(FieldId::Email));
    EXPECT_EQ(pane().validateDrop(drag.get(), rowOf(FieldId::Phone, 1), Drop::Above), Qt::IgnoreAction);
    EXPECT_EQ(pane().validateDrop(drag.get(), rowOf(FieldId::Phone), Drop::Above), Qt::MoveAction);
    EXPECT_EQ(pane().validateDrop(drag.get(), rowOf(FieldId::Phone), Drop::On), Qt::IgnoreAction);
}

TEST_F(DetailDragAndDrop, ABlockDroppedBelowTheLastRowGoesLast)
{
    show(fullContact());
    const auto drag = dragOfRow(pane(), rowOf(FieldId::Company));
    EXPECT_TRUE(DragEvents::drop(pane().viewport(), above(rows().rowCount()), drag.get()));
    EXPECT_EQ(typesInOrder(pane()).last(), FieldId::Company);
    EXPECT_EQ(DetailRowOrder::storedOrder(*m_defaults).last(), FieldId::Company);
}

TEST_F(DetailDragAndDrop, ALockedPaneStillReordersButTakesNoValue)
{
    show(fullContact());
    m_window.mainViewController()->setEditState(false);
    const auto other = otherView(fullContact());
    const auto value = dragOfRow(*other, rowIn(*other, FieldId::Company));
    EXPECT_FALSE(DragEvents::drop(pane().viewport(), onto(rowOf(FieldId::Company)), value.get()));
    const auto reorder = dragOfRow(pane(), rowOf(FieldId::Email));
    EXPECT_TRUE(DragEvents::drop(pane().viewport(), above(rowOf(FieldId::Phone)), reorder.get()));
}

TEST_F(DetailDragAndDrop, AContactTableRowDroppedOnTheCompanyCopiesItsCompany)
{
    show(fullContact());
    const ContactRecordPtr acme = contactNamed("Jiro", "jiro");
    acme->person->setValue(u"Acme Works"_s, FieldId::Company);
    ContactsViewController table;
    table.setContactTable(std::make_shared<ContactTable>(ContactTable{acme}));
    table.setSelectedLabels({"All"});
    table.setColumnIdentifiers({FieldId::Name});
    table.updateSubContactTable();
    table.reload();
    const auto row = std::unique_ptr<QMimeData>(table.dragAndDrop()->mimeDataForRows({0}));
    EXPECT_FALSE(row->hasFormat(DragType::identifier));

    EXPECT_TRUE(DragEvents::drop(pane().viewport(), onto(rowOf(FieldId::Company)), row.get()));
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Company, 0), "Acme Works");
    EXPECT_TRUE(m_window.isWindowModified());
    // Jiro has no picture and no birthday of his own.
    EXPECT_FALSE(DragEvents::drop(pane().viewport(), onto(rowOf(FieldId::Photo)), row.get()));
    EXPECT_FALSE(DragEvents::drop(pane().viewport(), onto(rowOf(FieldId::Birthday)), row.get()));
    EXPECT_EQ(person().birthdayValue()->stringValue.left(10), "1980.01.31");
    m_controller.undo();
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Company, 0), "Quill Co.");
}

struct PhoneDrop {
    const char *name;
    bool emptyList;
    Drop operation;
    QStringList phones;
};

class PhoneDropTest : public DetailDragAndDrop, public testing::WithParamInterface<PhoneDrop> { };

// Hanako's second phone goes to Taro's first phone row; it comes in as a
// new value, whatever its number was.
TEST_P(PhoneDropTest, TheDroppedPhoneIsNumberedApart)
{
    const ContactRecordPtr taro = fullContact();
    if (GetParam().emptyList)
        taro->person->setValue(LabeledValueList(), FieldId::Phone);
    show(taro);
    const ContactRecordPtr hanako = contactNamed("Hanako", "hanako");
    setLabeled(*hanako->person, FieldId::Phone, {{"home", "06-1234"}, {"work", "06-0001"}}, {0, 1});
    const auto other = otherView(hanako);
    const auto drag = dragOfRow(*other, rowIn(*other, FieldId::Phone, 1));
    EXPECT_EQ(DragType::labelIndexOf(drag.get()), 1);

    const int target = rowOf(FieldId::Phone);
    const QPoint point = GetParam().operation == Drop::On ? onto(target) : above(target);
    EXPECT_TRUE(DragEvents::drop(pane().viewport(), point, drag.get()));
    EXPECT_EQ(phones(), GetParam().phones);
    const QList<qint64> numbers = phoneNumbers();
    EXPECT_EQ(QSet<qint64>(numbers.cbegin(), numbers.cend()).size(), numbers.size());
}

INSTANTIATE_TEST_SUITE_P(Places, PhoneDropTest,
    testing::Values(PhoneDrop{"above", false, Drop::Above, {"06-0001", "090-1234-5678", "03-1111-2222"}},
        PhoneDrop{"on", false, Drop::On, {"06-0001", "03-1111-2222"}},
        PhoneDrop{"intoAnEmptyList", true, Drop::On, {"06-0001"}}),
    [](const testing::TestParamInfo<PhoneDrop> &info) { return std::string(info.param.name); });

TEST_F(DetailDragAndDrop, AValueOfAnotherFieldOrPastTheListIsRefused)
{
    show(fullContact());
    const auto other = otherView(fullContact());
    const auto email = dragOfRow(*other, rowIn(*other, FieldId::Email));
    EXPECT_EQ(pane().validateDrop(email.get(), rowOf(FieldId::Phone), Drop::On), Qt::IgnoreAction);
    EXPECT_EQ(pane().validateDrop(email.get(), rows().rowCount(), Drop::Above), Qt::IgnoreAction);
    QMimeData outside;
    outside.setData(DragType::vCard, email->data(DragType::vCard));
    EXPECT_EQ(pane().validateDrop(&outside, rowOf(FieldId::Email), Drop::On), Qt::IgnoreAction);
    DraggingMimeData broken(other.get());
    broken.setData(DragType::vCard, "BEGIN:VCARD\r\nno end");
    EXPECT_EQ(pane().validateDrop(&broken, rowOf(FieldId::Company), Drop::On), Qt::IgnoreAction);
}

} // namespace
