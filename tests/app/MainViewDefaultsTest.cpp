#include "AddressBookTestSupport.h"

#include "app/MainViewDefaults.h"
#include "table/ContactsViewController.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/TestEnvironment.h"
#include "platform/UserDefaults.h"
#include "platform/VariantPrinting.h"
#include "print/PrintOptions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>

#include <cmath>

using Keys = MainViewDefaults;

namespace {

// A value as the user defaults give it back: lists of strings as lists of
// values, whole numbers as qlonglong.
QVariant stored(const QVariant &value)
{
    return StoredValue::fromJson(StoredValue::toJson(value));
}

std::unique_ptr<UserDefaults> freshDefaults()
{
    return std::make_unique<UserDefaults>(
        TestEnvironment::makeScratchFolder(QStringLiteral("view-defaults")) + QStringLiteral("/Quillmark.conf"));
}

QVariantMap sortEntry(const QStringList &items, const QString &selected)
{
    return {{QStringLiteral("items"), items}, {QStringLiteral("selected"), selected}};
}

const QVariantMap &builtInSortOptions()
{
    static const QVariantMap options{
        {QStringLiteral("Name"),
            sortEntry({QStringLiteral("compositeName"), QStringLiteral("FirstName"), QStringLiteral("LastName")},
                QStringLiteral("compositeName"))},
        {QStringLiteral("Address"),
            sortEntry(
                {QStringLiteral("Address"), QStringLiteral("ZIP"), QStringLiteral("State"), QStringLiteral("City"),
                    QStringLiteral("Street"), QStringLiteral("Country"), QStringLiteral("Address label")},
                QStringLiteral("Address"))},
        {QStringLiteral("Phonetic Name"),
            sortEntry({QStringLiteral("PhoneticFirstName"), QStringLiteral("PhoneticLastName")},
                QStringLiteral("PhoneticLastName"))},
    };
    return options;
}

} // namespace

TEST(MainViewDefaults, AFirstStartWritesTheViewSettingsButNotTheSortOrTheFont)
{
    const auto defaults = freshDefaults();
    const MainViewDefaults settings = MainViewDefaults::readAndRepair(*defaults);
    EXPECT_EQ(defaults->dictionaryRepresentation().keys(),
        (QStringList{PrintOptions::defaultsKey, PrintOptions::printStyleKey, Keys::selectedLabelsKey,
            Keys::selectedViewTypeKey, Keys::sortOptionsDictKey, Keys::viewTypeDictKey}));
    EXPECT_EQ(defaults->objectForKey(Keys::selectedLabelsKey), QVariant(QVariantList{QStringLiteral("All")}));
    EXPECT_EQ(defaults->objectForKey(Keys::selectedViewTypeKey), QVariant(QStringLiteral("Address")));
    EXPECT_EQ(defaults->objectForKey(Keys::sortOptionsDictKey), stored(builtInSortOptions()));
    EXPECT_EQ(defaults->objectForKey(Keys::viewTypeDictKey), stored(ViewController::aViewTypeDict()));
    EXPECT_EQ(defaults->objectForKey(PrintOptions::printStyleKey), QVariant(QStringLiteral("Hagaki")));
    EXPECT_EQ(QVariant(*settings.printOptions), defaults->objectForKey(PrintOptions::defaultsKey));
    const SortDescriptor sort = MainViewDefaults::lastSortDescriptor(*defaults);
    EXPECT_EQ(sort.key, QStringLiteral("compositeName"));
    EXPECT_TRUE(sort.ascending);
}

namespace {

// A value stored under a key before start-up, and what the key holds after.
struct StoredSetting {
    const char *what;
    QString key;
    QVariant stored;
    QVariant afterwards;
};

class DamagedDefaults : public testing::TestWithParam<StoredSetting> { };

QVariantMap sortOptionsWithout(const QString &column, const QVariantMap &changes = {})
{
    QVariantMap options = builtInSortOptions();
    options.remove(column);
    options.insert(changes);
    return options;
}

const QVariantMap customName{
    {QStringLiteral("Name"), sortEntry({QStringLiteral("LastName")}, QStringLiteral("LastName"))}};
const QVariantMap viewTypesWithABadOne{
    {QStringLiteral("Mine"), QStringList{QStringLiteral("Sender"), QStringLiteral("Name")}},
    {QStringLiteral("Bad"), QStringLiteral("Phone")}};

} // namespace

