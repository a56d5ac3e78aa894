#include "EditorHarness.h"

#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "editors/CustomLabelView.h"
#include "editors/MultiValueTableModel.h"
#include "editors/MultiValueViewController.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>

namespace {

// The values of a result or of the table as "labelIndex:label:text" lines.
QString linesOf(const LabeledValueList &rows)
{
    QStringList lines;
    for (const LabeledValueRecordPtr &row : rows)
        lines.append(QStringLiteral("%1:%2:%3").arg(row->labelIndex).arg(row->labelText(), row->stringValue.trimmed()));
    return lines.join(u' ');
}

// The contact's phones are 075-111-1111 (home), 075-222-2222 (work),
// 090-3333-3333 (mobile) and 075-444-4444 (main), numbered 0 to 3; its
// addresses are in Kyoto (0) and New York, three lines of street (1).
class MultiValueEditor : public EditorTest<MultiValueViewController> {
protected:
    MultiValueViewController *open(const ContactIdentifier &type, std::optional<qint64> labelIndex = std::nullopt)
    {
        return EditorTest::open(type, QSize(type == FieldId::Address ? 820 : 360, 260), labelIndex);
    }
    [[nodiscard]] QModelIndex cell(int row, int column) const { return m_editor->table()->index(row, column); }
    [[nodiscard]] QString result() const { return linesOf(EditorTest::result<LabeledValueList>()); }
    [[nodiscard]] AddressViewController *nestedEditor() const
    {
        Popover *popover = m_editor->addressPopover();
        return popover ? qobject_cast<AddressViewController *>(popover->contentWidget()) : nullptr;
    }
    [[nodiscard]] QLineEdit *focusedField() const { return qobject_cast<QLineEdit *>(QApplication::focusWidget()); }
};

TEST_F(MultiValueEditor, AddInsertsANewRowAfterTheSelectedOneOrIntoAnEmptyList)
{
    open(FieldId::Phone, 2);
    EXPECT_EQ(m_editor->selectedRow(), 2);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->selectedRow(), 3);
    done();
    EXPECT_EQ(
        result(), "0:home:075-111-1111 1:work:075-222-2222 2:mobile:090-3333-3333 -1:home:new 3:main:075-444-4444");

    m_contact->person->setValue(LabeledValueList(), FieldId::Email);
    open(FieldId::Email);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    EXPECT_TRUE(m_editor->delButton()->isEnabled());
    done();
    EXPECT_EQ(result(), "-1:home:new");
}

