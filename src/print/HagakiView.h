#pragma once

#include "print/DrawList.h"
#include "print/PostcardLayout.h"
#include "print/PostcardLayoutView.h"
#include "print/PrintContactRecord.h"
#include "print/PrintDocument.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionsRecord.h"
#include "print/PrintReceivers.h"
#include "print/PrintStyle.h"
#include "print/TextObject.h"

#include <QCursor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>

class UserDefaults;

// The preview of a print document: the first page of its style, scaled to the
// view, with the card or envelope of the receiver the user chose. What it
// shows is drawn as the document draws its pages, over the paper's colour;
// printing reads the document alone and leaves the view as it is.
//
// Coordinates are points with y growing downward. The view shows its bounds
// (the paper) scaled to its size.
//
// In layout mode the user moves and resizes the blocks of the previewed
// postcard or envelope with the mouse and the arrow keys; what changed is
// saved when the button or the key is released: a postcard's blocks into the
// row's layout, announced with textObjectChangedForReceiver or
// textObjectChangedForSender, an envelope's into the print options, stored
// at once.
class HagakiView : public QWidget, public PostcardLayoutView {
    Q_OBJECT

public:
    explicit HagakiView(QWidget *parent = nullptr);
    ~HagakiView() override;

    // What the view shows, and what a print job of the same rows prints.
    [[nodiscard]] const PrintDocument &document() const { return m_document; }

    // Options first, then style, print info, receivers and sender.
    void setPrintOptions(const PrintOptionsRecordPtr &options) { m_document.setOptions(options); }
    [[nodiscard]] const PrintOptionsRecordPtr &printOptions() const { return m_document.options(); }
    // The style is read from its name here only.
    void setSelectedStyle(const QString &style) { m_document.setStyle(PrintStyleName::style(style)); }
    [[nodiscard]] PrintStyleKind style() const { return m_document.style(); }
    [[nodiscard]] const PrintInfoPtr &printInfo() const { return m_document.paper(); }
    void setPrintInfo(const PrintInfoPtr &printInfo) override { m_document.setPaper(printInfo); }
    // Shows and lays out the first receiver, and redraws.
    void setReceiverPersons(const PrintContactList &receivers);
    // Shows and lays out the receiver at the index (the first when it is not
    // one of them), and redraws. The other receivers' values are made when a
    // page first draws them.
    void setReceivers(const PrintReceivers &receivers, qsizetype shown = 0);
    [[nodiscard]] const PrintReceivers &receivers() const { return m_document.receivers(); }
    // Every receiver's value, each made now that was not yet.
    [[nodiscard]] PrintContactList receiverPersons() const { return receivers().all(); }
    // The receiver at the index is the one a postcard or envelope shows on
    // screen; the receivers' order, which is the pages', stays.
    void setShownReceiver(qsizetype index);
    [[nodiscard]] PrintContactRecordPtr shownReceiver() const override;
    // Lays out the sender; the caller redraws.
    void setSenderPerson(const PrintContactRecordPtr &sender);
    [[nodiscard]] PrintContactRecordPtr senderPerson() const override { return m_document.sender(); }
    [[nodiscard]] const QString &keishou() const { return m_document.keishou(); }
    void setKeishou(const QString &keishou) { m_document.setKeishou(keishou); }
    // Re-fits every block in its rectangle, after a block was resized.
    void setNeedsLayout(bool needsLayout);

    [[nodiscard]] bool layoutMode() const { return m_layoutMode; }
    void setLayoutMode(bool layoutMode) { m_layoutMode = layoutMode; }
    // Where the envelope rectangles the user places are stored; the
    // application's own defaults unless set.
    void setUserDefaults(UserDefaults *defaults);

    // The part of the paper the view shows, in points; the whole paper until
    // set. A point of the widget maps to the point of the paper under it.
    [[nodiscard]] QRectF bounds() const;
    void setBounds(const QRectF &bounds) { m_bounds = bounds; }
    [[nodiscard]] QPointF mapToBounds(const QPointF &widgetPoint) const;

