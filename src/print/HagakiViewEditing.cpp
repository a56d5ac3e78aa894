// Layout editing: moving and resizing the previewed blocks with the mouse and
// the arrow keys, and saving where the user put them.

#include "print/HagakiView.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "print/PostcardPages.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "print/RectText.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <array>

using namespace PrintOptionsKey;

namespace {

// A press this close outside a block still takes it.
constexpr double pressMargin = 4;
// A press this close outside the selected block still moves it.
constexpr double grabMargin = 1;
// A press in this corner square inside the selected block's bottom-left
// corner does nothing, so that its handle does not get in the way of a press
// on the text there.
constexpr double deadCorner = 14;
constexpr double smallestWidth = 5;
constexpr double smallestHeight = 50;
constexpr int handleCount = 8;

// How a handle's drag (dx, dy) changes the block: x += x·dx, y += y·dy,
// width += width·dx, height += height·dy.
struct Resize {
    double x;
    double y;
    double width;
    double height;
};

constexpr std::array<Resize, handleCount> resizes = {{
    {1, 1, -1, -1}, // 0 top-left
    {1, 0, -1, 1}, // 1 bottom-left
    {0, 0, 1, 1}, // 2 bottom-right
    {0, 1, 1, -1}, // 3 top-right
    {1, 0, -1, 0}, // 4 left middle
    {0, 0, 0, 1}, // 5 bottom middle
    {0, 0, 1, 0}, // 6 right middle
    {0, 1, 0, -1}, // 7 top middle
}};

// The arrow keys, by the key codes the layout editing was first written for.
enum ArrowKey { LeftArrow = 123, RightArrow = 124, DownArrow = 125, UpArrow = 126 };

int arrowKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return LeftArrow;
    case Qt::Key_Right:
        return RightArrow;
    case Qt::Key_Down:
        return DownArrow;
    case Qt::Key_Up:
        return UpArrow;
    default:
        return 0;
    }
}

// Inside when x ≤ p.x < x + w and y ≤ p.y < y + h.
bool inside(const QRectF &rect, const QPointF &point)
{
    return rect.x() <= point.x() && point.x() < rect.x() + rect.width() && rect.y() <= point.y()
        && point.y() < rect.y() + rect.height();
}

QRectF grown(const QRectF &rect, double by)
{
    return rect.adjusted(-by, -by, by, by);
}

QPointF handlePoint(const QRectF &rect, int nob)
{
    const double x = rect.x();
    const double y = rect.y();
    const double w = rect.width();
    const double h = rect.height();
    switch (nob) {
    case 0:
        return {x, y};
    case 1:
        return {x, y + h};
    case 2:
        return {x + w, y + h};
    case 3:
        return {x + w, y};
    case 4:
        return {x, y + h / 2};
    case 5:
        return {x + w / 2, y + h};
    case 6:
        return {x + w, y + h / 2};
    default:
        return {x + w / 2, y};
    }
}

// The 9 × 9 square a handle is drawn in and hit in.
QRectF handleSquare(const QRectF &rect, int nob)
{
    const QPointF centre = handlePoint(rect, nob);
    return {centre.x() - 4, centre.y() - 5, 9, 9};
}

QPainterPath rectPath(const QRectF &rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

} // namespace

// --- Drawing ---------------------------------------------------------------

int HagakiView::handleAtPoint(const QPointF &point, const QRectF &rect)
{
    for (int nob = 0; nob < handleCount; ++nob) {
        if (inside(handleSquare(rect, nob), point))
            return nob;
    }
    return -1;
}

void HagakiView::drawDashedBox(const QRectF &rect, DrawList &drawList)
{
    // Red and white dashes of 3 points, in units of the 0.5-point line.
    constexpr double width = 0.5;
    constexpr double dash = 3 / width;
    for (const auto &[colour, phase] : {std::pair{QColor(Qt::red), 0.0}, std::pair{QColor(Qt::white), dash}}) {
        QPen pen(colour, width);
        pen.setDashPattern({dash, dash});
        pen.setDashOffset(phase);
        drawList.add(StrokedPath{rectPath(rect), pen, false});
    }
}

void HagakiView::drawRubberBand(const QRectF &rect, bool withNob, DrawList &drawList)
{
    drawDashedBox(rect, drawList);
    if (!withNob)
        return;
    for (int nob = 0; nob < handleCount; ++nob) {
        const QRectF square = handleSquare(rect, nob);
        drawList.add(FilledRect{square, Qt::white});
        drawList.add(StrokedPath{rectPath(square), QPen(Qt::gray, 0.4)});
    }
}

// --- Cursors ----------------------------------------------------------------

QRectF HagakiView::drawnRect(const TextObject &object) const
{
    return object.rect.translated(
        m_document.optionNumber(LeftMargin), m_document.optionNumber(TopMargin) + object.yOffset);
}

