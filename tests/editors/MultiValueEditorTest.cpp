#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "editors/CustomLabelView.h"
#include "editors/MultiValueTableModel.h"
#include "editors/MultiValueViewController.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>

namespace {

// The contact's phones are 075-111-1111 (home), 075-222-2222 (work),
// 090-3333-3333 (mobile) and 075-444-4444 (main), numbered 0 to 3; its
// addresses are in Kyoto (0) and New York, three lines of street (1).
class MultiValueEditor : public testing::Test {
protected:
    MultiValueViewController *open(const ContactIdentifier &type, std::optional<qint64> labelIndex = std::nullopt)
    {
        m_context = EditorHarness::context(m_contact, type, true, labelIndex);
        const QSize size(type == FieldId::Address ? 820 : 360, 260);
        m_editor = m_harness.open<MultiValueViewController>(m_context, size, true);
        EXPECT_LE(m_editor->minimumSizeHint().width(), size.width());
        EXPECT_LE(m_editor->minimumSizeHint().height(), size.height());
        return m_editor;
    }
    [[nodiscard]] QModelIndex cell(int row, int column) const { return m_editor->table()->index(row, column); }
    void clickRow(int row)
    {
        QTableView *view = m_editor->tableView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell(row, 2)).center());
    }
    // The values of a result or of the table as "labelIndex:label:text" lines.
    [[nodiscard]] static QStringList linesOf(const LabeledValueList &rows)
    {
        QStringList lines;
        for (const LabeledValueRecordPtr &row : rows)
            lines.append(
                QStringLiteral("%1:%2:%3").arg(row->labelIndex).arg(row->labelText(), row->stringValue.trimmed()));
        return lines;
    }
    [[nodiscard]] QStringList result() const { return linesOf(std::get<LabeledValueList>(m_context->value)); }
    void done() { QTest::mouseClick(m_editor->doneButton(), Qt::LeftButton); }
    [[nodiscard]] AddressViewController *nestedEditor() const
    {
        Popover *popover = m_editor->addressPopover();
        return popover ? qobject_cast<AddressViewController *>(popover->contentWidget()) : nullptr;
    }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
    MultiValueViewController *m_editor = nullptr;
};

TEST_F(MultiValueEditor, AddInsertsANewRowAfterTheSelectedOne)
{
    open(FieldId::Phone, 2);
    EXPECT_EQ(m_editor->selectedRow(), 2);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->selectedRow(), 3);
    done();
    EXPECT_EQ(result(),
        (QStringList{"0:home:075-111-1111", "1:work:075-222-2222", "2:mobile:090-3333-3333", "-1:home:new",
            "3:main:075-444-4444"}));
}

TEST_F(MultiValueEditor, AddToAnEmptyListAppendsNew)
{
    m_contact->person->setValue(LabeledValueList(), FieldId::Email);
    open(FieldId::Email);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    EXPECT_TRUE(m_editor->delButton()->isEnabled());
    done();
    EXPECT_EQ(result(), QStringList{"-1:home:new"});
}

TEST_F(MultiValueEditor, TabInTheLastColumnOfTheLastRowGoesOnInColumnOneOfRowZero)
{
    open(FieldId::Phone);
    m_editor->tableView()->setCurrentIndex(cell(3, 1));
    m_editor->tableView()->edit(cell(3, 1));
    auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_TRUE(field);
    EditorHarness::type(field, QStringLiteral("075-555-5555"));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_TRUE(m_harness.isOpen());
    field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_TRUE(field);
    EXPECT_EQ(field->selectedText(), QStringLiteral("075-111-1111"));
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
    QTest::keyClicks(m_editor->customLabelView()->customLabelField(), QStringLiteral("studio"));
    // The first Return ends the field's editing, the second presses Add.
    QTest::keyClick(m_editor->customLabelView()->customLabelField(), Qt::Key_Return);
    QTest::keyClick(m_editor->customLabelView()->customLabelField(), Qt::Key_Return);
    EXPECT_FALSE(m_editor->customLabelView()->isVisible());
    auto *other = qobject_cast<QComboBox *>(m_editor->tableView()->indexWidget(cell(2, 0)));
    ASSERT_TRUE(other);
    EXPECT_GE(other->findText(QStringLiteral("studio")), 0);
    // The separator and "Custom Label" itself are no labels.
    EXPECT_FALSE(m_editor->table()->setData(cell(2, 0), 99, Qt::EditRole));
    done();
    EXPECT_EQ(result().value(1), QStringLiteral("1:studio:075-222-2222"));
}

