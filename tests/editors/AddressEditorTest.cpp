#include "EditorHarness.h"

#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "interchange/PostalDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace {

QAction *findAction(QMenu *menu, const QString &text)
{
    const QList<QAction *> actions = menu->actions();
    const auto found = std::find_if(
        actions.cbegin(), actions.cend(), [&text](const QAction *action) { return action->text() == text; });
    return found == actions.cend() ? nullptr : *found;
}

// Opens a pull-down's menu and clicks the item with that text, opening the
// submenu named first on the way.
void choose(QToolButton *pullDown, const QString &text, const QString &submenuTitle = {})
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

// The contact lives in Japan; its address 0 is in Kyoto, 1 in New York.
class AddressEditor : public EditorTest<AddressViewController> {
protected:
    AddressViewController *open(qint64 labelIndex)
    {
        return EditorTest::open(FieldId::Address, {340, 460}, labelIndex);
    }
    // Postal code, state, city and street as shown, or as handed back.
    [[nodiscard]] QStringList shownParts() const
    {
        return {m_editor->zipField()->text(), m_editor->stateField()->text(), m_editor->cityField()->text(),
            m_editor->streetField()->text()};
    }
    [[nodiscard]] QStringList resultParts() const
    {
        const LabeledValueRecord record = result<LabeledValueRecord>();
        return {record.zip, record.state, record.city, record.street};
    }
    void lookUp(const QString &typed, Qt::Key key = Qt::Key_Return)
    {
        EditorHarness::type(m_editor->zipField(), typed);
        QTest::keyClick(m_editor->zipField(), key);
    }
};

// -1 asks for a new address; 7 names none.
class NewAddress : public AddressEditor, public testing::WithParamInterface<qint64> { };

TEST_P(NewAddress, StartsAtHomeWithCode123AndTheDefaultCountry)
{
    open(GetParam());
    EXPECT_TRUE(m_editor->isEditing());
    EXPECT_EQ(m_editor->labelPopup()->currentText(), QStringLiteral("home"));
    EXPECT_EQ(m_editor->countryCodePopup()->text(), QStringLiteral("Default (JP)"));
    EXPECT_TRUE(m_editor->zipButton()->isVisible());
    EXPECT_FALSE(m_editor->doneButton()->isEnabled());
    EditorHarness::type(m_editor->cityField(), QStringLiteral("Kobe"));
    done();
    EXPECT_EQ(result<LabeledValueRecord>().labelIndex, -1);
    EXPECT_EQ(resultParts(), QStringList({"123", {}, "Kobe", {}}));
}

INSTANTIATE_TEST_SUITE_P(Rows, NewAddress, testing::Values(-1, 7));

struct Lookup {
    const char *name;
    QString typed;
    Qt::Key key; // Return, or Tab to leave the field
    QString street;
};

class AddressLookup : public AddressEditor, public testing::WithParamInterface<Lookup> { };

