#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>

class MergePanelController;

// One table of the merge sheet: drags its rows to the other table, takes
// drops from it, and hands double clicks to the panel.
class MergeTableView : public QTableView {
    Q_OBJECT

public:
    MergeTableView(MergePanelController *panel, bool left, QWidget *parent = nullptr);

    [[nodiscard]] bool isLeft() const { return m_left; }
    // Begins editing the value cell of the row, its text selected.
    void editRow(int row);
    // Public for the drop handling of the sheet, as a drag reports it.
    using QAbstractItemView::dropIndicatorPosition;
    // A drag event met elsewhere (on the photo well over row 0), handled as
    // if it had reached the table's viewport at its position there.
    void takeDragEvent(QEvent *event);
    // The cell editor open now, or null.
    [[nodiscard]] QPlainTextEdit *openEditor() const { return m_openEditor; }
    void setOpenEditor(QPlainTextEdit *editor) { m_openEditor = editor; }
    // Whether a cell editor is open.
    [[nodiscard]] bool isEditing() const { return state() == QAbstractItemView::EditingState; }

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;

private:
    MergePanelController *m_panel;
    bool m_left;
    QPointer<QPlainTextEdit> m_openEditor;
};
