#pragma once

#include <QObject>

class QWidget;

// Whether the application's last mouse press went to one widget. A
// double-click is the second press of a pair whose first may have gone
// elsewhere: to a dialog's button that closed on it, leaving the second to
// land on whatever lay under the dialog. Only the whole application sees
// where each press goes, so the watch filters the application's events.
class LastPressWatch : public QObject {
public:
    explicit LastPressWatch(QWidget *widget);
    ~LastPressWatch() override;

    [[nodiscard]] bool lastPressWasHere() const { return m_here; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The watch's parent.
    QWidget *m_widget = nullptr;
    bool m_here = false;
};
