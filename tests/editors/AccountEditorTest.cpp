#include "EditorHarness.h"

#include "common/Screenshot.h"
#include "editors/IMSViewController.h"
#include "editors/SNSViewController.h"

#include <QComboBox>

namespace {

// A user's pick in a pop-up: the focus goes there, the arrow keys move.
void pick(QComboBox *popup, int steps, Qt::Key key = Qt::Key_Down)
{
    popup->setFocus();
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(popup, key);
}

// The contact's chat account 0 is stored under the older name
// "SkypeInstant"; its social profile 0 is of GameCenter, which is no label.
template <typename Editor> class AccountEditor : public EditorTest<Editor> {
protected:
    Editor *open(std::optional<qint64> labelIndex)
    {
        return std::is_same_v<Editor, IMSViewController>
            ? EditorTest<Editor>::open(FieldId::InstantMessage, {340, 192}, labelIndex)
            : EditorTest<Editor>::open(FieldId::SocialNetwork, {400, 222}, labelIndex);
    }
    // label, service, user name, user id, URL, text and number of the result.
    [[nodiscard]] QString result() const
    {
        const auto r = EditorTest<Editor>::template result<LabeledValueRecord>();
        return QStringList{r.label.value_or(QStringLiteral("-")), r.accountParts().service, r.accountParts().username,
            r.accountParts().userIdentifier, r.accountParts().urlString, r.stringValue, QString::number(r.labelIndex)}
            .join(u'|');
    }
};

using ChatEditor = AccountEditor<IMSViewController>;
using ProfileEditor = AccountEditor<SNSViewController>;

// -1 asks for a new value; 9 names none. Return presses Done once a change
// gave it the key.
TEST_F(ChatEditor, NewStartsAsHomeAimNewAndIsAddedUnnumbered)
{
    for (const qint64 labelIndex : {-1, 9}) {
        open(labelIndex);
        EXPECT_TRUE(m_editor->isEditing());
        EXPECT_EQ(m_editor->servicePopup()->currentText(), QStringLiteral("AIM"));
        EXPECT_EQ(m_editor->usernameField()->text(), QStringLiteral("new"));
        pick(m_editor->labelPopup(), 1);
        Screenshot::grab(m_editor);
        QTest::keyClick(m_editor->labelPopup(), Qt::Key_Return);
        EXPECT_FALSE(m_harness.isOpen());
        EXPECT_EQ(result(), QStringLiteral("work|AIM|new|||AIM:new|-1"));
    }
}

TEST_F(ProfileEditor, NewStartsAsTwitterNew)
{
    for (const qint64 labelIndex : {-1, 9}) {
        open(labelIndex);
        EXPECT_EQ(m_editor->servicePopup()->currentText(), QStringLiteral("Twitter"));
        EditorHarness::type(m_editor->userIdentifierField(), QStringLiteral("42"));
        done();
        EXPECT_EQ(result(), QStringLiteral("Twitter|Twitter|new|42||new|-1"));
    }
}

TEST_F(ChatEditor, OlderServiceNameShowsItsServiceAndStaysUntilAServiceIsPickedAndNoUserNameShowsNone)
{
    open(0);
    EXPECT_EQ(m_editor->servicePopup()->currentText(), QStringLiteral("Skype"));
    EXPECT_EQ(m_editor->labelPopup()->currentText(), QStringLiteral("work"));
    EditorHarness::type(m_editor->usernameField(), QStringLiteral("taro.q"));
    done();
    EXPECT_EQ(result(), QStringLiteral("work|SkypeInstant|taro.q|||SkypeInstant:taro.q|0"));
    EXPECT_EQ(m_editor->usernameField()->text(), QString());

    open(0);
    pick(m_editor->servicePopup(), 1);
    done();
    EXPECT_EQ(result(), QStringLiteral("work|Yahoo|taro.chat|||Yahoo:taro.chat|0"));

    // An empty user name leaves the field empty and the service at the first.
    const LabeledValueRecordPtr chat
        = m_contact->person->labeledValueForIdentifierAtLabelIndex(FieldId::InstantMessage, 0);
    chat->value = QString();
    chat->account->username.clear();
    chat->account->service = QStringLiteral("QQ");
    m_contact->person->setValue(LabeledValueList{chat}, FieldId::InstantMessage);
    open(0);
    EXPECT_EQ(m_editor->usernameField()->text(), QString());
    EXPECT_EQ(m_editor->servicePopup()->currentText(), QStringLiteral("AIM"));
}

TEST_F(ProfileEditor, StoredServiceThatIsNoLabelJoinsThePopup)
{
    open(0);
    EXPECT_EQ(m_editor->servicePopup()->currentText(), QStringLiteral("GameCenter"));
    EXPECT_EQ(m_editor->URLStringField()->text(), QStringLiteral("https://example.jp/taro"));
    pick(m_editor->servicePopup(), 1, Qt::Key_Home);
    Screenshot::grab(m_editor);
    done();
    EXPECT_EQ(result(), QStringLiteral("Twitter|Twitter|taro_gc||https://example.jp/taro|taro_gc|0"));
}

} // namespace
