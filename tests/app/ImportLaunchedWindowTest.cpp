#include "app/ImportPanelController.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "AddressBookTestSupport.h"

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
        window().setFilePanel([this](const FilePanel::Request &request, const FilePanel::Done &done) {
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
    QTRY_VERIFY_WITH_TIMEOUT(window().importPanelController() && window().importPanelController()->isVisible(), 10000);

    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_TRUE(m_requests.first().withEncoding);
    ImportPanelController &chooser = *window().importPanelController();
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

} // namespace
