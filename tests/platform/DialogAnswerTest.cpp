// DialogAnswer on a plain dialog: one answer for each time the dialog is
// opened, and nothing typed into a dialog's window after it has closed.
#include "common/EventLoop.h"
#include "platform/widgets/DialogAnswer.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

class DialogAnswerTest : public testing::Test {
protected:
    void SetUp() override
    {
        (new QVBoxLayout(&m_dialog))->addWidget(m_field);
        DialogAnswer::answerAfterDone(&m_dialog, &m_context, [this](int result) { m_answers.append(result); });
    }

    QObject m_context;
    QDialog m_dialog;
    QLineEdit *m_field = new QLineEdit(&m_dialog);
    QList<int> m_answers;
};

// A second done() of the same opening (a close after Done, a Return typed
// ahead) is no answer; the next opening answers again.
TEST_F(DialogAnswerTest, FinishedTwiceAnswersOnceEachOpening)
{
    m_dialog.open();
    m_dialog.done(1);
    m_dialog.done(0);
    endTurn();
    EXPECT_EQ(m_answers, QList<int>{1});
    m_dialog.open();
    m_dialog.done(0);
    m_dialog.done(1);
    endTurn();
    EXPECT_EQ(m_answers, (QList<int>{1, 0}));
}

// The field keeps the keyboard of the closed window: a key pressed there
// reaches the window, yet not the field.
TEST_F(DialogAnswerTest, ClosedDialogsWindowDropsAKeyPress)
{
    m_dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    m_field->setFocus();
    QTest::keyClick(m_dialog.windowHandle(), 'a');
    m_dialog.done(1);
    QTest::keyClick(m_dialog.windowHandle(), 'b');
    EXPECT_EQ(m_field->text(), QStringLiteral("a"));
}

} // namespace
