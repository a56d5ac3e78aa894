#pragma once

#include <QPointF>
#include <QPointer>

#include <optional>

#include <QEvent>

class QObject;
class QSinglePointEvent;
class QWidget;

// A click belongs to the window that got its first press. Qt makes a
// double-click of two presses close in time and place whatever window each
// went to: a dialog's button takes the first, the dialog closes
// on it, and the second lands on the window under it as a double-click, or
// as an ordinary press that goes on as a drag, or, pressed once more, as a
// third click. So the presses of one burst (each within the double-click
// interval and distance of the one before) go only to the window of the
// first: a press of the burst that reaches another window is dropped there,
// with the moves and the release that follow it, until every button is up.
// A pop-up menu or list that the burst opened may take its presses.
//
// The application asks before it delivers any event, so no event filter
// sees a dropped press either (a popover closing on an outside press).
class ClickOwnership {
public:
    // Whether `event`, about to go to `receiver`, may be delivered. Only
    // input from the window system counts; an event sent by the program
    // passes.
    [[nodiscard]] bool admits(QObject *receiver, QEvent *event);

    // The widget that the last press reached first, before Qt passed it on
    // to the parents of a widget that did not take it. A double-click is the
    // second press of a pair, not a press of its own: where it reaches
    // another widget first, no widget had the pair's first press.
    [[nodiscard]] QWidget *pressedWidget() const;

private:
    // A press as the window system made it. Qt delivers one press several
    // times: to the window, then to the widget under it; as the mouse press
    // it makes of a tablet press no widget took; as the double-click that
    // follows the pair's second press. Each carries the same time and place.
    struct Press {
        quint64 timestamp = 0;
        QPointF globalPosition;
        bool admitted = true;
        bool reachedWidget = false;
    };

    [[nodiscard]] bool admitsPress(QObject *receiver, const QSinglePointEvent &event);
    [[nodiscard]] bool continuesBurst(const QSinglePointEvent &event) const;
    void notePressedWidget(QWidget *widget, QEvent::Type type);

    std::optional<Press> m_lastPress;
    // The window of the burst's first press; null once that window is gone.
    QPointer<QObject> m_owner;
    // A press was dropped and its buttons are not all up yet.
    bool m_dropping = false;
    // Every button was let go since the last press.
    bool m_letGo = false;
    QPointer<QWidget> m_pressedWidget;
};
