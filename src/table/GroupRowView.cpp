#include "table/GroupRowView.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace {
constexpr int textMargin = 6;
} // namespace

void GroupRowView::paint(QPainter *painter, const QRect &rect, const QWidget *widget) const
{
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    painter->save();
    painter->fillRect(rect, palette.color(QPalette::Window));
    painter->setFont(m_font);
    painter->setPen(palette.color(QPalette::WindowText));
    painter->drawText(rect.adjusted(textMargin, 0, -textMargin, 0), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    painter->restore();
}
