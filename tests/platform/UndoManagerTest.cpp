#include "platform/UndoManager.h"

#include "common/EventLoop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QStringList>

namespace {

// A field whose setter registers its inverse with the old value, as every
// undoable operation of the application does.
struct Field {
    void setValue(int newValue)
    {
        manager.registerUndo(this, &Field::setValue, value);
        value = newValue;
    }

    UndoManager &manager;
    int value = 0;
};

// Sets the values of each inner list in one event-loop turn.
void setInTurns(Field &field, std::initializer_list<std::initializer_list<int>> turns)
{
    for (const auto &turn : turns) {
        for (int value : turn)
            field.setValue(value);
        endTurn();
    }
}

} // namespace

// A manager and a field that registers with it.
class UndoManagerTest : public testing::Test {
protected:
    UndoManager manager;
    Field field{manager};
};

TEST_F(UndoManagerTest, UndoFirstClosesTheGroupOfTheRunningTurn)
{
    field.setValue(1);
    field.setValue(2);
    EXPECT_EQ(manager.groupingLevel(), 1);

    manager.undo();
    EXPECT_EQ(field.value, 0);
    EXPECT_EQ(manager.groupingLevel(), 0);
    manager.redo();
    EXPECT_EQ(field.value, 2);
    endTurn();
    EXPECT_TRUE(manager.canUndo());
    EXPECT_FALSE(manager.canRedo());
}

TEST_F(UndoManagerTest, OnlyTheOutermostExplicitGroupIsOneStepAcrossTurns)
{
    setInTurns(field, {{1}});

    manager.beginUndoGrouping();
    field.setValue(2);
    manager.beginUndoGrouping();
    field.setValue(3);
    manager.endUndoGrouping();
    EXPECT_EQ(manager.groupingLevel(), 1);
    endTurn();
    field.setValue(4);
    endTurn();
    manager.endUndoGrouping();
    EXPECT_EQ(manager.groupingLevel(), 0);
    // An empty group leaves no step.
    manager.beginUndoGrouping();
    manager.beginUndoGrouping();
    manager.endUndoGrouping();
    manager.endUndoGrouping();

    manager.undo();
    EXPECT_EQ(field.value, 1);
    manager.undo();
    EXPECT_EQ(field.value, 0);
}

TEST_F(UndoManagerTest, TurnGroupWaitsForAnExplicitGroupOpenedInsideIt)
{
    field.setValue(1);
    manager.beginUndoGrouping();
    field.setValue(2);
    // A confirmation sheet runs the event loop while the group is open.
    endTurn();
    endTurn();
    EXPECT_EQ(manager.groupingLevel(), 2);
    // Undo is refused while an explicit group is open.
    manager.undo();
    EXPECT_EQ(field.value, 2);
    field.setValue(3);
    manager.endUndoGrouping();
    endTurn();
    EXPECT_EQ(manager.groupingLevel(), 0);

    manager.undo();
    EXPECT_EQ(field.value, 0);
    EXPECT_FALSE(manager.canUndo());
}

// Registrations of one turn undo as one step, in reverse order (forward order
// would leave 2 for 1); their inverses become redo and back, cycle after cycle.
TEST_F(UndoManagerTest, InversesRegisteredWhileUndoingBecomeRedoAndBackOverSeveralCycles)
{
    setInTurns(field, {{1}, {2, 3}});
    for (int cycle = 0; cycle < 4; ++cycle) {
        SCOPED_TRACE(cycle);
        manager.undo();
        EXPECT_EQ(field.value, 1);
        manager.undo();
        EXPECT_EQ(field.value, 0);
        EXPECT_FALSE(manager.canUndo());
        manager.redo();
        EXPECT_EQ(field.value, 1);
        manager.redo();
        EXPECT_EQ(field.value, 3);
        EXPECT_FALSE(manager.canRedo());
    }
}

