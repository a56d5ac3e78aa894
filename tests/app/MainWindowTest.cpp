#include "AddressBookTestSupport.h"

#include "app/MainViewDefaults.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/LaunchedAddressBook.h"
#include "common/Screenshot.h"
#include "common/TestEnvironment.h"
#include "platform/UserDefaults.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// The address-book window on a generated store, shown and active.
class MainWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] ContactsViewController &table() const { return *window().contactsViewController(); }
    [[nodiscard]] UserDefaults &defaults() const { return m_app.userDefaults(); }

    [[nodiscard]] static QList<QAction *> items(QMenu *menu, const QVariant &key)
    {
        QList<QAction *> found;
        for (QAction *item : menu->actions()) {
            if (item->data() == key && !item->menu())
                found.append(item);
        }
        return found;
    }
    // Opens the menu as its pop-up does and clicks the item of the key.
    void choose(QMenu *menu, const QVariant &key)
    {
        menu->popup(window().mapToGlobal(QPoint(60, 60)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        const QList<QAction *> found = items(menu, key);
        ASSERT_FALSE(found.isEmpty()) << qPrintable(key.toString());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(found.first()).center());
        menu->close();
    }
    // Opens the menu, as the user does, and closes it.
    static void open(QMenu *menu)
    {
        menu->popup(QPoint(60, 60));
        menu->close();
    }
    [[nodiscard]] QStringList labelsOffered() const
    {
        QMenu *menu = window().labelsPopup()->menu();
        open(menu);
        QStringList labels;
        for (QAction *item : menu->actions())
            labels.append(item->data().toString());
        return labels.mid(1);
    }
    [[nodiscard]] QStringList storedColumns(const QString &viewType) const
    {
        return defaults().dictionaryForKey(MainViewDefaults::viewTypeDictKey).value(viewType).toStringList();
    }
    [[nodiscard]] QAction *contactItem(const QString &action) const
    {
        return window().contactMenu()->findChild<QAction *>(action);
    }
    void clickRow(int row)
    {
        QTableView *view = table().tableView();
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 1)).center());
    }

    GeneratedAddressBook m_book{24, TestEnvironment::makeScratchFolder(u"window"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_F(MainWindow, EachPopupsMenuIsAlsoASubmenuOfNavigate)
{
    QList<QMenu *> navigate;
    for (QAction *item : window().navigateMenu()->actions())
        navigate.append(item->menu());
    const QList<QToolButton *> popups{window().viewTypePopup(), window().itemsPopup(), window().labelsPopup(),
        window().sortOptionsPopup(), window().contactPopup(), window().groupsPopup(), window().printStylePopup()};
    for (QToolButton *popup : popups)
        EXPECT_TRUE(navigate.contains(popup->menu())) << qPrintable(popup->text());
    Screenshot::grab(&window());
}

TEST_F(MainWindow, TheViewTypeAndColumnsMenusSwitchTheTablesColumns)
{
    QMenu *columns = window().itemsPopup()->menu();
    choose(window().viewTypePopup()->menu(), u"Name Only"_s);
    EXPECT_EQ(defaults().stringForKey(MainViewDefaults::selectedViewTypeKey), u"Name Only"_s);
    choose(columns, FieldId::Name);
    EXPECT_EQ(storedColumns(u"Name Only"_s), QStringList({u"Sender"_s}));
    choose(columns, FieldId::Email);
    EXPECT_EQ(storedColumns(u"Name Only"_s), QStringList({u"Sender"_s}));
    EXPECT_EQ(table().columnIdentifiers(), QStringList({u"Sender"_s, FieldId::Name}));

    choose(window().viewTypePopup()->menu(), u"Address"_s);
    choose(columns, FieldId::Phone);
    const QStringList shown{
        u"Sender"_s, FieldId::Name, FieldId::Phone, FieldId::Renmei, FieldId::Company, FieldId::Address};
    EXPECT_EQ(table().columnIdentifiers(), shown);
    EXPECT_EQ(storedColumns(u"Address"_s), shown);
    open(columns);
    for (QAction *company : items(columns, FieldId::Company))
        EXPECT_TRUE(company->isChecked());
    EXPECT_EQ(items(columns, FieldId::Company).size(), 1);
    choose(columns, FieldId::Company);
    open(columns);
    for (QAction *company : items(columns, FieldId::Company))
        EXPECT_FALSE(company->isChecked());
}

TEST_F(MainWindow, TheLabelsMenuOffersTheShownFieldsLabelsOnceAndKeepsAtLeastAll)
{
    choose(window().viewTypePopup()->menu(), u"Address Detail"_s);
    EXPECT_EQ(labelsOffered(), QStringList({u"All"_s})) << "address parts are not the field";
    choose(window().viewTypePopup()->menu(), u"Address"_s);
    choose(window().itemsPopup()->menu(), FieldId::Phone);
    choose(window().itemsPopup()->menu(), FieldId::Email);
    EXPECT_EQ(labelsOffered().count(u"home"_s), 1);

    QMenu *labels = window().labelsPopup()->menu();
    const auto stored = [this] { return defaults().stringArrayForKey(MainViewDefaults::selectedLabelsKey); };
    choose(labels, u"home"_s);
    choose(labels, u"work"_s);
    EXPECT_EQ(stored(), QStringList({u"home"_s, u"work"_s}));
    choose(labels, u"home"_s);
    choose(labels, u"work"_s);
    EXPECT_EQ(stored(), QStringList({u"All"_s}));
    choose(labels, u"mobile"_s);
    EXPECT_EQ(stored(), QStringList({u"mobile"_s}));
    EXPECT_EQ(table().model()->selectedLabels(), stored());
    choose(labels, u"All"_s);
    EXPECT_EQ(stored(), QStringList({u"All"_s}));
}

TEST_F(MainWindow, ASortKeyChosenSortsTheColumnAndTheSameKeyAgainSortsWithoutStoring)
{
    QMenu *nameKeys = window().sortOptionsPopup()->menu()->actions().at(1)->menu();
    choose(nameKeys, u"LastName"_s);
    EXPECT_EQ(defaults()
                  .dictionaryForKey(MainViewDefaults::sortOptionsDictKey)
                  .value(FieldId::Name)
                  .toMap()
                  .value(u"selected"_s),
        u"LastName"_s);
    EXPECT_EQ(table().sortDescriptors().first().key, u"LastName"_s);
    QHeaderView *header = table().tableView()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 20, 8));
    EXPECT_FALSE(table().sortDescriptors().first().ascending);

    defaults().removeObjectForKey(MainViewDefaults::sortOptionsDictKey);
    choose(nameKeys, u"LastName"_s);
    EXPECT_FALSE(defaults().objectForKey(MainViewDefaults::sortOptionsDictKey).isValid());
    EXPECT_TRUE(table().sortDescriptors().first().ascending);
}