TEST_P(DamagedDefaults, ValuesOfTheWrongShapeReadAsAbsentAndTheRestIsKept)
{
    const auto defaults = freshDefaults();
    defaults->setObject(GetParam().stored, GetParam().key);
    const MainViewDefaults settings = MainViewDefaults::readAndRepair(*defaults);
    EXPECT_EQ(defaults->objectForKey(GetParam().key), stored(GetParam().afterwards));
    // A view type whose columns are no list is not offered.
    EXPECT_FALSE(settings.viewTypeDict.contains(QStringLiteral("Bad")));
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedDefaults,
    testing::Values(StoredSetting{"labelsAsText", Keys::selectedLabelsKey, QStringLiteral("All"),
                        QVariantList{QStringLiteral("All")}},
        StoredSetting{"labelsKept", Keys::selectedLabelsKey,
            QVariantList{QStringLiteral("home"), QStringLiteral("work")},
            QVariantList{QStringLiteral("home"), QStringLiteral("work")}},
        StoredSetting{
            "viewTypesAsText", Keys::viewTypeDictKey, QStringLiteral("Address"), ViewController::aViewTypeDict()},
        StoredSetting{"viewTypesEmpty", Keys::viewTypeDictKey, QVariantMap(), ViewController::aViewTypeDict()},
        StoredSetting{"viewTypesKept", Keys::viewTypeDictKey, viewTypesWithABadOne, viewTypesWithABadOne},
        StoredSetting{"viewTypeName", Keys::selectedViewTypeKey, QStringLiteral("Name"), QStringLiteral("Address")},
        StoredSetting{"viewTypeNumber", Keys::selectedViewTypeKey, 3, QStringLiteral("Address")},
        StoredSetting{"viewTypeKept", Keys::selectedViewTypeKey, QStringLiteral("Address Detail"),
            QStringLiteral("Address Detail")},
        StoredSetting{"sortWithoutPhoneticName", Keys::sortOptionsDictKey,
            sortOptionsWithout(QStringLiteral("Phonetic Name"), customName), sortOptionsWithout({}, customName)},
        StoredSetting{"sortEntryWithoutItems", Keys::sortOptionsDictKey,
            sortOptionsWithout(QStringLiteral("Name"),
                {{QStringLiteral("Name"), QVariantMap{{QStringLiteral("selected"), QStringLiteral("LastName")}}}}),
            builtInSortOptions()},
        StoredSetting{"printStyleEmpty", PrintOptions::printStyleKey, QString(), QStringLiteral("Hagaki")},
        StoredSetting{
            "printStyleKept", PrintOptions::printStyleKey, QStringLiteral("Envelope"), QStringLiteral("Envelope")}),
    [](const testing::TestParamInfo<StoredSetting> &info) { return std::string(info.param.what); });

namespace {

struct StoredFont {
    const char *what;
    QVariant name;
    QVariant size;
    const char *family; // null: the application font
    double pointSize; // 0: no font
};

class StoredFonts : public testing::TestWithParam<StoredFont> { };

} // namespace

TEST_P(StoredFonts, NameAndSizeGiveTheFontOrNone)
{
    const auto defaults = freshDefaults();
    defaults->setObject(GetParam().name, Keys::fontNameKey);
    defaults->setObject(GetParam().size, Keys::fontSizeKey);
    const std::optional<QFont> font = MainViewDefaults::storedFont(*defaults, {});
    if (GetParam().pointSize == 0) {
        EXPECT_FALSE(font.has_value());
        return;
    }
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->family(), GetParam().family ? QString::fromUtf8(GetParam().family) : QApplication::font().family());
    EXPECT_EQ(font->pointSizeF(), GetParam().pointSize);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredFonts,
    testing::Values(StoredFont{"raisedTo7", QStringLiteral("IPAexGothic"), 5, "IPAexGothic", 7},
        StoredFont{"kept", QStringLiteral("IPAexGothic"), 14.5, "IPAexGothic", 14.5},
        StoredFont{"sizeOfTheWrongShape", QStringLiteral("IPAexGothic"), QStringLiteral("big"), "IPAexGothic", 12},
        StoredFont{"otherPlatformsSystemFont", QStringLiteral(".AppleSystemUIFont"), 30, nullptr, 12},
        StoredFont{"nothingStored", QVariant(), QVariant(), nullptr, 12},
        StoredFont{"notInstalled", QStringLiteral("No Such Font Family"), 14, nullptr, 0}),
    [](const testing::TestParamInfo<StoredFont> &info) { return std::string(info.param.what); });

