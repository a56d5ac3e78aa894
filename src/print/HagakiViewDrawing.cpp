#include "print/HagakiView.h"

#include "model/HagakiLayoutFields.h"
#include "platform/widgets/FontResolver.h"
#include "print/AddressBlock.h"
#include "print/PostalCodeBoxes.h"
#include "print/PrintOptionValue.h"
#include "print/TextGlyphs_p.h"
#include "print/VerticalText.h"

#include <QGuiApplication>
#include <QHash>
#include <QPalette>

#include <algorithm>
#include <cmath>

using namespace PrintOptionsKey;

namespace {

// The card as the screen shows it: pale yellow, with the printed face of the
// chosen card type drawn over it.
const QColor cardColour = QColor::fromRgbF(1, 1, 0.7);

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

void HagakiView::drawHagakiRect(const QRectF &rect, DrawList &drawList)
{
    const double paperHeight = paperSize().height();
    const qsizetype page
        = paperHeight > 0 ? static_cast<qsizetype>(std::floor((rect.y() + rect.height() * 0.5) / paperHeight)) : 0;
    const QPointF origin = pageOrigin(m_printing ? double(page) * paperHeight : 0);
    if (!m_printing)
        drawCard(drawList);
    else if (page >= 0 && page < m_receivers.size())
        updateTextObjectForReceiver(m_receivers.at(page));

    for (const TextObjectPtr &object : std::as_const(m_objectTable)) {
        if (object->isSender() ? !m_senderPerson : skipsReceiverBlocks(page))
            continue;
        if (object->rect.width() <= 0)
            continue;
        drawBlock(*object, origin, drawList);
        noteUndrawable(drawList, object->isSender() ? m_senderPerson : pagePerson(page));
        if (m_layoutMode)
            drawRubberBand(object->rect.translated(origin), object->selected, drawList);
    }
}

PrintContactRecordPtr HagakiView::pagePerson(qsizetype page) const
{
    if (!m_printing)
        return shownReceiver();
    return page >= 0 && page < m_receivers.size() ? m_receivers.at(page) : nullptr;
}

void HagakiView::noteUndrawable(DrawList &drawList, const PrintContactRecordPtr &record)
{
    if (!drawList.takeIncomplete())
        return;
    const QString identifier = record ? record->uniqueId.toString() : QString();
    qWarning("%s: ERROR no face can draw all the text of contact %s; the page shows the rest", Q_FUNC_INFO,
        qPrintable(identifier));
    const bool noted = std::any_of(m_undrawn.cbegin(), m_undrawn.cend(), [&record](const PrintContactRecordPtr &other) {
        return other == record || (other && other->isSameRowAs(record.get()));
    });
    if (record && !noted)
        m_undrawn.append(record);
}

QStringList HagakiView::undrawnContacts() const
{
    QStringList names;
    for (const PrintContactRecordPtr &record : m_undrawn) {
        QString name = record->compositeName;
        if (name.isEmpty() && record->name)
            name = record->name->stringValue;
        names.append(name.isEmpty() ? record->uniqueId.toString() : name);
    }
    return names;
}

QPointF HagakiView::pageOrigin(double pageOffset) const
{
    const QPointF margins(optionNumber(LeftMargin), optionNumber(TopMargin) + pageOffset);
    // A printer's painter starts at the corner of the part of the paper it
    // reaches, so a page is drawn that much up and left to land where the
    // preview shows it.
    return m_printing ? margins - imageableBounds().topLeft() : margins;
}

bool HagakiView::skipsReceiverBlocks(qsizetype page) const
{
    // The preview of the sender's own row shows the sender's blocks alone. A
    // print job asks the same of each page's own receiver: were it to ask of
    // the first, a job whose first row is the sender would print no card's
    // address at all.
    const PrintContactRecordPtr person = pagePerson(page);
    return person == m_senderPerson || (person && person->isSameRowAs(m_senderPerson.get()));
}

void HagakiView::drawCard(DrawList &drawList) const
{
    const QSizeF paper = paperSize();
    const QRectF card(0, 0, paper.width(), paper.height());
    drawList.add(FilledRect{card, cardColour});
    drawList.add(FilledRect{imageableBounds().translated(card.topLeft()), Qt::white});
    const QString type = PrintOptionValue::text(optionDictionary(Hagaki).value(HagakiType));
    for (const CardPicture &picture : cardPictures) {
        if (type == QLatin1String(picture.type))
            drawList.add(
                PlacedImage{cardImage(picture.resource), picture.target, QPainter::CompositionMode_SourceAtop, false});
    }
    QPen gridPen(QGuiApplication::palette().color(QPalette::Window), 0.2);
    drawList.add(StrokedPath{cardGrid(card, optionNumber(TopMargin)), gridPen});
}

void HagakiView::drawBlock(const TextObject &object, const QPointF &origin, DrawList &drawList) const
{
    drawTextObject(object, object.rect.translated(origin), drawList);
    if (object.kind == TextObjectKey::Name)
        return;
    const QString code = object.adrsDict ? object.adrsDict->addressParts().zip : QString();
    const std::optional<QRectF> &boxes = object.isSender() ? object.senderZipRect : object.receiverZipRect;
    if (!code.isEmpty() && boxes)
        PostalCodeBoxes::drawZIPcode(code, boxes->topLeft() + origin, object.type, drawList);
}

QRectF HagakiView::drawTextObject(const TextObject &object, const QRectF &rect, DrawList &drawList) const
{
    if (object.kind == TextObjectKey::Address) {
        // Every further column ends at the block's bottom edge.
        drawColumns(object.addressArray, object.fontSize, object.widthArray, rect.right(), rect.y(), rect.bottom(),
            object.lineHeight, drawList);
        return rect;
    }
    // A combined block is an envelope's, drawn here only while the table
    // still holds the envelope's blocks: nothing marks it vertical for this
    // page, so its styled text stands unturned at the top-left corner.
    if (object.kind != TextObjectKey::Name) {
        if (TextGlyphs::isDrawableSize(object.fontSize))
            AddressBlock(object).drawStyled(object.fontSize, rect.topLeft(), drawList);
        return rect;
    }
    const HagakiLayoutFields *layout = object.layoutDict ? &*std::as_const(object.layoutDict->layout) : nullptr;
    ColumnEnd column{rect.right(), rect.y()};
    double nameTop = rect.y();
    if (layout && layout->printsCompany() && !object.company.isEmpty()) {
        // Every further company line ends where the first one ends, and the
        // name begins where the company would have put its next line.
        const QStringList lines = object.company.split(u'\n');
        const QList<double> &widths = object.companyWidthArray;
        const double end = widths.isEmpty() ? rect.y() : rect.y() + widths.first();
        column
            = drawColumns(lines, object.companyFontSize, widths, column.x, rect.y(), end, object.lineHeight, drawList);
        nameTop = lines.size() < widths.size() ? end - widths.at(lines.size()) : column.top;
    }
    const QStringList lines = nameString(object, layout, object.isSender()).split(u'\n');
    const QList<double> &widths = object.nameWidthArray;
    const double end = widths.isEmpty() ? rect.y() : rect.y() + widths.first();
    drawColumns(lines, object.nameFontSize, widths, column.x, nameTop, end, object.lineHeight, drawList);
    return rect;
}

HagakiView::ColumnEnd HagakiView::drawColumns(const QStringList &lines, double size, const QList<double> &widths,
    double x, double firstTop, double end, double pitch, DrawList &drawList) const
{
    ColumnEnd column{x, firstTop};
    if (!TextGlyphs::isDrawableSize(size)) {
        // Layout never sizes text so: what the block holds cannot be drawn.
        if (!lines.join(QString()).isEmpty())
            drawList.markIncomplete();
        return column;
    }
    const QFont font = FontResolver::font(m_selectedTategakiFontName, size);
    for (qsizetype line = 0; line < lines.size(); ++line) {
        if (line > 0 && line < widths.size())
            column.top = end - widths.at(line);
        VerticalText::setColumns(
            lines.at(line), font, QPointF(column.x, column.top), VerticalText::downward, &drawList);
        column.x -= pitch;
    }
    return column;
}