TEST_F(MainWindow, TheGroupMenuListsNamedGroupsAndShowsTheOneChosen)
{
    const ContainerRecordPtr container = m_app.mainView().containerTable()->first();
    container->groups->append(std::make_shared<GroupRecord>());
    QMenu *groups = window().groupsPopup()->menu();
    open(groups);
    ASSERT_EQ(groups->actions().size(), 2);
    QMenu *local = groups->actions().at(1)->menu();
    QStringList names;
    for (QAction *item : local->actions())
        names.append(item->text());
    EXPECT_EQ(names, QStringList({u"All Contacts"_s, u"Family"_s, u"Friends"_s, u"Work"_s}));

    choose(local, QVariant::fromValue(container->groups->at(2)));
    EXPECT_EQ(m_app.mainView().selectedGroupDict()->name, u"Friends"_s);
    EXPECT_EQ(table().contactTable()->size(), 8);
    open(local);
    EXPECT_TRUE(local->actions().at(2)->isChecked());
}

TEST_F(MainWindow, ThePanesButtonsShowAndHideThemAndOnlyTheGroupPaneIsRemembered)
{
    QToolButton *info = window().splitButton(1);
    const QVariantMap before = defaults().dictionaryRepresentation();
    QTest::mouseClick(info, Qt::LeftButton);
    EXPECT_TRUE(m_app.mainView().contactInfoVisible());
    EXPECT_TRUE(info->isChecked());
    QTest::mouseClick(info, Qt::LeftButton);
    EXPECT_FALSE(m_app.mainView().contactInfoVisible());
    EXPECT_TRUE(window().splitView()->widget(2)->isHidden());
    EXPECT_EQ(defaults().dictionaryRepresentation(), before);

    QTest::mouseClick(window().splitButton(0), Qt::LeftButton);
    EXPECT_TRUE(window().groupPane()->isHidden());
    EXPECT_EQ(defaults().objectForKey(MainViewDefaults::showGroupViewKey), QVariant(false));
    open(window().viewMenu());
    EXPECT_EQ(window().viewMenu()->actions().first()->text(), u"Show Groups"_s);
    QTest::mouseClick(window().splitButton(0), Qt::LeftButton);
    EXPECT_EQ(defaults().objectForKey(MainViewDefaults::showGroupViewKey), QVariant(true));
}

