#pragma once

#include "AddressBookTestSupport.h"
#include "RecordingPanes.h"

#include "editors/SeparatorBox.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/EventLoop.h"
#include "common/QtPrinting.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QString>
#include <QStringList>

#include <memory>

// A window with its controller and a recording pane of every kind, over an
// address book held in memory: one container whose top group "All Contacts"
// holds the contacts "c0" … "c9", and the groups "Friends" (c0–c4) and
// "Work" (c3–c7), whose rows share the top group's persons.
class ViewControllerTest : public testing::Test {
protected:
    void SetUp() override;

    [[nodiscard]] GroupRecordPtr top() const { return m_container->topGroup(); }

    PaneLog m_log;
    // The window's alerts, recorded instead of shown.
    RecordingAlertPresenter m_alerts;
    WindowController m_window{WindowController::Services{nullptr, &m_alerts}};
    ViewController &m_controller = *m_window.mainViewController();
    RecordingContactTable m_table{m_log};
    RecordingGroupOutline m_outline{m_log};
    RecordingContactDetail m_detail{m_log};
    RecordingPostcardPreview m_preview{m_log};
    RecordingFindBar m_findBar{m_log};
    SeparatorBox m_separator;
    QAction m_editButton{QStringLiteral("Edit")};
    ContainerTablePtr m_containerTable = std::make_shared<ContainerTable>();
    ContainerRecordPtr m_container;
};

// The same, with the contacts c0–c2 holding a value in every field.
class FilledContactsTest : public ViewControllerTest {
protected:
    void SetUp() override;

    [[nodiscard]] ContactRecordPtr contact(int i) const { return top()->contactTable->at(i); }
    [[nodiscard]] MVPerson &person(int i) const { return *contact(i)->person; }
};
