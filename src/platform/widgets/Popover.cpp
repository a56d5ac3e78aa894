#include "platform/widgets/Popover.h"

#include "platform/widgets/PopoverDelegate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

// The border drawn around the content.
constexpr int borderWidth = 1;

// Every popover now shown, oldest first: a closing popover looks here for
// the popovers shown from inside it.
QList<Popover *> &shownPopovers()
{
    static QList<Popover *> popovers;
    return popovers;
}

bool isPress(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

// Where a popover of this length starts along one axis: on the preferred
// side of the anchor, on the other side when only that one fits the screen.
int sideBySide(int anchorStart, int anchorEnd, int length, int screenStart, int screenEnd, bool afterPreferred)
{
    const int after = anchorEnd;
    const int before = anchorStart - length;
    const bool afterFits = after + length <= screenEnd;
    const bool beforeFits = before >= screenStart;
    if (afterPreferred)
        return !afterFits && beforeFits ? before : after;
    return !beforeFits && afterFits ? after : before;
}

// Centred on the anchor along the other axis, kept on the screen when it fits.
int centred(int anchorStart, int anchorLength, int length, int screenStart, int screenEnd)
{
    const int start = anchorStart + (anchorLength - length) / 2;
    if (length > screenEnd - screenStart)
        return start;
    return std::clamp(start, screenStart, screenEnd - length);
}

QRect clampedInto(const QRect &rect, const QRect &bounds)
{
    const int left = std::clamp(rect.x(), bounds.left(), bounds.x() + bounds.width());
    const int top = std::clamp(rect.y(), bounds.top(), bounds.y() + bounds.height());
    const int right = std::clamp(rect.x() + rect.width(), left, bounds.x() + bounds.width());
    const int bottom = std::clamp(rect.y() + rect.height(), top, bounds.y() + bounds.height());
    return {left, top, right - left, bottom - top};
}

} // namespace

Popover::Popover(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(borderWidth, borderWidth, borderWidth, borderWidth);
    layout->setSpacing(0);
}

Popover::~Popover()
{
    if (m_shown) {
        shownPopovers().removeAll(this);
        qApp->removeEventFilter(this);
    }
}

