#include "app/WindowController.h"

#include <gtest/gtest.h>

#include <QSplitter>

TEST(WindowController, ShowsThreePanesUnderTheTitleQuillmark)
{
    WindowController window;
    window.show();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Quillmark"));
    ASSERT_EQ(window.splitView()->count(), 3);
    EXPECT_EQ(window.splitView()->widget(0)->objectName(), QStringLiteral("previewPane"));
    EXPECT_EQ(window.splitView()->widget(1)->objectName(), QStringLiteral("contactTablePane"));
    EXPECT_EQ(window.splitView()->widget(2)->objectName(), QStringLiteral("detailPane"));
}
