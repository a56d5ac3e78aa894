#pragma once

#include "print/DrawList.h"
#include "print/LabelGrid.h"
#include "print/ListRowText.h"
#include "print/PostcardLayoutView.h"
#include "print/PrintContactRecord.h"
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

#include <memory>
#include <optional>

class AddressListFlow;
struct HagakiLayoutFields;
struct LabelBlockCache;
class UserDefaults;

// The one view that lays out and draws addresses in every print style:
// Japanese postcards ("Hagaki"), envelopes, mailing labels and address lists.
// The preview shows one page of it and a print job pages through a view of
// its own. Its state and drawing never depend on its being shown: drawRect()
// paints a page in points on any painter, for the screen, a printer, a PDF or
// an image alike.
//
// Coordinates are points with y growing downward. A print view stacks its
// pages, one paper height each, and page n is the strip n − 1, so the pages
// come out in the table's order. On screen the view shows its bounds (the
// paper) scaled to its size.
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
    static inline const QString &hagakiStyle = PrintStyleName::hagaki;
    static inline const QString &envelopeStyle = PrintStyleName::envelope;
    static inline const QString &labelsStyle = PrintStyleName::labels;
    static inline const QString &addressListStyle = PrintStyleName::addressList;

    explicit HagakiView(QWidget *parent = nullptr);
    ~HagakiView() override;

    // Options first, then style, print info, receivers and sender.
    void setPrintOptions(const PrintOptionsRecordPtr &options);
    [[nodiscard]] const PrintOptionsRecordPtr &printOptions() const { return m_printOptions; }
    // The style is read from its name here only.
    void setSelectedStyle(const QString &style) { m_style = PrintStyleName::style(style); }
    [[nodiscard]] PrintStyleKind style() const { return m_style; }
    [[nodiscard]] const PrintInfoPtr &printInfo() const { return m_printInfo; }
    void setPrintInfo(const PrintInfoPtr &printInfo) override { m_printInfo = printInfo; }
    // Shows and lays out the first receiver, and redraws.
    void setReceiverPersons(const PrintContactList &receivers);
    // Shows and lays out the receiver at the index (the first when it is not
    // one of them), and redraws. The other receivers' values are made when a
    // page first draws them.
    void setReceivers(const PrintReceivers &receivers, qsizetype shown = 0);
    [[nodiscard]] const PrintReceivers &receivers() const { return m_receivers; }
    // Every receiver's value, each made now that was not yet.
    [[nodiscard]] PrintContactList receiverPersons() const override { return m_receivers.all(); }
    // The receiver at the index is the one a postcard or envelope shows on
    // screen; the receivers' order, which is the pages', stays.
    void setShownReceiver(qsizetype index);
    [[nodiscard]] PrintContactRecordPtr shownReceiver() const override;
    // Lays out the sender; the caller redraws.
    void setSenderPerson(const PrintContactRecordPtr &sender);
    [[nodiscard]] PrintContactRecordPtr senderPerson() const override { return m_senderPerson; }
    // Re-fits every block in its rectangle, after a block was resized.
    void setNeedsLayout(bool needsLayout);

    [[nodiscard]] bool printing() const { return m_printing; }
    void setPrinting(bool printing) { m_printing = printing; }
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
    [[nodiscard]] const QString &keishou() const { return m_keishou; }
    void setKeishou(const QString &keishou) { m_keishou = keishou; }

    // The receiver's name and address blocks, then the sender's.
    [[nodiscard]] const QList<TextObjectPtr> &objectTable() const { return m_objectTable; }
    [[nodiscard]] TextObject &receiverName() const { return *m_objectTable.at(receiverNameBlock); }
    [[nodiscard]] TextObject &receiverAddress() const { return *m_objectTable.at(receiverAddressBlock); }
    [[nodiscard]] TextObject &senderName() const { return *m_objectTable.at(senderNameBlock); }
    [[nodiscard]] TextObject &senderAddress() const { return *m_objectTable.at(senderAddressBlock); }
    [[nodiscard]] TextObject &nameBlock(bool sender) const { return sender ? senderName() : receiverName(); }
    [[nodiscard]] TextObject &addressBlock(bool sender) const { return sender ? senderAddress() : receiverAddress(); }

    // Paging: the number of pages (also kept for rectForPage() with labels and
    // lists) and the strip of the view that page n, from 1, shows.
    [[nodiscard]] int knowsPageRange();
    [[nodiscard]] QRectF rectForPage(int page) const;

    // The page the rectangle asks for, laid out into what it is drawn from,
    // and painted.
    [[nodiscard]] DrawList drawList(const QRectF &rect);
    void drawRect(QPainter &painter, const QRectF &rect);
    // The contacts, each once, some of whose text the pages drawn since the
    // receivers were set left out, since no face could draw it: their names,
    // or their identifiers when they have none.
    [[nodiscard]] QStringList undrawnContacts() const;

    // Postcard layout: fills the receiver's or the sender's two blocks from
    // the record, in their saved or default rectangles, fitted to them.
    void updateTextObjectForReceiver(const PrintContactRecordPtr &record);
    void updateTextObjectForSender(const PrintContactRecordPtr &record);
    QRectF newAlignName(TextObject &object, const QRectF &rect) const;
    QRectF newAlignAddress(TextObject &object, const QRectF &rect) const;
    void updateTextObject(TextObject &object) const;

    // The name block's text, with this view's honorific.
    [[nodiscard]] QString nameString(const TextObject &object, const HagakiLayoutFields *layout, bool sender) const;

    // Draws a block's columns into the rectangle, which it returns.
    QRectF drawTextObject(const TextObject &object, const QRectF &rect, DrawList &drawList) const;

    // Envelopes and labels: a person's block text, the address lines and then
    // the name, with the honorific unless it is the sender's.
    [[nodiscard]] QString makeAdrsAndNameString(
        const PrintContactRecord &record, const QVariantMap &options, bool forSender) const;
    // Fits the receiver's or the sender's envelope block from its box into
    // the text object, placing a box that has no position of its own; null
    // without a record.
    TextObject *makeTextObject(const PrintContactRecordPtr &record, const QVariantMap &options, bool forSender);
    // Draws a fitted block at the rectangle, which it returns.
    QRectF drawFittedBlock(const TextObject &object, const QRectF &rect, DrawList &drawList) const;

    // --- Mailing labels -----------------------------------------------------
    // The sheet's grid on this view's paper, inside the options' margins.
    [[nodiscard]] LabelGrid labelGrid() const;
    // Labels printed for each receiver: "repeatCount", at most 1,000.
    [[nodiscard]] qint64 labelRepeatCount() const;
    // The size a label block's fitting starts from: as if the block had at
    // least 3 lines of at least 10 characters.
    [[nodiscard]] static double labelStartingSize(const QString &blockText, const QSizeF &label);
    // The labels of the page the rectangle asks for, each receiver on
    // "repeatCount" labels in a row.
    void drawLabels(const QRectF &rect, DrawList &drawList);
    // Draws a block larger than its label without the glyphs that would
    // reach past the label's edge, into the next label.
    void drawCutAtLabel(
        const TextObject &object, const QRectF &textRect, const QRectF &label, DrawList &drawList) const;

    // --- Address lists --------------------------------------------------------
    // One item of the contact as a row of the list prints it, set in the
    // list's font, and the number of lines it takes.
    [[nodiscard]] ListRowText formattedStringOfContact(const PrintContactRecord &contact, const ContactIdentifier &type,
        const QStringList &labels, double indent) const;
    [[nodiscard]] static int linesInFormattedStringOfContact(
        const PrintContactRecord &contact, const ContactIdentifier &type, const QStringList &labels);
    // The rows of the page the rectangle asks for.
    void drawAddressList(const QRectF &rect, DrawList &drawList);
    // "fontName" at the integer part of "fontSize" (14 below 1 pt).
    [[nodiscard]] QFont addressListFont() const;
    // The rows flowed down the pages for the receivers, options and paper
    // now set; kept until one of them changes.
    [[nodiscard]] AddressListFlow &addressListFlow();

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
    [[nodiscard]] QSizeF paperSize() const;
    [[nodiscard]] QRectF imageableBounds() const;
    [[nodiscard]] bool isPostcardStyle() const;
    [[nodiscard]] double optionNumber(const QString &key) const;
    [[nodiscard]] QVariantMap optionDictionary(const QString &key) const;
    [[nodiscard]] int labelPageCount() const;
    // The receiver's block as a label shows it, fitted once and kept while
    // the receivers, the options and the paper stay.
    const TextObject &labelBlock(qsizetype receiver, const LabelGrid &grid);
    // Drops the label blocks and the list's flow laid out for other
    // receivers.
    void forgetLaidOutPages();

    void updateTextObjects(const PrintContactRecordPtr &record, bool sender);
    void fillNameObject(TextObject &object, const PrintContactRecord &record, bool sender) const;
    [[nodiscard]] QRectF postcardNameRect(TextObject &object, bool sender) const;
    [[nodiscard]] QRectF postcardAddressRect(const TextObject &nameObject, const QRectF &nameRect, bool sender) const;
    [[nodiscard]] QRectF envelopeRect(bool sender) const;
    // The frame a layout or the options saved; none when there is none, or
    // one not finite or reaching further than ten times the paper's largest
    // side from its corner.
    [[nodiscard]] std::optional<QRectF> savedFrame(const std::optional<QRectF> &frame) const;
    [[nodiscard]] std::optional<QRectF> savedFrame(const QString &text) const;
    // The font postcard columns are set in, at no particular size.
    [[nodiscard]] QFont tategakiFont() const;

    void drawEnvelopeRect(const QRectF &rect, DrawList &drawList);
    void drawEnvelopeBlock(const PrintContactRecordPtr &record, bool forSender, double pageOffset, DrawList &drawList);
    [[nodiscard]] QPointF pageOrigin(double pageOffset) const;

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

    void drawHagakiRect(const QRectF &rect, DrawList &drawList);
    void drawCard(DrawList &drawList) const;
    void drawBlock(const TextObject &object, const QPointF &origin, DrawList &drawList) const;
    [[nodiscard]] bool skipsReceiverBlocks(qsizetype pageIndex) const;
    // The receiver a page draws: the shown one on screen, the page's own when
    // printing; null past the receivers.
    [[nodiscard]] PrintContactRecordPtr pagePerson(qsizetype page) const;
    // Text of the contact that no face could draw was left out of the page,
    // which shows the rest: the contact is named in the log and kept for
    // undrawnContacts().
    void noteUndrawable(DrawList &drawList, const PrintContactRecordPtr &record);
    // Where the next column stands and where the last one began.
    struct ColumnEnd {
        double x = 0;
        double top = 0;
    };
    // Draws lines as columns from x leftward, one pitch apart: line 0 from
    // firstTop, every further line ending at end (its length taken from
    // widths) when widths has its entry, else beginning where the line before
    // it began.
    ColumnEnd drawColumns(const QStringList &lines, double size, const QList<double> &widths, double x, double firstTop,
        double end, double pitch, DrawList &drawList) const;

    PrintInfoPtr m_printInfo;
    PrintReceivers m_receivers;
    qsizetype m_shownReceiver = 0;
    PrintContactRecordPtr m_senderPerson;
    // The blocks' places in objectTable().
    static constexpr qsizetype receiverNameBlock = 0;
    static constexpr qsizetype receiverAddressBlock = 1;
    static constexpr qsizetype senderNameBlock = 2;
    static constexpr qsizetype senderAddressBlock = 3;
    QList<TextObjectPtr> m_objectTable;
    PrintOptionsRecordPtr m_printOptions;
    PrintStyleKind m_style = PrintStyleKind::Hagaki;
    QString m_selectedFontName = QStringLiteral("Hiragino Kaku Gothic ProN");
    QString m_selectedTategakiFontName;
    QString m_keishou;
    bool m_printing = false;
    bool m_layoutMode = false;
    int m_numberOfPages = 0;
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

    PrintContactList m_undrawn;
    std::unique_ptr<LabelBlockCache> m_labelBlocks;
    std::unique_ptr<AddressListFlow> m_addressListFlow;
};
