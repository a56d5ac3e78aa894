#include "detail/ImageViewDragAndDrop.h"

#include "detail/ImageViewDragAndDropDelegate.h"

#include <QApplication>
#include <QBuffer>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace {

const QString pngType = QStringLiteral("image/png");
const QString tiffType = QStringLiteral("image/tiff");
// The frame drawn while a drop that would be taken hovers.
constexpr qreal highlightWidth = 10;

// Encodes the picture only when a destination reads it.
class ImageMimeData : public QMimeData {
public:
    explicit ImageMimeData(const QImage &image)
        : m_image(image)
    {
    }

    [[nodiscard]] QStringList formats() const override
    {
        return {pngType, tiffType, QStringLiteral("application/x-qt-image")};
    }
    [[nodiscard]] bool hasFormat(const QString &type) const override { return formats().contains(type); }

protected:
    [[nodiscard]] QVariant retrieveData(const QString &type, QMetaType metaType) const override
    {
        if (type == QStringLiteral("application/x-qt-image"))
            return m_image;
        if (type != pngType && type != tiffType)
            return QMimeData::retrieveData(type, metaType);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!m_image.save(&buffer, type == pngType ? "PNG" : "TIFF"))
            qWarning("%s: ERROR can't encode the picture as %s", Q_FUNC_INFO, qPrintable(type));
        return bytes;
    }

private:
    QImage m_image;
};

} // namespace

ImageViewDragAndDrop::ImageViewDragAndDrop(QWidget *parent)
    : QWidget(parent)
{
    setAcceptDrops(true);
}

void ImageViewDragAndDrop::setImage(const QImage &image)
{
    m_image = image;
    update();
}

QImage ImageViewDragAndDrop::imageFromMimeData(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return image;
    }
    for (const QString &type : {pngType, tiffType, QStringLiteral("image/jpeg")}) {
        if (data->hasFormat(type)) {
            const QImage image = QImage::fromData(data->data(type));
            if (!image.isNull())
                return image;
        }
    }
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QImage image(url.toLocalFile());
        if (!image.isNull())
            return image;
    }
    return {};
}

bool ImageViewDragAndDrop::acceptsDrag(const QMimeData *data, const QObject *source, Qt::DropActions actions) const
{
    if (!m_editable || !(actions & Qt::CopyAction) || source == this)
        return false;
    if (m_tableView && source
        && (source == m_tableView || m_tableView->isAncestorOf(qobject_cast<const QWidget *>(source))))
        return false;
    return !imageFromMimeData(data).isNull();
}

void ImageViewDragAndDrop::setHighlight(bool highlight)
{
    if (m_highlight == highlight)
        return;
    m_highlight = highlight;
    update();
}

void ImageViewDragAndDrop::dragEnterEvent(QDragEnterEvent *event)
{
    if (!acceptsDrag(event->mimeData(), event->source(), event->possibleActions())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setHighlight(true);
}

void ImageViewDragAndDrop::dragMoveEvent(QDragMoveEvent *event)
{
    if (!m_highlight) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void ImageViewDragAndDrop::dragLeaveEvent(QDragLeaveEvent *event)
{
    setHighlight(false);
    event->accept();
}

// A drop of data that holds no picture fails: the picture stays and the
// delegate hears nothing.
void ImageViewDragAndDrop::dropEvent(QDropEvent *event)
{
    setHighlight(false);
    const QImage image = event->source() == this ? QImage() : imageFromMimeData(event->mimeData());
    if (!m_editable || image.isNull()) {
        event->ignore();
        return;
    }
    setImage(image);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (m_delegate)
        m_delegate->imageDidChange(this);
}

void ImageViewDragAndDrop::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedAt = event->position().toPoint();
    QWidget::mousePressEvent(event);
}

// The drag starts once the mouse has moved the drag distance, so a click
// stays a click.
void ImageViewDragAndDrop::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressedAt || m_image.isNull()
        || (event->position().toPoint() - *m_pressedAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressedAt.reset();
    auto *drag = new QDrag(this);
    drag->setMimeData(dragMimeData());
    drag->setPixmap(QPixmap::fromImage(m_image.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    drag->exec(m_dragProvider ? m_dragActions : Qt::CopyAction);
}

void ImageViewDragAndDrop::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressedAt.reset();
    QWidget::mouseReleaseEvent(event);
}

void ImageViewDragAndDrop::setDragProvider(std::function<QMimeData *()> provider, Qt::DropActions actions)
{
    m_dragProvider = std::move(provider);
    m_dragActions = actions;
}

QMimeData *ImageViewDragAndDrop::dragMimeData() const
{
    QMimeData *data = m_dragProvider ? m_dragProvider() : nullptr;
    return data ? data : mimeDataForImage(m_image);
}

QMimeData *ImageViewDragAndDrop::mimeDataForImage(const QImage &image)
{
    return new ImageMimeData(image);
}

void ImageViewDragAndDrop::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_image.isNull()) {
        const QSize shown = m_image.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint(0, (height() - shown.height()) / 2), shown);
        painter.drawImage(target, m_image);
    }
    if (m_highlight) {
        painter.setPen(QPen(Qt::gray, highlightWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            QRectF(rect()).adjusted(highlightWidth / 2, highlightWidth / 2, -highlightWidth / 2, -highlightWidth / 2));
    }
}
