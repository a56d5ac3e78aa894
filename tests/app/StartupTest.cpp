#include "AddressBookTestSupport.h"

#include "app/AboutPanelController.h"
#include "app/ModalPanel.h"
#include "app/ModalResponse.h"
#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "model/ContactIdentifier.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSplitter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// The application opened on a generated store of its own.
class Startup : public testing::Test {
protected:
    void TearDown() override { ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::Authorized); }

    GeneratedAddressBook m_book{200, TestEnvironment::makeScratchFolder(u"startup"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

} // namespace

TEST_F(Startup, TheBusyIndicatorShowsFromLaunchUntilTheTablesArrive)
{
    m_app.makeDelegate();
    m_app.finishLaunching();
    ViewController &view = m_app.mainView();
    EXPECT_TRUE(view.isAddressBookLoading());
    EXPECT_TRUE(view.progressIndicator()->isVisible());
    Screenshot::grab(&m_app.window(), u"loading"_s);

    ASSERT_TRUE(m_app.waitForHandOver());
    EXPECT_FALSE(view.isAddressBookLoading());
    EXPECT_FALSE(view.progressIndicator()->isVisible());
    ASSERT_TRUE(view.contactTable());
    EXPECT_EQ(view.contactTable()->size(), 200);
}

namespace {

// The window's size while the store is being read.
class BusyIndicatorPlace : public Startup, public testing::WithParamInterface<QSize> { };

} // namespace

TEST_P(BusyIndicatorPlace, StaysInTheMiddleOfTheTablesPaneAsTheWindowIsResized)
{
    m_app.makeDelegate();
    m_app.finishLaunching();
    ASSERT_TRUE(m_app.waitForHandOver());
    WindowController &window = m_app.window();
    ViewController &view = *window.mainViewController();
    window.show();
    view.setAddressBookLoading(true);
    window.resize(GetParam());
    QCoreApplication::processEvents();

    const QWidget *pane = window.splitView()->widget(1);
    const QRect area(pane->mapTo(&window, QPoint(0, 0)), pane->size());
    const QRect bar = view.progressIndicator()->geometry();
    EXPECT_TRUE(view.progressIndicator()->isVisible());
    EXPECT_LE(std::abs(bar.center().x() - area.center().x()), 1) << "pane " << area.width() << " wide";
    EXPECT_LE(std::abs(bar.center().y() - area.center().y()), 1);
    EXPECT_LE(bar.width(), 240);
    EXPECT_TRUE(area.contains(bar) || area.width() < 80) << "a pane wider than the bar's least width holds it";
    view.setAddressBookLoading(false);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BusyIndicatorPlace, testing::Values(QSize(900, 500), QSize(1600, 1000)));

namespace {

// Counts the times a widget is shown.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QWidget *widget) { widget->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        shown += event->type() == QEvent::Show;
        return false;
    }
};

} // namespace

TEST_F(Startup, AccessGrantedWhenAskedLoadsWithoutTheIndicator)
{
    ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::NotDeterminedThenGrant);
    m_app.makeDelegate();
    const ShowCounter indicator(m_app.mainView().progressIndicator());
    m_app.finishLaunching();
    EXPECT_FALSE(m_app.mainView().isAddressBookLoading());
    ASSERT_TRUE(m_app.waitForHandOver());
    EXPECT_EQ(indicator.shown, 0);
    EXPECT_EQ(m_app.mainView().contactTable()->size(), 200);
}

TEST_F(Startup, TheNewestOfTwoWindowsBecomesTheAddressBooksWindow)
{
    m_app.makeDelegate();
    WindowController second({&m_app.userDefaults(), &m_alerts});
    m_app.finishLaunching();
    EXPECT_EQ(m_app.delegate().mainViewController(), second.mainViewController());
    ASSERT_TRUE(m_app.waitForHandOver());
    ASSERT_TRUE(second.mainViewController()->contactTable());
    EXPECT_FALSE(second.mainViewController()->isAddressBookLoading());
}

TEST_F(Startup, SaveAndRevertAreOfferedOnlyWhileThereIsSomethingToUndo)
{
    ASSERT_TRUE(m_app.launch());
    WindowController &window = m_app.window();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QAction *save = m_app.delegate().saveAction();
    const auto offered = [&] { return std::pair(save->isEnabled(), m_app.delegate().revertAction()->isEnabled()); };
    EXPECT_EQ(offered(), std::pair(false, false));

    // A disabled Ctrl+S sends nothing: the edited mark a save would clear stays.
    window.setWindowModified(true);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(window.isWindowModified());

    const ContactRecordPtr row = m_app.mainView().contactTable()->first();
    ASSERT_TRUE(m_app.mainView().undoReplaceValue(u"Moved in May."_s, FieldId::Note, row));
    QCoreApplication::processEvents();
    EXPECT_EQ(offered(), std::pair(true, true));

    window.undoAction()->trigger();
    EXPECT_EQ(offered(), std::pair(false, false));

    window.redoAction()->trigger();
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(save->isEnabled());
}

