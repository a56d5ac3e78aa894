#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QSplitter>

#include <atomic>

class QWidget;

// The busy indicator over a window's contact table while the address book
// is read on a worker, kept in the middle of the table's pane as the window
// is resized. Whether the book is loading may be asked from any thread.
class LoadingIndicator : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Makes the indicator, hidden, over the split view's middle pane (once).
    void attach(QWidget *window, QSplitter *splitView);
    // Shows the indicator while loading (when there is one).
    void setLoading(bool loading);
    [[nodiscard]] bool isLoading() const { return m_loading.load(); }
    [[nodiscard]] QProgressBar *progressBar() const { return m_bar; }

private:
    void place();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QPointer<QWidget> m_window;
    QPointer<QSplitter> m_splitView;
    QPointer<QProgressBar> m_bar;
    std::atomic<bool> m_loading = false;
};
