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
        return {record.addressParts().zip, record.addressParts().state, record.addressParts().city,
            record.addressParts().street};
    }
    void lookUp(const QString &typed, Qt::Key key = Qt::Key_Return)
    {
        EditorHarness::type(m_editor->zipField(), typed);
        QTest::keyClick(m_editor->zipField(), key);
    }
};

// -1 asks for a new address; 7 names none.
TEST_F(AddressEditor, NewStartsAtHomeWithCode123AndTheDefaultCountryAndTakesTheChosenLabel)
{
    for (const qint64 labelIndex : {-1, 7}) {
        open(labelIndex);
        EXPECT_TRUE(m_editor->isEditing());
        EXPECT_EQ(m_editor->labelPopup()->currentText(), QStringLiteral("home"));
        EXPECT_EQ(m_editor->countryCodePopup()->text(), QStringLiteral("Default (JP)"));
        EXPECT_TRUE(m_editor->zipButton()->isVisible());
        EXPECT_FALSE(m_editor->doneButton()->isEnabled());
        EditorHarness::type(m_editor->cityField(), QStringLiteral("Kobe"));
        m_editor->labelPopup()->setFocus();
        QTest::keyClick(m_editor->labelPopup(), Qt::Key_Down);
        done();
        EXPECT_EQ(result<LabeledValueRecord>().label, QStringLiteral("work"));
        EXPECT_EQ(result<LabeledValueRecord>().labelIndex, -1);
        EXPECT_EQ(resultParts(), QStringList({"123", {}, "Kobe", {}}));
    }
}

// Return or Tab out of the field look the code up; nothing is looked up while typing.
TEST_F(AddressEditor, LookupFillsStateCityAndStreetFromTheFirstHit)
{
    const struct {
        const char *name;
        QString typed;
        Qt::Key key;
        QString street;
    } lookups[] = {{"Chiyoda", "1000001", Qt::Key_Return, "千代田"},
        {"FullWidth", "１００－０００１", Qt::Key_Return, "千代田"}, {"LeftWithTab", "100-0001", Qt::Key_Tab, "千代田"},
        {"AreaWithoutStreets", "1000000", Qt::Key_Return, {}}};
    for (const auto &lookup : lookups) {
        open(-1);
        EditorHarness::type(m_editor->zipField(), lookup.typed);
        EXPECT_EQ(m_editor->stateField()->text(), QString());
        QTest::keyClick(m_editor->zipField(), lookup.key);
        const QStringList expected{lookup.typed, "東京都", "千代田区", lookup.street};
        EXPECT_EQ(shownParts(), expected);
        EXPECT_TRUE(m_editor->doneButton()->isEnabled());
        Screenshot::grab(m_editor, QString::fromLatin1(lookup.name));
        done();
        EXPECT_EQ(resultParts(), expected);
        EXPECT_TRUE(result<LabeledValueRecord>().stringValue.contains(QStringLiteral("東京都")));
    }
}

// The street keeps what follows its town: after a town the table lists for
// the old city, else from its first digit on.
TEST_F(AddressEditor, LookupKeepsTheHouseNumberAfterTheNewTown)
{
    const struct {
        QString street; // typed before the lookup
        QString code;
        QString pasted;
    } rows[]
        = {{"上本能寺前町488 3F", "1000001", "千代田488 3F"}, {"寺町通御池上る上本能寺前町488", "1000001", "千代田488"},
            {"上本能寺前町2-3-20", "9392342", "八尾町上新町2-3-20"}};
    for (const auto &row : rows) {
        open(0);
        EditorHarness::type(m_editor->streetField(), row.street);
        lookUp(row.code);
        EXPECT_EQ(m_editor->streetField()->text(), row.pasted);
        done();
        EXPECT_EQ(resultParts().value(3), row.pasted);
    }
}