namespace {

// Takes the pages and mails the Help menu opens, in place of the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder()
    {
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "openUrl");
    }
    ~UrlRecorder() override
    {
        for (const char *scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        QLocale::setDefault(QLocale::c());
    }

    QStringList opened;

public Q_SLOTS:
    void openUrl(const QUrl &url) { opened.append(QString::fromUtf8(url.toEncoded())); }
};

QAction *helpItem(const AppDelegate &delegate, const QString &title)
{
    for (QAction *item : delegate.helpActions()) {
        if (item->data().toString() == title)
            return item;
    }
    return nullptr;
}

} // namespace

TEST_F(Startup, TheHelpMenuOpensPagesInTheUsersLanguageAndAMailWithItsSubject)
{
    m_app.makeDelegate();
    m_app.finishLaunching();
    QStringList titles;
    for (const QAction *item : m_app.window().helpMenu()->actions()) {
        if (!item->isSeparator())
            titles.append(item->data().toString());
    }
    EXPECT_EQ(titles,
        (QStringList{u"Quillmark2 Help"_s, u"Feedback via Email…"_s, u"Privacy Policy…"_s, u"About Quillmark"_s}));

    UrlRecorder urls;
    AppDelegate &delegate = m_app.delegate();
    QLocale::setDefault(QLocale(u"en_US"_s));
    helpItem(delegate, u"Quillmark2 Help"_s)->trigger();
    helpItem(delegate, u"Feedback via Email…"_s)->trigger();
    QLocale::setDefault(QLocale(u"ja_JP"_s));
    helpItem(delegate, u"Quillmark2 Help"_s)->trigger();
    helpItem(delegate, u"Privacy Policy…"_s)->trigger();
    QAction other(u"Rate us on the App Store"_s);
    other.setData(other.text());
    delegate.menuItemSelectedInHelpMenu(&other);
    EXPECT_EQ(urls.opened,
        (QStringList{u"https://quillmark.example.org/help/"_s,
            u"mailto:support@quillmark.example.org?subject=Feedback%20of%20Quillmark"_s,
            u"https://quillmark.example.org/ja/help/"_s, u"https://quillmark.example.org/ja/privacy/"_s}));
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

TEST_F(Startup, AHelpPageNothingOpensIsNamedInAnAlert)
{
    m_app.makeDelegate();
    m_app.finishLaunching();
    QLocale::setDefault(QLocale(u"en_US"_s));
    helpItem(m_app.delegate(), u"Privacy Policy…"_s)->trigger();
    QLocale::setDefault(QLocale::c());
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"The link couldn't be opened."_s);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(u"https://quillmark.example.org/privacy/"_s));
}

TEST_F(Startup, AboutShowsNameAndVersionAndEndsWithOKOrTheCloseBox)
{
    m_app.makeDelegate();
    AppDelegate &delegate = m_app.delegate();
    QTimer::singleShot(0, [&delegate] {
        AboutPanelController *panel = delegate.aboutPanelController();
        EXPECT_EQ(panel->productNameField()->text(), u"Quillmark"_s);
        EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^Version \d+\.\d+\.\d+ \(\d+\)$)"))
                        .match(panel->versionField()->text())
                        .hasMatch())
            << panel->versionField()->text().toStdString();
        Screenshot::grab(panel);
        QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    });
    delegate.showAboutPanel();
    AboutPanelController *first = delegate.aboutPanelController();
    EXPECT_EQ(first->result(), ModalResponse::Abort);

    QTimer::singleShot(0, [first] { first->close(); });
    delegate.showAboutPanel();
    EXPECT_EQ(delegate.aboutPanelController(), first);
    EXPECT_FALSE(first->isVisible());
}

namespace {

// How a modal panel's run ends, for the progress window and the About panel.
struct PanelEnd {
    const char *what;
    bool about;
    void (*end)(ModalPanel &panel);
    int response;
};

class ModalPanelEnds : public testing::TestWithParam<PanelEnd> {
protected:
    [[nodiscard]] std::unique_ptr<ModalPanel> make(QWidget *parent = nullptr) const
    {
        if (GetParam().about)
            return std::make_unique<AboutPanelController>(parent);
        return std::make_unique<ProgressAlert>(parent);
    }
};

void escape(ModalPanel &panel)
{
    QTest::keyClick(&panel, Qt::Key_Escape);
}

void closeBox(ModalPanel &panel)
{
    panel.close();
}

} // namespace

