#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "common/Screenshot.h"
#include "editors/CustomLabelView.h"
#include "editors/DatesTableModel.h"
#include "editors/DatesViewController.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// The contact's dates are 2001-06-01, 2005-01-10 and 2010-12-24, numbered 0, 1, 2.
class DatesEditor : public testing::Test {
protected:
    DatesViewController *open(std::optional<qint64> labelIndex = std::nullopt)
    {
        m_context = EditorHarness::context(m_contact, FieldId::Dates, true, labelIndex);
        m_editor = m_harness.open<DatesViewController>(m_context, QSize(340, 392), true);
        return m_editor;
    }
    [[nodiscard]] QStringList rows() const { return datesOf(m_editor->table()->rows()); }
    [[nodiscard]] QModelIndex cell(int row, int column) const { return m_editor->table()->index(row, column); }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTableView *view = m_editor->tableView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
            view->visualRect(cell(row, DatesTableModel::DateColumn)).center());
    }
    void done() { QTest::mouseClick(m_editor->doneButton(), Qt::LeftButton); }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
    DatesViewController *m_editor = nullptr;
    const QString m_today = QDate::currentDate().toString(Qt::ISODate);
};

TEST_F(DatesEditor, OpenedWithoutDatesWhileEditingAddsTodayUnderTheFirstLabel)
{
    m_contact->person->setValue(LabeledValueList(), FieldId::Dates);
    open();
    EXPECT_EQ(m_editor->table()->rows().value(0)->labelText(), QStringLiteral("anniversary"));
    done();
    EXPECT_TRUE(m_context->dirty);
    EXPECT_EQ(datesOf(m_context->value), QStringList{QStringLiteral("-1:") + m_today});
}

TEST_F(DatesEditor, DateTypedIntoACellIsReadAndShownWithItsWeekday)
{
    open();
    clickRow(0);
    m_editor->tableView()->edit(cell(0, DatesTableModel::DateColumn));
    auto *field = m_editor->tableView()->viewport()->findChild<QLineEdit *>();
    ASSERT_TRUE(field);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("2024.5.6"));
    QTest::keyClick(field, Qt::Key_Return);
    // The view commits an edit ended by Return on the next turn.
    QCoreApplication::processEvents();
    EXPECT_EQ(rows().value(0), QStringLiteral("0:2024-05-06"));
    EXPECT_EQ(cell(0, DatesTableModel::DateColumn).data().toString(), DateControls::dateString(QDate(2024, 5, 6)));
    EXPECT_EQ(m_editor->datePicker()->date(), QDate(2024, 5, 6));
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
}

TEST_F(DatesEditor, MonthPopupMovesTheSelectedRowKeepingYearAndDay)
{
    open();
    clickRow(1);
    QTest::keyClick(m_editor->monthPopup(), Qt::Key_Down);
    QTest::keyClick(m_editor->monthPopup(), Qt::Key_Down);
    EXPECT_EQ(m_editor->monthPopup()->currentIndex(), 2);
    done();
    EXPECT_EQ(datesOf(m_context->value),
        (QStringList{QStringLiteral("0:2001-06-01"), QStringLiteral("1:2005-03-10"), QStringLiteral("2:2010-12-24")}));
}

TEST_F(DatesEditor, DeleteRemovesEverySelectedRowAndAnAddedRowIsUnnumbered)
{
    open();
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    QTest::mouseClick(m_editor->delButton(), Qt::LeftButton);
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1:2005-01-10")});
    // The next number is the contact's to give: 1 is still taken.
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    done();
    EXPECT_EQ(
        datesOf(m_context->value), (QStringList{QStringLiteral("1:2005-01-10"), QStringLiteral("-1:") + m_today}));
}

struct OpenedRow {
    const char *name;
    qint64 labelIndex;
    int selectedRow;
};

class DatesOpenedOn : public DatesEditor, public testing::WithParamInterface<OpenedRow> { };

TEST_P(DatesOpenedOn, SelectsTheRowOfTheValuesOwnNumber)
{
    m_contact->person->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Dates, 1);
    open(GetParam().labelIndex);
    EXPECT_EQ(m_editor->selectedRow(), GetParam().selectedRow);
}

INSTANTIATE_TEST_SUITE_P(Rows, DatesOpenedOn,
    testing::Values(OpenedRow{"First", 0, 0}, OpenedRow{"NumberAfterADeletedOne", 2, 1}, OpenedRow{"New", -1, -1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DatesEditor, CustomLabelChosenInTheLabelPopupLabelsTheSelectedRow)
{
    open();
    clickRow(0);
    m_editor->tableView()->edit(cell(0, DatesTableModel::LabelColumn));
    auto *popup = m_editor->tableView()->viewport()->findChild<QComboBox *>();
    ASSERT_TRUE(popup);
    QTest::keyClick(popup, Qt::Key_End);
    ASSERT_TRUE(m_editor->customLabelView()->isVisible());
    EXPECT_FALSE(m_editor->doneButton()->isEnabled());
    EXPECT_FALSE(m_editor->addButtonInCustomLabelView()->isEnabled());

    QTest::keyClicks(m_editor->customLabelField(), QStringLiteral("wedding"));
    QTest::keyClick(m_editor->customLabelField(), Qt::Key_Return);
    Screenshot::grab(m_editor);
    QTest::mouseClick(m_editor->addButtonInCustomLabelView(), Qt::LeftButton);
    EXPECT_FALSE(m_editor->customLabelView()->isVisible());
    EXPECT_EQ(m_editor->table()->labels().last(), QStringLiteral("wedding"));
    done();
    const auto &result = std::get<LabeledValueList>(m_context->value);
    EXPECT_EQ(result.value(0)->labelText(), QStringLiteral("wedding"));
}

} // namespace
