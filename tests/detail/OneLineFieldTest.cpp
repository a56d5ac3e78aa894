// Line breaks typed or pasted into the detail pane's editor, whose editor is
// multi-line for every field: only the fields that hold lines keep them (the
// joint names, which hold lines too, are edited in their own editor).

#include "DetailTestSupport.h"

#include <QClipboard>

using namespace Qt::Literals::StringLiterals;
using namespace DetailTest;

namespace {

struct LineBreakRow {
    const char *name;
    ContactIdentifier field;
    bool pasted; // pasted "one\ntwo", else typed with Alt+Return between
    QString stored;
};

class LineBreakInPane : public PaneTest, public testing::WithParamInterface<LineBreakRow> { };

TEST_P(LineBreakInPane, StaysOnlyInFieldsOfLines)
{
    const LineBreakRow &param = GetParam();
    show(fullContact());
    QPlainTextEdit *editor = editRow(pane(), rowOf(param.field));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Backspace);
    if (param.pasted) {
        QApplication::clipboard()->setText(u"one\ntwo"_s);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(editor, u"one"_s);
        QTest::keyClick(editor, Qt::Key_Return, Qt::AltModifier);
        QTest::keyClicks(editor, u"two"_s);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    endTurn();
    EXPECT_EQ(person().stringValueForIdentifier(param.field, 0), param.stored);
}

INSTANTIATE_TEST_SUITE_P(Rows, LineBreakInPane,
    testing::Values(LineBreakRow{"PastedCompany", FieldId::Company, true, u"one two"_s},
        LineBreakRow{"PastedEmail", FieldId::Email, true, u"one two"_s},
        LineBreakRow{"PastedPhone", FieldId::Phone, true, u"one two"_s},
        LineBreakRow{"TypedDepartment", FieldId::Department, false, u"onetwo"_s},
        LineBreakRow{"PastedNote", FieldId::Note, true, u"one\ntwo"_s},
        LineBreakRow{"TypedNote", FieldId::Note, false, u"one\ntwo"_s},
        LineBreakRow{"PastedHomePage", FieldId::URL, true, u"one two"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// A value read in with lines keeps them until the user types into it.
TEST_F(PaneTest, AnImportedCompanyWithLinesKeepsThemWhenOnlyOpened)
{
    const ContactRecordPtr contact = fullContact();
    contact->person->setValue(u"Quill\nCo."_s, FieldId::Company);
    show(contact);
    QPlainTextEdit *editor = editRow(pane(), rowOf(FieldId::Company));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    endTurn();
    EXPECT_EQ(person().stringValueForIdentifier(FieldId::Company, 0), u"Quill\nCo."_s);
}

} // namespace
