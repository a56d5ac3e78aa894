#include "table/workspace/WorkspaceAction.h"
#include "table/workspace/WorkspaceUrls.h"

#include "common/OpenedUrls.h"

#include <QUrl>

#include <gtest/gtest.h>

namespace {

using WorkspaceAction::Kind;
using WorkspaceOpener::Outcome;

struct ActionRow {
    Kind kind;
    QString text;
    QString opened; // empty: nothing opened
};

class WorkspaceActions : public ::testing::TestWithParam<ActionRow> { };

TEST_P(WorkspaceActions, OpenTheBuiltAddressOrNothing)
{
    const ActionRow &row = GetParam();
    OpenedUrls desktop({"tel", "mailto", "http", "https", "maps", "ical"});
    const WorkspaceAction::Result result = WorkspaceAction::perform(row.kind, row.text);
    EXPECT_EQ(desktop.urls, row.opened.isEmpty() ? QStringList() : QStringList{row.opened});
    EXPECT_EQ(result.outcome, row.opened.isEmpty() ? Outcome::Invalid : Outcome::Opened);
}

INSTANTIATE_TEST_SUITE_P(Rows, WorkspaceActions,
    ::testing::Values(ActionRow{Kind::CallPhone, "(03) 1234-5678", "tel:031234-5678"},
        ActionRow{Kind::CallPhone, "+81-3-1234-5678", "tel:+81-3-1234-5678"},
        ActionRow{Kind::CallPhone, "12#3", "tel:12%233"}, ActionRow{Kind::CallPhone, "", ""},
        ActionRow{Kind::SendEmail, "a@b.jp", "mailto:a%40b.jp"},
        ActionRow{Kind::OpenURL, "HTTPS://A.example", "https://a.example"},
        ActionRow{Kind::OpenURL, "a.example", "http://a.example"}, ActionRow{Kind::OpenURL, "", ""},
        ActionRow{Kind::OpenMap, "1 Main St", "maps://?q=1%2BMain%2BSt"},
        ActionRow{Kind::OpenWebMap, "1 Main St", "https://www.google.com/maps/search/1%20Main%20St"},
        ActionRow{Kind::OpenMap, "", ""}, ActionRow{Kind::OpenCalendar, "", "ical://"}));

TEST(WorkspaceAction, MapsQueryNoApplicationTakesOpensTheWebMap)
{
    OpenedUrls desktop({"https"});
    const WorkspaceAction::Result result = WorkspaceAction::perform(Kind::OpenMap, QStringLiteral("東京 1"));
    EXPECT_EQ(result.outcome, Outcome::Opened);
    ASSERT_EQ(desktop.urls.size(), 1);
    EXPECT_EQ(result.url, WorkspaceUrls::webMapSearch(QStringLiteral("東京 1")));
    EXPECT_TRUE(desktop.urls.first().startsWith(WorkspaceUrls::webMapSearchEndpoint));
}

} // namespace
