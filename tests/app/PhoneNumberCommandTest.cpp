#include "ViewControllerFixture.h"
#include "app/ContactMenuCommands.h"
#include "model/MVPerson.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class PhoneNumberCommand : public ViewControllerTest {
protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        // The "Address" view type, the one shown at first, gets the phones.
        if (!item(m_window.itemsPopup()->menu(), FieldId::Phone)->isChecked())
            choose(m_window.itemsPopup()->menu(), FieldId::Phone);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        // Showing the window redraws its panes; only the command's redraws count.
        endTurn();
        m_log.clear();
    }

    // The pop-up menu's item of this key.
    static QAction *item(QMenu *menu, const QString &key)
    {
        const QList<QAction *> items = menu->actions();
        const auto found = std::find_if(
            items.cbegin(), items.cend(), [&key](QAction *item) { return item->data() == key && item->isEnabled(); });
        return found == items.cend() ? nullptr : *found;
    }
    static void choose(QMenu *menu, const QString &key) { item(menu, key)->trigger(); }

    // Gives a contact of the table these phones, labelled "home" where no
    // label is given.
    MVPerson &withPhones(int i, const QStringList &numbers, const QStringList &labels = {})
    {
        MVPerson &person = *top()->contactTable->at(i)->person;
        LabeledValueList phones;
        for (const QString &number : numbers) {
            auto phone = std::make_shared<LabeledValueRecord>();
            phone->label = labels.value(phones.size(), u"home"_s);
            phone->value = number;
            phones.append(phone);
        }
        person.setValue(phones, FieldId::Phone);
        return person;
    }

    // Selects the table rows of these contacts at these label positions.
    void selectRows(const QList<std::pair<int, qint64>> &rows)
    {
        for (const auto &[i, position] : rows) {
            const ContactRecordPtr &contact = top()->contactTable->at(i);
            m_table.selectedSubContactsList.append(
                std::make_shared<SubContactRecord>(contact->person, contact->uniqueId, position));
            if (!m_table.selectedContactsList.contains(contact))
                m_table.selectedContactsList.append(contact);
        }
    }

    [[nodiscard]] QAction *patternItem(const QString &title) const
    {
        for (QAction *item : m_window.contactCommands()->phoneFormatMenu()->actions()) {
            if (item->text() == title)
                return item;
        }
        ADD_FAILURE() << qPrintable(title);
        return nullptr;
    }

    // Runs the Edit menu's validation, as showing the menu does.
    [[nodiscard]] bool commandEnabled()
    {
        Q_EMIT m_window.editMenu()->aboutToShow();
        return patternItem(u"(123) 456-7890"_s)->isEnabled();
    }

    // Opens the menu and chooses the pattern.
    void choosePattern(const QString &title)
    {
        ASSERT_TRUE(commandEnabled());
        patternItem(title)->trigger();
    }

    [[nodiscard]] MVPerson &person(int i) const { return *top()->contactTable->at(i)->person; }
    static QString phone(MVPerson &person, qsizetype position)
    {
        return person.labeledValueForIdentifierAtIndex(FieldId::Phone, position)->valueText();
    }
};

TEST_F(PhoneNumberCommand, ReformatsEverySelectedRowsPhoneRebuildingTheTableOnceAndOneUndoRestoresThemAll)
{
    withPhones(0, {u"1234567890"_s, u"03-1234-5678"_s});
    withPhones(1, {u"0459876543"_s});
    selectRows({{0, 0}, {0, 1}, {1, 0}});
    for (int i = 0; i < 1000; ++i) {
        auto person = std::make_shared<MVPerson>();
        person->setUniqueId(u"many%1"_s.arg(i));
        top()->contactTable->append(ContactRecord::makeWithPerson(person));
        withPhones(10 + i, {u"0312345%1"_s.arg(i, 3, 10, QLatin1Char('0'))});
        selectRows({{10 + i, 0}});
    }
    const auto phones = [this] {
        return QStringList{phone(person(0), 0), phone(person(0), 1), phone(person(1), 0), phone(person(1009), 0)};
    };
    const QStringList before = phones();
    choosePattern(u"(123) 456-7890"_s);
    EXPECT_EQ(
        phones(), (QStringList{u"(123) 456-7890"_s, u"(031) 234-5678"_s, u"(045) 987-6543"_s, u"(031) 234-5999"_s}));
    EXPECT_TRUE(m_window.isWindowModified());
    endTurn();
    EXPECT_EQ(m_log.count(u"table.updateTable"_s), 1);

    QTest::keyClick(&m_window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(phones(), before);
    EXPECT_FALSE(m_window.undoManager()->canUndo());

    // Numbers already in the pattern leave no undo step and no mark.
    choosePattern(u"(123) 456-7890"_s);
    endTurn();
    m_window.undoManager()->removeAllActions();
    m_window.setWindowModified(false);
    m_log.clear();
    choosePattern(u"(123) 456-7890"_s);
    endTurn();
    EXPECT_FALSE(m_window.undoManager()->canUndo() || m_window.isWindowModified());
    EXPECT_EQ(m_log.count(u"table.updateTable"_s), 0);
}

TEST_F(PhoneNumberCommand, NeedsASelectedRowUnderThePhoneColumnOrAPhoneInTheDetailPane)
{
    withPhones(0, {u"1234567890"_s});
    EXPECT_FALSE(commandEnabled());
    selectRows({{1, 0}});
    EXPECT_TRUE(commandEnabled());
    choose(m_window.viewTypePopup()->menu(), u"Name Only"_s);
    EXPECT_FALSE(commandEnabled());

    m_controller.setContactInfoVisible(true);
    m_detail.setContact(top()->contactTable->at(1));
    EXPECT_FALSE(commandEnabled());
    m_detail.setContact(top()->contactTable->at(0));
    EXPECT_TRUE(commandEnabled());
}

TEST_F(PhoneNumberCommand, ChangesOnlyThePhonesTheSelectedRowsShowUnderTheLabelFilter)
{
    MVPerson &contact = withPhones(0, {u"0312345678"_s, u"0698765432"_s}, {u"home"_s, u"work"_s});
    m_table.labels = {u"home"_s};

    // The second row shows no phone: the work phone is hidden there.
    selectRows({{0, 1}});
    choosePattern(u"(123) 456-7890"_s);
    EXPECT_EQ(phone(contact, 1), u"0698765432"_s);
    EXPECT_FALSE(m_window.isWindowModified() || m_window.undoManager()->canUndo());

    selectRows({{0, 0}});
    choosePattern(u"(123) 456-7890"_s);
    EXPECT_EQ((QStringList{phone(contact, 0), phone(contact, 1)}), (QStringList{u"(031) 234-5678"_s, u"0698765432"_s}));
    EXPECT_TRUE(m_window.isWindowModified());
}

} // namespace
