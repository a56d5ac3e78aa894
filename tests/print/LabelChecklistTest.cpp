#include "print/LabelChecklist.h"

#include "common/Screenshot.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Opens the menu and clicks the entry, as a user picks it.
void pick(LabelChecklist &checklist, const QString &title)
{
    QMenu *menu = checklist.checklistMenu();
    menu->popup(checklist.mapToGlobal(QPoint(0, checklist.height())));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (QAction *action : menu->actions()) {
        if (action->text() == title) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return;
        }
    }
    FAIL() << "no entry " << title.toStdString();
}

QStringList marked(const LabelChecklist &checklist)
{
    QStringList result;
    for (QAction *action : checklist.checklistMenu()->actions()) {
        if (action->isChecked())
            result << action->text();
    }
    return result;
}

TEST(LabelChecklist, PicksFollowTheToggleRules)
{
    LabelChecklist checklist;
    checklist.show();
    QSignalSpy stored(&checklist, &LabelChecklist::selectionChanged);
    // Entry picked, then the selection stored and the marks shown.
    struct Row {
        QString pick;
        QStringList selection;
        QStringList marks;
    };
    for (const Row &row :
        {Row{u"home"_s, {u"home"_s}, {u"home"_s}}, Row{u"work"_s, {u"home"_s, u"work"_s}, {u"home"_s, u"work"_s}},
            Row{u"home"_s, {u"work"_s}, {u"work"_s}}, Row{u"work"_s, {u"All"_s}, {u"All"_s}},
            Row{u"All"_s, {u"All"_s}, {u"All"_s}}, Row{u"other"_s, {u"other"_s}, {u"other"_s}},
            Row{u"All"_s, {u"All"_s}, {u"All"_s}}, Row{u"Label"_s, {u"All"_s}, {u"All"_s}}}) {
        const qsizetype before = stored.count();
        pick(checklist, row.pick);
        EXPECT_EQ(checklist.selection(), row.selection) << row.pick.toStdString();
        EXPECT_EQ(marked(checklist), row.marks) << row.pick.toStdString();
        if (row.pick != u"Label"_s) {
            ASSERT_EQ(stored.count(), before + 1);
            EXPECT_EQ(stored.last().first().toStringList(), row.selection);
        } else {
            EXPECT_EQ(stored.count(), before);
        }
    }
}

TEST(LabelChecklist, ShowsTheStoredSelection)
{
    LabelChecklist checklist;
    const QStringList titles = LabelChecklist::labelTitles();
    EXPECT_EQ(titles.mid(0, 4), QStringList({u"All"_s, u"home"_s, u"work"_s, u"other"_s}));
    QStringList unique = titles;
    EXPECT_EQ(unique.removeDuplicates(), 0);
    for (const auto &[stored, marks] :
        {std::pair{QStringList{u"All"_s}, QStringList{u"All"_s}}, {QStringList{}, QStringList{u"All"_s}},
            {QStringList{u"work"_s, u"home"_s}, QStringList{u"home"_s, u"work"_s}},
            {QStringList{u"Gone"_s}, QStringList{u"Gone"_s}}}) {
        checklist.fill(titles, stored);
        EXPECT_EQ(marked(checklist), marks);
    }
    checklist.show();
    checklist.checklistMenu()->popup(checklist.mapToGlobal(QPoint(0, checklist.height())));
    Screenshot::grab(checklist.checklistMenu());
    checklist.checklistMenu()->close();
}

} // namespace
