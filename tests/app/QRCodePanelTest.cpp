#include "ViewControllerFixture.h"

#include "common/GeneratedAddressBook.h"
#include "common/Screenshot.h"
#include "interchange/widgets/QRCodePanelController.h"
#include "app/ContactMenuCommands.h"
#include "model/MVPerson.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window with a generated contact selected in its table.
class QRCodePanel : public ViewControllerTest {
protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QRCodePanelController &showContact(int index)
    {
        m_table.selectedContactsList
            = {ContactRecord::makeWithPerson(MVPerson::initWithCNContact(GeneratedAddressBook::makeContact(index)))};
        m_window.contactCommands()->showQRCodeAction()->trigger();
        QRCodePanelController *panel = m_window.contactCommands()->qrCodePanelController();
        EXPECT_TRUE(panel && panel->isVisible());
        QApplication::setActiveWindow(panel);
        EXPECT_TRUE(QTest::qWaitForWindowActive(panel));
        return *panel;
    }

    static void chooseFormat(QRCodePanelController &panel, const QString &format)
    {
        panel.formatPopup()->setCurrentIndex(panel.formatPopup()->findText(format));
    }

    // Ticks or clears a value's check box from the keyboard.
    static void toggleRow(QRCodePanelController &panel, int row)
    {
        QTableWidget *table = panel.tableView();
        table->setCurrentCell(row, QRCodePanelController::ValueColumn);
        QTest::keyClick(table, Qt::Key_Space);
    }

    [[nodiscard]] static QList<int> rowsOfType(const QRCodePanelController &panel, const QString &type)
    {
        QList<int> rows;
        for (int row = 0; row < panel.table().size(); ++row) {
            if (panel.table().at(row).type == type)
                rows.append(row);
        }
        return rows;
    }
};

TEST_F(QRCodePanel, PhoneFormatOffersOnlyPhonesAndTheLastTickedOneWins)
{
    QRCodePanelController &panel = showContact(2);
    chooseFormat(panel, u"Phone"_s);
    const QList<int> phones = rowsOfType(panel, FieldId::Phone);
    ASSERT_EQ(phones.size(), 2);
    for (int row = 0; row < panel.tableView()->rowCount(); ++row) {
        const bool enabled
            = panel.tableView()->item(row, QRCodePanelController::ValueColumn)->flags() & Qt::ItemIsEnabled;
        EXPECT_EQ(enabled, phones.contains(row)) << row;
    }
    EXPECT_EQ(panel.textView()->toPlainText(), u"tel:"_s + panel.table().at(phones.first()).value);
    toggleRow(panel, phones.last());
    Screenshot::grab(&panel);
    EXPECT_EQ(panel.textView()->toPlainText(), u"tel:"_s + panel.table().at(phones.last()).value);
    // A version 1 symbol, 21 modules a side, three pixels each.
    EXPECT_EQ(panel.image().width(), (21 + 2) * 3);
}

TEST_F(QRCodePanel, CopyPutsThePictureOnTheClipboardAsPngUnlessTextIsSelected)
{
    QRCodePanelController &panel = showContact(2);
    chooseFormat(panel, u"vCard"_s);
    ASSERT_FALSE(panel.image().isNull());
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(panel.fooButton(), Qt::LeftButton);
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied && copied->hasFormat(u"image/png"_s));
    const QImage pasted = QImage::fromData(copied->data(u"image/png"_s), "PNG");
    EXPECT_EQ(pasted.convertToFormat(QImage::Format_RGB32), panel.image().convertToFormat(QImage::Format_RGB32));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&panel, Qt::Key_C, Qt::ControlModifier);
    copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied && copied->hasFormat(u"image/png"_s));
    panel.textView()->selectAll();
    QTest::keyClick(panel.textView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(u"BEGIN:VCARD"_s));
}

TEST_F(QRCodePanel, APayloadTooLongForACodeShowsNoPictureAndLeavesTheClipboard)
{
    QRCodePanelController &panel = showContact(2);
    panel.contact()->person->stringValues()->company = QString(3000, u'x');
    panel.setContact(panel.contact());
    chooseFormat(panel, u"vCard"_s);
    toggleRow(panel, rowsOfType(panel, FieldId::Company).first());
    EXPECT_TRUE(panel.textView()->toPlainText().contains(u"ORG:xxx"_s));
    EXPECT_TRUE(panel.image().isNull());
    EXPECT_FALSE(panel.fooButton()->isEnabled());
    QGuiApplication::clipboard()->setText(u"kept"_s);
    QTest::keyClick(&panel, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"kept"_s);
}

TEST_F(QRCodePanel, NoSelectionOpensNothing)
{
    m_window.contactCommands()->showQRCodeAction()->trigger();
    EXPECT_EQ(m_window.contactCommands()->qrCodePanelController(), nullptr);
}

} // namespace
