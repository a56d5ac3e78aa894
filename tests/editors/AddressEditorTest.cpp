#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "interchange/PostalDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

// The contact lives in Japan; its address 0 is in Kyoto, 1 in New York.
class AddressEditor : public testing::Test {
protected:
    AddressViewController *open(std::optional<qint64> labelIndex, bool editable = true)
    {
        m_context = EditorHarness::context(m_contact, FieldId::Address, false, labelIndex);
        m_editor = m_harness.open<AddressViewController>(m_context, QSize(340, 460), editable);
        EXPECT_LE(m_editor->minimumSizeHint().width(), 340);
        EXPECT_LE(m_editor->minimumSizeHint().height(), 460);
        return m_editor;
    }
    [[nodiscard]] QStringList shownParts() const
    {
        return {m_editor->zipField()->text(), m_editor->stateField()->text(), m_editor->cityField()->text(),
            m_editor->streetField()->text()};
    }
    void done() { QTest::mouseClick(m_editor->doneButton(), Qt::LeftButton); }
    [[nodiscard]] const LabeledValueRecord &result() const { return std::get<LabeledValueRecord>(m_context->value); }
    // Opens a pull-down's menu and clicks the item with that text, opening
    // the submenu named first on the way.
    static void choose(QToolButton *pullDown, const QString &text, const QString &submenuTitle = {})
    {
        QMenu *menu = pullDown->menu();
        menu->popup(pullDown->mapToGlobal(QPoint(0, pullDown->height())));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        if (!submenuTitle.isEmpty()) {
            QAction *letter = findAction(menu, submenuTitle);
            ASSERT_TRUE(letter);
            menu->setActiveAction(letter);
            QTest::keyClick(menu, Qt::Key_Right);
            menu = letter->menu();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        }
        QAction *action = findAction(menu, text);
        ASSERT_TRUE(action);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
    static QAction *findAction(QMenu *menu, const QString &text)
    {
        const QList<QAction *> actions = menu->actions();
        const auto found = std::find_if(
            actions.cbegin(), actions.cend(), [&text](const QAction *action) { return action->text() == text; });
        return found == actions.cend() ? nullptr : *found;
    }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
    AddressViewController *m_editor = nullptr;
};

TEST_F(AddressEditor, NewAddressStartsAtHomeWithCode123AndTheDefaultCountry)
{
    // Ignores "editEnabled": the opener's state decides.
    open(-1);
    EXPECT_TRUE(m_editor->isEditing());
    EXPECT_EQ(m_editor->labelPopup()->currentText(), QStringLiteral("home"));
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("123"));
    EXPECT_EQ(m_editor->countryCodePopup()->text(), QStringLiteral("Default (JP)"));
    EXPECT_TRUE(m_editor->zipButton()->isVisible());
    EXPECT_FALSE(m_editor->doneButton()->isEnabled());
}

TEST_F(AddressEditor, NumberThatNamesNoAddressOpensANewOne)
{
    open(7);
    EditorHarness::type(m_editor->cityField(), QStringLiteral("Kobe"));
    done();
    EXPECT_EQ(result().labelIndex, -1);
    EXPECT_EQ(result().zip, QStringLiteral("123"));
}

struct Lookup {
    const char *name;
    QString typed;
    Qt::Key key; // Return, or Tab to leave the field
    QStringList shown; // postal code, state, city, street
};

class AddressLookup : public AddressEditor, public testing::WithParamInterface<Lookup> { };