    // The shown card's blocks: the receiver's name and address, then the
    // sender's. Layout editing moves them; the preview draws them.
    [[nodiscard]] const QList<TextObjectPtr> &objectTable() const { return m_objectTable; }
    [[nodiscard]] TextObject &receiverName() const { return *m_objectTable.at(PostcardLayout::receiverNameBlock); }
    [[nodiscard]] TextObject &receiverAddress() const
    {
        return *m_objectTable.at(PostcardLayout::receiverAddressBlock);
    }
    [[nodiscard]] TextObject &senderName() const { return *m_objectTable.at(PostcardLayout::senderNameBlock); }
    [[nodiscard]] TextObject &senderAddress() const { return *m_objectTable.at(PostcardLayout::senderAddressBlock); }
    [[nodiscard]] TextObject &nameBlock(bool sender) const { return sender ? senderName() : receiverName(); }
    [[nodiscard]] TextObject &addressBlock(bool sender) const { return sender ? senderAddress() : receiverAddress(); }
    // Fills the receiver's or the sender's blocks from the record, as the
    // style places them.
    void updateTextObjectForReceiver(const PrintContactRecordPtr &record);
    void updateTextObjectForSender(const PrintContactRecordPtr &record);

    // The part of the paper the rectangle asks for as the preview shows it,
    // and painted.
    [[nodiscard]] DrawList drawList(const QRectF &rect);
    void drawRect(QPainter &painter, const QRectF &rect);

    // --- Layout editing -----------------------------------------------------
    // Where the block is drawn and hit on screen: its rectangle moved by the
    // margins and by its page's offset.
    [[nodiscard]] QRectF drawnRect(const TextObject &object) const;
    // The first handle (0-7: corners from the top-left anticlockwise, then
    // the middles of the left, bottom, right and top edges) whose square holds
    // the point, or −1.
    [[nodiscard]] static int handleAtPoint(const QPointF &point, const QRectF &rect);
    // The cursors of the selected block's body and handles, and the cursor
    // under the last mouse position.
    void resetCursorRects();
    // The dashed outline of a block and, with the flag, its eight handles.
    static void drawRubberBand(const QRectF &rect, bool withNob, DrawList &drawList);
    static void drawDashedBox(const QRectF &rect, DrawList &drawList);
    // Tells the window that the user changed a block:
    // textObjectChangedForReceiver for a receiver's block,
    // textObjectChangedForSender for the sender's, with this view as the
    // object.
    void postTextObjectChanged(const TextObject &object);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // A rectangle of the paper and the cursor the pointer takes over it.
    struct CursorRect {
        QRectF rect;
        QCursor cursor;
    };
    void updateTextObjects(const PrintContactRecordPtr &record, bool sender);
    // The style's pages of the document.
    template <typename Pages> [[nodiscard]] const Pages &pagesOf() const
    {
        return dynamic_cast<const Pages &>(m_document.pages());
    }

    // The preview of each style over its paper's colour.
    void drawCard(DrawList &drawList) const;
    void drawPostcard(DrawList &drawList);
    void drawEnvelope(DrawList &drawList);
    void drawLabels(const QRectF &rect, DrawList &drawList);
    void drawAddressList(const QRectF &rect, DrawList &drawList);
    void drawPaperStrip(double top, double height, DrawList &drawList) const;
    // Draws the rubber band of a block drawn there, in layout mode.
    void drawLayoutBand(const TextObject &object, const QRectF &drawn, DrawList &drawList) const;

    void mouseDown(const QPointF &point);
    void pressSelectedBlock(const QRectF &hit);
    // Whether the block is drawn on the previewed page, where it can be hit.
    [[nodiscard]] bool isShown(const TextObject &object) const;
    void pressNewBlock(const QRectF &hit);
    void dragBlock(TextObject &object, const QPointF &delta);
    void resizeBlock(TextObject &object, const QPointF &delta);
    void nudgeBlock(TextObject &object, int key);
    // Saves what the user changed in the selected blocks, in layout mode.
    void saveChangedBlocks();
    void saveBlock(const TextObject &object);
    void saveEnvelopeBlock(const TextObject &object);
    void setCursorForNob();
    void setHoverCursor(const QPointF &point);

    PrintDocument m_document;
    qsizetype m_shownReceiver = 0;
    QList<TextObjectPtr> m_objectTable;
    bool m_layoutMode = false;
    QRectF m_bounds;
    UserDefaults *m_userDefaults = nullptr;

    // Layout editing: the last mouse position on the paper, the handle being
    // dragged (−1: the block is moved), whether a press started a drag.
    QPointF m_lastPoint;
    int m_handleId = -1;
    bool m_isDragging = false;
    QCursor m_angle45ResizeCursor;
    QCursor m_angle135ResizeCursor;
    QList<CursorRect> m_cursorRects;
};