TEST_P(AddressLookup, FillsStateCityAndStreetFromTheFirstHit)
{
    open(-1);
    EditorHarness::type(m_editor->zipField(), GetParam().typed);
    // Nothing is looked up while typing.
    EXPECT_EQ(m_editor->stateField()->text(), QString());
    QTest::keyClick(m_editor->zipField(), GetParam().key);
    const QStringList expected{GetParam().typed, "東京都", "千代田区", GetParam().street};
    EXPECT_EQ(shownParts(), expected);
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    Screenshot::grab(m_editor);
    done();
    EXPECT_EQ(resultParts(), expected);
    EXPECT_TRUE(result<LabeledValueRecord>().stringValue.contains(QStringLiteral("東京都")));
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressLookup,
    testing::Values(Lookup{"Chiyoda", "1000001", Qt::Key_Return, "千代田"},
        Lookup{"FullWidth", "１００－０００１", Qt::Key_Return, "千代田"},
        Lookup{"LeftWithTab", "100-0001", Qt::Key_Tab, "千代田"},
        Lookup{"AreaWithoutStreets", "1000000", Qt::Key_Return, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AddressEditor, TwoCharactersAndReturnDisableTheButtonAndLookNothingUp)
{
    open(-1);
    lookUp(QStringLiteral("10"));
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
    lookUp(GetParam().typed);
    EXPECT_EQ(m_editor->zipField()->selectedText(), QStringLiteral("Do not find"));
    EXPECT_EQ(shownParts(), QStringList({"Do not find", "京都府", "京都市中京区", "寺町通御池上る上本能寺前町488"}));
    EditorHarness::type(m_editor->cityField(), QStringLiteral("京都市下京区"));
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("Do not find"));
    done();
    // The record holds what was typed, never the notice.
    EXPECT_EQ(
        resultParts(), QStringList({GetParam().typed, "京都府", "京都市下京区", "寺町通御池上る上本能寺前町488"}));
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressLookupMiss,
    testing::Values(Miss{"NoSuchCode", "0000000", false}, Miss{"Letters", "abcdefg", false},
        Miss{"LongText", QString(300, u'9'), false}, Miss{"TablesMissing", "1000001", true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AddressEditor, TypingOverTheNoticeMakesThePostalCodeAgain)
{
    open(0);
    lookUp(QStringLiteral("0000000"));
    QTest::keyClicks(m_editor->zipField(), QStringLiteral("6008001"));
    QTest::keyClick(m_editor->zipField(), Qt::Key_Return);
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("6008001"));
    EXPECT_EQ(m_editor->stateField()->text(), QStringLiteral("京都府"));
}

class AddressStates : public AddressEditor, public testing::WithParamInterface<QLocale::Language> {
protected:
    void TearDown() override { QLocale::setDefault(m_before); }
    QLocale m_before;
};

TEST_P(AddressStates, JapanOffersThePrefecturesInTheUsersLanguageAndTheChoiceIsKept)
{
    const bool english = GetParam() == QLocale::English;
    QLocale::setDefault(QLocale(GetParam()));
    open(0);
    const QList<QAction *> states = m_editor->statePulldown()->menu()->actions();
    ASSERT_EQ(states.size(), 47);
    EXPECT_EQ(states.first()->text(), english ? QStringLiteral("Hokkaido") : QStringLiteral("北海道"));
    EXPECT_TRUE(m_editor->statePulldown()->isEnabled());
    const QString last = english ? QStringLiteral("Okinawa") : QStringLiteral("沖縄県");
    choose(m_editor->statePulldown(), last);
    EXPECT_TRUE(m_harness.isOpen());
    EXPECT_EQ(m_editor->stateField()->text(), last);
    done();
    EXPECT_EQ(result<LabeledValueRecord>().state, last);
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressStates, testing::Values(QLocale::English, QLocale::Japanese));

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
    const LabeledValueRecord record = result<LabeledValueRecord>();
    EXPECT_EQ(QStringList({record.isoCountryCode, record.country, QString::number(record.labelIndex)}),
        QStringList({{}, "UGANDA", "1"}));
}

TEST_F(AddressEditor, LabelChosenInThePopupIsHandedBack)
{
    open(0);
    EXPECT_TRUE(m_editor->postalAddressField()->text().contains(QStringLiteral("寺町通")));
    m_editor->labelPopup()->setFocus();
    QTest::keyClick(m_editor->labelPopup(), Qt::Key_Down);
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    done();
    EXPECT_EQ(result<LabeledValueRecord>().label, QStringLiteral("work"));
    EXPECT_EQ(resultParts().value(3), QStringLiteral("寺町通御池上る上本能寺前町488"));
}

TEST_F(AddressEditor, GivenRecordIsEditedInPlaceAndFieldsEmptyAfterCancel)
{
    m_context = EditorHarness::context(m_contact, FieldId::Address);
    m_context->labeledValue = addressValue(QStringLiteral("home"), {QStringLiteral("1")}, {}, 4);
    m_editor = m_harness.open<AddressViewController>(m_context, QSize(340, 460), true);
    EditorHarness::type(m_editor->cityField(), QStringLiteral("Kobe"));
    EXPECT_EQ(m_context->labeledValue->city, QStringLiteral("Kobe"));
    QTest::mouseClick(m_editor->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(m_context->dirty);
    EXPECT_EQ(m_editor->cityField()->text(), QString());
}

} // namespace
