#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

class QPointerEvent;
class QWidget;

// Whether the application's last mouse press went to one widget. A
// double-click is the second press of a pair whose first may have gone
// elsewhere in the same window: to the header, say. Only the whole
// application sees where each press goes, so the watch filters the
// application's events.
class LastPressWatch : public QObject {
public:
    explicit LastPressWatch(QWidget *widget);
    ~LastPressWatch() override;

    [[nodiscard]] bool lastPressWasHere() const { return m_here; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether this is the press's first delivery to a widget. A press no
    // widget takes is passed on to each parent in turn (a pen's press as a
    // copy without its time), and a pen's press no widget takes comes again
    // as a mouse press, with the same time: each is the press already seen.
    [[nodiscard]] bool firstDelivery(QWidget *receiver, const QPointerEvent &event);

    // The watch's parent.
    QWidget *m_widget = nullptr;
    bool m_here = false;
    quint64 m_pressTime = 0;
    QPointF m_pressPosition{-1e9, -1e9};
    // Where the last press was first delivered.
    QPointer<QWidget> m_pressedWidget;
};