namespace {

class WindowDefaults : public testing::Test {
protected:
    void TearDown() override { ViewController::setKeyboardModifiersSource({}); }

    std::unique_ptr<WindowController> makeWindow()
    {
        return std::make_unique<WindowController>(WindowController::Services{m_defaults.get(), &m_alerts});
    }

    std::unique_ptr<UserDefaults> m_defaults = freshDefaults();
    RecordingAlertPresenter m_alerts;
};

} // namespace

TEST_F(WindowDefaults, AnUnknownFontKeepsTheFontAndADocumentStoresItsOwn)
{
    const auto window = makeWindow();
    ViewController &controller = *window->mainViewController();
    controller.setDocumentName(QStringLiteral("Letters"));
    window->show();
    const QFont mincho(QStringLiteral("IPAexMincho"), 15);
    controller.setFont(mincho);
    controller.setFont(std::nullopt);
    EXPECT_EQ(controller.selectedFont(), mincho);

    const QVariantMap before = m_defaults->dictionaryRepresentation();
    window->close();
    QVariantMap added = m_defaults->dictionaryRepresentation();
    for (auto entry = before.cbegin(); entry != before.cend(); ++entry)
        added.remove(entry.key());
    added.remove(Keys::windowFramePrefix + QStringLiteral("Letters"));
    added.remove(ContactsViewController::columnWidthDictionaryKey);
    EXPECT_EQ(added,
        (QVariantMap{{QStringLiteral("MVFontName Letters"), QStringLiteral("IPAexMincho")},
            {QStringLiteral("MVFontSize Letters"), qlonglong(15)}}));
}

namespace {

struct ResetRow {
    const char *what;
    Qt::KeyboardModifiers held;
    int answer;
    bool asked;
    bool reset;
};

class PreferenceReset : public WindowDefaults, public testing::WithParamInterface<ResetRow> { };

} // namespace

TEST_P(PreferenceReset, ShiftControlAltOffersTheDefaultsBack)
{
    const QString frameKey = Keys::windowFramePrefix + QStringLiteral("AddressBook");
    const QRect saved(50, 60, 1000, 640);
    {
        const auto window = makeWindow();
        window->show();
        window->setGeometry(saved);
        window->close();
    }
    m_defaults->setObject(QStringLiteral("Address Detail"), Keys::selectedViewTypeKey);
    m_defaults->setObject(QVariantMap{{QStringLiteral("Name"), 90}}, QStringLiteral("MV1DcolumnWidthDictionary"));
    const QVariantMap before = m_defaults->dictionaryRepresentation();
    const Qt::KeyboardModifiers held = GetParam().held;
    ViewController::setKeyboardModifiersSource([held] { return held; });
    m_alerts.answer = GetParam().answer;

    const auto window = makeWindow();
    window->show();
    EXPECT_EQ(m_alerts.alerts.size(), GetParam().asked ? 1 : 0);
    EXPECT_EQ(window->mainViewController()->newWindow(), GetParam().reset);
    if (!GetParam().reset) {
        EXPECT_EQ(m_defaults->dictionaryRepresentation(), before);
        EXPECT_EQ(window->geometry(), saved);
        return;
    }
    EXPECT_EQ(
        m_alerts.alerts.first().informativeText, QStringLiteral("Would you like to restore default preferences?"));
    EXPECT_FALSE(m_defaults->objectForKey(QStringLiteral("MV1DcolumnWidthDictionary")).isValid());
    EXPECT_FALSE(m_defaults->objectForKey(frameKey).isValid());
    EXPECT_EQ(window->mainViewController()->selectedViewType(), QStringLiteral("Address"));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->frameGeometry().topLeft(), available.topLeft() + QPoint(100, 100));
    EXPECT_EQ(window->size(), QSize(900, 500));
}

INSTANTIATE_TEST_SUITE_P(Rows, PreferenceReset,
    testing::Values(ResetRow{"ok", Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier,
                        AlertPresenter::FirstButtonReturn, true, true},
        ResetRow{"cancel", Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier,
            AlertPresenter::SecondButtonReturn, true, false},
        ResetRow{"twoKeys", Qt::ShiftModifier | Qt::AltModifier, AlertPresenter::FirstButtonReturn, false, false}),
    [](const testing::TestParamInfo<ResetRow> &info) { return std::string(info.param.what); });
