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
#include "editors/ValueEditorDelegate.h"
#include "editors/ValueEditorResult.h"

#include <QRegularExpression>

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
    const auto flag = [](bool on, const char *word) { return on ? QString::fromLatin1(word) : QString(); };
    const QColor colour = editor->redSeparator()->fillColor();
    return QStringList{editor->editButton()->text(), flag(editor->editButton()->isChecked(), "checked"),
        flag(!editor->editButton()->isEnabled(), "disabled-toggle"), editor->doneButton()->text(),
        flag(!editor->doneButton()->isEnabled(), "disabled-done"), flag(editor->cancelButton()->isVisible(), "cancel"),
        colour == Qt::red        ? QStringLiteral("red")
            : colour == Qt::gray ? QStringLiteral("gray")
                                 : colour.name(),
        QString::number(editor->redSeparator()->borderWidth()), editable(control) ? "editable" : "read-only"}
        .filter(QRegularExpression(QStringLiteral(".")))
        .join(u' ');
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

// The birthday's Done never holds Return: there it enters the typed date.
TEST(EditorReturnKey, PressesDoneOnlyOnceDoneHoldsIt)
{
    for (const EditorKind &kind : editorKinds()) {
        SCOPED_TRACE(kind.name);
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
}

// The address, chat, profile and joint-names editors ignore "editEnabled";
// without a contact they still only show.
TEST(EditorIgnoringEditEnabled, EditsWhenTheOpenerDoesAndOnlyShowsWithoutAContact)
{
    for (const EditorKind &kind : {kind<AddressViewController>("Address", FieldId::Address),
             kind<IMSViewController>("Chat", FieldId::InstantMessage),
             kind<SNSViewController>("Profile", FieldId::SocialNetwork),
             kind<RenmeiViewController>("JointNames", FieldId::Renmei)}) {
        for (const bool withContact : {true, false}) {
            EditorHarness harness;
            ValueEditor *editor = kind.open(harness,
                EditorHarness::context(withContact ? testContact() : nullptr, kind.type, false), kind.size, true);
            EXPECT_EQ(editor->isEditing(), withContact) << kind.name;
            EXPECT_EQ(editor->editButton()->isEnabled(), withContact) << kind.name;
        }
    }
}

// Writes each call as "operation type contact what", answering true.
class RecordingDelegate : public ValueEditorDelegate {
public:
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        QString what = QStringLiteral("list");
        if (const auto *text = std::get_if<QString>(&value))
            what = *text;
        else if (const auto *record = std::get_if<LabeledValueRecord>(&value))
            what = QString::number(record->labelIndex);
        else if (std::holds_alternative<BirthdayRecord>(value))
            what = QStringLiteral("birthday");
        calls.append(QStringLiteral("replace %1 %2 %3").arg(identifier, contact->uniqueId, what));
        return true;
    }
    void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        calls.append(QStringLiteral("add %1 %2 %3").arg(identifier, contact->uniqueId).arg(value.labelIndex));
    }

    QStringList calls;
};

LabeledValueRecord numbered(qint64 labelIndex)
{
    LabeledValueRecord record;
    record.labelIndex = labelIndex;
    return record;
}

// Applied to the contact given ("host"), or without one to the context's.
TEST(ValueEditorResult, AddsANewSingleValueAndReplacesAnythingElse)
{
    const struct {
        ContactIdentifier type;
        PersonValue value;
        QStringList values;
        bool dirty;
        bool toContextsContact;
        QString expected;
    } rows[] = {
        {FieldId::Address, numbered(-1), {}, false, false, {}},
        {FieldId::Address, numbered(-1), {}, true, false, "add Address host -1"},
        {FieldId::InstantMessage, numbered(-1), {}, true, false, "add Instant Message host -1"},
        {FieldId::SocialNetwork, numbered(2), {}, true, false, "replace Social Network host 2"},
        {FieldId::Address, LabeledValueList(), {}, true, false, "replace Address host list"},
        {FieldId::Phone, numbered(-1), {}, true, false, "replace Phone host -1"},
        {FieldId::Renmei, {}, {"花子", "一郎"}, true, false, "replace Renmei host 花子\n一郎"},
        {FieldId::Birthday, BirthdayRecord(), {}, true, true, "replace Birthday taro birthday"},
    };
    for (const auto &row : rows) {
        const ContactRecordPtr opened = testContact();
        const ContactRecordPtr host = ContactRecord::makeWithPerson(opened->person);
        host->uniqueId = QStringLiteral("host");
        auto context = std::make_shared<PopoverContextInfo>();
        context->contact = opened;
        context->type = row.type;
        context->dirty = row.dirty;
        context->value = row.value;
        context->values = row.values;
        RecordingDelegate delegate;
        EXPECT_EQ(applyValueEditorResult(context, row.toContextsContact ? nullptr : host, &delegate),
            !row.expected.isEmpty());
        EXPECT_EQ(delegate.calls.join(u'|'), row.expected);
    }
}

} // namespace
