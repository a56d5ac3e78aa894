#include "table/TextCell.h"

#include <QPainter>
#include <QRect>

namespace {
constexpr int textMargin = 4;
} // namespace

void TextCell::updateText()
{
    m_marks = FindMarks(m_text, m_findString, m_findOptions);
    if (m_findTarget && m_findTarget->uniqueId == m_uniqueId && m_findTarget->identifier == m_identifier
        && m_findTarget->labelIndex.value_or(0) == m_labelIndex)
        m_marks.markHit(m_findTarget->range, false);
}

double TextCell::lineHeight(const QRect &rect) const
{
    return m_rowHeight > 0 ? m_rowHeight : rect.height();
}

void TextCell::paintText(QPainter *painter, const QRect &rect, int indent, const QColor &textColor) const
{
    const QRectF textRect(
        rect.left() + indent + textMargin, rect.top(), rect.width() - indent - 2 * textMargin, rect.height());
    m_marks.paint(painter, textRect, m_font, textColor, lineHeight(rect) / 2);
}

void TextCell::paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *) const
{
    paintText(painter, rect, 0, textColor);
}