void HagakiView::resetCursorRects()
{
    m_cursorRects.clear();
    setCursor(Qt::ArrowCursor);
    // In the order the rectangles are looked up in, the last one first.
    static constexpr std::array<int, handleCount> handleOrder = {0, 1, 3, 2, 4, 6, 7, 5};
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (!object->selected)
            continue;
        const QRectF hit = drawnRect(*object);
        m_cursorRects.append({bounds(), QCursor(Qt::ArrowCursor)});
        m_cursorRects.append(
            {hit.adjusted(pressMargin, pressMargin, -pressMargin, -pressMargin), QCursor(Qt::OpenHandCursor)});
        for (int nob : handleOrder) {
            const QPointF centre = handlePoint(hit, nob);
            QCursor cursor = nob == 4 || nob == 6 ? QCursor(Qt::SizeHorCursor) : QCursor(Qt::SizeVerCursor);
            if (nob < 4)
                cursor = nob % 2 == 0 ? m_angle135ResizeCursor : m_angle45ResizeCursor;
            m_cursorRects.append({QRectF(centre.x() - 3.5, centre.y() - 3.5, 7, 7), cursor});
        }
        if (inside(grown(hit, pressMargin), m_lastPoint))
            setCursorForNob();
    }
}

void HagakiView::setCursorForNob()
{
    switch (m_handleId) {
    case -1:
        setCursor(m_isDragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
        break;
    case 4:
    case 6:
        setCursor(Qt::SizeHorCursor);
        break;
    case 5:
    case 7:
        setCursor(Qt::SizeVerCursor);
        break;
    default:
        // The corners keep the cursor their rectangle gave.
        break;
    }
}

void HagakiView::setHoverCursor(const QPointF &point)
{
    for (auto area = m_cursorRects.crbegin(); area != m_cursorRects.crend(); ++area) {
        if (inside(area->rect, point)) {
            setCursor(area->cursor);
            return;
        }
    }
    setCursor(Qt::ArrowCursor);
}

// --- Mouse ------------------------------------------------------------------

void HagakiView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        mouseDown(mapToBounds(event->position()));
}

void HagakiView::mouseDown(const QPointF &point)
{
    m_lastPoint = point;
    if (!m_layoutMode)
        return;
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (!object->selected)
            continue;
        const QRectF hit = drawnRect(*object);
        if (isShown(*object) && inside(grown(hit, pressMargin), point)) {
            pressSelectedBlock(hit);
            return;
        }
        object->selected = false;
        resetCursorRects();
        setCursor(Qt::ArrowCursor);
        update();
    }
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        object->selected = false;
        const QRectF hit = drawnRect(*object);
        if (isShown(*object) && inside(grown(hit, pressMargin), point)) {
            object->selected = true;
            pressNewBlock(hit);
            return;
        }
    }
    resetCursorRects();
    update();
}

void HagakiView::pressNewBlock(const QRectF &hit)
{
    if (hit.width() <= 0) {
        resetCursorRects();
        update();
        return;
    }
    m_isDragging = true;
    m_handleId = handleAtPoint(m_lastPoint, hit);
    if (m_handleId >= 0) {
        resetCursorRects();
    } else if (inside(hit, m_lastPoint)) {
        resetCursorRects();
        setCursor(Qt::ClosedHandCursor);
    }
    // A press in the margin just outside the block still moves it.
    update();
}

void HagakiView::pressSelectedBlock(const QRectF &hit)
{
    if (inside(QRectF(hit.x(), hit.y() + hit.height() - deadCorner, deadCorner, deadCorner), m_lastPoint))
        return;
    m_handleId = handleAtPoint(m_lastPoint, hit);
    if (m_handleId >= 0) {
        m_isDragging = true;
    } else if (inside(grown(hit, grabMargin), m_lastPoint)) {
        m_isDragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
}

void HagakiView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const QPointF point = mapToBounds(event->position());
    if (!(event->buttons() & Qt::LeftButton)) {
        setHoverCursor(point);
        return;
    }
    if (!m_isDragging)
        return;
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (!object->selected)
            continue;
        const QPointF delta = point - m_lastPoint;
        m_lastPoint = point;
        if (m_handleId >= 0)
            resizeBlock(*object, delta);
        else
            dragBlock(*object, delta);
    }
}

void HagakiView::dragBlock(TextObject &object, const QPointF &delta)
{
    object.rect.translate(delta);
    object.textRect.translate(delta);
    // An envelope is fitted from its box: the box goes where the block went.
    if (object.isEnvelopeBlock())
        object.box = object.rect;
    object.dirty = TextObject::Moved;
    update();
}

void HagakiView::resizeBlock(TextObject &object, const QPointF &delta)
{
    const Resize &resize = resizes.at(m_handleId);
    QRectF rect = object.rect;
    rect = QRectF(rect.x() + resize.x * delta.x(), rect.y() + resize.y * delta.y(),
        std::max(rect.width() + resize.width * delta.x(), smallestWidth),
        std::max(rect.height() + resize.height * delta.y(), smallestHeight));
    // Past the smallest size the block slides with the pointer; it stays on
    // the paper when it fits.
    const QRectF paper = bounds();
    if (rect.x() < 0)
        rect.moveLeft(0);
    else if (rect.right() > paper.width())
        rect.moveLeft(paper.width() - rect.width());
    if (rect.y() < 0)
        rect.moveTop(0);
    else if (rect.bottom() > paper.height())
        rect.moveTop(paper.height() - rect.height());
    object.rect = rect;
    if (object.isEnvelopeBlock())
        object.box = rect;
    object.dirty = TextObject::Resized;
    setNeedsLayout(true);
    resetCursorRects();
    update();
}

