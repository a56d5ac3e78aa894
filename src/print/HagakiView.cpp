#include "print/HagakiView.h"

#include "platform/NotificationCenter.h"
#include "print/EnvelopePages.h"
#include "print/PostcardLayout.h"
#include "print/ResizeCursors_p.h"

#include <QPainter>

HagakiView::HagakiView(QWidget *parent)
    : QWidget(parent)
    , m_objectTable(PostcardLayout::blockTable())
    , m_angle45ResizeCursor(ResizeCursors::angle45ResizeCursor())
    , m_angle135ResizeCursor(ResizeCursors::angle135ResizeCursor())
{
    // The pointer's shape follows the blocks under it, and a click gives the
    // view the arrow keys.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

HagakiView::~HagakiView() = default;

void HagakiView::setUserDefaults(UserDefaults *defaults)
{
    m_userDefaults = defaults;
}

QRectF HagakiView::bounds() const
{
    return m_bounds.isEmpty() ? QRectF(QPointF(0, 0), m_document.paperSize()) : m_bounds;
}

QPointF HagakiView::mapToBounds(const QPointF &widgetPoint) const
{
    const QRectF shown = bounds();
    if (width() <= 0 || height() <= 0)
        return shown.topLeft();
    return {
        shown.x() + widgetPoint.x() * shown.width() / width(), shown.y() + widgetPoint.y() * shown.height() / height()};
}

void HagakiView::setReceiverPersons(const PrintContactList &receivers)
{
    setReceivers(PrintReceivers(receivers));
}

void HagakiView::setReceivers(const PrintReceivers &receivers, qsizetype shown)
{
    m_document.setReceivers(receivers);
    m_shownReceiver = shown >= 0 && shown < receivers.size() ? shown : 0;
    resetCursorRects();
    if (!receivers.isEmpty())
        updateTextObjectForReceiver(receivers.at(m_shownReceiver));
    update();
}

void HagakiView::setShownReceiver(qsizetype index)
{
    if (index < 0 || index >= receivers().size() || index == m_shownReceiver)
        return;
    m_shownReceiver = index;
    resetCursorRects();
    updateTextObjectForReceiver(receivers().at(index));
    update();
}

PrintContactRecordPtr HagakiView::shownReceiver() const
{
    return receivers().at(m_shownReceiver);
}

void HagakiView::setSenderPerson(const PrintContactRecordPtr &sender)
{
    m_document.setSender(sender);
    resetCursorRects();
    updateTextObjectForSender(sender);
}

void HagakiView::updateTextObjectForReceiver(const PrintContactRecordPtr &record)
{
    updateTextObjects(record, false);
}

void HagakiView::updateTextObjectForSender(const PrintContactRecordPtr &record)
{
    updateTextObjects(record, true);
}

void HagakiView::updateTextObjects(const PrintContactRecordPtr &record, bool sender)
{
    if (!record)
        return;
    const PostcardLayout layout(m_document);
    switch (m_document.style()) {
    case PrintStyleKind::Hagaki:
        layout.layOut(m_objectTable, *record, sender);
        break;
    case PrintStyleKind::Envelope:
        layout.fillNameObject(nameBlock(sender), *record, sender);
        EnvelopePages(m_document).placeBlock(nameBlock(sender), sender);
        break;
    case PrintStyleKind::Labels:
    case PrintStyleKind::AddressList:
        layout.fillNameObject(nameBlock(sender), *record, sender);
        break;
    }
}

void HagakiView::setNeedsLayout(bool needsLayout)
{
    if (!needsLayout)
        return;
    const PostcardLayout layout(m_document);
    for (const TextObjectPtr &object : std::as_const(m_objectTable))
        layout.updateTextObject(*object);
    update();
}

void HagakiView::drawRect(QPainter &painter, const QRectF &rect)
{
    drawList(rect).paint(painter);
}

void HagakiView::postTextObjectChanged(const TextObject &object)
{
    NotificationCenter::defaultCenter().postNotification(
        object.isSender() ? textObjectChangedForSender : textObjectChangedForReceiver, this);
}

void HagakiView::paintEvent(QPaintEvent *)
{
    const QRectF shown = bounds();
    if (shown.isEmpty())
        return;
    QPainter painter(this);
    painter.scale(width() / shown.width(), height() / shown.height());
    painter.translate(-shown.topLeft());
    drawRect(painter, shown);
}
