#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "common/Screenshot.h"
#include "editors/IMSViewController.h"
#include "editors/SNSViewController.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The contact's chat account 0 is stored under the older name
// "SkypeInstant"; its social profile 0 is of GameCenter, which is no label.
class AccountEditor : public testing::Test {
protected:
    template <typename Editor> Editor *open(const ContactIdentifier &type, std::optional<qint64> labelIndex)
    {
        m_context = EditorHarness::context(m_contact, type, false, labelIndex);
        auto *editor = m_harness.open<Editor>(
            m_context, type == FieldId::InstantMessage ? QSize(340, 192) : QSize(400, 222), true);
        EXPECT_LE(editor->minimumSizeHint().width(), m_harness.popover()->contentSize().width());
        EXPECT_LE(editor->minimumSizeHint().height(), m_harness.popover()->contentSize().height());
        return editor;
    }
    // A user's pick in a pop-up: the focus goes there, the arrow keys move.
    static void pick(QComboBox *popup, int steps)
    {
        popup->setFocus();
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(popup, Qt::Key_Down);
    }
    [[nodiscard]] const LabeledValueRecord &result() const { return std::get<LabeledValueRecord>(m_context->value); }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
};

class NewAccount : public AccountEditor, public testing::WithParamInterface<qint64> { };

// Return presses Done once a change gave it the key.
TEST_P(NewAccount, ChatStartsAsHomeAimNewAndIsAddedUnnumbered)
{
    auto *editor = open<IMSViewController>(FieldId::InstantMessage, GetParam());
    EXPECT_TRUE(editor->isEditing());
    EXPECT_EQ(editor->servicePopup()->currentText(), QStringLiteral("AIM"));
    EXPECT_EQ(editor->usernameField()->text(), QStringLiteral("new"));
    pick(editor->labelPopup(), 1);
    Screenshot::grab(editor);
    QTest::keyClick(editor->labelPopup(), Qt::Key_Return);
    EXPECT_FALSE(m_harness.isOpen());
    EXPECT_EQ(result().label, QStringLiteral("work"));
    EXPECT_EQ(result().stringValue, QStringLiteral("AIM:new"));
    EXPECT_EQ(result().labelIndex, -1);
}

TEST_P(NewAccount, SocialProfileStartsAsTwitterNew)
{
    auto *editor = open<SNSViewController>(FieldId::SocialNetwork, GetParam());
    EXPECT_EQ(editor->servicePopup()->currentText(), QStringLiteral("Twitter"));
    EditorHarness::type(editor->userIdentifierField(), QStringLiteral("42"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_EQ(result().service, QStringLiteral("Twitter"));
    EXPECT_EQ(result().username, QStringLiteral("new"));
    EXPECT_EQ(result().userIdentifier, QStringLiteral("42"));
    EXPECT_EQ(result().labelIndex, -1);
}

// -1 asks for a new value; 9 names none.
INSTANTIATE_TEST_SUITE_P(Rows, NewAccount, testing::Values(-1, 9));

TEST_F(AccountEditor, OlderServiceNameShowsItsServiceAndStaysUntilAServiceIsPicked)
{
    auto *editor = open<IMSViewController>(FieldId::InstantMessage, 0);
    EXPECT_EQ(editor->servicePopup()->currentText(), QStringLiteral("Skype"));
    EXPECT_EQ(editor->labelPopup()->currentText(), QStringLiteral("work"));
    EditorHarness::type(editor->usernameField(), QStringLiteral("taro.q"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_EQ(result().service, QStringLiteral("SkypeInstant"));
    EXPECT_EQ(result().stringValue, QStringLiteral("SkypeInstant:taro.q"));
    EXPECT_EQ(result().labelIndex, 0);
    EXPECT_EQ(editor->usernameField()->text(), QString());

    editor = open<IMSViewController>(FieldId::InstantMessage, 0);
    pick(editor->servicePopup(), 1);
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_EQ(result().service, QStringLiteral("Yahoo"));
}

TEST_F(AccountEditor, StoredServiceThatIsNoLabelJoinsThePopup)
{
    auto *editor = open<SNSViewController>(FieldId::SocialNetwork, 0);
    EXPECT_EQ(editor->servicePopup()->currentText(), QStringLiteral("GameCenter"));
    EXPECT_EQ(editor->URLStringField()->text(), QStringLiteral("https://example.jp/taro"));
    editor->servicePopup()->setFocus();
    QTest::keyClick(editor->servicePopup(), Qt::Key_Home);
    Screenshot::grab(editor);
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_EQ(result().label, QStringLiteral("Twitter"));
    EXPECT_EQ(result().service, QStringLiteral("Twitter"));
    EXPECT_EQ(result().username, QStringLiteral("taro_gc"));
    EXPECT_EQ(result().urlString, QStringLiteral("https://example.jp/taro"));
}

TEST_F(AccountEditor, EmptyUserNameLeavesFieldAndServiceAsTheyAre)
{
    const LabeledValueRecordPtr chat
        = m_contact->person->labeledValueForIdentifierAtLabelIndex(FieldId::InstantMessage, 0);
    chat->value = QString();
    chat->username.clear();
    chat->service = QStringLiteral("QQ");
    m_contact->person->setValue(LabeledValueList{chat}, FieldId::InstantMessage);
    auto *editor = open<IMSViewController>(FieldId::InstantMessage, 0);
    EXPECT_EQ(editor->usernameField()->text(), QString());
    EXPECT_EQ(editor->servicePopup()->currentText(), QStringLiteral("AIM"));
}

} // namespace