void HagakiView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_isDragging = false;
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (!object->selected)
            continue;
        setCursorForNob();
        m_handleId = -1;
    }
    saveChangedBlocks();
}

// --- Keys -------------------------------------------------------------------

void HagakiView::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    if (!m_layoutMode)
        return;
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (object->selected)
            nudgeBlock(*object, arrowKeyCode(event->key()));
    }
}

void HagakiView::nudgeBlock(TextObject &object, int keyCode)
{
    QRectF rect = object.rect;
    switch (keyCode) {
    case LeftArrow:
        rect.translate(-1, 0);
        break;
    case RightArrow:
        rect.translate(1, 0);
        break;
    case DownArrow:
        rect.translate(0, 1);
        break;
    case UpArrow:
        rect.translate(0, -1);
        break;
    default:
        break;
    }
    // Any key pulls a block that lies partly off the paper back onto it.
    const QRectF paper = bounds();
    rect.moveLeft(std::max(rect.x(), 0.0));
    rect.moveTop(std::max(rect.y(), 0.0));
    if (rect.x() + rect.width() > paper.right())
        rect.moveLeft(paper.right() - rect.width());
    if (rect.y() + rect.height() > paper.bottom())
        rect.moveTop(paper.bottom() - rect.height());
    if (rect != object.rect)
        dragBlock(object, rect.topLeft() - object.rect.topLeft());
    update();
}

void HagakiView::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
    // A key held down repeats; what it moved is saved once, when it is let go.
    if (!event->isAutoRepeat())
        saveChangedBlocks();
}

// --- Saving ---------------------------------------------------------------

void HagakiView::saveChangedBlocks()
{
    if (!m_layoutMode)
        return;
    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (!object->selected || object->dirty == TextObject::Unchanged)
            continue;
        object->dirty = TextObject::Unchanged;
        saveBlock(*object);
    }
}

void HagakiView::saveBlock(const TextObject &object)
{
    if (object.isEnvelopeBlock()) {
        saveEnvelopeBlock(object);
        return;
    }
    const bool sender = object.isSender();
    const PrintContactRecordPtr record = sender ? m_document.sender() : shownReceiver();
    if (record && !sender && !record->layoutDict)
        record->layoutDict = std::make_shared<LabeledValueRecord>();
    if (record && record->layoutDict) {
        HagakiLayoutFields &layout = *record->layoutDict->layout;
        // Adding 0 turns a -0 into 0, as the frames have always been kept.
        const auto frame
            = [](const QRectF &r) { return QRectF(r.x() + 0., r.y() + 0., r.width() + 0., r.height() + 0.); };
        (sender ? layout.senderName : layout.receiverName) = frame(nameBlock(sender).rect);
        (sender ? layout.senderAddress : layout.receiverAddress) = frame(addressBlock(sender).rect);
    }
    postTextObjectChanged(object);
}

void HagakiView::saveEnvelopeBlock(const TextObject &object)
{
    PrintOptionsRecordPtr options = m_document.options();
    if (!options) {
        options = std::make_shared<PrintOptionsRecord>();
        m_document.setOptions(options);
    }
    QVariantMap envelope = m_document.optionDictionary(Envelope);
    QVariantMap rectDicts = PrintOptionValue::dictionary(envelope, RectDicts);
    const QString paperName = m_document.paper() ? m_document.paper()->paperName() : QString();
    QVariantMap paper = PrintOptionValue::dictionary(rectDicts, paperName);
    const bool upDown = object.textDirection == QLatin1String("Up-Down");
    const QString &key
        = object.isSender() ? (upDown ? SenderRectUpDown : SenderRect) : (upDown ? ReceiverRectUpDown : ReceiverRect);
    paper.insert(key, RectText::toString(object.rect));
    rectDicts.insert(paperName, paper);
    envelope.insert(RectDicts, rectDicts);
    options->insert(Envelope, envelope);
    PrintOptions::storePrintOptions(*options, m_userDefaults ? *m_userDefaults : UserDefaults::standardUserDefaults());
}

bool HagakiView::isShown(const TextObject &object) const
{
    const bool hasSender = m_document.sender() != nullptr;
    switch (m_document.style()) {
    case PrintStyleKind::Envelope:
        return object.isEnvelopeBlock() && (object.isSender() ? hasSender : !receivers().isEmpty());
    case PrintStyleKind::Hagaki:
        if (object.isEnvelopeBlock())
            return false;
        return object.isSender() ? hasSender : !PostcardPages(m_document).isSendersOwnCard(shownReceiver());
    case PrintStyleKind::Labels:
    case PrintStyleKind::AddressList:
        break;
    }
    return false;
}
