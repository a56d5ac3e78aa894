#pragma once

#include "common/EventLoop.h"
#include "app/AddressBookTestSupport.h"
#include "app/RecordingPanes.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "platform/UserDefaults.h"
#include "print/HagakiViewController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QToolButton>
#include <QLocale>
#include <QPrinter>

#include <memory>

// The address-book window with its real postcard preview over contacts of
// the generated address book; rows are selected in a recording table, as a
// click on them would select them. Settings are the test's own.
class PreviewWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window; a test that stores settings first calls it itself.
    void openWindow();

    // Selects the rows showing contact i at label position p and tells the
    // controller, as a click on a row of the table does.
    void selectRows(const QList<std::pair<int, qint64>> &rows);
    [[nodiscard]] MVPerson &person(int i) const { return *m_contacts->at(i)->person; }

    [[nodiscard]] HagakiViewController &pane() const { return *m_window->hagakiViewController(); }
    [[nodiscard]] HagakiView &view() const { return *pane().hagakiView(); }
    [[nodiscard]] TextObject &block(int index) const { return *view().objectTable().at(index); }
    // Where a point of the paper lies on the view's widget.
    [[nodiscard]] QPoint onView(const QPointF &paperPoint) const;
    // A press, moves and a release of the mouse's left button on the view.
    void drag(const QPointF &from, const QPointF &to) const;
    void click(const QPointF &at) const { QTest::mouseClick(&view(), Qt::LeftButton, Qt::NoModifier, onView(at)); }
    // A click on the toolbar's "Layout".
    void pressLayout() const { QTest::mouseClick(m_window->layoutButton(), Qt::LeftButton); }
    // File ▸ Print…, the print panel answered at once with printing into a
    // PDF file at the path, in the page order; false when the item was not
    // enabled.
    bool printInto(const QString &path, QPrinter::PageOrder order = QPrinter::FirstPageFirst);
    // The entry of the toolbar's print style pop-up.
    void choosePrintStyle(const QString &style);
    // A PDF file for the test, beside the screenshots when they are kept.
    [[nodiscard]] static QString pdfPath();

    RecordingAlertPresenter m_alerts;
    std::unique_ptr<UserDefaults> m_defaults;
    PaneLog m_log;
    RecordingContactTable m_table{m_log};
    QAction m_editButton{QStringLiteral("Edit")};
    std::unique_ptr<WindowController> m_window;
    ViewController *m_controller = nullptr;
    ContactTablePtr m_contacts;
    int m_printPanels = 0;

private:
    QLocale m_locale;
};
