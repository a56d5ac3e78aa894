#include "EditorHarness.h"

#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "editors/DatesViewController.h"
#include "editors/IMSViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/NameViewController.h"
#include "editors/PhoneticNameViewController.h"
#include "editors/RenmeiViewController.h"
#include "editors/SNSViewController.h"
#include "editors/SeparatorBox.h"

namespace {

// An editor opened at its openers' size, with the control that shows whether
// it edits: a field a change is typed into, or the add button of its table.
struct EditorKind {
    const char *name;
    ContactIdentifier type;
    QSize size;
    ValueEditor *(*open)(EditorHarness &, const PopoverContextInfoPtr &, QSize, bool);
    QWidget *(*control)(ValueEditor *);
    bool returnPressesDone;
};

template <typename Editor, auto control = nullptr>
EditorKind kind(const char *name, const ContactIdentifier &type, QSize size = {400, 460}, bool returnPressesDone = true)
{
    const auto open = [](EditorHarness &harness, const PopoverContextInfoPtr &context, QSize size,
                          bool editable) -> ValueEditor * { return harness.open<Editor>(context, size, editable); };
    if constexpr (control == nullptr)
        return {name, type, size, open, nullptr, returnPressesDone};
    else
        return {name, type, size, open,
            [](ValueEditor *editor) -> QWidget * { return (static_cast<Editor *>(editor)->*control)(); },
            returnPressesDone};
}

bool editable(QWidget *control)
{
    const auto *field = qobject_cast<QLineEdit *>(control);
    return control->isEnabled() && !(field && field->isReadOnly());
}

// Changes the control as a user does when asked; the focus goes to the field
// or to the table.
QWidget *focus(ValueEditor *editor, QWidget *control, bool change)
{
    if (auto *field = qobject_cast<QLineEdit *>(control)) {
        if (change)
            EditorHarness::type(field, QStringLiteral("2001.2.3"));
        field->setFocus();
        return field;
    }
    if (change)
        QTest::mouseClick(static_cast<QPushButton *>(control), Qt::LeftButton);
    auto *table = editor->findChild<QTableView *>();
    table->setFocus();
    return table;
}

std::vector<EditorKind> editorKinds()
{
    return {kind<DateViewController, &DateViewController::dateField>("Birthday", FieldId::Birthday, {340, 284}, false),
        kind<DatesViewController, &DatesViewController::addButton>("Dates", FieldId::Dates, {340, 392}),
        kind<MultiValueViewController, &MultiValueViewController::addButton>("AllValues", FieldId::Email, {360, 260}),
        kind<NameViewController, &NameViewController::firstNameField>("Name", FieldId::Name, {340, 316}),
        kind<PhoneticNameViewController, &PhoneticNameViewController::firstNameField>(
            "PhoneticName", FieldId::PhoneticName, {340, 220})};
}

// The toggle, Done, Cancel, separator and controls as words.
QString frameOf(ValueEditor *editor, QWidget *control)
{
    const SeparatorBox *separator = editor->redSeparator();
    QStringList words{editor->editButton()->text()};
    if (editor->editButton()->isChecked())
        words.append(QStringLiteral("checked"));
    if (!editor->editButton()->isEnabled())
        words.append(QStringLiteral("disabled-toggle"));
    words.append(editor->doneButton()->text());
    if (!editor->doneButton()->isEnabled())
        words.append(QStringLiteral("disabled-done"));
    if (editor->cancelButton()->isVisible())
        words.append(QStringLiteral("cancel"));
    words.append(separator->fillColor() == Qt::red ? QStringLiteral("red")
            : separator->fillColor() == Qt::gray   ? QStringLiteral("gray")
                                                   : separator->fillColor().name());
    words.append(QString::number(separator->borderWidth()));
    words.append(editable(control) ? QStringLiteral("editable") : QStringLiteral("read-only"));
    return words.join(u' ');
}

struct FrameState {
    enum Given { Nothing, ContextAlone, ContextAndContact };
    const char *name;
    bool editEnabled;
    bool editable;
    Given given;
    const char *frame;
};

const char *const shownOnly = "Edit disabled-toggle Done gray 1 read-only";

const FrameState frameStates[] = {
    {"Editing", true, true, FrameState::ContextAndContact, "Lock checked Change disabled-done cancel red 2 editable"},
    {"Locked", true, false, FrameState::ContextAndContact, "Edit Done gray 1 read-only"},
    {"ViewOnly", false, true, FrameState::ContextAndContact, shownOnly},
    {"NoContact", true, true, FrameState::ContextAlone, shownOnly},
    {"NoContext", true, true, FrameState::Nothing, shownOnly},
};

class EditorFrame : public testing::TestWithParam<std::tuple<EditorKind, FrameState>> { };

TEST_P(EditorFrame, ToggleStateTitlesAndClosingWithoutAResult)
{
    const auto &[kind, state] = GetParam();
    EditorHarness harness;
    const PopoverContextInfoPtr context = EditorHarness::context(
        state.given == FrameState::ContextAndContact ? testContact() : nullptr, kind.type, state.editEnabled);
    ValueEditor *editor
        = kind.open(harness, state.given == FrameState::Nothing ? nullptr : context, kind.size, state.editable);
    Screenshot::grab(editor);
    EXPECT_EQ(frameOf(editor, kind.control(editor)), QString::fromLatin1(state.frame));
    if (state.given != FrameState::ContextAndContact) {
        EXPECT_EQ(editor->contactNameField()->text(), QStringLiteral("No name"));
    }

    QTest::mouseClick(
        editor->editButton()->isChecked() ? editor->cancelButton() : editor->doneButton(), Qt::LeftButton);
    EXPECT_FALSE(harness.isOpen());
    EXPECT_EQ(harness.closeCount(), 1);
    EXPECT_FALSE(context->dirty);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(context->value));
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorFrame,
    testing::Combine(testing::ValuesIn(editorKinds()), testing::ValuesIn(frameStates)),
    [](const auto &info) { return std::string(std::get<0>(info.param).name) + '_' + std::get<1>(info.param).name; });

