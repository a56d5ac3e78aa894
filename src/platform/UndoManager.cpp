#include "platform/UndoManager.h"

UndoManager::UndoManager(QObject *parent)
    : QObject(parent)
{
}

UndoManager::~UndoManager() = default;

void UndoManager::registerUndo(const void *target, Action inverse)
{
    if (!inverse) {
        qWarning("%s: ERROR no inverse to register", Q_FUNC_INFO);
        return;
    }
    if (m_groupingLevel == 0) {
        beginUndoGrouping();
        m_implicitGroupOpen = true;
        scheduleImplicitClose();
    }
    m_building.registrations.push_back({target, std::move(inverse)});
    if (m_state == State::Idle && !m_redoStack.empty()) {
        m_redoStack.clear();
        Q_EMIT stacksChanged();
    }
}

void UndoManager::beginUndoGrouping()
{
    if (m_groupingLevel == 0)
        m_building = Group();
    ++m_groupingLevel;
}

void UndoManager::endUndoGrouping()
{
    if (m_groupingLevel == 0) {
        qWarning("%s: ERROR no open undo group to end", Q_FUNC_INFO);
        return;
    }
    if (--m_groupingLevel > 0)
        return;
    m_implicitGroupOpen = false;
    // Undo and redo announce their own change once they are done.
    if (closeOutermostGroup() && m_state == State::Idle)
        Q_EMIT stacksChanged();
}

bool UndoManager::closeOutermostGroup()
{
    Group group = std::exchange(m_building, Group());
    if (group.registrations.empty())
        return false;
    (m_state == State::Undoing ? m_redoStack : m_undoStack).push_back(std::move(group));
    return true;
}

void UndoManager::scheduleImplicitClose()
{
    if (m_implicitCloseScheduled)
        return;
    m_implicitCloseScheduled = true;
    QMetaObject::invokeMethod(this, &UndoManager::closeImplicitGroupOnNextTurn, Qt::QueuedConnection);
}

void UndoManager::closeImplicitGroupOnNextTurn()
{
    m_implicitCloseScheduled = false;
    if (!m_implicitGroupOpen)
        return;
    // An explicit group opened inside the implicit one may stay open across a
    // nested event loop (a confirmation sheet); close both once it has ended.
    if (m_groupingLevel > 1) {
        scheduleImplicitClose();
        return;
    }
    endUndoGrouping();
}

void UndoManager::closeImplicitGroupNow()
{
    if (m_implicitGroupOpen && m_groupingLevel == 1)
        endUndoGrouping();
}

void UndoManager::undo()
{
    if (replayLastGroup(State::Undoing))
        Q_EMIT didUndo();
}

void UndoManager::redo()
{
    if (replayLastGroup(State::Redoing))
        Q_EMIT didRedo();
}

bool UndoManager::replayLastGroup(State state)
{
    const char *step = state == State::Undoing ? "undo" : "redo";
    if (m_state != State::Idle) {
        qWarning("%s: ERROR %s while undoing or redoing", Q_FUNC_INFO, step);
        return false;
    }
    closeImplicitGroupNow();
    if (m_groupingLevel > 0) {
        qWarning("%s: ERROR %s inside an open undo group", Q_FUNC_INFO, step);
        return false;
    }
    std::vector<Group> &from = state == State::Undoing ? m_undoStack : m_redoStack;
    if (from.empty())
        return false;
    replay(state, from);
    return true;
}

// Runs the last group of a stack newest first; what the inverses register
// forms one group under the same name on the other stack.
void UndoManager::replay(State state, std::vector<Group> &from)
{
    Group group = std::move(from.back());
    from.pop_back();
    m_state = state;
    beginUndoGrouping();
    m_building.actionName = group.actionName;
    for (auto it = group.registrations.rbegin(); it != group.registrations.rend(); ++it)
        it->inverse();
    if (m_groupingLevel != 1)
        qWarning("%s: ERROR an inverse left %d undo groups open", Q_FUNC_INFO, m_groupingLevel - 1);
    m_groupingLevel = 1;
    endUndoGrouping();
    m_state = State::Idle;
    Q_EMIT stacksChanged();
}

bool UndoManager::buildingGroupHasRegistrations(bool forRedo) const
{
    return m_groupingLevel > 0 && (m_state == State::Undoing) == forRedo && !m_building.registrations.empty();
}

bool UndoManager::canUndo() const
{
    return !m_undoStack.empty() || buildingGroupHasRegistrations(false);
}

bool UndoManager::canRedo() const
{
    return !m_redoStack.empty() || buildingGroupHasRegistrations(true);
}

void UndoManager::setActionName(const QString &name)
{
    if (m_groupingLevel > 0) {
        m_building.actionName = name;
    } else if (!m_undoStack.empty()) {
        m_undoStack.back().actionName = name;
        Q_EMIT stacksChanged();
    }
}

QString UndoManager::undoActionName() const
{
    if (buildingGroupHasRegistrations(false))
        return m_building.actionName;
    return m_undoStack.empty() ? QString() : m_undoStack.back().actionName;
}

QString UndoManager::redoActionName() const
{
    if (buildingGroupHasRegistrations(true))
        return m_building.actionName;
    return m_redoStack.empty() ? QString() : m_redoStack.back().actionName;
}

void UndoManager::removeAllActions()
{
    // Open groups stay open so that their callers' endUndoGrouping() still
    // balances; they just lose what they held.
    m_building.registrations.clear();
    m_undoStack.clear();
    m_redoStack.clear();
    Q_EMIT stacksChanged();
}

void UndoManager::removeAllActionsWithTarget(const void *target)
{
    const auto fromTarget = [target](const Registration &registration) { return registration.target == target; };
    const auto emptyGroup = [](const Group &group) { return group.registrations.empty(); };
    std::erase_if(m_building.registrations, fromTarget);
    for (std::vector<Group> *stack : {&m_undoStack, &m_redoStack}) {
        for (Group &group : *stack)
            std::erase_if(group.registrations, fromTarget);
        std::erase_if(*stack, emptyGroup);
    }
    Q_EMIT stacksChanged();
}
