#pragma once

#include <QMainWindow>

class QSplitter;

// The address-book window: a split view of the postcard preview, the contact
// table and the contact detail pane.
class WindowController : public QMainWindow
{
    Q_OBJECT

public:
    explicit WindowController(QWidget *parent = nullptr);
    ~WindowController() override;

    [[nodiscard]] QSplitter *splitView() const { return m_splitView; }

private:
    QSplitter *m_splitView = nullptr;
};
