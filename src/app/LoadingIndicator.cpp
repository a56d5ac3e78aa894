#include "app/LoadingIndicator.h"

#include <QEvent>
#include <QProgressBar>
#include <QSplitter>

#include <algorithm>

void LoadingIndicator::attach(QWidget *window, QSplitter *splitView)
{
    if (!window || !splitView || m_bar)
        return;
    m_window = window;
    m_splitView = splitView;
    // A child of the window, not of the split view, which would take it for
    // a pane.
    m_bar = new QProgressBar(window);
    m_bar->setObjectName(QStringLiteral("progressIndicator"));
    m_bar->setRange(0, 0);
    m_bar->setTextVisible(false);
    m_bar->hide();
    splitView->installEventFilter(this);
    splitView->widget(1)->installEventFilter(this);
}

void LoadingIndicator::place()
{
    if (!m_bar || !m_window || !m_splitView)
        return;
    const QWidget *pane = m_splitView->widget(1);
    const QRect area(pane->mapTo(m_window, QPoint(0, 0)), pane->size());
    const int width = std::min(240, std::max(area.width() - 40, 40));
    const int height = m_bar->sizeHint().height();
    m_bar->setGeometry(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width, height);
}

bool LoadingIndicator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && m_bar && m_bar->isVisible())
        place();
    return QObject::eventFilter(watched, event);
}

void LoadingIndicator::setLoading(bool loading)
{
    m_loading.store(loading);
    if (!m_bar)
        return;
    if (loading) {
        place();
        m_bar->show();
        m_bar->raise();
    } else {
        m_bar->hide();
    }
}
