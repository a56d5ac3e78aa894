#include "ViewControllerFixture.h"

#include <QColor>

using EditState = ViewControllerTest;

TEST_F(EditState, EditingShowsARedLineAndOffersLockAndLockingGreysItKeepingItsWidth)
{
    m_controller.setEditState(true);
    EXPECT_TRUE(m_controller.editState());
    EXPECT_EQ(m_separator.borderWidth(), 2);
    EXPECT_EQ(m_separator.borderColor(), QColor(Qt::red));
    EXPECT_EQ(m_separator.fillColor(), QColor(Qt::red));
    EXPECT_EQ(m_editButton.text().toStdString(), "Lock");
    EXPECT_EQ(m_log.calls(),
        (QStringList{QStringLiteral("table.setEditState:1"), QStringLiteral("detail.setEditState:1"),
            QStringLiteral("outline.setEditState:1"), QStringLiteral("findBar.setEditState:1"),
            QStringLiteral("table.updateTable")}));

    m_separator.setBorderWidth(3);
    m_controller.setContactInfoVisible(true);
    m_log.clear();
    m_controller.setEditState(false);
    EXPECT_FALSE(m_controller.editState());
    EXPECT_EQ(m_separator.borderWidth(), 3);
    EXPECT_EQ(m_separator.borderColor(), QColor(Qt::gray));
    EXPECT_EQ(m_separator.fillColor(), QColor(Qt::gray));
    EXPECT_EQ(m_editButton.text().toStdString(), "Edit");
    EXPECT_EQ(m_log.calls(),
        (QStringList{QStringLiteral("table.setEditState:0"), QStringLiteral("detail.setEditState:0"),
            QStringLiteral("outline.setEditState:0"), QStringLiteral("findBar.setEditState:0"),
            QStringLiteral("table.updateTable"), QStringLiteral("detail.updateTable")}));
}

TEST_F(EditState, TheSeparatorPaintsItsFillAndBorder)
{
    m_separator.resize(40, 6);
    m_controller.setEditState(true);
    const QImage painted = m_separator.grab().toImage();
    EXPECT_EQ(painted.pixelColor(20, 3), QColor(Qt::red));
    m_controller.setEditState(false);
    EXPECT_EQ(m_separator.grab().toImage().pixelColor(20, 3), QColor(Qt::gray));
}

TEST(EditStateWithoutPanes, AWindowWithoutPanesOrControlsSkipsThem)
{
    WindowController window;
    ViewController controller(&window);
    controller.setEditState(true);
    controller.enableEditButton(false);
    controller.contactDidUpdate(ContactRecord::makeWithPerson(std::make_shared<MVPerson>()), {});
    controller.deleteContacts();
    controller.duplicateContacts();
    EXPECT_TRUE(controller.editState());
    EXPECT_TRUE(window.isWindowModified());
}

using RefreshRule = ViewControllerTest;

TEST_F(RefreshRule, NothingHappensForNoContact)
{
    m_controller.contactDidUpdate(nullptr, {});
    EXPECT_TRUE(m_log.calls().isEmpty());
    EXPECT_FALSE(m_window.isWindowModified());
}

TEST_F(RefreshRule, EveryPaneButTheSenderRedrawsOnceWhenTheTurnEndsAndTheWindowIsMarkedAtOnce)
{
    const ContactRecordPtr contact = top()->contactTable->first();
    m_controller.contactDidUpdate(contact, &m_detail);
    EXPECT_TRUE(m_window.isWindowModified());
    EXPECT_TRUE(m_log.calls().isEmpty());
    m_controller.contactDidUpdate(contact, &m_detail);
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{QStringLiteral("table.updateTable"), QStringLiteral("preview.updateUI")}));

    m_log.clear();
    m_controller.contactDidUpdate(contact, &m_table);
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{QStringLiteral("detail.updateTable"), QStringLiteral("preview.updateUI")}));

    // A pane that sent only some of a turn's changes redraws for the others.
    m_log.clear();
    RecordingContactInfoPopover popover(m_log, QStringLiteral("popover"), {});
    m_controller.contactDidUpdate(contact, &m_table);
    m_controller.contactDidUpdate(contact, &popover);
    endTurn();
    EXPECT_EQ(m_log.calls(),
        (QStringList{QStringLiteral("detail.updateTable"), QStringLiteral("table.updateTable"),
            QStringLiteral("preview.updateUI")}));
}

TEST_F(RefreshRule, WhileUndoingOnlyTheTableAndTheDetailPaneRedraw)
{
    const ContactRecordPtr contact = top()->contactTable->first();
    ASSERT_TRUE(m_controller.undoReplaceValue(QStringLiteral("Jiro"), FieldId::FirstName, contact));
    endTurn();
    m_window.setWindowModified(false);
    m_log.clear();
    m_controller.undoManager()->undo();
    endTurn();
    EXPECT_EQ(m_log.calls(), (QStringList{QStringLiteral("detail.updateTable"), QStringLiteral("table.updateTable")}));
    EXPECT_FALSE(m_window.isWindowModified());
}