TEST_F(MultiValueEditor, AddressRowOfThreeLinesIs54High)
{
    open(FieldId::Address);
    EXPECT_EQ(m_editor->tableView()->rowHeight(0), 20);
    EXPECT_EQ(m_editor->tableView()->rowHeight(1), 54);
    clickRow(1);
    EXPECT_FALSE(m_editor->addressField()->text().contains(u'\n'));
    EXPECT_TRUE(m_editor->addressField()->text().contains(QStringLiteral("Suite 200")));
}

TEST_F(MultiValueEditor, NewAddressOpensWith123AndEntersTheTableOnlyOnDone)
{
    open(FieldId::Address);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    AddressViewController *nested = nestedEditor();
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->zipField()->text(), QStringLiteral("123"));
    QTest::mouseClick(nested->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->table()->rowCount(), 2);
    EXPECT_TRUE(m_harness.isOpen());

    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    nested = nestedEditor();
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
    EXPECT_EQ(added.city, QStringLiteral("千代田区"));
}

TEST_F(MultiValueEditor, EditsCancelledInTheNestedEditorLeaveTheRowAndAClickThereKeepsThisOpen)
{
    open(FieldId::Address);
    QTableView *view = m_editor->tableView();
    const QPoint city = view->visualRect(cell(0, 4)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, city);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, city);
    AddressViewController *nested = nestedEditor();
    ASSERT_TRUE(nested);
    QTest::mouseClick(nested->cityField(), Qt::LeftButton);
    EXPECT_TRUE(m_harness.isOpen());
    EditorHarness::type(nested->cityField(), QStringLiteral("Kobe"));
    QTest::mouseClick(nested->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->table()->rows().at(0)->city, QStringLiteral("京都市中京区"));
    EXPECT_TRUE(m_harness.isOpen());
}

struct Drop {
    const char *name;
    int source;
    int row; // -1 with a parent: onto that row
    bool sameDrag;
    QStringList order; // labels of the rows afterwards
};

class MultiValueDrop : public MultiValueEditor, public testing::WithParamInterface<Drop> { };

TEST_P(MultiValueDrop, MovesARowBetweenRowsOfThisTableOnly)
{
    open(FieldId::Phone);
    MultiValueTableModel *model = m_editor->table();
    std::unique_ptr<QMimeData> dragged(model->mimeData({cell(GetParam().source, 1)}));
    ASSERT_TRUE(dragged);
    QMimeData elsewhere;
    elsewhere.setText(dragged->text());
    const bool onto = GetParam().row < 0;
    const bool accepted = model->dropMimeData(GetParam().sameDrag ? dragged.get() : &elsewhere, Qt::MoveAction,
        onto ? -1 : GetParam().row, 0, onto ? cell(1, 0) : QModelIndex());
    QStringList labels;
    for (const LabeledValueRecordPtr &row : model->rows())
        labels.append(row->labelText());
    EXPECT_EQ(labels, GetParam().order);
    EXPECT_EQ(m_editor->doneButton()->isEnabled(), accepted);
}

const QStringList unmoved{"home", "work", "mobile", "main"};

INSTANTIATE_TEST_SUITE_P(Rows, MultiValueDrop,
    testing::Values(Drop{"FirstBetweenRows2And3", 0, 3, true, {"work", "mobile", "home", "main"}},
        Drop{"LastToTheTop", 3, 0, true, {"main", "home", "work", "mobile"}}, Drop{"OntoARow", 0, -1, true, unmoved},
        Drop{"FromElsewhere", 0, 3, false, unmoved}, Drop{"OntoItself", 2, 2, true, unmoved},
        Drop{"BeyondTheEnd", 0, 5, true, unmoved}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