TEST_P(AddressLookup, FillsStateCityAndStreetFromTheFirstHit)
{
    open(-1);
    EditorHarness::type(m_editor->zipField(), GetParam().typed);
    // Nothing is looked up while typing.
    EXPECT_EQ(m_editor->stateField()->text(), QString());
    QTest::keyClick(m_editor->zipField(), GetParam().key);
    EXPECT_EQ(shownParts(), GetParam().shown);
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    Screenshot::grab(m_editor);
    done();
    EXPECT_EQ((QStringList{result().zip, result().state, result().city, result().street}), GetParam().shown);
    EXPECT_TRUE(result().stringValue.contains(GetParam().shown.value(1)));
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressLookup,
    testing::Values(Lookup{"Chiyoda", QStringLiteral("1000001"), Qt::Key_Return,
                        {QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
                            QStringLiteral("千代田")}},
        Lookup{"FullWidth", QStringLiteral("１００－０００１"), Qt::Key_Return,
            {QStringLiteral("１００－０００１"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
                QStringLiteral("千代田")}},
        Lookup{"LeftWithTab", QStringLiteral("100-0001"), Qt::Key_Tab,
            {QStringLiteral("100-0001"), QStringLiteral("東京都"), QStringLiteral("千代田区"),
                QStringLiteral("千代田")}},
        Lookup{"AreaWithoutStreets", QStringLiteral("1000000"), Qt::Key_Return,
            {QStringLiteral("1000000"), QStringLiteral("東京都"), QStringLiteral("千代田区"), QString()}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AddressEditor, TwoCharactersAndReturnDisableTheButtonAndLookNothingUp)
{
    open(-1);
    EditorHarness::type(m_editor->zipField(), QStringLiteral("10"));
    QTest::keyClick(m_editor->zipField(), Qt::Key_Return);
    EXPECT_FALSE(m_editor->zipButton()->isEnabled());
    EXPECT_EQ(m_editor->cityField()->text(), QString());
}

struct Miss {
    const char *name;
    QString typed;
    bool tablesMissing;
};

class AddressLookupMiss : public AddressEditor, public testing::WithParamInterface<Miss> { };

TEST_P(AddressLookupMiss, ShowsDoNotFindWhichNeverEntersTheRecord)
{
    open(0);
    if (GetParam().tablesMissing)
        m_editor->setPostalDatabase(std::make_shared<PostalDatabase>());
    EditorHarness::type(m_editor->zipField(), GetParam().typed);
    QTest::keyClick(m_editor->zipField(), Qt::Key_Return);
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("Do not find"));
    EXPECT_EQ(m_editor->zipField()->selectedText(), QStringLiteral("Do not find"));
    EXPECT_EQ(m_editor->cityField()->text(), QStringLiteral("京都市中京区"));

    EditorHarness::type(m_editor->cityField(), QStringLiteral("京都市下京区"));
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("Do not find"));
    done();
    // The record holds what was typed, never the notice.
    EXPECT_EQ(result().zip, GetParam().typed);
    EXPECT_EQ(result().city, QStringLiteral("京都市下京区"));
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressLookupMiss,
    testing::Values(Miss{"NoSuchCode", QStringLiteral("0000000"), false},
        Miss{"Letters", QStringLiteral("abcdefg"), false}, Miss{"LongText", QString(300, u'9'), false},
        Miss{"TablesMissing", QStringLiteral("1000001"), true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AddressEditor, TypingOverTheNoticeMakesThePostalCodeAgain)
{
    open(0);
    EditorHarness::type(m_editor->zipField(), QStringLiteral("0000000"));
    QTest::keyClick(m_editor->zipField(), Qt::Key_Return);
    QTest::keyClicks(m_editor->zipField(), QStringLiteral("6008001"));
    QTest::keyClick(m_editor->zipField(), Qt::Key_Return);
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("6008001"));
    EXPECT_EQ(m_editor->stateField()->text(), QStringLiteral("京都府"));
}

struct StateList {
    const char *name;
    QLocale locale;
    QString first;
    QString last;
};

class AddressStates : public AddressEditor, public testing::WithParamInterface<StateList> {
protected:
    void TearDown() override { QLocale::setDefault(m_before); }
    QLocale m_before;
};

TEST_P(AddressStates, JapanOffersThePrefecturesInTheUsersLanguageAndTheChoiceIsKept)
{
    QLocale::setDefault(GetParam().locale);
    open(0);
    const QList<QAction *> states = m_editor->statePulldown()->menu()->actions();
    ASSERT_EQ(states.size(), 47);
    EXPECT_EQ(states.first()->text(), GetParam().first);
    EXPECT_TRUE(m_editor->statePulldown()->isEnabled());
    choose(m_editor->statePulldown(), GetParam().last);
    EXPECT_TRUE(m_harness.isOpen());
    EXPECT_EQ(m_editor->stateField()->text(), GetParam().last);
    done();
    EXPECT_EQ(result().state, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressStates,
    testing::Values(StateList{"English", QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("Hokkaido"),
                        QStringLiteral("Okinawa")},
        StateList{"Japanese", QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("北海道"),
            QStringLiteral("沖縄県")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AddressEditor, CountryMenuKeepsTheTablesOrderWithinALetter)
{
    open(0);
    QAction *letter = findAction(m_editor->countryCodePopup()->menu(), QStringLiteral("J"));
    ASSERT_TRUE(letter && letter->menu());
    QStringList codes;
    for (const QAction *action : letter->menu()->actions())
        codes.append(action->data().toString());
    EXPECT_EQ(codes, (QStringList{"JE", "JM", "JO", "JP"}));
}

TEST_F(AddressEditor, CountryChosenInASubmenuKeepsThePopoverOpenAndNamesAnEmptyCountry)
{
    open(1);
    choose(m_editor->countryCodePopup(), QStringLiteral("UG (UGANDA)"), QStringLiteral("U"));
    EXPECT_TRUE(m_harness.isOpen());
    EXPECT_EQ(m_editor->countryCodePopup()->text(), QStringLiteral("UG (UGANDA)"));
    EXPECT_EQ(m_editor->countryField()->text(), QStringLiteral("UGANDA"));
    // Uganda has no state list and no postal lookup.
    EXPECT_FALSE(m_editor->statePulldown()->isEnabled());
    EXPECT_FALSE(m_editor->zipButton()->isVisible());

    choose(m_editor->countryCodePopup(), QStringLiteral("Default (JP)"));
    EXPECT_EQ(m_editor->selectedCountryCode(), AddressViewController::defaultCountry);
    done();
    EXPECT_EQ(result().isoCountryCode, QString());
    EXPECT_EQ(result().country, QStringLiteral("UGANDA"));
    EXPECT_EQ(result().labelIndex, 1);
}

TEST_F(AddressEditor, LabelChosenInThePopupIsHandedBack)
{
    open(0);
    EXPECT_EQ(m_editor->postalAddressField()->text().contains(QStringLiteral("寺町通")), true);
    m_editor->labelPopup()->setFocus();
    QTest::keyClick(m_editor->labelPopup(), Qt::Key_Down);
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    done();
    EXPECT_EQ(result().label, QStringLiteral("work"));
    EXPECT_EQ(result().street, QStringLiteral("寺町通御池上る上本能寺前町488"));
}

TEST_F(AddressEditor, GivenRecordIsEditedInPlaceAndFieldsEmptyAfterCancel)
{
    m_context = EditorHarness::context(m_contact, FieldId::Address, false);
    m_context->labeledValue = addressValue(QStringLiteral("home"), {QStringLiteral("1")}, {}, 4);
    m_editor = m_harness.open<AddressViewController>(m_context, QSize(340, 460), true);
    EditorHarness::type(m_editor->cityField(), QStringLiteral("Kobe"));
    EXPECT_EQ(m_context->labeledValue->city, QStringLiteral("Kobe"));
    QTest::mouseClick(m_editor->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(m_context->dirty);
    EXPECT_EQ(m_editor->cityField()->text(), QString());
}

} // namespace
