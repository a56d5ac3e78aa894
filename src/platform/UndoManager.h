#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

// The undo model every window and sheet uses: an operation registers its own
// inverse (a target and a callable holding the old value) before it changes
// anything. Undo runs the inverses of the last group, newest first, and what
// they register while undoing becomes the redo group; redo does the same the
// other way round. Registrations outside undo and redo clear the redo stack.
//
// Groups: beginUndoGrouping()/endUndoGrouping() nest, and only the outermost
// group is one step. Without an explicit group, every registration of one
// event-loop turn forms one group: it is opened at the first registration and
// closed on the next turn, or first thing in undo() and redo(). A group that
// closes empty is dropped, so every undo step changes something.
//
// One manager per window or sheet; main thread only.
class UndoManager : public QObject {
    Q_OBJECT

public:
    using Action = std::function<void()>;

    explicit UndoManager(QObject *parent = nullptr);
    ~UndoManager() override;

    // Registers the inverse of the change about to be made. The target only
    // identifies the registration for removeAllActionsWithTarget().
    void registerUndo(const void *target, Action inverse);

    // Registers a call of one of the target's operations with the arguments as
    // they are now (copied), e.g. the old value of a field.
    template <typename Target, typename Result, typename... Parameters, typename... Arguments>
    void registerUndo(Target *target, Result (Target::*operation)(Parameters...), Arguments &&...arguments)
    {
        registerUndo(target,
            [target, operation,
                saved = std::make_tuple(std::decay_t<Arguments>(std::forward<Arguments>(arguments))...)]() {
                std::apply([&](const auto &...values) { (target->*operation)(values...); }, saved);
            });
    }

    void beginUndoGrouping();
    void endUndoGrouping();
    [[nodiscard]] int groupingLevel() const { return m_groupingLevel; }

    void undo();
    void redo();

    [[nodiscard]] bool canUndo() const;
    [[nodiscard]] bool canRedo() const;
    [[nodiscard]] bool isUndoing() const { return m_state == State::Undoing; }
    [[nodiscard]] bool isRedoing() const { return m_state == State::Redoing; }

    // Names the group being built (the open group, else the last closed one).
    void setActionName(const QString &name);
    [[nodiscard]] QString undoActionName() const;
    [[nodiscard]] QString redoActionName() const;

    void removeAllActions();
    void removeAllActionsWithTarget(const void *target);

Q_SIGNALS:
    void didUndo();
    void didRedo();
    // The undo or redo stack changed: a group closed, was undone, redone or
    // removed. Menus update their Undo and Redo items on it.
    void stacksChanged();

private:
    enum class State { Idle, Undoing, Redoing };

    struct Registration {
        const void *target = nullptr;
        Action inverse;
    };

    struct Group {
        std::vector<Registration> registrations;
        QString actionName;
    };

    void scheduleImplicitClose();
    void closeImplicitGroupOnNextTurn();
    void closeImplicitGroupNow();
    bool closeOutermostGroup();
    bool replayLastGroup(State state);
    void replay(State state, std::vector<Group> &from);
    [[nodiscard]] bool buildingGroupHasRegistrations(bool forRedo) const;

    std::vector<Group> m_undoStack;
    std::vector<Group> m_redoStack;
    // The outermost open group; nested groups add to it.
    Group m_building;
    int m_groupingLevel = 0;
    bool m_implicitGroupOpen = false;
    bool m_implicitCloseScheduled = false;
    State m_state = State::Idle;
};
