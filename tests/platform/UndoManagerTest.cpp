#include "platform/UndoManager.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QStringList>

namespace {

// A field whose setter registers its inverse with the old value, as every
// undoable operation of the application does.
class Field {
public:
    explicit Field(UndoManager &manager)
        : m_manager(manager)
    {
    }

    void setValue(int value)
    {
        m_manager.registerUndo(this, &Field::setValue, m_value);
        m_value = value;
    }

    [[nodiscard]] int value() const { return m_value; }

private:
    UndoManager &m_manager;
    int m_value = 0;
};

// Lets the event loop run once, which ends the turn's implicit group.
void passTurn()
{
    QCoreApplication::processEvents();
}

// Sets the values of each inner list in one event-loop turn.
void setInTurns(Field &field, std::initializer_list<std::initializer_list<int>> turns)
{
    for (const auto &turn : turns) {
        for (int value : turn)
            field.setValue(value);
        passTurn();
    }
}

} // namespace

TEST(UndoManagerGrouping, RegistrationsOfOneTurnUndoAsOneStepInReverseOrder)
{
    UndoManager manager;
    Field field(manager);
    setInTurns(field, {{1, 2}, {3}});

    manager.undo();
    EXPECT_EQ(field.value(), 2);
    manager.undo();
    // Forward order would have left 1.
    EXPECT_EQ(field.value(), 0);
    EXPECT_FALSE(manager.canUndo());
}

TEST(UndoManagerGrouping, UndoFirstClosesTheGroupOfTheRunningTurn)
{
    UndoManager manager;
    Field field(manager);
    field.setValue(1);
    field.setValue(2);
    EXPECT_EQ(manager.groupingLevel(), 1);

    manager.undo();
    EXPECT_EQ(field.value(), 0);
    EXPECT_EQ(manager.groupingLevel(), 0);
    manager.redo();
    EXPECT_EQ(field.value(), 2);
    passTurn();
    EXPECT_TRUE(manager.canUndo());
    EXPECT_FALSE(manager.canRedo());
}

TEST(UndoManagerGrouping, OnlyTheOutermostExplicitGroupIsOneStepAcrossTurns)
{
    UndoManager manager;
    Field field(manager);
    setInTurns(field, {{1}});

    manager.beginUndoGrouping();
    field.setValue(2);
    manager.beginUndoGrouping();
    field.setValue(3);
    manager.endUndoGrouping();
    EXPECT_EQ(manager.groupingLevel(), 1);
    passTurn();
    field.setValue(4);
    passTurn();
    manager.endUndoGrouping();
    EXPECT_EQ(manager.groupingLevel(), 0);
    // An empty group leaves no step.
    manager.beginUndoGrouping();
    manager.beginUndoGrouping();
    manager.endUndoGrouping();
    manager.endUndoGrouping();

    manager.undo();
    EXPECT_EQ(field.value(), 1);
    manager.undo();
    EXPECT_EQ(field.value(), 0);
}

TEST(UndoManagerGrouping, TurnGroupWaitsForAnExplicitGroupOpenedInsideIt)
{
    UndoManager manager;
    Field field(manager);
    field.setValue(1);
    manager.beginUndoGrouping();
    field.setValue(2);
    // A confirmation sheet runs the event loop while the group is open.
    passTurn();
    passTurn();
    EXPECT_EQ(manager.groupingLevel(), 2);
    // Undo is refused while an explicit group is open.
    manager.undo();
    EXPECT_EQ(field.value(), 2);
    field.setValue(3);
    manager.endUndoGrouping();
    passTurn();
    EXPECT_EQ(manager.groupingLevel(), 0);

    manager.undo();
    EXPECT_EQ(field.value(), 0);
    EXPECT_FALSE(manager.canUndo());
}

TEST(UndoManagerRedo, InversesRegisteredWhileUndoingBecomeRedoAndBackOverSeveralCycles)
{
    UndoManager manager;
    Field field(manager);
    setInTurns(field, {{1}, {2, 3}});
    for (int cycle = 0; cycle < 4; ++cycle) {
        SCOPED_TRACE(cycle);
        manager.undo();
        EXPECT_EQ(field.value(), 1);
        manager.undo();
        EXPECT_EQ(field.value(), 0);
        EXPECT_FALSE(manager.canUndo());
        manager.redo();
        EXPECT_EQ(field.value(), 1);
        manager.redo();
        EXPECT_EQ(field.value(), 3);
        EXPECT_FALSE(manager.canRedo());
    }
}

