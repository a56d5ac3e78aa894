#include "print/HagakiView.h"

#include "platform/NotificationCenter.h"
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

// How many items of the pitch fit into the extent; at least one, also for a
// pitch of nothing.
qint64 fittingCount(double extent, double pitch)
{
    const double count = extent / pitch;
    if (!std::isfinite(count) || count < 1)
        return 1;
    return static_cast<qint64>(std::min(count, 1e6));
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
    m_receiverPersons = receivers;
    resetCursorRects();
    if (!m_receiverPersons.isEmpty())
        updateTextObjectForReceiver(m_receiverPersons.first());
    update();
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
    if (m_selectedStyle == labelsStyle) {
        m_numberOfPages = labelPageCount();
        return m_numberOfPages;
    }
    if (m_selectedStyle == addressListStyle) {
        // One blank page until the list can count the lines of its blocks.
        m_numberOfPages = 1;
        return m_numberOfPages;
    }
    return static_cast<int>(m_receiverPersons.size());
}

QRectF HagakiView::rectForPage(int page) const
{
    const QSizeF paper = paperSize();
    if (m_receiverPersons.isEmpty())
        return {QPointF(0, 0), paper};
    const bool counted = m_selectedStyle == labelsStyle || m_selectedStyle == addressListStyle;
    const qsizetype pages = counted ? m_numberOfPages : m_receiverPersons.size();
    return {0, double(pages - page) * paper.height(), paper.width(), paper.height()};
}

int HagakiView::labelPageCount() const
{
    const QVariantMap labels = optionDictionary(MailingLabels);
    const double across
        = PrintOptionValue::number(labels.value(LabelWidth)) + PrintOptionValue::number(labels.value(HGap));
    const double down
        = PrintOptionValue::number(labels.value(LabelHeight)) + PrintOptionValue::number(labels.value(VGap));
    const QSizeF paper = paperSize();
    const QRectF reach = imageableBounds();
    const double left = optionNumber(LeftMargin) + reach.x();
    const double top = optionNumber(TopMargin) + reach.y();
    const double right = paper.width() - reach.right() + optionNumber(RightMargin);
    const double bottom = paper.height() - reach.bottom() + optionNumber(BottomMargin);
    const qint64 perPage
        = fittingCount(paper.width() - left - right, across) * fittingCount(paper.height() - top - bottom, down);
    const qint64 labelCount = m_receiverPersons.size() * PrintOptionValue::integer(labels.value(RepeatCount));
    if (labelCount <= 0)
        return 1;
    return static_cast<int>((labelCount + perPage - 1) / perPage);
}

DrawList HagakiView::drawList(const QRectF &rect)
{
    DrawList list;
    list.add(FilledRect{rect, Qt::white});
    // Labels and lists are white pages until their own drawing is in.
    if (m_selectedStyle == envelopeStyle)
        drawEnvelopeRect(rect, list);
    else if (isPostcardStyle())
        drawHagakiRect(rect, list);
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
    return m_selectedStyle != envelopeStyle && m_selectedStyle != labelsStyle && m_selectedStyle != addressListStyle;
}

double HagakiView::optionNumber(const QString &key) const
{
    return m_printOptions ? PrintOptionValue::number(m_printOptions->value(key)) : 0;
}

QVariantMap HagakiView::optionDictionary(const QString &key) const
{
    return m_printOptions ? PrintOptionValue::dictionary(*m_printOptions, key) : QVariantMap();
}