void Popover::setDelegate(PopoverDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

PopoverDelegate *Popover::delegate() const
{
    return m_delegateIsObject && !m_delegateObject ? nullptr : m_delegate;
}

void Popover::setContentWidget(QWidget *content)
{
    if (content == m_content)
        return;
    if (QWidget *old = m_content) {
        old->hide();
        layout()->removeWidget(old);
        old->deleteLater();
    }
    m_content = content;
    if (content)
        layout()->addWidget(content);
    setContentSize(m_contentSize);
}

void Popover::setContentSize(const QSize &size)
{
    m_contentSize = size;
    QSize inner = size;
    if (m_content)
        inner = inner.expandedTo(m_content->minimumSizeHint()).expandedTo(m_content->minimumSize());
    resize(inner + QSize(2 * borderWidth, 2 * borderWidth));
}

void Popover::showRelativeToRect(const QRect &rect, QWidget *view, Edge edge)
{
    if (!m_content || !view || !view->isVisible()) {
        qWarning("%s: ERROR %s", Q_FUNC_INFO, m_content ? "no visible view to show beside" : "no content to show");
        return;
    }
    QWidget *window = view->window();
    if (parentWidget() != window)
        setParent(window, windowFlags());
    if (m_view != view) {
        disconnect(m_viewDestroyed);
        m_viewDestroyed = connect(view, &QObject::destroyed, this, [this] { close(); });
    }
    m_view = view;
    m_viewWindow = window;
    const QRect inView = clampedInto(rect, view->rect());
    m_content->show();
    setContentSize(m_contentSize);
    move(placement(QRect(view->mapToGlobal(inView.topLeft()), inView.size()), edge));
    if (!m_shown) {
        m_shown = true;
        shownPopovers().append(this);
        qApp->installEventFilter(this);
    }
    show();
    raise();
    activateWindow();
}

QPoint Popover::placement(const QRect &anchor, Edge edge) const
{
    const QScreen *screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = m_view->screen();
    const QRect room = screen->availableGeometry();
    const int roomRight = room.x() + room.width();
    const int roomBottom = room.y() + room.height();
    const int anchorRight = anchor.x() + anchor.width();
    const int anchorBottom = anchor.y() + anchor.height();
    if (edge == Edge::MinY || edge == Edge::MaxY) {
        return {centred(anchor.x(), anchor.width(), width(), room.x(), roomRight),
            sideBySide(anchor.y(), anchorBottom, height(), room.y(), roomBottom, edge == Edge::MaxY)};
    }
    return {sideBySide(anchor.x(), anchorRight, width(), room.x(), roomRight, edge == Edge::MaxX),
        centred(anchor.y(), anchor.height(), height(), room.y(), roomBottom)};
}

void Popover::close()
{
    if (!m_shown)
        return;
    m_shown = false;
    m_dragStart.reset();
    closeInnerPopovers();
    shownPopovers().removeAll(this);
    qApp->removeEventFilter(this);
    // The content sees itself disappear before the opener hears of the close.
    if (m_content)
        m_content->hide();
    hide();
    Q_EMIT didClose(this);
}

void Popover::closeInnerPopovers()
{
    const QList<Popover *> shown = shownPopovers();
    for (Popover *other : shown) {
        if (other != this && shownPopovers().contains(other) && holds(other->m_view))
            other->close();
    }
}

bool Popover::holds(const QWidget *widget) const
{
    if (!widget)
        return false;
    for (const QWidget *ancestor = widget; ancestor; ancestor = ancestor->parentWidget()) {
        if (ancestor == this)
            return true;
    }
    // A menu made without a parent names the window it opened from only as
    // its transient parent.
    const QWindow *own = windowHandle();
    const QWindow *handle = widget->window()->windowHandle();
    for (const QWindow *opener = handle ? handle->transientParent() : nullptr; opener && own;
         opener = opener->transientParent()) {
        if (opener == own)
            return true;
    }
    return false;
}

bool Popover::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (isPress(type)) {
        if (m_behavior != Behavior::ApplicationDefined && watched->isWidgetType()
            && !holds(static_cast<QWidget *>(watched)))
            close();
    } else if (type == QEvent::ApplicationStateChange) {
        const auto state = static_cast<QApplicationStateChangeEvent *>(event)->applicationState();
        if (m_behavior == Behavior::Transient && state != Qt::ApplicationActive)
            close();
    } else if (type == QEvent::Hide && watched == m_viewWindow) {
        close();
    }
    return false;
}

void Popover::mousePressEvent(QMouseEvent *event)
{
    // Only presses that no control took arrive here: they may drag the
    // popover off into a window.
    if (event->button() == Qt::LeftButton) {
        m_dragStart = event->globalPosition().toPoint();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void Popover::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragStart)
        return;
    if ((event->globalPosition().toPoint() - *m_dragStart).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragStart.reset();
    detach();
}

void Popover::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragStart.reset();
    QWidget::mouseReleaseEvent(event);
}

void Popover::detach()
{
    PopoverDelegate *opener = delegate();
    if (!opener || !opener->popoverShouldDetach(this))
        return;
    QWidget *window = opener->detachableWindowForPopover(this);
    if (!window) {
        qWarning("%s: ERROR the delegate gave no window to detach into", Q_FUNC_INFO);
        return;
    }
    window->setGeometry(geometry());
    window->show();
    close();
}

void Popover::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Popover::closeEvent(QCloseEvent *event)
{
    // A close asked of the window (by the window manager, or QWidget::close)
    // takes the same way as one of ours.
    close();
    event->accept();
}
