#include "table/PopupButton.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cmath>

namespace {

// Room for the arrows and the margins beside the title.
constexpr int arrowAndMargins = 35;

QStyle *styleOf(const QWidget *widget)
{
    return widget ? widget->style() : QApplication::style();
}

} // namespace

void PopupButton::removeAllItems()
{
    m_items.clear();
    m_selected = -1;
}

void PopupButton::selectItemAtIndex(qsizetype index)
{
    m_selected = index >= 0 && index < m_items.size() ? index : -1;
}

bool PopupButton::selectItemWithTitle(const QString &title)
{
    const qsizetype index = m_items.indexOf(title);
    if (index < 0)
        return false;
    m_selected = index;
    return true;
}

QString PopupButton::titleOfSelectedItem() const
{
    return m_selected >= 0 ? m_items.at(m_selected) : QString();
}

QSize PopupButton::intrinsicContentSize(const QWidget *widget) const
{
    const qreal titleWidth = QFontMetricsF(m_font).horizontalAdvance(titleOfSelectedItem());
    QStyleOptionComboBox option;
    option.fontMetrics = QFontMetrics(m_font);
    const QSize base
        = styleOf(widget)->sizeFromContents(QStyle::CT_ComboBox, &option, {0, option.fontMetrics.height()}, widget);
    return {int(std::ceil(titleWidth)) + arrowAndMargins, base.height()};
}

void PopupButton::paint(QPainter *painter, const QRect &rect, const QWidget *widget) const
{
    if (m_hidden)
        return;
    QStyleOptionComboBox option;
    option.rect = rect;
    option.state = m_enabled ? QStyle::State_Enabled : QStyle::State_None;
    option.fontMetrics = QFontMetrics(m_font);
    option.currentText = titleOfSelectedItem();
    option.frame = true;
    if (widget)
        option.palette = widget->palette();
    if (!m_enabled)
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    painter->save();
    painter->setFont(m_font);
    QStyle *style = styleOf(widget);
    style->drawComplexControl(QStyle::CC_ComboBox, &option, painter, widget);
    style->drawControl(QStyle::CE_ComboBoxLabel, &option, painter, widget);
    painter->restore();
}
