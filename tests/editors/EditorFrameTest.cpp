#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "editors/IMSViewController.h"
#include "editors/DatesViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/NameViewController.h"
#include "editors/PhoneticNameViewController.h"
#include "editors/RenmeiViewController.h"
#include "editors/SNSViewController.h"
#include "editors/SeparatorBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <functional>

namespace {

// One of the four editors, opened at its openers' size, with what tells
// whether its own controls can be changed, and a change a user makes in it:
// the focus goes to a control, which is changed when asked, and answered.
struct EditorKind {
    const char *name;
    ContactIdentifier type;
    QSize size;
    std::function<ValueEditor *(EditorHarness &, const PopoverContextInfoPtr &, bool)> open;
    std::function<bool(ValueEditor *)> controlsEditable;
    std::function<QWidget *(ValueEditor *, bool)> change;
    bool returnPressesDone;
};

template <typename Editor>
EditorKind kind(const char *name, const ContactIdentifier &type, QSize size,
    std::function<bool(Editor *)> controlsEditable, std::function<QWidget *(Editor *, bool)> change,
    bool returnPressesDone)
{
    return {name, type, size,
        [size](EditorHarness &harness, const PopoverContextInfoPtr &context, bool editable) -> ValueEditor * {
            return harness.open<Editor>(context, size, editable);
        },
        [controlsEditable](ValueEditor *editor) { return controlsEditable(static_cast<Editor *>(editor)); },
        [change](ValueEditor *editor, bool edit) { return change(static_cast<Editor *>(editor), edit); },
        returnPressesDone};
}

QWidget *typeInto(QLineEdit *field, bool edit, const QString &text)
{
    if (edit)
        EditorHarness::type(field, text);
    field->setFocus();
    return field;
}

bool nameEditable(NamePartsEditor *editor)
{
    return !editor->firstNameField()->isReadOnly();
}

QWidget *typeIntoFirstName(NamePartsEditor *editor, bool edit)
{
    return typeInto(editor->firstNameField(), edit, QStringLiteral("Jiro"));
}

std::vector<EditorKind> editorKinds()
{
    return {kind<DateViewController>(
                "Birthday", FieldId::Birthday, QSize(340, 284),
                [](DateViewController *editor) { return editor->dateField()->isEnabled(); },
                [](DateViewController *editor, bool edit) {
                    return typeInto(editor->dateField(), edit, QStringLiteral("2001.2.3"));
                },
                false),
        kind<DatesViewController>(
            "Dates", FieldId::Dates, QSize(340, 392),
            [](DatesViewController *editor) { return editor->addButton()->isEnabled(); },
            [](DatesViewController *editor, bool edit) {
                if (edit)
                    QTest::mouseClick(editor->addButton(), Qt::LeftButton);
                editor->tableView()->setFocus();
                return editor->tableView();
            },
            true),
        kind<MultiValueViewController>(
            "AllValues", FieldId::Email, QSize(360, 260),
            [](MultiValueViewController *editor) { return editor->addButton()->isEnabled(); },
            [](MultiValueViewController *editor, bool edit) {
                if (edit)
                    QTest::mouseClick(editor->addButton(), Qt::LeftButton);
                editor->tableView()->setFocus();
                return editor->tableView();
            },
            true),
        kind<NameViewController>("Name", FieldId::Name, QSize(340, 316), nameEditable, typeIntoFirstName, true),
        kind<PhoneticNameViewController>(
            "PhoneticName", FieldId::PhoneticName, QSize(340, 220), nameEditable, typeIntoFirstName, true)};
}

// The Edit toggle as an opener sets it.
struct FrameState {
    enum Given { Nothing, ContextAlone, ContextAndContact };
    const char *name;
    bool editEnabled;
    bool editable;
    Given given;
    bool editing;
    bool toggleEnabled;
};

const FrameState frameStates[] = {
    {"Editing", true, true, FrameState::ContextAndContact, true, true},
    {"Locked", true, false, FrameState::ContextAndContact, false, true},
    {"ViewOnly", false, true, FrameState::ContextAndContact, false, false},
    {"NoContact", true, true, FrameState::ContextAlone, false, false},
    {"NoContext", true, true, FrameState::Nothing, false, false},
};

class EditorFrame : public testing::TestWithParam<std::tuple<EditorKind, FrameState>> { };

TEST_P(EditorFrame, ToggleStateTitlesAndClosingWithoutAResult)
{
    const auto &[kind, state] = GetParam();
    EditorHarness harness;
    const PopoverContextInfoPtr context = EditorHarness::context(
        state.given == FrameState::ContextAndContact ? testContact() : nullptr, kind.type, state.editEnabled);
    ValueEditor *editor = kind.open(harness, state.given == FrameState::Nothing ? nullptr : context, state.editable);
    Screenshot::grab(editor);

    EXPECT_EQ(editor->editButton()->isChecked(), state.editing);
    EXPECT_EQ(editor->editButton()->isEnabled(), state.toggleEnabled);
    EXPECT_EQ(editor->editButton()->text(), state.editing ? QStringLiteral("Lock") : QStringLiteral("Edit"));
    EXPECT_EQ(editor->doneButton()->text(), state.editing ? QStringLiteral("Change") : QStringLiteral("Done"));
    EXPECT_EQ(editor->doneButton()->isEnabled(), !state.editing);
    EXPECT_EQ(editor->cancelButton()->isVisible(), state.editing);
    EXPECT_EQ(editor->redSeparator()->fillColor(), QColor(state.editing ? Qt::red : Qt::gray));
    EXPECT_EQ(editor->redSeparator()->borderWidth(), state.editing ? 2 : 1);
    EXPECT_EQ(kind.controlsEditable(editor), state.editing);
    if (state.given != FrameState::ContextAndContact) {
        EXPECT_EQ(editor->contactNameField()->text(), QStringLiteral("No name"));
    }
    EXPECT_LE(editor->minimumSizeHint().width(), kind.size.width());
    EXPECT_LE(editor->minimumSizeHint().height(), kind.size.height());

    QTest::mouseClick(state.editing ? editor->cancelButton() : editor->doneButton(), Qt::LeftButton);
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
    ValueEditor *editor = kind.open(harness, context, true);
    QTest::keyClick(kind.change(editor, false), Qt::Key_Return);
    EXPECT_TRUE(harness.isOpen());
    EXPECT_FALSE(context->dirty);

    QWidget *changed = kind.change(editor, true);
    ASSERT_EQ(QApplication::focusWidget(), changed);
    QTest::keyClick(changed, Qt::Key_Return);
    EXPECT_EQ(harness.isOpen(), !kind.returnPressesDone);
    EXPECT_EQ(context->dirty, kind.returnPressesDone);
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorReturnKey, testing::ValuesIn(editorKinds()),
    [](const auto &info) { return std::string(info.param.name); });

// The address, chat, profile and joint-names editors ignore "editEnabled";
// without a contact they still only show.
struct IgnoringEditor {
    const char *name;
    ContactIdentifier type;
    std::function<ValueEditor *(EditorHarness &, const PopoverContextInfoPtr &)> open;
};

template <typename Editor> IgnoringEditor ignoring(const char *name, const ContactIdentifier &type)
{
    return {name, type, [](EditorHarness &harness, const PopoverContextInfoPtr &context) -> ValueEditor * {
                return harness.open<Editor>(context, QSize(400, 460), true);
            }};
}

class EditorIgnoringEditEnabled : public testing::TestWithParam<IgnoringEditor> { };

TEST_P(EditorIgnoringEditEnabled, EditsWhenTheOpenerDoesAndOnlyShowsWithoutAContact)
{
    for (const bool withContact : {true, false}) {
        EditorHarness harness;
        ValueEditor *editor = GetParam().open(
            harness, EditorHarness::context(withContact ? testContact() : nullptr, GetParam().type, false));
        EXPECT_EQ(editor->isEditing(), withContact);
        EXPECT_EQ(editor->editButton()->isEnabled(), withContact);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorIgnoringEditEnabled,
    testing::Values(ignoring<AddressViewController>("Address", FieldId::Address),
        ignoring<IMSViewController>("Chat", FieldId::InstantMessage),
        ignoring<SNSViewController>("Profile", FieldId::SocialNetwork),
        ignoring<RenmeiViewController>("JointNames", FieldId::Renmei)),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
