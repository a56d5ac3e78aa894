// The preview: the page the view shows, over the colour of its paper, with
// the card or envelope of the shown receiver and, in layout mode, the blocks'
// rubber bands.

#include "print/HagakiView.h"

#include "print/AddressListPages.h"
#include "print/EnvelopePages.h"
#include "print/LabelPages.h"
#include "print/PostcardPages.h"
#include "print/PrintOptionValue.h"
#include "print/UndrawnContacts.h"

#include <QGuiApplication>
#include <QHash>
#include <QPalette>

#include <cmath>

using namespace PrintOptionsKey;

namespace {

// Paper as the screen shows it: pale yellow, a card with the printed face of
// the chosen card type drawn over it.
const QColor paperColour = QColor::fromRgbF(1, 1, 0.7);

struct CardPicture {
    const char *type;
    const char *resource;
    QRectF target;
};

const CardPicture cardPictures[] = {
    {"General", ":/Hagaki2022.png", QRectF(0, 0, 285, 420)},
    {"Nenga", ":/Nenga2022.png", QRectF(0, 0, 285, 422)},
};

QImage cardImage(const char *resource)
{
    static QHash<QString, QImage> images;
    const QString name = QString::fromLatin1(resource);
    auto found = images.find(name);
    if (found == images.end()) {
        QImage image(name);
        if (image.isNull())
            qWarning("%s: ERROR can't load %s", Q_FUNC_INFO, resource);
        found = images.insert(name, image);
    }
    return *found;
}

// The 50-point grid that helps the user place blocks on screen.
QPainterPath cardGrid(const QRectF &card, double topMargin)
{
    constexpr double spacing = 50;
    constexpr double gridWidth = 285;
    constexpr double gridHeight = 422;
    QPainterPath grid;
    for (double x = spacing; x < gridWidth; x += spacing) {
        grid.moveTo(x, card.y());
        grid.lineTo(x, topMargin + gridHeight);
    }
    for (double y = std::floor(card.y() + spacing); y < card.y() + gridHeight; y += spacing) {
        grid.moveTo(0, y);
        grid.lineTo(gridWidth, y);
    }
    return grid;
}

} // namespace

DrawList HagakiView::drawList(const QRectF &rect)
{
    DrawList list;
    list.add(FilledRect{rect, Qt::white});
    switch (m_document.style()) {
    case PrintStyleKind::Envelope:
        drawEnvelope(list);
        break;
    case PrintStyleKind::Labels:
        drawLabels(rect, list);
        break;
    case PrintStyleKind::AddressList:
        drawAddressList(rect, list);
        break;
    case PrintStyleKind::Hagaki:
        drawPostcard(list);
        break;
    }
    return list;
}

void HagakiView::drawPaperStrip(double top, double height, DrawList &drawList) const
{
    const QRectF shown = bounds();
    const QRectF strip(shown.x(), shown.y() + top, shown.width(), height);
    drawList.add(FilledRect{strip, paperColour});
    drawList.add(FilledRect{m_document.imageableBounds().translated(strip.topLeft()), Qt::white});
}

void HagakiView::drawLayoutBand(const TextObject &object, const QRectF &drawn, DrawList &drawList) const
{
    if (m_layoutMode)
        drawRubberBand(drawn, object.selected, drawList);
}

void HagakiView::drawPostcard(DrawList &drawList)
{
    drawCard(drawList);
    UndrawnContacts undrawn;
    pagesOf<PostcardPages>().drawBlocks(m_objectTable, shownReceiver(), m_document.blockOrigin(0), drawList, undrawn,
        [this](const TextObject &object, const QRectF &drawn, DrawList &list) { drawLayoutBand(object, drawn, list); });
}

void HagakiView::drawEnvelope(DrawList &drawList)
{
    drawPaperStrip(0, m_document.paperSize().height(), drawList);
    const EnvelopePages &envelopes = pagesOf<EnvelopePages>();
    UndrawnContacts undrawn;
    for (const bool forSender : {false, true}) {
        const PrintContactRecordPtr person = forSender ? m_document.sender() : shownReceiver();
        if (!person)
            continue;
        envelopes.drawBlock(nameBlock(forSender), person, forSender, 0, drawList,
            [this](const TextObject &object, const QRectF &drawn, DrawList &list) {
                drawLayoutBand(object, drawn, list);
            });
        undrawn.note(drawList, person);
    }
}

void HagakiView::drawLabels(const QRectF &rect, DrawList &drawList)
{
    const LabelPages &labels = pagesOf<LabelPages>();
    const LabelGrid grid = labels.labelGrid();
    const qint64 page = grid.pageAt(rect.y());
    drawPaperStrip(double(page) * grid.paperHeight, grid.paperHeight, drawList);
    UndrawnContacts undrawn;
    labels.drawLabels(grid, page, drawList, undrawn);
}

void HagakiView::drawAddressList(const QRectF &rect, DrawList &drawList)
{
    const AddressListPages &list = pagesOf<AddressListPages>();
    const double paperHeight = m_document.paperSize().height();
    const qint64 page = list.pageAt(rect.y());
    // The preview shows its whole page, whatever part of it was asked for.
    QRectF drawn = rect;
    drawn.setSize(m_document.paperSize());
    drawPaperStrip(double(page) * paperHeight, paperHeight, drawList);
    UndrawnContacts undrawn;
    list.drawRows(page, drawn, drawList, undrawn);
}

void HagakiView::drawCard(DrawList &drawList) const
{
    const QSizeF paper = m_document.paperSize();
    const QRectF card(0, 0, paper.width(), paper.height());
    drawList.add(FilledRect{card, paperColour});
    drawList.add(FilledRect{m_document.imageableBounds().translated(card.topLeft()), Qt::white});
    const QString type = PrintOptionValue::text(m_document.optionDictionary(Hagaki).value(HagakiType));
    for (const CardPicture &picture : cardPictures) {
        if (type == QLatin1String(picture.type))
            drawList.add(
                PlacedImage{cardImage(picture.resource), picture.target, QPainter::CompositionMode_SourceAtop});
    }
    QPen gridPen(QGuiApplication::palette().color(QPalette::Window), 0.2);
    drawList.add(StrokedPath{cardGrid(card, m_document.optionNumber(TopMargin)), gridPen});
}