TEST_F(UndoManagerTest, StateFlagsAreSetWhileTheInversesRun)
{
    QStringList seen;
    const auto record
        = [&]() { seen.append(QStringLiteral("%1%2").arg(manager.isUndoing()).arg(manager.isRedoing())); };
    manager.registerUndo(&seen, [&]() {
        record();
        manager.registerUndo(&seen, record);
    });
    manager.undo();
    manager.redo();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("10"), QStringLiteral("01")}));
    EXPECT_FALSE(manager.isUndoing());
    EXPECT_FALSE(manager.isRedoing());
}

// A new registration outside undo clears redo, made in the same turn as the
// undo, in the next, or inside an explicit group.
TEST(UndoManagerRedoCleared, ByANewRegistrationOutsideUndo)
{
    for (int variant = 0; variant < 3; ++variant) {
        SCOPED_TRACE(variant);
        UndoManager manager;
        Field field{manager};
        setInTurns(field, {{1}, {2}});
        manager.undo();
        ASSERT_TRUE(manager.canRedo());
        if (variant == 1)
            endTurn();
        if (variant == 2)
            manager.beginUndoGrouping();
        field.setValue(7);
        EXPECT_FALSE(manager.canRedo());
        if (variant == 2)
            manager.endUndoGrouping();
        manager.redo();
        EXPECT_EQ(field.value, 7);
        manager.undo();
        EXPECT_EQ(field.value, 1);
    }
}

TEST_F(UndoManagerTest, RemoveAllActionsEmptiesBothStacksAndTheOpenGroup)
{
    setInTurns(field, {{1}, {2}});
    manager.undo();
    manager.beginUndoGrouping();
    field.setValue(3);

    manager.removeAllActions();
    EXPECT_FALSE(manager.canUndo() || manager.canRedo());
    // The caller's group stays balanced.
    EXPECT_EQ(manager.groupingLevel(), 1);
    manager.endUndoGrouping();
    manager.undo();
    EXPECT_EQ(field.value, 3);
    EXPECT_FALSE(manager.canUndo());
}

TEST_F(UndoManagerTest, RemoveAllActionsWithTargetKeepsTheOthersAndDropsEmptiedSteps)
{
    Field &kept = field;
    Field removed{manager};
    kept.setValue(1);
    removed.setValue(1);
    endTurn();
    removed.setValue(2);
    endTurn();

    manager.removeAllActionsWithTarget(&removed);
    ASSERT_TRUE(manager.canUndo());
    manager.undo();
    EXPECT_EQ(kept.value, 0);
    EXPECT_EQ(removed.value, 2);
    EXPECT_FALSE(manager.canUndo());
}

TEST_F(UndoManagerTest, ActionNameTravelsWithItsStepThroughUndoAndRedo)
{
    const auto names = [&]() -> QString { return manager.undoActionName() + u'|' + manager.redoActionName(); };
    field.setValue(1);
    manager.setActionName(QStringLiteral("Typing"));
    EXPECT_EQ(names(), QStringLiteral("Typing|"));
    endTurn();
    manager.beginUndoGrouping();
    field.setValue(2);
    manager.beginUndoGrouping();
    manager.setActionName(QStringLiteral("Replace All"));
    field.setValue(3);
    manager.endUndoGrouping();
    manager.endUndoGrouping();
    QStringList seen{names()};
    manager.undo();
    seen.append(names());
    manager.undo();
    seen.append(names());
    manager.redo();
    manager.redo();
    seen.append(names());
    EXPECT_EQ(seen, QStringList({"Replace All|", "Typing|Replace All", "|Typing", "Replace All|"}));
}

TEST_F(UndoManagerTest, AnnounceUndoAfterTheInverseRanAndStackChangesAtTheEndOfTheTurn)
{
    QList<int> valuesAtDidUndo;
    QObject::connect(&manager, &UndoManager::didUndo, [&]() { valuesAtDidUndo.append(field.value); });
    QSignalSpy stacksChanged(&manager, &UndoManager::stacksChanged);

    field.setValue(1);
    field.setValue(2);
    EXPECT_EQ(stacksChanged.count(), 0);
    endTurn();
    EXPECT_EQ(stacksChanged.count(), 1);
    manager.undo();
    EXPECT_EQ(valuesAtDidUndo, QList<int>{0});
    EXPECT_EQ(stacksChanged.count(), 2);
}