TEST_F(MainWindow, DeleteAndDuplicateNeedTheWindowUnlockedAndCtrlZTakesThemBack)
{
    QStringList idsBefore;
    for (const SubContactRecordPtr &row : table().subContactTable())
        idsBefore.append(row->uniqueId);
    idsBefore.sort();
    clickRow(2);
    QAction *remove = contactItem(u"deleteContacts"_s);
    QAction *duplicate = contactItem(u"duplicateContacts"_s);
    EXPECT_TRUE(remove->isEnabled());
    window().editButton()->trigger();
    EXPECT_EQ(window().editButton()->text(), u"Edit"_s);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(duplicate->isEnabled());
    window().editButton()->trigger();

    const QString deleted = table().selectedSubContacts().first()->uniqueId;
    remove->trigger();
    QCoreApplication::processEvents();
    for (const SubContactRecordPtr &row : table().subContactTable())
        EXPECT_NE(row->uniqueId, deleted);
    clickRow(0);
    duplicate->trigger();
    EXPECT_EQ(table().contactTable()->size(), 25);
    QCoreApplication::processEvents();
    const auto shownIds = [this] {
        QStringList ids;
        for (const SubContactRecordPtr &row : table().subContactTable())
            ids.append(row->uniqueId);
        ids.sort();
        return ids;
    };
    const QStringList afterDuplicate = shownIds();
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownIds(), idsBefore);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_TRUE(window().redoAction()->isEnabled());
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shownIds(), afterDuplicate);
    EXPECT_TRUE(window().isWindowModified());
}

TEST_F(MainWindow, AResizedAndAMovedColumnAreThereAgainInTheNextWindow)
{
    QHeaderView *header = table().tableView()->horizontalHeader();
    header->resizeSection(1, 211);
    header->moveSection(3, 2);
    window().close();

    WindowController next({&defaults(), &m_alerts});
    next.show();
    QHeaderView *nextHeader = next.contactsViewController()->tableView()->horizontalHeader();
    EXPECT_EQ(next.contactsViewController()->columnIdentifiers(),
        QStringList({u"Sender"_s, FieldId::Name, FieldId::Company, FieldId::Renmei, FieldId::Address}));
    EXPECT_EQ(nextHeader->sectionSize(1), 211);
}

TEST(SplitButtonImage, HasItsBarAlongTheLeftOrTheRightEdge)
{
    for (const auto &[side, barX, emptyX] : {std::tuple(0, 7, 15), std::tuple(1, 15, 7)}) {
        const QImage image = WindowController::splitButtonImageWithSize(QSize(24, 24), Qt::red, side);
        EXPECT_EQ(image.pixelColor(barX, 12), QColor(Qt::red)) << side;
        EXPECT_EQ(image.pixelColor(emptyX, 12).alpha(), 0) << side;
        EXPECT_EQ(image.pixelColor(2, 12).alpha(), 0) << side;
    }
}

} // namespace