class EditorReturnKey : public testing::TestWithParam<EditorKind> { };

// The birthday's Done never holds Return: there it enters the typed date.
TEST_P(EditorReturnKey, PressesDoneOnlyOnceDoneHoldsIt)
{
    const EditorKind &kind = GetParam();
    EditorHarness harness;
    const PopoverContextInfoPtr context = EditorHarness::context(testContact(), kind.type);
    ValueEditor *editor = kind.open(harness, context, kind.size, true);
    QTest::keyClick(focus(editor, kind.control(editor), false), Qt::Key_Return);
    EXPECT_TRUE(harness.isOpen());
    EXPECT_FALSE(context->dirty);

    QWidget *changed = focus(editor, kind.control(editor), true);
    ASSERT_EQ(QApplication::focusWidget(), changed);
    QTest::keyClick(changed, Qt::Key_Return);
    EXPECT_EQ(harness.isOpen(), !kind.returnPressesDone);
    EXPECT_EQ(context->dirty, kind.returnPressesDone);
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorReturnKey, testing::ValuesIn(editorKinds()),
    [](const auto &info) { return std::string(info.param.name); });

class EditorIgnoringEditEnabled : public testing::TestWithParam<EditorKind> { };

// The address, chat, profile and joint-names editors ignore "editEnabled";
// without a contact they still only show.
TEST_P(EditorIgnoringEditEnabled, EditsWhenTheOpenerDoesAndOnlyShowsWithoutAContact)
{
    for (const bool withContact : {true, false}) {
        EditorHarness harness;
        ValueEditor *editor = GetParam().open(harness,
            EditorHarness::context(withContact ? testContact() : nullptr, GetParam().type, false), GetParam().size,
            true);
        EXPECT_EQ(editor->isEditing(), withContact);
        EXPECT_EQ(editor->editButton()->isEnabled(), withContact);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorIgnoringEditEnabled,
    testing::Values(kind<AddressViewController>("Address", FieldId::Address),
        kind<IMSViewController>("Chat", FieldId::InstantMessage),
        kind<SNSViewController>("Profile", FieldId::SocialNetwork),
        kind<RenmeiViewController>("JointNames", FieldId::Renmei)),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
