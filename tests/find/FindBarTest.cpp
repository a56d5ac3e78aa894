#include "common/EventLoop.h"
#include "AddressBookTestSupport.h"
#include "FindTestContacts.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "detail/ContactInfoController.h"
#include "find/FindBarController.h"
#include "find/FindBarView.h"
#include "find/FindPanel.h"
#include "find/FindPasteboard.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "table/ContactTableModel.h"
#include "table/FindMarks.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace FindTestContacts;
using namespace Qt::Literals::StringLiterals;

namespace {

// The address-book window over five contacts, the find bar moving at once:
// Ann M. Lee (phones "555 lee" at home and "777" at work, company "Lee Inc",
// an address in Leeds), Bob Leeson (phone "LEE 1"), the company Lee Corp, Mo
// (chat "Skype:lee") and Zed (phone "lee 9" at work).
class FindBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        FindPasteboard::setString({});
        const QString folder = TestEnvironment::makeScratchFolder(u"findbar"_s);
        m_defaults = std::make_unique<UserDefaults>(folder + u"/Quillmark.conf"_s);
        m_contacts = std::make_shared<ContactTable>();
        MVPerson &ann = add(u"Ann"_s, u"Lee"_s);
        ann.setValue(u"Lee"_s, FieldId::MiddleName);
        addValue(ann, FieldId::Phone, u"home"_s, u"555 lee"_s);
        addValue(ann, FieldId::Phone, u"work"_s, u"777"_s);
        ann.setValue(u"Lee Inc"_s, FieldId::Company);
        LabeledValueRecord address;
        address.label = u"home"_s;
        address.address->zip = u"100"_s;
        address.address->city = u"Leeds"_s;
        ann.addLabeledValue(address, FieldId::Address);
        addValue(add(u"Bob"_s, u"Leeson"_s), FieldId::Phone, u"home"_s, u"LEE 1"_s);
        MVPerson &company = add({}, {});
        company.setValue(u"Lee Corp"_s, FieldId::Company);
        NameRecord asCompany = *company.nameValue();
        asCompany.showAsPerson = false;
        company.setValue(asCompany, FieldId::Name);
        company.setShowAsPerson(false);
        addValue(add(u"Mo"_s, {}), FieldId::InstantMessage, u"home"_s, u"lee"_s, u"Skype"_s);
        addValue(add(u"Zed"_s, {}), FieldId::Phone, u"work"_s, u"lee 9"_s);

        m_window = std::make_unique<WindowController>(WindowController::Services{m_defaults.get(), &m_alerts});
        m_window->findBarController()->setAnimationDuration(0);
        controller().setContactTable(m_contacts);
        controller().setRepresentedObject({});
        controller().setEditState(true);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_window->showContactInfo(false);
        showColumns({u"Sender"_s, u"Name"_s, u"Phone"_s});
    }

    void TearDown() override { m_window.reset(); }

    MVPerson &add(const QString &first, const QString &last)
    {
        MVPersonPtr person = MVPerson::init();
        person->setValue(first, FieldId::FirstName);
        person->setValue(last, FieldId::LastName);
        m_contacts->append(ContactRecord::makeWithPerson(person));
        return *person;
    }
    [[nodiscard]] MVPerson &person(int index) const { return *m_contacts->at(index)->person; }

    void showColumns(const QStringList &columns)
    {
        table().setColumnIdentifiers(columns);
        table().updateTable();
        endTurn();
    }

    [[nodiscard]] ViewController &controller() const { return *m_window->mainViewController(); }
    [[nodiscard]] ContactsViewController &table() const { return *m_window->contactsViewController(); }
    [[nodiscard]] FindBarController &bar() const { return *m_window->findBarController(); }
    [[nodiscard]] ContactInfoController &detail() const
    {
        return *static_cast<ContactInfoController *>(m_window->splitView()->widget(2));
    }
    [[nodiscard]] QAction *findItem(const QString &key) const
    {
        for (QAction *item : m_window->findMenu()->actions()) {
            if (item->data().toString() == key)
                return item;
        }
        return nullptr;
    }
    // Ctrl+F, the text and Return, as the user types them.
    void find(const QString &text)
    {
        if (!bar().isVisible())
            QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        bar().searchField()->clear();
        QTest::keyClicks(bar().searchField(), text);
        QTest::keyClick(bar().searchField(), Qt::Key_Return);
        endTurn();
    }
    [[nodiscard]] QString selectedName() const
    {
        const QList<SubContactRecordPtr> rows = table().selectedSubContacts();
        return rows.isEmpty() ? QString() : rows.first()->person->compositeName();
    }
    [[nodiscard]] QString currentHit() const
    {
        const ItemAndRangeRecordPtr &hit = table().model()->selectedItemAndRange();
        if (!hit)
            return u"none"_s;
        return u"%1@%2,%3"_s.arg(hit->identifier).arg(hit->range.location).arg(hit->range.length);
    }
    void replace(const QString &replacement, QToolButton *button)
    {
        bar().replaceStringField()->setText(replacement);
        QTest::mouseClick(button, Qt::LeftButton);
        endTurn();
    }
    // The phone's value, and its text as the table shows it when that differs.
    [[nodiscard]] QString phone(int contact, int position) const
    {
        const LabeledValueRecordPtr value = person(contact).phoneValues()->at(position);
        return value->valueText() == value->stringValue ? value->stringValue
                                                        : value->valueText() + u" shown as " + value->stringValue;
    }

    RecordingAlertPresenter m_alerts;
    std::unique_ptr<UserDefaults> m_defaults;
    ContactTablePtr m_contacts;
    std::unique_ptr<WindowController> m_window;
};