// A number pasted with its line break stays one line.
TEST_F(MultiValueEditor, ALineBreakPastedIntoANumberBecomesASpace)
{
    open(FieldId::Phone);
    m_editor->tableView()->setCurrentIndex(cell(3, 1));
    m_editor->tableView()->edit(cell(3, 1));
    ASSERT_TRUE(focusedField());
    focusedField()->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("075\n555"));
    QTest::keyClick(focusedField(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(focusedField(), Qt::Key_Tab);
    EXPECT_EQ(m_editor->table()->rows().at(3)->valueText(), QStringLiteral("075 555"));
}

TEST_F(MultiValueEditor, TabInTheLastColumnOfTheLastRowGoesOnInColumnOneOfRowZero)
{
    open(FieldId::Phone);
    m_editor->tableView()->setCurrentIndex(cell(3, 1));
    m_editor->tableView()->edit(cell(3, 1));
    ASSERT_TRUE(focusedField());
    EditorHarness::type(focusedField(), QStringLiteral("075-555-5555"));
    QTest::keyClick(focusedField(), Qt::Key_Tab);
    EXPECT_TRUE(m_harness.isOpen());
    ASSERT_TRUE(focusedField());
    EXPECT_EQ(focusedField()->selectedText(), QStringLiteral("075-111-1111"));
    EXPECT_EQ(m_editor->tableView()->currentIndex(), cell(0, 1));
    EXPECT_EQ(m_editor->table()->rows().at(3)->stringValue, QStringLiteral("075-555-5555"));
    Screenshot::grab(m_editor);
}

TEST_F(MultiValueEditor, CustomLabelLabelsTheSelectedRowAndJoinsEveryPopup)
{
    open(FieldId::Phone, 1);
    auto *popup = qobject_cast<QComboBox *>(m_editor->tableView()->indexWidget(cell(1, 0)));
    ASSERT_TRUE(popup);
    popup->setFocus();
    QTest::keyClick(popup, Qt::Key_End);
    ASSERT_TRUE(m_editor->customLabelView()->isVisible());
    EXPECT_FALSE(m_editor->doneButton()->isEnabled());
    QLineEdit *field = m_editor->customLabelView()->customLabelField();
    QTest::keyClicks(field, QStringLiteral("studio"));
    // The first Return ends the field's editing, the second presses Add.
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(m_editor->customLabelView()->isVisible());
    auto *other = qobject_cast<QComboBox *>(m_editor->tableView()->indexWidget(cell(2, 0)));
    ASSERT_TRUE(other);
    EXPECT_GE(other->findText(QStringLiteral("studio")), 0);
    // The separator and "Custom Label" itself are no labels.
    EXPECT_FALSE(m_editor->table()->setData(cell(2, 0), 99, Qt::EditRole));
    done();
    EXPECT_EQ(result(), "0:home:075-111-1111 1:studio:075-222-2222 2:mobile:090-3333-3333 3:main:075-444-4444");
}

// Edits cancelled in the nested editor leave the row; a click there keeps this
// editor open; a new address opens with "123" and enters the table on Done.
TEST_F(MultiValueEditor, NestedAddressEditorChangesTheTableOnlyOnDone)
{
    open(FieldId::Address);
    // A row of three street lines is 54 high; its field shows them on one line.
    EXPECT_EQ(m_editor->tableView()->rowHeight(0), 20);
    EXPECT_EQ(m_editor->tableView()->rowHeight(1), 54);
    clickCell(1, 2);
    EXPECT_FALSE(m_editor->addressField()->text().contains(u'\n'));
    EXPECT_TRUE(m_editor->addressField()->text().contains(QStringLiteral("Suite 200")));
    doubleClickCell(0, 4);
    ASSERT_TRUE(nestedEditor());
    QTest::mouseClick(nestedEditor()->cityField(), Qt::LeftButton);
    EXPECT_TRUE(m_harness.isOpen());
    EditorHarness::type(nestedEditor()->cityField(), QStringLiteral("Kobe"));
    QTest::mouseClick(nestedEditor()->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->table()->rows().at(0)->addressParts().city, QStringLiteral("京都市中京区"));
    EXPECT_TRUE(m_harness.isOpen());

    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    ASSERT_TRUE(nestedEditor());
    EXPECT_EQ(nestedEditor()->zipField()->text(), QStringLiteral("123"));
    QTest::mouseClick(nestedEditor()->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->table()->rowCount(), 2);
    EXPECT_TRUE(m_harness.isOpen());

    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    AddressViewController *nested = nestedEditor();
    ASSERT_TRUE(nested);
    EditorHarness::type(nested->zipField(), QStringLiteral("1000001"));
    QTest::keyClick(nested->zipField(), Qt::Key_Return);
    Screenshot::grab(nested, QStringLiteral("nested"));
    QTest::mouseClick(nested->doneButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->table()->rowCount(), 3);
    EXPECT_EQ(m_editor->selectedRow(), 2);
    Screenshot::grab(m_editor);
    done();
    const LabeledValueRecord &added = *std::get<LabeledValueList>(m_context->value).at(2);
    EXPECT_EQ(added.labelIndex, -1);
    EXPECT_EQ(added.addressParts().city, QStringLiteral("千代田区"));
}

// Reordering goes through the model's drop: a real drag cannot run offscreen.
TEST_F(MultiValueEditor, DropMovesARowBetweenRowsOfThisTableOnly)
{
    const struct {
        int source;
        int row; // -1: onto row 1
        bool sameDrag;
        const char *order; // labels of the rows afterwards
    } drops[] = {
        {0, 3, true, "work mobile home main"}, // first between rows 2 and 3
        {3, 0, true, "main home work mobile"}, // last to the top
        {0, -1, true, "home work mobile main"}, // onto a row
        {0, 3, false, "home work mobile main"}, // from elsewhere
        {2, 2, true, "home work mobile main"}, // onto itself
        {0, 5, true, "home work mobile main"}, // beyond the end
    };
    for (const auto &drop : drops) {
        open(FieldId::Phone);
        MultiValueTableModel *model = m_editor->table();
        std::unique_ptr<QMimeData> dragged(model->mimeData({cell(drop.source, 1)}));
        ASSERT_TRUE(dragged);
        QMimeData elsewhere;
        elsewhere.setText(dragged->text());
        const bool accepted = model->dropMimeData(drop.sameDrag ? dragged.get() : &elsewhere, Qt::MoveAction, drop.row,
            0, drop.row < 0 ? cell(1, 0) : QModelIndex());
        QStringList labels;
        for (const LabeledValueRecordPtr &row : model->rows())
            labels.append(row->labelText());
        EXPECT_EQ(labels.join(u' '), drop.order) << drop.source << " to " << drop.row;
        EXPECT_EQ(m_editor->doneButton()->isEnabled(), accepted) << drop.source << " to " << drop.row;
    }
}

} // namespace
