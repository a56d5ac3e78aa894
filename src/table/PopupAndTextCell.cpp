#include "table/PopupAndTextCell.h"

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <QPainter>
#include <QRect>

namespace {
constexpr int popupMargin = 2;
constexpr int textGap = 4;
} // namespace

QString PopupAndTextCell::displayFormOfLabel(const QString &label)
{
    return FieldVocabulary::localizedLabelFromCNLabel(FieldVocabulary::CNLabelFromLabel(label));
}

void PopupAndTextCell::updatePopupAndText()
{
    if (!m_selectedFont || !m_labeledValue) {
        m_labelPopup.setHidden(true);
        m_labelPopup.removeAllItems();
        m_marks = FindMarks();
        return;
    }
    fillPopup();

    const QString &text = m_labeledValue->stringValue;
    m_marks = FindMarks(text, m_findString, m_findOptions);
    if (m_findTarget && m_person && m_findTarget->uniqueId == m_person->uniqueIdValue()
        && m_findTarget->labelIndex == m_labelIndex)
        m_marks.markHit(m_findTarget->range, true);
}

void PopupAndTextCell::fillPopup()
{
    m_labelPopup.setHidden(false);
    // A locked view ignores clicks on the pop-up, so it must not look clickable.
    m_labelPopup.setEnabled(m_editState);
    m_labelPopup.setFont(*m_selectedFont);
    m_labelPopup.removeAllItems();
    const QString label = m_labeledValue->labelText();
    if (!m_editState) {
        m_labelPopup.addItemWithTitle(displayFormOfLabel(label));
        m_labelPopup.selectItemAtIndex(0);
        return;
    }
    for (const QString &title : std::as_const(m_localizedLabels))
        m_labelPopup.addItemWithTitle(title);
    const qsizetype position = m_labels.indexOf(label);
    if (position >= 0 && position < m_localizedLabels.size()) {
        m_labelPopup.selectItemAtIndex(position);
        return;
    }
    // A label the field no longer offers would otherwise show an empty
    // pop-up: it shows as the user reads it.
    const QString displayForm = displayFormOfLabel(label);
    if (!m_labelPopup.selectItemWithTitle(displayForm)) {
        m_labelPopup.addItemWithTitle(displayForm);
        m_labelPopup.selectItemAtIndex(m_labelPopup.itemTitles().size() - 1);
    }
}

QRect PopupAndTextCell::popupRect(const QRect &rect, const QWidget *widget) const
{
    const qreal lineHeight = m_rowHeight > 0 ? m_rowHeight : rect.height();
    const QSize popupSize = m_labelPopup.intrinsicContentSize(widget);
    const int popupHeight = std::min(popupSize.height(), int(lineHeight) - 2);
    return {
        rect.left() + popupMargin, rect.top() + int((lineHeight - popupHeight) / 2), popupSize.width(), popupHeight};
}

void PopupAndTextCell::paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *widget) const
{
    if (m_labelPopup.isHidden() || !m_selectedFont)
        return;
    const qreal lineHeight = m_rowHeight > 0 ? m_rowHeight : rect.height();
    const QRect popupRect = this->popupRect(rect, widget);
    m_labelPopup.paint(painter, popupRect, widget);
    const QRectF textRect(
        popupRect.right() + textGap, rect.top(), rect.right() - popupRect.right() - textGap, rect.height());
    m_marks.paint(painter, textRect, *m_selectedFont, textColor, lineHeight / 2);
}