TEST_F(FindBarTest, ReturnSelectsTheFirstHitsRowAndNextStepsAndWraps)
{
    find(u"lee"_s);
    EXPECT_TRUE(bar().view()->isVisible());
    EXPECT_EQ(m_window->findBarButton()->text(), u"Hide"_s);
    EXPECT_EQ(selectedName(), u"Ann Lee"_s);
    EXPECT_EQ(table().model()->findString(), u"lee"_s);
    EXPECT_EQ(currentHit(), u"none"_s);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    EXPECT_EQ(currentHit(), u"Phone@4,3"_s);
    Screenshot::grab(m_window.get(), u"table"_s);
    QTest::keyClick(m_window.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(selectedName(), u"Bob Leeson"_s);
    QTest::keyClick(m_window.get(), Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(selectedName(), u"Ann Lee"_s);
    EXPECT_EQ(currentHit(), u"Phone@4,3"_s);

    // One occurrence in the table: both directions come back to it.
    find(u"zed"_s);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    EXPECT_EQ(selectedName(), u"Zed"_s);
    QTest::mouseClick(bar().previousButton(), Qt::LeftButton);
    EXPECT_EQ(selectedName(), u"Zed"_s);
    EXPECT_EQ(currentHit(), u"Name@0,3"_s);
}

// The company shows on both of Ann's rows (two phones); the current hit is
// orange on the first only.
TEST_F(FindBarTest, TheCurrentHitIsOrangeOnlyOnItsOwnRow)
{
    showColumns({u"Name"_s, u"Company"_s, u"Phone"_s});
    find(u"inc"_s);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    ASSERT_EQ(currentHit(), u"Company@4,3"_s);
    QTableView *view = table().tableView();
    const QImage shot = view->viewport()->grab().toImage();
    const auto orangePixels = [&](int row) {
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        const qreal ratio = shot.devicePixelRatio();
        int count = 0;
        for (int y = int(cell.top() * ratio); y < int(cell.bottom() * ratio); ++y) {
            for (int x = int(cell.left() * ratio); x < int(cell.right() * ratio); ++x)
                count += QColor(shot.pixel(x, y)) == FindMarks::hitColor() ? 1 : 0;
        }
        return count;
    };
    const QList<SubContactRecordPtr> &rows = table().subContactTable();
    ASSERT_GE(rows.size(), 2);
    ASSERT_EQ(rows.at(0)->person, rows.at(1)->person);
    EXPECT_EQ(rows.at(0)->labelIndex, 0);
    EXPECT_GT(orangePixels(0), 0);
    EXPECT_EQ(orangePixels(1), 0);
    Screenshot::grab(m_window.get(), u"hitOnItsOwnRow"_s);
}

TEST_F(FindBarTest, WithTheDetailPaneShownItsContactIsWalked)
{
    m_window->showContactInfo(true);
    table().selectRowIndexes({0});
    endTurn();
    find(u"lee"_s);
    const ItemAndRangeRecordPtr hit = controller().selectedItemAndRange();
    EXPECT_EQ(hit->subIdentifier, FieldId::MiddleName);
    for (int step = 0; step < 6; ++step) {
        QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
        EXPECT_EQ(hit->uniqueId, person(0).uniqueIdValue()) << step;
    }
    EXPECT_EQ(detail().infoModel()->findTarget(), hit);
    EXPECT_EQ(selectedName(), u"Ann Lee"_s);
    Screenshot::grab(m_window.get(), u"detail"_s);

    QTest::mouseClick(bar().doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_FALSE(bar().view()->isVisible());
    EXPECT_EQ(m_window->findBarButton()->text(), u"Find"_s);
    EXPECT_TRUE(table().model()->findString().isEmpty());
    EXPECT_EQ(table().model()->selectedItemAndRange(), nullptr);
    EXPECT_TRUE(detail().infoModel()->findString().isEmpty());
    EXPECT_EQ(detail().infoModel()->findTarget(), nullptr);
}

TEST_F(FindBarTest, ReplaceChangesTheCurrentHitAsOneStepAndMovesOn)
{
    find(u"lee"_s);
    QTest::mouseClick(bar().nextButton(), Qt::LeftButton);
    ASSERT_EQ(currentHit(), u"Phone@4,3"_s);
    replace(u"X"_s, bar().replaceButton());
    EXPECT_EQ(phone(0, 0), u"555 X"_s);
    EXPECT_EQ(selectedName(), u"Bob Leeson"_s);
    // Replace after Previous still moves forward.
    QTest::mouseClick(bar().previousButton(), Qt::LeftButton);
    replace(u"Y"_s, bar().replaceButton());
    EXPECT_EQ(person(0).nameValue()->lastName, u"Y"_s);
    EXPECT_EQ(selectedName(), u"Bob Leeson"_s);
    controller().undo();
    endTurn();
    EXPECT_EQ(person(0).nameValue()->lastName, u"Lee"_s);
    EXPECT_EQ(phone(0, 0), u"555 X"_s);
    controller().undo();
    endTurn();
    EXPECT_EQ(phone(0, 0), u"555 lee"_s);
}

TEST_F(FindBarTest, ReplaceLeavesTextsItDoesNotOwnOrThatChanged)
{
    showColumns({u"Sender"_s, u"Name"_s, u"Phone"_s, u"Instant Message"_s});
    find(u"skype"_s);
    replace(u"X"_s, bar().replaceButton());
    EXPECT_EQ(person(3).imsValues()->at(0)->stringValue, u"Skype:lee"_s);
    find(u"corp"_s);
    replace(u"X"_s, bar().replaceButton());
    EXPECT_EQ(person(2).stringValueForIdentifier(FieldId::Company, 0), u"Lee Corp"_s);
    // The hit's text changed since it was found: nothing is overwritten.
    find(u"777"_s);
    LabeledValueRecord changed = *person(0).phoneValues()->at(1);
    changed.value = u"123"_s;
    controller().undoReplaceValue(changed, FieldId::Phone, m_contacts->at(0));
    endTurn();
    replace(u"X"_s, bar().replaceButton());
    EXPECT_EQ(phone(0, 1), u"123"_s);
    EXPECT_FALSE(controller().undoManager()->canRedo());

    // Locked, the bar offers no replacing.
    controller().setEditState(false);
    EXPECT_FALSE(bar().replaceButton()->isEnabled());
}

TEST_F(FindBarTest, ReplaceAllChangesWhatTheTableShowsAsOneStep)
{
    auto snapshot = [this] {
        QStringList texts;
        for (const ContactRecordPtr &contact : std::as_const(*m_contacts)) {
            MVPerson &shown = *contact->person;
            texts << shown.compositeName() << shown.nameValue()->middleName();
            for (const LabeledValueRecordPtr &value : *shown.phoneValues())
                texts << value->valueText();
            for (const LabeledValueRecordPtr &value : *shown.addressValues())
                texts << value->addressPart(u"City"_s);
        }
        return texts;
    };
    const QStringList before = snapshot();
    // The phones, the case kept: "LEE 1" stays.
    bar().setCaseInsensitive(false);
    find(u"lee"_s);
    replace(u"X"_s, bar().replaceAllButton());
    EXPECT_EQ(phone(0, 0), u"555 X"_s);
    EXPECT_EQ(phone(1, 0), u"LEE 1"_s);
    EXPECT_EQ(phone(4, 0), u"X 9"_s);
    // Any case; the names but not Ann's middle name; the address parts.
    bar().setCaseInsensitive(true);
    showColumns({u"Sender"_s, u"Name"_s, u"ZIP"_s, u"City"_s});
    find(u"lee"_s);
    replace(u"Li"_s, bar().replaceAllButton());
    EXPECT_EQ(person(0).nameValue()->lastName, u"Li"_s);
    EXPECT_EQ(person(0).nameValue()->middleName(), u"Lee"_s);
    EXPECT_EQ(person(1).nameValue()->lastName, u"Lison"_s);
    EXPECT_EQ(person(0).addressValues()->at(0)->addressPart(u"City"_s), u"Lids"_s);
    EXPECT_EQ(person(2).stringValueForIdentifier(FieldId::Company, 0), u"Lee Corp"_s);
    controller().undo();
    endTurn();
    EXPECT_NE(snapshot(), before);
    controller().undo();
    endTurn();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(FindBarTest, ReplaceAllLeavesValuesTheLabelsHide)
{
    // Chosen as the user does, in the toolbar's labels menu.
    QMenu *labels = m_window->labelsPopup()->menu();
    Q_EMIT labels->aboutToShow();
    QAction *home = nullptr;
    for (QAction *item : labels->actions()) {
        if (item->data().toString() == u"home"_s)
            home = item;
    }
    ASSERT_NE(home, nullptr);
    home->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_defaults->stringArrayForKey(ContactsViewController::selectedLabelsKey), QStringList{u"home"_s});
    find(u"lee"_s);
    replace(u"X"_s, bar().replaceAllButton());
    EXPECT_EQ(phone(0, 0), u"555 X"_s);
    EXPECT_EQ(phone(4, 0), u"lee 9"_s);
}

TEST_F(FindBarTest, FindTogglesTheBarAndTheButtonTitle)
{
    QAction *item = findItem(u"Find…"_s);
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_EQ(m_window->findBarButton()->text(), u"Hide"_s);
    EXPECT_TRUE(bar().isVisible());
    EXPECT_TRUE(m_window->findBarButton()->isEnabled());
    item->trigger();
    EXPECT_EQ(m_window->findBarButton()->text(), u"Find"_s);
    EXPECT_FALSE(bar().view()->isVisible());
    QTest::mouseClick(m_window->findBarButton(), Qt::LeftButton);
    EXPECT_TRUE(bar().view()->isVisible());
    QTest::keyClick(bar().searchField(), Qt::Key_Escape);
    EXPECT_FALSE(bar().view()->isVisible());
    EXPECT_FALSE(findItem(u"Use Selection for Find"_s)->isEnabled());
}

TEST_F(FindBarTest, TheFindPanelGetsTheSharedStringAndTheColumnsLessSender)
{
    find(u"lee"_s);
    EXPECT_EQ(FindPasteboard::string(), u"lee"_s);
    QString searched;
    QStringList items;
    QTimer::singleShot(0, [&searched, &items] {
        if (auto *panel = qobject_cast<FindPanel *>(QApplication::activeModalWidget())) {
            searched = panel->searchField()->text();
            items = panel->selectedItems();
            panel->done(0);
        }
    });
    findItem(u"Show Find Panel"_s)->trigger();
    EXPECT_EQ(searched, u"lee"_s);
    EXPECT_EQ(items, QStringList({u"Name"_s, u"Phone"_s}));
}

} // namespace
