#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QSplitter;
class UndoManager;

// The address-book window: a split view of the postcard preview, the contact
// table and the contact detail pane. It owns the window's undo manager, on
// which every change made in the window registers its inverse, and the Edit
// menu's Undo and Redo.
class WindowController : public QMainWindow {
    Q_OBJECT

public:
    explicit WindowController(QWidget *parent = nullptr);
    ~WindowController() override;

    [[nodiscard]] QSplitter *splitView() const { return m_splitView; }
    [[nodiscard]] UndoManager *undoManager() const { return m_undoManager; }
    [[nodiscard]] QMenu *editMenu() const { return m_editMenu; }
    [[nodiscard]] QAction *undoAction() const { return m_undoAction; }
    [[nodiscard]] QAction *redoAction() const { return m_redoAction; }

    // The Edit menu's Undo and Redo: one step on the undo manager, after
    // which the window is marked edited exactly when there is still something
    // to undo, so undoing back to the last save clears the mark.
    void undo();
    void redo();

private:
    void buildEditMenu();
    void validateUndoMenuItems();

    UndoManager *m_undoManager = nullptr;
    QSplitter *m_splitView = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
};