TEST_P(ModalPanelEnds, TheRunEndsWithItsResponseWhetherRunAloneOrAsASheet)
{
    const auto panel = make();
    QTimer::singleShot(0, panel.get(), [&panel] {
        EXPECT_EQ(QApplication::activeModalWidget(), panel.get());
        GetParam().end(*panel);
    });
    EXPECT_EQ(panel->exec(), GetParam().response);

    QWidget window;
    window.show();
    const auto sheet = make(&window);
    QSignalSpy finished(sheet.get(), &QDialog::finished);
    sheet->open();
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    GetParam().end(*sheet);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().first().toInt(), GetParam().response);
    EXPECT_FALSE(sheet->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Rows, ModalPanelEnds,
    testing::Values(PanelEnd{"progressCancel", false,
                        [](ModalPanel &panel) {
                            QTest::mouseClick(static_cast<ProgressAlert &>(panel).cancelButton(), Qt::LeftButton);
                        },
                        ModalResponse::Abort},
        PanelEnd{"progressEscape", false, escape, ModalResponse::Abort},
        PanelEnd{"progressRequestClose", false,
            [](ModalPanel &panel) { static_cast<ProgressAlert &>(panel).requestClose(); }, ModalResponse::Stop},
        PanelEnd{"progressCloseBox", false, closeBox, ModalResponse::Stop},
        PanelEnd{"aboutEscape", true, escape, ModalResponse::Abort},
        PanelEnd{"aboutCloseBox", true, closeBox, ModalResponse::Abort}),
    [](const testing::TestParamInfo<PanelEnd> &info) { return std::string(info.param.what); });

// A Return or Space typed for the window before still waits when the
// progress window shows and takes the keyboard: neither presses its Cancel,
// which Escape and a click do.
TEST(ProgressWindow, ReturnAndSpaceTypedAheadPressNoCancel)
{
    QWidget window;
    window.show();
    ProgressAlert progress(&window);
    QSignalSpy finished(&progress, &QDialog::finished);
    progress.open();
    progress.activateWindow();
    QTRY_VERIFY(QGuiApplication::focusWindow() == progress.windowHandle());
    QTest::keyClick(progress.windowHandle(), Qt::Key_Return);
    QTest::keyClick(progress.windowHandle(), Qt::Key_Space);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(progress.isVisible());
    QTest::keyClick(progress.windowHandle(), Qt::Key_Escape);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().first().toInt(), ModalResponse::Abort);
}

// Tab takes the keyboard to Cancel, which Space then presses. Each time the
// window shows again, the keyboard starts where Return and Space typed ahead
// press nothing, not on the Cancel tabbed to before.
TEST(ProgressWindow, TabReachesCancelAndSpacePressesIt)
{
    QWidget window;
    window.show();
    ProgressAlert progress(&window);
    QSignalSpy finished(&progress, &QDialog::finished);
    for (int opening = 0; opening < 2; ++opening) {
        progress.open();
        progress.activateWindow();
        QTRY_VERIFY(QGuiApplication::focusWindow() == progress.windowHandle());
        QTest::keyClick(progress.windowHandle(), Qt::Key_Space);
        QTest::keyClick(progress.windowHandle(), Qt::Key_Return);
        EXPECT_EQ(finished.count(), opening);
        EXPECT_TRUE(progress.isVisible());
        QTest::keyClick(progress.windowHandle(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), progress.cancelButton());
        QTest::keyClick(progress.windowHandle(), Qt::Key_Space);
        ASSERT_EQ(finished.count(), opening + 1);
        EXPECT_EQ(finished.last().first().toInt(), ModalResponse::Abort);
    }
}

// A job run on a progress window whose job still runs is refused at once and
// leaves the window to the first job, whose end closes it.
TEST(ProgressWindow, ASecondJobLeavesTheFirstItsWindow)
{
    QWidget window;
    window.show();
    ProgressAlert progress(&window);
    QSemaphore secondTried;
    int second = -1;
    QMetaObject::invokeMethod(
        &progress,
        [&progress, &secondTried, &second] {
            second = ProgressJob::run(progress, u"Second"_s, [](ProgressJob::Progress &) {});
            secondTried.release();
            // Taken over, the first run would never end by itself.
            if (second != ModalResponse::Abort)
                progress.done(ModalResponse::Abort);
        },
        Qt::QueuedConnection);
    const int first
        = ProgressJob::run(progress, u"First"_s, [&secondTried](ProgressJob::Progress &) { secondTried.acquire(); });
    EXPECT_EQ(second, ModalResponse::Abort);
    EXPECT_EQ(first, ModalResponse::Stop);
    EXPECT_EQ(progress.alertMessage()->text(), u"First"_s);
    EXPECT_FALSE(progress.isVisible());
}

#include "StartupTest.moc"
