#include "print/HagakiView.h"

#include "platform/NotificationCenter.h"
#include "print/AddressListFlow.h"
#include "print/LabelBlockCache_p.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/FontResolver.h"
#include "print/PrintOptionValue.h"
#include "print/ResizeCursors_p.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>

using namespace PrintOptionsKey;

namespace {

// The vertical font of postcards when the options name none.
const QString &roundGothic()
{
    static const QString name = QStringLiteral("Hiragino Maru Gothic Pro");
    return name;
}

} // namespace

HagakiView::HagakiView(QWidget *parent)
    : QWidget(parent)
    , m_angle45ResizeCursor(ResizeCursors::angle45ResizeCursor())
    , m_angle135ResizeCursor(ResizeCursors::angle135ResizeCursor())
{
    // The pointer's shape follows the blocks under it, and a click gives the
    // view the arrow keys.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    for (const QString &type : {TextObjectKey::Receiver, TextObjectKey::Sender}) {
        for (const QString &kind : {TextObjectKey::Name, TextObjectKey::Address}) {
            auto object = std::make_shared<TextObject>();
            object->type = type;
            object->kind = kind;
            m_objectTable.append(object);
        }
    }
}

HagakiView::~HagakiView() = default;

void HagakiView::forgetLaidOutPages()
{
    m_labelBlocks.reset();
    m_addressListFlow.reset();
}

void HagakiView::setUserDefaults(UserDefaults *defaults)
{
    m_userDefaults = defaults;
}

QRectF HagakiView::bounds() const
{
    return m_bounds.isEmpty() ? QRectF(QPointF(0, 0), paperSize()) : m_bounds;
}

QPointF HagakiView::mapToBounds(const QPointF &widgetPoint) const
{
    const QRectF shown = bounds();
    if (width() <= 0 || height() <= 0)
        return shown.topLeft();
    return {
        shown.x() + widgetPoint.x() * shown.width() / width(), shown.y() + widgetPoint.y() * shown.height() / height()};
}

void HagakiView::setPrintOptions(const PrintOptionsRecordPtr &options)
{
    m_printOptions = options;
    const PrintOptionsRecord record = options ? *options : PrintOptionsRecord();
    const QString standardFamily = QGuiApplication::font().family();
    m_selectedFontName = PrintOptionValue::text(record.value(FontName));
    if (m_selectedFontName.isEmpty())
        m_selectedFontName = standardFamily;
    m_selectedTategakiFontName = PrintOptionValue::text(PrintOptionValue::dictionary(record, Hagaki).value(FontName));
    if (m_selectedTategakiFontName.isEmpty())
        m_selectedTategakiFontName = FontResolver::hasFace(roundGothic()) ? roundGothic() : standardFamily;
    m_keishou = PrintOptionValue::text(record.value(Keishou));
}

void HagakiView::setReceiverPersons(const PrintContactList &receivers)
{
    setReceivers(PrintReceivers(receivers));
}

void HagakiView::setReceivers(const PrintReceivers &receivers, qsizetype shown)
{
    m_receivers = receivers;
    m_undrawn.clear();
    m_shownReceiver = shown >= 0 && shown < receivers.size() ? shown : 0;
    forgetLaidOutPages();
    resetCursorRects();
    if (!m_receivers.isEmpty())
        updateTextObjectForReceiver(m_receivers.at(m_shownReceiver));
    update();
}

void HagakiView::setShownReceiver(qsizetype index)
{
    if (index < 0 || index >= m_receivers.size() || index == m_shownReceiver)
        return;
    m_shownReceiver = index;
    resetCursorRects();
    updateTextObjectForReceiver(m_receivers.at(index));
    update();
}

PrintContactRecordPtr HagakiView::shownReceiver() const
{
    return m_receivers.at(m_shownReceiver);
}

void HagakiView::setSenderPerson(const PrintContactRecordPtr &sender)
{
    m_senderPerson = sender;
    resetCursorRects();
    updateTextObjectForSender(sender);
}

void HagakiView::setNeedsLayout(bool needsLayout)
{
    if (!needsLayout)
        return;
    for (const TextObjectPtr &object : std::as_const(m_objectTable))
        updateTextObject(*object);
    update();
}

int HagakiView::knowsPageRange()
{
    switch (m_style) {
    case PrintStyleKind::Labels:
        m_numberOfPages = labelPageCount();
        return m_numberOfPages;
    case PrintStyleKind::AddressList:
        m_numberOfPages
            = static_cast<int>(std::min<qint64>(addressListFlow().pageCount(), std::numeric_limits<int>::max()));
        return m_numberOfPages;
    case PrintStyleKind::Hagaki:
    case PrintStyleKind::Envelope:
        break;
    }
    return static_cast<int>(m_receivers.size());
}

QRectF HagakiView::rectForPage(int page) const
{
    const QSizeF paper = paperSize();
    if (m_receivers.isEmpty())
        return {QPointF(0, 0), paper};
    // Page 1 is the first strip, in the table's order: the first row's card,
    // the list's start. A printer that stacks face up reverses the pages
    // itself (PageRenderer).
    return {0, double(page - 1) * paper.height(), paper.width(), paper.height()};
}

int HagakiView::labelPageCount() const
{
    const qint64 labels = m_receivers.size() * labelRepeatCount();
    return static_cast<int>(std::min<qint64>(labelGrid().pageCount(labels), std::numeric_limits<int>::max()));
}

DrawList HagakiView::drawList(const QRectF &rect)
{
    DrawList list;
    list.add(FilledRect{rect, Qt::white});
    switch (m_style) {
    case PrintStyleKind::Envelope:
        drawEnvelopeRect(rect, list);
        break;
    case PrintStyleKind::Labels:
        drawLabels(rect, list);
        break;
    case PrintStyleKind::AddressList:
        drawAddressList(rect, list);
        break;
    case PrintStyleKind::Hagaki:
        drawHagakiRect(rect, list);
        break;
    }
    return list;
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

QSizeF HagakiView::paperSize() const
{
    return m_printInfo ? m_printInfo->paperSize() : QSizeF(0, 0);
}

QRectF HagakiView::imageableBounds() const
{
    return m_printInfo ? m_printInfo->imageablePageBounds() : QRectF();
}

bool HagakiView::isPostcardStyle() const
{
    return m_style == PrintStyleKind::Hagaki;
}

double HagakiView::optionNumber(const QString &key) const
{
    return m_printOptions ? PrintOptionValue::number(m_printOptions->value(key)) : 0;
}

QVariantMap HagakiView::optionDictionary(const QString &key) const
{
    return m_printOptions ? PrintOptionValue::dictionary(*m_printOptions, key) : QVariantMap();
}