// A code with no hit, letters, a long text, and tables that are missing.
TEST_F(AddressEditor, MissShowsDoNotFindWhichNeverEntersTheRecord)
{
    for (const auto &[typed, tablesMissing] :
        {std::pair(QStringLiteral("0000000"), false), std::pair(QStringLiteral("abcdefg"), false),
            std::pair(QString(300, u'9'), false), std::pair(QStringLiteral("1000001"), true)}) {
        open(0);
        if (tablesMissing)
            m_editor->setPostalDatabase(std::make_shared<PostalDatabase>());
        lookUp(typed);
        EXPECT_EQ(m_editor->zipField()->selectedText(), QStringLiteral("Do not find"));
        EXPECT_EQ(
            shownParts(), QStringList({"Do not find", "京都府", "京都市中京区", "寺町通御池上る上本能寺前町488"}));
        EditorHarness::type(m_editor->cityField(), QStringLiteral("京都市下京区"));
        EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("Do not find"));
        done();
        EXPECT_EQ(resultParts(), QStringList({typed, "京都府", "京都市下京区", "寺町通御池上る上本能寺前町488"}));
    }
}

// Two characters and Return disable the button and look nothing up.
TEST_F(AddressEditor, ShortCodeLooksNothingUpAndTypingOverTheNoticeMakesThePostalCodeAgain)
{
    open(0);
    EXPECT_TRUE(m_editor->postalAddressField()->text().contains(QStringLiteral("寺町通")));
    lookUp(QStringLiteral("10"));
    EXPECT_FALSE(m_editor->zipButton()->isEnabled());
    EXPECT_EQ(shownParts(), QStringList({"10", "京都府", "京都市中京区", "寺町通御池上る上本能寺前町488"}));
    lookUp(QStringLiteral("0000000"));
    QTest::keyClicks(m_editor->zipField(), QStringLiteral("6008001"));
    QTest::keyClick(m_editor->zipField(), Qt::Key_Return);
    EXPECT_EQ(m_editor->zipField()->text(), QStringLiteral("6008001"));
    EXPECT_EQ(m_editor->stateField()->text(), QStringLiteral("京都府"));
}

TEST_F(AddressEditor, JapanOffersThePrefecturesInTheUsersLanguageAndTheChoiceIsKept)
{
    const QLocale before;
    for (const auto &[language, first, last] :
        {std::tuple(QLocale::English, "Hokkaido", "Okinawa"), std::tuple(QLocale::Japanese, "北海道", "沖縄県")}) {
        QLocale::setDefault(QLocale(language));
        open(0);
        const QList<QAction *> states = m_editor->statePulldown()->menu()->actions();
        ASSERT_EQ(states.size(), 47);
        EXPECT_EQ(states.first()->text(), QString::fromUtf8(first));
        EXPECT_TRUE(m_editor->statePulldown()->isEnabled());
        choose(m_editor->statePulldown(), QString::fromUtf8(last));
        EXPECT_TRUE(m_harness.isOpen());
        EXPECT_EQ(m_editor->stateField()->text(), QString::fromUtf8(last));
        done();
        EXPECT_EQ(result<LabeledValueRecord>().addressParts().state, QString::fromUtf8(last));
    }
    QLocale::setDefault(before);
}

TEST_F(AddressEditor, CountryChosenInASubmenuKeepsThePopoverOpenAndNamesAnEmptyCountry)
{
    open(1);
    // Within a letter the countries keep the table's order.
    QAction *letter = findAction(m_editor->countryCodePopup()->menu(), QStringLiteral("J"));
    ASSERT_TRUE(letter && letter->menu());
    QStringList codes;
    for (const QAction *action : letter->menu()->actions())
        codes.append(action->data().toString());
    EXPECT_EQ(codes, (QStringList{"JE", "JM", "JO", "JP"}));
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
    EXPECT_EQ(QStringList({record.addressParts().isoCountryCode, record.addressParts().country,
                  QString::number(record.labelIndex)}),
        QStringList({{}, "UGANDA", "1"}));
}

} // namespace
