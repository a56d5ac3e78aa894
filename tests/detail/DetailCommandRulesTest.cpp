// The rules behind a detail row's double click, its context menu, the
// addresses handed to other applications and a picked photo's size.

#include "detail/ContactInfoRowCommands.h"
#include "detail/DetailContextMenu.h"
#include "detail/DoubleClickDispatch.h"
#include "detail/PhotoFile.h"
#include "model/ContactIdentifier.h"
#include "table/workspace/WorkspaceUrls.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace Qt::Literals::StringLiterals;
using DoubleClickDispatch::Action;
using DoubleClickDispatch::Column;

namespace {

struct DispatchCase {
    const char *name;
    QString type;
    Column column;
    bool editState;
    bool command;
    bool textEmpty;
    bool labelEmpty;
    Action pane;
    Action popover;
};

class Dispatch : public testing::TestWithParam<DispatchCase> { };

TEST_P(Dispatch, GivesTheActionOfEachHost)
{
    const DispatchCase &c = GetParam();
    DoubleClickDispatch::Click click{c.type, c.column, c.editState, c.command, c.textEmpty, c.labelEmpty};
    click.host = DetailHost::Pane;
    EXPECT_EQ(DoubleClickDispatch::actionFor(click), c.pane) << "pane";
    click.host = DetailHost::Popover;
    EXPECT_EQ(DoubleClickDispatch::actionFor(click), c.popover) << "popover";
}

constexpr bool editing = true;
constexpr bool locked = false;

INSTANTIATE_TEST_SUITE_P(Rows, Dispatch,
    testing::Values(DispatchCase{"EmptyPhone", u"Phone"_s, Column::Value, editing, false, true, false,
                        Action::MultiValueEditor, Action::MultiValueEditor},
        DispatchCase{
            "PhoneNumber", u"Phone"_s, Column::Value, editing, false, false, false, Action::InPlace, Action::InPlace},
        DispatchCase{"PhoneWithoutLabel", u"Phone"_s, Column::Value, editing, false, false, true, Action::Nothing,
            Action::InPlace},
        DispatchCase{
            "LockedPhone", u"Phone"_s, Column::Value, locked, false, false, false, Action::Nothing, Action::Nothing},
        DispatchCase{"EmptyAddress", u"Address"_s, Column::Value, editing, false, true, false, Action::NewAddressEditor,
            Action::NewAddressEditor},
        DispatchCase{"Address", u"Address"_s, Column::Value, editing, false, false, false, Action::AddressEditor,
            Action::AddressEditor},
        DispatchCase{"LockedAddress", u"Address"_s, Column::Value, locked, false, false, false, Action::AddressEditor,
            Action::AddressEditor},
        DispatchCase{"LockedEmptyAddress", u"Address"_s, Column::Value, locked, false, true, false, Action::Nothing,
            Action::Nothing},
        DispatchCase{"CtrlAddressLocked", u"Address"_s, Column::Type, locked, true, false, false,
            Action::MultiValueEditor, Action::MultiValueEditor},
        DispatchCase{"CtrlAddressEditing", u"Address"_s, Column::Value, editing, true, false, false,
            Action::MultiValueEditor, Action::MultiValueEditor},
        DispatchCase{"LockedTypeCell", u"Address"_s, Column::Type, locked, false, false, false, Action::Nothing,
            Action::Nothing},
        DispatchCase{"UrlTypeCell", u"URL"_s, Column::Type, editing, false, false, false, Action::MultiValueEditor,
            Action::MultiValueEditor},
        DispatchCase{"EmptyBirthdayEditing", u"Birthday"_s, Column::Value, editing, false, true, true,
            Action::DateEditor, Action::DateEditor},
        DispatchCase{"EmptyBirthdayLocked", u"Birthday"_s, Column::Value, locked, false, true, true, Action::Nothing,
            Action::Nothing},
        DispatchCase{"JointNamesValue", u"Renmei"_s, Column::Value, editing, false, false, false,
            Action::JointNamesEditor, Action::JointNamesEditor},
        DispatchCase{"JointNamesType", u"Renmei"_s, Column::Type, editing, false, false, false, Action::Nothing,
            Action::Nothing},
        DispatchCase{"JointNamesLocked", u"Renmei"_s, Column::Value, locked, false, false, false, Action::Nothing,
            Action::Nothing},
        DispatchCase{"SocialProfile", u"Social Network"_s, Column::Value, editing, false, false, false,
            Action::SocialProfileEditor, Action::SocialProfileEditor},
        DispatchCase{"EmptyChat", u"Instant Message"_s, Column::Value, editing, false, true, false,
            Action::MultiValueEditor, Action::MultiValueEditor},
        DispatchCase{
            "CtrlCompany", u"Company"_s, Column::Value, editing, true, false, true, Action::InPlace, Action::InPlace},
        DispatchCase{"NameOrdering", u"Name Ordering"_s, Column::Value, editing, false, false, false, Action::Nothing,
            Action::Nothing},
        DispatchCase{"NameDisplay", u"Name Display"_s, Column::Value, editing, false, false, false, Action::Nothing,
            Action::Nothing},
        DispatchCase{"Photo", u"Photo"_s, Column::Value, editing, false, true, true, Action::Nothing, Action::Nothing},
        DispatchCase{
            "NamePart", u"Name"_s, Column::Value, editing, false, false, false, Action::InPlace, Action::InPlace}),
    [](const testing::TestParamInfo<DispatchCase> &info) { return info.param.name; });

// --- Menus ---------------------------------------------------------------------------

struct MenuCase {
    const char *name;
    QString type;
    bool present;
    DetailHost host;
    bool locked;
    QStringList items; // "-" a separator, "!" in front: disabled
};

class Menu : public testing::TestWithParam<MenuCase> { };

TEST_P(Menu, ListsTheItemsOfTheField)
{
    const MenuCase &c = GetParam();
    QStringList shown;
    for (const DetailContextMenu::Item &item : DetailContextMenu::itemsFor(c.type, c.present, c.host, c.locked))
        shown.append(item.key.isEmpty() ? u"-"_s : (item.enabled ? QString() : u"!"_s) + item.key);
    EXPECT_EQ(shown, c.items);
}

INSTANTIATE_TEST_SUITE_P(Rows, Menu,
    testing::Values(MenuCase{"Phone", u"Phone"_s, true, DetailHost::Pane, false,
                        {u"Call Phone"_s, u"Add/Delete Phone Item"_s, u"Delete Item"_s, u"Add Item"_s}},
        MenuCase{"EmptyPhone", u"Phone"_s, false, DetailHost::Pane, false,
            {u"!Call Phone"_s, u"Add/Delete Phone Item"_s, u"Add Item"_s}},
        MenuCase{"LockedPhone", u"Phone"_s, true, DetailHost::Pane, true,
            {u"Call Phone"_s, u"Add/Delete Phone Item"_s, u"!Delete Item"_s, u"!Add Item"_s}},
        MenuCase{"PopoverUrl", u"URL"_s, true, DetailHost::Popover, false,
            {u"Open URL"_s, u"Open URL Panel"_s, u"Delete Item"_s, u"Add Item"_s}},
        MenuCase{"PopoverRelationship", u"Relationship"_s, true, DetailHost::Popover, false,
            {u"Open Relationship Panel"_s, u"Delete Item"_s, u"Add Item"_s}},
        MenuCase{"PaneRelationship", u"Relationship"_s, false, DetailHost::Pane, false,
            {u"Open Relationship Panel"_s, u"Add/Delete Relationship Item"_s, u"Add Item"_s}},
        MenuCase{"Address", u"Address"_s, true, DetailHost::Pane, false,
            {u"Open Map"_s, u"Open Google Map"_s, u"Open Address Panel"_s, u"Add/Delete Address Item"_s,
                u"Delete Item"_s, u"Add Item"_s}},
        MenuCase{"EmptyAddress", u"Address"_s, false, DetailHost::Popover, false,
            {u"!Open Map"_s, u"!Open Google Map"_s, u"!Open Address Panel"_s, u"Add/Delete Address Item"_s,
                u"Add Item"_s}},
        MenuCase{"EmptyDatesPane", u"Dates"_s, false, DetailHost::Pane, false,
            {u"!Open Calendar"_s, u"Add/Delete Date Item"_s}},
        MenuCase{"EmptyDatesPopover", u"Dates"_s, false, DetailHost::Popover, false,
            {u"!Open Calendar"_s, u"Open Dates Panel"_s}},
        MenuCase{"Birthday", u"Birthday"_s, true, DetailHost::Pane, false,
            {u"Open Calendar"_s, u"Open Birthday Panel"_s, u"-"_s, u"Delete Item"_s}},
        MenuCase{"Photo", u"Photo"_s, true, DetailHost::Pane, false,
            {u"Icon Size Bigger"_s, u"Icon Size Smaller"_s, u"-"_s, u"Replace Image"_s, u"Delete Image"_s}},
        MenuCase{"LockedPhoto", u"Photo"_s, true, DetailHost::Popover, true,
            {u"Icon Size Bigger"_s, u"Icon Size Smaller"_s, u"-"_s, u"!Replace Image"_s, u"!Delete Image"_s}},
        MenuCase{"NoPhoto", u"Photo"_s, false, DetailHost::Pane, false, {u"Add Image"_s}},
        MenuCase{"Name", u"Name"_s, true, DetailHost::Pane, false, {}},
        MenuCase{"Company", u"Company"_s, true, DetailHost::Popover, false, {}},
        MenuCase{"MergePhone", u"Phone"_s, true, DetailHost::Merge, false,
            {u"Call Phone"_s, u"Open Phone Panel"_s, u"Add Item"_s, u"Delete Item"_s}},
        MenuCase{"MergeFillerEmail", u"Email"_s, false, DetailHost::Merge, false,
            {u"!Send Email"_s, u"Open Email Panel"_s, u"Add Item"_s}},
        MenuCase{"MergeLockedUrl", u"URL"_s, true, DetailHost::Merge, true,
            {u"Open URL"_s, u"Open URL Panel"_s, u"!Add Item"_s, u"!Delete Item"_s}},
        MenuCase{"MergeRelationship", u"Relationship"_s, true, DetailHost::Merge, false,
            {u"Open Relationship Panel"_s, u"Add/Delete Relationship Item"_s, u"Add Item"_s, u"Delete Item"_s}},
        MenuCase{"MergeEmptyAddress", u"Address"_s, false, DetailHost::Merge, false,
            {u"!Open Map"_s, u"!Open Google Map"_s, u"!Open Address Panel"_s, u"Add/Delete Address Item"_s,
                u"Add Item"_s}},
        MenuCase{"MergeChat", u"Instant Message"_s, true, DetailHost::Merge, false,
            {u"Open IMS Panel"_s, u"Add/Delete IMS Item"_s, u"Add Item"_s, u"Delete Item"_s}},
        MenuCase{"MergeDates", u"Dates"_s, true, DetailHost::Merge, false,
            {u"Open Calendar"_s, u"Open Dates Panel"_s, u"Delete Item"_s}},
        MenuCase{"MergeEmptyDates", u"Dates"_s, false, DetailHost::Merge, false,
            {u"!Open Calendar"_s, u"Open Dates Panel"_s}},
        MenuCase{"MergeBirthday", u"Birthday"_s, true, DetailHost::Merge, false,
            {u"Open Calendar"_s, u"Open Birthday Panel"_s, u"-"_s, u"Delete Item"_s}},
        MenuCase{"MergePhoto", u"Photo"_s, true, DetailHost::Merge, false, {u"Replace Image"_s, u"Delete Image"_s}},
        MenuCase{"MergeLockedNoPhoto", u"Photo"_s, false, DetailHost::Merge, true, {u"!Add Image"_s}},
        MenuCase{"MergeName", u"Name"_s, true, DetailHost::Merge, false, {}}),
    [](const testing::TestParamInfo<MenuCase> &info) { return info.param.name; });

// --- Addresses handed to other applications --------------------------------------------

struct UrlCase {
    const char *name;
    QString (*builder)(const QString &);
    QString text;
    QString url; // empty: nothing opens
};

class Urls : public testing::TestWithParam<UrlCase> { };

TEST_P(Urls, AreBuiltFromTheValue)
{
    EXPECT_EQ(GetParam().builder(GetParam().text), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(Rows, Urls,
    testing::Values(UrlCase{"PhoneInParentheses", WorkspaceUrls::phone, u"(03) 1234 5678"_s, u"tel:0312345678"_s},
        UrlCase{"PhonePlusAndHyphens", WorkspaceUrls::phone, u"+81-3-1234-5678"_s, u"tel:+81-3-1234-5678"_s},
        UrlCase{"PhoneDigitsOnly", WorkspaceUrls::phone, u"12345678"_s, u"tel:12345678"_s},
        UrlCase{"PhoneHostile", WorkspaceUrls::phone, u"$(reboot)"_s, u"tel:%24reboot"_s},
        UrlCase{"PhoneWideDigits", WorkspaceUrls::phone, u"０３#1"_s, u"tel:%EF%BC%90%EF%BC%93%231"_s},
        UrlCase{"PhoneEmpty", WorkspaceUrls::phone, u"( )"_s, QString()},
        UrlCase{"Mail", WorkspaceUrls::mail, u"taro.y@example.com"_s, u"mailto:taro%2Ey%40example%2Ecom"_s},
        UrlCase{"MailHostile", WorkspaceUrls::mail, u"a@b?cc=x&body=y"_s, u"mailto:a%40b%3Fcc%3Dx%26body%3Dy"_s},
        UrlCase{"MailLineBreak", WorkspaceUrls::mail, u"a\nb"_s, u"mailto:a%0Ab"_s},
        UrlCase{"WebWithoutScheme", WorkspaceUrls::web, u"example.com/a"_s, u"http://example.com/a"_s},
        UrlCase{"WebHttps", WorkspaceUrls::web, u"https://example.com"_s, u"https://example.com"_s},
        UrlCase{"WebCapitals", WorkspaceUrls::web, u"HTTP://example.com"_s, u"HTTP://example.com"_s},
        // Another scheme never opens: the text goes behind "http://".
        UrlCase{"WebSchemeInside", WorkspaceUrls::web, u"xhttp://example.com"_s, u"http://xhttp://example.com"_s},
        UrlCase{"WebOtherScheme", WorkspaceUrls::web, u"ftp://example.com/x"_s, u"http://ftp://example.com/x"_s},
        UrlCase{"WebShort", WorkspaceUrls::web, u"ab.jp"_s, u"http://ab.jp"_s},
        UrlCase{"WebScript", WorkspaceUrls::web, u"javascript:x"_s, QString()},
        UrlCase{"WebSpaces", WorkspaceUrls::web, u"example.com/a b"_s, QString()},
        UrlCase{"WebLineBreak", WorkspaceUrls::web, u"example.com\nx"_s, QString()},
        UrlCase{"WebEmpty", WorkspaceUrls::web, QString(), QString()},
        UrlCase{"Maps", WorkspaceUrls::maps, u"1 Main St"_s, u"maps://?q=1%2BMain%2BSt"_s},
        UrlCase{"MapsJapanese", WorkspaceUrls::maps, u"東京都 千代田区"_s, u"maps://?q=東京都%2B千代田区"_s},
        UrlCase{"WebMap", WorkspaceUrls::webMapSearch, u"1 Main St"_s,
            WorkspaceUrls::webMapSearchEndpoint + u"1%20Main%20St"_s}),
    [](const testing::TestParamInfo<UrlCase> &info) { return info.param.name; });

TEST(Urls, WebMapSearchEndsInItsSearchPath)
{
    EXPECT_TRUE(WorkspaceUrls::webMapSearchEndpoint.endsWith(u"/maps/search/"_s));
    EXPECT_EQ(WorkspaceUrls::calendar(), u"ical://"_s);
}

// --- A picked photo's size ---------------------------------------------------------------

TEST(PickedPhoto, KeepsItsAspectWithinFiveHundredTwelvePixels)
{
    const struct {
        QSize picked;
        QSize kept;
    } cases[] = {{{2048, 1024}, {512, 256}}, {{600, 1200}, {256, 512}}, {{700, 700}, {512, 512}},
        {{512, 300}, {512, 300}}, {{4000, 3000}, {512, 384}}, {{5000, 3}, {512, 1}}};
    for (const auto &c : cases) {
        QImage image(c.picked, QImage::Format_RGB32);
        image.fill(Qt::blue);
        EXPECT_EQ(PhotoFile::scaledForContact(image).size(), c.kept) << c.picked.width();
    }
    EXPECT_TRUE(PhotoFile::scaledForContact(QImage()).isNull());
}

} // namespace
