#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>

class PopoverDelegate;

// A small frameless window beside a rectangle of a view, holding one content
// widget (a value editor, a contact's details). It is a tool window of the
// view's top-level window, so it stays above that window and keeps working
// while a modal dialog or sheet runs; it is never a Qt::Popup, whose input
// grab would break the popovers that editors open from inside popovers.
//
// While shown, an application event filter closes it when the mouse is
// pressed outside it; the press still reaches what it hits. Inside are the
// popover and every window whose parent chain leads into it: combo lists,
// menus, dialogs of its controls and popovers shown from views in it.
//
// A close first closes the popovers shown from inside it, hides the content
// and then emits didClose once. Openers release the popover in didClose with
// deleteLater(): the code that closed it may still be running.
class Popover : public QWidget {
    Q_OBJECT

public:
    // Transient: any press outside, or the application turning inactive,
    // closes it. Semitransient: a press elsewhere in the application does.
    enum class Behavior { ApplicationDefined, Transient, Semitransient };
    // The rectangle's edge the popover sits on: MaxY below, MinY above,
    // MaxX to the right, MinX to the left.
    enum class Edge { MinX, MinY, MaxX, MaxY };

    explicit Popover(QWidget *parent = nullptr);
    ~Popover() override;

    [[nodiscard]] Behavior behavior() const { return m_behavior; }
    void setBehavior(Behavior behavior) { m_behavior = behavior; }
    // Kept for the openers that set it; the popover shows and hides at once.
    [[nodiscard]] bool animates() const { return m_animates; }
    void setAnimates(bool animates) { m_animates = animates; }
    // Not owned; a delegate that is a QObject is forgotten when it dies.
    void setDelegate(PopoverDelegate *delegate);

    // Takes ownership. Replacing the content of a shown popover hides the old
    // content and deletes it later, without closing.
    void setContentWidget(QWidget *content);
    [[nodiscard]] QWidget *contentWidget() const { return m_content; }
    // In pixels; the popover grows to the content's minimum size.
    void setContentSize(const QSize &size);
    [[nodiscard]] QSize contentSize() const { return m_contentSize; }

    // rect is in view's coordinates (a cell's visualRect in a viewport) and is
    // clamped into the view. The popover is centred on the edge and goes to
    // the opposite edge when the screen lacks room there.
    void showRelativeToRect(const QRect &rect, QWidget *view, Edge edge);
    void close();
    [[nodiscard]] bool isShown() const { return m_shown; }
    [[nodiscard]] QWidget *positioningView() const { return m_view; }

Q_SIGNALS:
    void didClose(Popover *popover);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    [[nodiscard]] QPoint placement(const QRect &anchor, Edge edge) const;
    // Whether the widget is the popover or lies in a window opened from it.
    [[nodiscard]] bool holds(const QWidget *widget) const;
    void closeInnerPopovers();
    void detach();
    [[nodiscard]] PopoverDelegate *delegate() const;

    Behavior m_behavior = Behavior::ApplicationDefined;
    bool m_animates = false;
    bool m_shown = false;
    PopoverDelegate *m_delegate = nullptr;
    bool m_delegateIsObject = false;
    QPointer<QObject> m_delegateObject;
    QPointer<QWidget> m_content;
    QSize m_contentSize;
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_viewWindow;
    QMetaObject::Connection m_viewDestroyed;
    std::optional<QPoint> m_dragStart;
};
