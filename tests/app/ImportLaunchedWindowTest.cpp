#include "CancelWhileAdding.h"

#include "app/ImportPanelController.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "table/ContactsViewController.h"
#include "AddressBookTestSupport.h"
#include "app/FileMenuCommands.h"
#include "app/FilePanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList namesOf(const ContactTablePtr &table)
{
    QStringList names;
    for (const ContactRecordPtr &contact : table ? *table : ContactTable())
        names.append(contact->person->compositeName());
    return names;
}

// The address-book window as the application opens it, on a generated store:
// File ▸ Import from vCard… with the open panel answered by the test.
class ImportInLaunchedWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.launchActive());
        window().fileCommands()->setFilePanel([this](const FilePanel::Request &request, const FilePanel::Done &done) {
            m_requests.append(request);
            done(FilePanel::Answer{m_path, 0});
        });
    }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }

    [[nodiscard]] QAction *fileItem(const QString &key) const
    {
        for (QAction *item : window().fileMenu()->actions()) {
            if (item->data().toString() == key)
                return item;
        }
        return nullptr;
    }

    RecordingAlertPresenter m_alerts;
    GeneratedAddressBook m_book{12, TestEnvironment::makeScratchFolder(u"importlaunched"_s)};
    LaunchedAddressBook m_app{m_book, &m_alerts};
    QList<FilePanel::Request> m_requests;
    QString m_path;
};

TEST_F(ImportInLaunchedWindow, TheChosenCardsJoinTheShownGroupAndOneCtrlZTakesThemBack)
{
    m_path = TestEnvironment::dataPath(u"vcard/aosp__v21_japanese_1.vcf"_s);
    ViewController &view = m_app.mainView();
    const ContactTablePtr shown = view.selectedGroupDict() ? view.selectedGroupDict()->contactTable : nullptr;
    ASSERT_TRUE(shown);
    const qsizetype before = shown->size();
    ASSERT_EQ(before, m_book.contactCount());

    // The File menu, opened as the user opens it, offers the item.
    window().fileMenu()->popup(window().mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window().fileMenu()));
    QAction *importItem = fileItem(u"importFromVCard"_s);
    ASSERT_TRUE(importItem);
    EXPECT_TRUE(importItem->isEnabled());
    QTest::mouseClick(
        window().fileMenu(), Qt::LeftButton, {}, window().fileMenu()->actionGeometry(importItem).center());
    QTRY_VERIFY_WITH_TIMEOUT(window().fileCommands()->importPanelController()
            && window().fileCommands()->importPanelController()->isVisible(),
        10000);

    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_TRUE(m_requests.first().withEncoding);
    ImportPanelController &chooser = *window().fileCommands()->importPanelController();
    EXPECT_EQ(chooser.nameTableView()->model()->rowCount(), 1);
    EXPECT_EQ(chooser.selectedIndexes(), QList<int>{0});
    Screenshot::grab(&chooser, u"chooser"_s);
    QTest::mouseClick(chooser.selectButton(), Qt::LeftButton);
    QCoreApplication::processEvents();

    EXPECT_EQ(shown->size(), before + 1);
    EXPECT_TRUE(namesOf(shown).contains(u"安藤ロイド"_s));
    EXPECT_TRUE(window().isWindowModified());
    Screenshot::grab(&window(), u"imported"_s);

    QApplication::setActiveWindow(&window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown->size(), before);
    EXPECT_FALSE(namesOf(shown).contains(u"安藤ロイド"_s));
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

// What the table shows, row by row.
QStringList rowsOf(const ContactsViewController &table)
{
    QStringList rows;
    for (const SubContactRecordPtr &row : table.subContactTable())
        rows.append(row->uniqueId.toString() + u'/' + QString::number(row->labelIndex));
    return rows;
}

struct CancelledAddingRow {
    const char *name;
    // The turn of the event loop, while the contacts are added, that cancels.
    int turn;
    // The table showed the chosen contacts when Cancel was pressed.
    bool shownAtCancel;
};

class CancelledAdding : public ImportInLaunchedWindow, public testing::WithParamInterface<CancelledAddingRow> { };

// Cancel while the chosen cards are added leaves the window as it was: the
// group's contacts in their order, the table's rows and selection, nothing
// to undo and the window unedited.
TEST_P(CancelledAdding, LeavesTheWindowAsItWas)
{
    m_path = TestEnvironment::dataPath(u"vcard/aosp__v21_japanese_1.vcf"_s);
    ViewController &view = m_app.mainView();
    ContactsViewController &table = *window().contactsViewController();
    const ContactTablePtr shown = view.selectedGroupDict() ? view.selectedGroupDict()->contactTable : nullptr;
    ASSERT_TRUE(shown);
    table.selectRowIndexes({3, 4});
    const ContactTable contactsBefore = *shown;
    const QStringList rowsBefore = rowsOf(table);
    window().fileCommands()->importFromVCard();
    ASSERT_TRUE(window().fileCommands()->importPanelController()
        && window().fileCommands()->importPanelController()->isVisible());

    bool shownAtCancel = false;
    const CancelWhileAdding cancel(*window().progressAlert(), GetParam().turn,
        [&] { shownAtCancel = table.subContactTable().size() > rowsBefore.size(); });
    QTest::mouseClick(window().fileCommands()->importPanelController()->selectButton(), Qt::LeftButton);
    QCoreApplication::processEvents();

    EXPECT_EQ(cancel.turns(), GetParam().turn);
    EXPECT_EQ(shownAtCancel, GetParam().shownAtCancel);
    EXPECT_FALSE(window().progressAlert()->isVisible());
    EXPECT_TRUE(*shown == contactsBefore);
    EXPECT_EQ(rowsOf(table), rowsBefore);
    EXPECT_EQ(table.selectedRowIndexes(), (QList<int>{3, 4}));
    EXPECT_FALSE(window().undoManager()->canUndo());
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Steps, CancelledAdding,
    testing::Values(CancelledAddingRow{"AfterRecording", 1, false}, CancelledAddingRow{"AfterSortingIn", 2, true}),
    [](const testing::TestParamInfo<CancelledAddingRow> &info) { return std::string(info.param.name); });

} // namespace
