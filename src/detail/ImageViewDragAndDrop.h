#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

#include <optional>

class ImageViewDragAndDropDelegate;
class QMimeData;

// The photo well: shows a contact's picture, takes a picture dropped onto it
// while it is editable and tells its delegate, and lets the user drag its
// picture out as PNG or TIFF. What a new picture means is the owner's
// business; the well only holds it.
class ImageViewDragAndDrop : public QWidget {
    Q_OBJECT

public:
    explicit ImageViewDragAndDrop(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    [[nodiscard]] const QImage &image() const { return m_image; }
    // Drops are taken only while editable; the well starts not editable.
    void setEditable(bool editable) { m_editable = editable; }
    [[nodiscard]] bool isEditable() const { return m_editable; }
    // Not owned; told once after each accepted drop.
    void setDelegate(ImageViewDragAndDropDelegate *delegate) { m_delegate = delegate; }
    // A table of the same owner, whose drags the well refuses.
    void setTableView(QWidget *tableView) { m_tableView = tableView; }

    // The owner's own drag in place of the plain picture's: the data the
    // provider makes (null: the picture's) and the actions it allows. A
    // sheet whose well stands for a row of its table drags that row.
    void setDragProvider(std::function<QMimeData *()> provider, Qt::DropActions actions);
    // What a drag out of the well carries now; the caller owns it.
    [[nodiscard]] QMimeData *dragMimeData() const;

    // Whether a drag from the source carrying the data would be taken: the
    // well is editable, a picture can be made of the data, copying is
    // allowed, and the source is neither the well nor its table.
    [[nodiscard]] bool acceptsDrag(const QMimeData *data, const QObject *source, Qt::DropActions actions) const;
    // The picture in image data or in the first image file the data names;
    // null when there is none.
    [[nodiscard]] static QImage imageFromMimeData(const QMimeData *data);
    // What a drag out of the well carries: the picture, encoded only when a
    // destination asks, as PNG or TIFF.
    [[nodiscard]] static QMimeData *mimeDataForImage(const QImage &image);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setHighlight(bool highlight);

    QImage m_image;
    bool m_editable = false;
    bool m_highlight = false;
    ImageViewDragAndDropDelegate *m_delegate = nullptr;
    QPointer<QWidget> m_tableView;
    std::optional<QPoint> m_pressedAt;
    std::function<QMimeData *()> m_dragProvider;
    Qt::DropActions m_dragActions = Qt::CopyAction;
};
