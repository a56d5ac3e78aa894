#include "common/Screenshot.h"

#include "find/ReplaceAlertPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QStringList phoneLabels{
    QStringLiteral("home"), QStringLiteral("All"), QStringLiteral("work"), QStringLiteral("mobile")};

struct SheetRow {
    QString type;
    QString message;
    QString button;
    bool labelled;
    QString textShown; // with "old" prefilled
};

// The sheet as the table opens it: on a window, over the phone column, with
// the clicked value's label and text.
class ReplaceAlertPanelTest : public ::testing::Test {
protected:
    void open(const QString &type, const QString &label = {}, const QString &text = QStringLiteral("old"))
    {
        m_window.resize(500, 300);
        m_window.show();
        m_panel = new ReplaceAlertPanel(&m_window);
        m_panel->setLabels(phoneLabels);
        m_panel->setLabel(label);
        m_panel->setType(type);
        m_panel->setReplaceString(text);
        m_panel->setIdentifier(QStringLiteral("Phone"));
        m_panel->updateUI();
        m_spy = std::make_unique<QSignalSpy>(m_panel, &QDialog::finished);
        m_panel->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_panel));
    }

    QStringList offeredLabels() const
    {
        QStringList labels;
        for (int i = 0; i < m_panel->labelPopup()->count(); ++i)
            labels << m_panel->labelPopup()->itemText(i);
        return labels;
    }

    int finishedWith() const { return m_spy->isEmpty() ? -1 : m_spy->first().first().toInt(); }

    QWidget m_window;
    ReplaceAlertPanel *m_panel = nullptr;
    std::unique_ptr<QSignalSpy> m_spy;
};

class ReplaceAlertPanelTypes : public ReplaceAlertPanelTest, public ::testing::WithParamInterface<SheetRow> { };

TEST_P(ReplaceAlertPanelTypes, ShowsTheCommandsMessageButtonAndChooser)
{
    const SheetRow &row = GetParam();
    open(row.type);
    EXPECT_EQ(m_panel->replaceAlertMessage()->text(), row.message);
    EXPECT_EQ(m_panel->okButton()->text(), row.button);
    EXPECT_EQ(m_panel->labelPopup()->isEnabled(), row.labelled);
    EXPECT_EQ(offeredLabels(), row.labelled ? QStringList({"home", "work", "mobile"}) : QStringList());
    EXPECT_EQ(m_panel->columnTitle()->text(), QStringLiteral("Columns"));
    ASSERT_EQ(m_panel->columnPopup()->count(), 1);
    EXPECT_EQ(m_panel->columnPopup()->itemData(0).toString(), QStringLiteral("Phone"));
    EXPECT_EQ(m_panel->replaceTextField()->text(), row.textShown);

    QTest::mouseClick(m_panel->okButton(), Qt::LeftButton);
    EXPECT_EQ(finishedWith(), 1);
    EXPECT_EQ(m_panel->replaceString(), row.textShown);
    EXPECT_EQ(m_panel->label(), row.labelled ? QStringLiteral("home") : QString());
}

INSTANTIATE_TEST_SUITE_P(Commands, ReplaceAlertPanelTypes,
    ::testing::Values(SheetRow{"Add Label and Text", "In order to add the label and text Phone", "Add", true, "old"},
        SheetRow{"Replace Label and Text", "In order to replace the label and text Phone", "Replace", true, "old"},
        SheetRow{"Replace Text", "In order to replace the text Phone", "Replace", false, "old"},
        SheetRow{"Prepend Text", "In order to prepend the text Phone", "Prepend", false, ""},
        SheetRow{"Append Text", "In order to append the text Phone", "Append", false, ""}));

TEST_F(ReplaceAlertPanelTest, PreselectedLabelComesBackAndTypedTextIsHandedBack)
{
    open(ReplaceAlertPanel::replaceLabelAndTextTitle(), QStringLiteral("work"));
    EXPECT_EQ(m_panel->labelPopup()->currentText(), QStringLiteral("work"));
    m_panel->replaceTextField()->selectAll();
    QTest::keyClicks(m_panel->replaceTextField(), QStringLiteral("03-1234"));
    Screenshot::grab(m_panel);
    QTest::mouseClick(m_panel->okButton(), Qt::LeftButton);
    EXPECT_EQ(finishedWith(), 1);
    EXPECT_EQ(m_panel->label(), QStringLiteral("work"));
    EXPECT_EQ(m_panel->replaceString(), QStringLiteral("03-1234"));
}

TEST_F(ReplaceAlertPanelTest, ChosenLabelIsHandedBack)
{
    open(ReplaceAlertPanel::addLabelAndTextTitle(), QStringLiteral("home"));
    m_panel->labelPopup()->setFocus();
    QTest::keyClick(m_panel->labelPopup(), Qt::Key_Down);
    QTest::mouseClick(m_panel->okButton(), Qt::LeftButton);
    EXPECT_EQ(m_panel->label(), QStringLiteral("work"));
}

TEST_F(ReplaceAlertPanelTest, CancelAndEscapeFinishWithZeroAndChangeNothing)
{
    open(ReplaceAlertPanel::replaceLabelAndTextTitle(), QStringLiteral("work"));
    QTest::keyClicks(m_panel->replaceTextField(), QStringLiteral("new"));
    QTest::mouseClick(m_panel->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(finishedWith(), 0);
    EXPECT_EQ(m_panel->label(), QStringLiteral("work"));

    delete m_panel;
    open(ReplaceAlertPanel::replaceTextTitle());
    QTest::keyClick(m_panel, Qt::Key_Escape);
    EXPECT_EQ(finishedWith(), 0);
}

TEST_F(ReplaceAlertPanelTest, UnknownTypeLeavesTheSheetAsBuilt)
{
    open(QStringLiteral("Something Else"));
    EXPECT_TRUE(m_panel->replaceAlertMessage()->text().isEmpty());
    EXPECT_EQ(m_panel->okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(m_panel->replaceTextField()->text(), QStringLiteral("old"));
}

} // namespace