TEST(UndoManagerRedo, StateFlagsAreSetWhileTheInversesRun)
{
    UndoManager manager;
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

// How the new registration after an undo is made.
enum class NewRegistration { SameTurn, NextTurn, InsideExplicitGroup };

class UndoManagerRedoCleared : public testing::TestWithParam<NewRegistration> { };

TEST_P(UndoManagerRedoCleared, ByANewRegistrationOutsideUndo)
{
    UndoManager manager;
    Field field(manager);
    setInTurns(field, {{1}, {2}});
    manager.undo();
    ASSERT_TRUE(manager.canRedo());

    if (GetParam() == NewRegistration::NextTurn)
        passTurn();
    if (GetParam() == NewRegistration::InsideExplicitGroup)
        manager.beginUndoGrouping();
    field.setValue(7);
    EXPECT_FALSE(manager.canRedo());
    if (GetParam() == NewRegistration::InsideExplicitGroup)
        manager.endUndoGrouping();

    manager.redo();
    EXPECT_EQ(field.value(), 7);
    manager.undo();
    EXPECT_EQ(field.value(), 1);
}

INSTANTIATE_TEST_SUITE_P(Variants, UndoManagerRedoCleared,
    testing::Values(NewRegistration::SameTurn, NewRegistration::NextTurn, NewRegistration::InsideExplicitGroup));

TEST(UndoManagerRemoval, RemoveAllActionsEmptiesBothStacksAndTheOpenGroup)
{
    UndoManager manager;
    Field field(manager);
    setInTurns(field, {{1}, {2}});
    manager.undo();
    manager.beginUndoGrouping();
    field.setValue(3);

    manager.removeAllActions();
    EXPECT_FALSE(manager.canUndo());
    EXPECT_FALSE(manager.canRedo());
    // The caller's group stays balanced.
    EXPECT_EQ(manager.groupingLevel(), 1);
    manager.endUndoGrouping();
    manager.undo();
    manager.redo();
    EXPECT_EQ(field.value(), 3);
    EXPECT_FALSE(manager.canUndo());
}

TEST(UndoManagerRemoval, RemoveAllActionsWithTargetKeepsTheOthersAndDropsEmptiedSteps)
{
    UndoManager manager;
    Field kept(manager);
    Field removed(manager);
    kept.setValue(1);
    removed.setValue(1);
    passTurn();
    removed.setValue(2);
    passTurn();

    manager.removeAllActionsWithTarget(&removed);
    ASSERT_TRUE(manager.canUndo());
    manager.undo();
    EXPECT_EQ(kept.value(), 0);
    EXPECT_EQ(removed.value(), 2);
    EXPECT_FALSE(manager.canUndo());
}

TEST(UndoManagerActionNames, NameTravelsWithItsStepThroughUndoAndRedo)
{
    UndoManager manager;
    Field field(manager);
    field.setValue(1);
    manager.setActionName(QStringLiteral("Typing"));
    EXPECT_EQ(manager.undoActionName(), QStringLiteral("Typing"));
    passTurn();
    manager.beginUndoGrouping();
    field.setValue(2);
    manager.beginUndoGrouping();
    manager.setActionName(QStringLiteral("Replace All"));
    field.setValue(3);
    manager.endUndoGrouping();
    manager.endUndoGrouping();

    EXPECT_EQ(manager.undoActionName(), QStringLiteral("Replace All"));
    manager.undo();
    EXPECT_EQ(manager.undoActionName(), QStringLiteral("Typing"));
    EXPECT_EQ(manager.redoActionName(), QStringLiteral("Replace All"));
    manager.undo();
    EXPECT_EQ(manager.undoActionName(), QString());
    EXPECT_EQ(manager.redoActionName(), QStringLiteral("Typing"));
    manager.redo();
    manager.redo();
    EXPECT_EQ(manager.undoActionName(), QStringLiteral("Replace All"));
    EXPECT_EQ(manager.redoActionName(), QString());
}

TEST(UndoManagerSignals, AnnounceUndoAfterTheInverseRanAndStackChangesAtTheEndOfTheTurn)
{
    UndoManager manager;
    Field field(manager);
    QList<int> valuesAtDidUndo;
    QObject::connect(&manager, &UndoManager::didUndo, [&]() { valuesAtDidUndo.append(field.value()); });
    QSignalSpy stacksChanged(&manager, &UndoManager::stacksChanged);

    field.setValue(1);
    field.setValue(2);
    EXPECT_EQ(stacksChanged.count(), 0);
    passTurn();
    EXPECT_EQ(stacksChanged.count(), 1);
    manager.undo();
    EXPECT_EQ(valuesAtDidUndo, QList<int>{0});
    EXPECT_EQ(stacksChanged.count(), 2);
}
