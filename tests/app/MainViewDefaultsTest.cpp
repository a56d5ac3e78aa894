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

using Keys = MainViewDefaults;
using namespace Qt::Literals::StringLiterals;

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
        TestEnvironment::makeScratchFolder(u"view-defaults"_s) + u"/Quillmark.conf"_s);
}

QVariantMap defaultSortOptions(const QVariantMap &changes = {})
{
    QVariantMap options = Keys::toVariantMap(Keys::defaultSortOptionsDict());
    options.insert(changes);
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
    EXPECT_EQ(defaults->objectForKey(Keys::selectedLabelsKey), QVariant(QVariantList{u"All"_s}));
    EXPECT_EQ(defaults->objectForKey(Keys::selectedViewTypeKey), QVariant(u"Address"_s));
    EXPECT_EQ(defaults->objectForKey(Keys::sortOptionsDictKey), stored(defaultSortOptions()));
    EXPECT_EQ(defaults->objectForKey(PrintOptions::printStyleKey), QVariant(u"Hagaki"_s));
    EXPECT_EQ(QVariant(*settings.printOptions), defaults->objectForKey(PrintOptions::defaultsKey));
    EXPECT_EQ(MainViewDefaults::lastSortDescriptor(*defaults).key, u"compositeName"_s);
}

TEST(MainViewDefaults, ValuesOfTheWrongShapeReadAsAbsentAndTheRestIsKept)
{
    const QVariantMap customName{
        {u"Name"_s, QVariantMap{{u"items"_s, QStringList{u"LastName"_s}}, {u"selected"_s, u"LastName"_s}}}};
    const QVariantMap viewTypes{{u"Mine"_s, QStringList{u"Sender"_s, u"Name"_s}}, {u"Bad"_s, u"Phone"_s}};
    const QList<std::tuple<QString, QVariant, QVariant>> rows{
        {Keys::selectedLabelsKey, u"All"_s, QVariantList{u"All"_s}}, {Keys::viewTypeDictKey, viewTypes, viewTypes},
        {Keys::selectedViewTypeKey, u"Name"_s, u"Address"_s},
        {Keys::sortOptionsDictKey, customName, defaultSortOptions(customName)},
        {PrintOptions::printStyleKey, QString(), u"Hagaki"_s}};
    const auto defaults = freshDefaults();
    for (const auto &[key, before, after] : rows)
        defaults->setObject(before, key);
    // A view type whose columns are no list is not offered.
    EXPECT_FALSE(MainViewDefaults::readAndRepair(*defaults).viewTypeDict.contains(u"Bad"_s));
    for (const auto &[key, before, after] : rows)
        EXPECT_EQ(defaults->objectForKey(key), stored(after)) << qPrintable(key);

    const auto withoutItems = freshDefaults();
    withoutItems->setObject(
        defaultSortOptions({{u"Name"_s, QVariantMap{{u"selected"_s, u"LastName"_s}}}}), Keys::sortOptionsDictKey);
    (void)MainViewDefaults::readAndRepair(*withoutItems);
    EXPECT_EQ(withoutItems->objectForKey(Keys::sortOptionsDictKey), stored(defaultSortOptions()));
}

TEST(MainViewDefaults, AStoredFontIsRaisedTo7PointsAndAnUnknownOrOtherPlatformsNameGivesTheSystemFontOrNone)
{
    const QString gothic = u"IPAexGothic"_s;
    for (const auto &[name, size, family, points] :
        {std::tuple(gothic, QVariant(5), gothic, 7.0), std::tuple(gothic, QVariant(u"big"_s), gothic, 12.0),
            std::tuple(u".AppleSystemUIFont"_s, QVariant(30), QApplication::font().family(), 12.0),
            std::tuple(u"No Such Font Family"_s, QVariant(14), QString(), 0.0)}) {
        const auto defaults = freshDefaults();
        defaults->setObject(name, Keys::fontNameKey);
        defaults->setObject(size, Keys::fontSizeKey);
        const std::optional<QFont> font = MainViewDefaults::storedFont(*defaults, {});
        EXPECT_EQ(
            font ? std::pair(font->family(), font->pointSizeF()) : std::pair(QString(), 0.0), std::pair(family, points))
            << qPrintable(name);
    }
}

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
    controller.setDocumentName(u"Letters"_s);
    window->show();
    const QFont mincho(u"IPAexMincho"_s, 15);
    controller.setFont(mincho);
    controller.setFont(std::nullopt);
    EXPECT_EQ(controller.selectedFont(), mincho);

    const QVariantMap before = m_defaults->dictionaryRepresentation();
    window->close();
    QVariantMap added = m_defaults->dictionaryRepresentation();
    const QStringList kept = before.keys()
        << Keys::windowFramePrefix + u"Letters"_s << ContactsViewController::columnWidthDictionaryKey;
    for (const QString &key : kept)
        added.remove(key);
    EXPECT_EQ(
        added, (QVariantMap{{u"MVFontName Letters"_s, u"IPAexMincho"_s}, {u"MVFontSize Letters"_s, qlonglong(15)}}));
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
    const QRect saved(50, 60, 1000, 640);
    {
        const auto window = makeWindow();
        window->show();
        window->setGeometry(saved);
        window->close();
    }
    m_defaults->setObject(u"Address Detail"_s, Keys::selectedViewTypeKey);
    m_defaults->setObject(QVariantMap{{u"Name"_s, 90}}, u"MV1DcolumnWidthDictionary"_s);
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
    EXPECT_EQ(m_alerts.alerts.first().informativeText, u"Would you like to restore default preferences?"_s);
    EXPECT_FALSE(m_defaults->objectForKey(u"MV1DcolumnWidthDictionary"_s).isValid());
    EXPECT_FALSE(m_defaults->objectForKey(Keys::windowFramePrefix + u"AddressBook"_s).isValid());
    EXPECT_EQ(window->viewSettings()->selectedViewType(), u"Address"_s);
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
