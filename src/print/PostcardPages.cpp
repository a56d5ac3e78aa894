#include "print/PostcardPages.h"

#include "model/HagakiLayoutFields.h"
#include "platform/widgets/FontResolver.h"
#include "print/AddressBlock.h"
#include "print/PostalCodeBoxes.h"
#include "print/PostcardLayout.h"
#include "print/PrintDocument.h"
#include "print/TextGlyphs_p.h"
#include "print/UndrawnContacts.h"
#include "print/VerticalText.h"

PostcardPages::PostcardPages(const PrintDocument &document)
    : m_document(document)
{
}

int PostcardPages::pageCount() const
{
    return static_cast<int>(m_document.receivers().size());
}

void PostcardPages::drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const
{
    const qsizetype index = m_document.stripOfPage(page);
    const PrintContactRecordPtr receiver
        = index >= 0 && index < m_document.receivers().size() ? m_document.receivers().at(index) : nullptr;
    // Each page lays out its own card: nothing of one page is left for the
    // next.
    const QList<TextObjectPtr> blocks = PostcardLayout::blockTable();
    const PostcardLayout layout(m_document);
    if (receiver)
        layout.layOut(blocks, *receiver, false);
    if (m_document.sender())
        layout.layOut(blocks, *m_document.sender(), true);
    const double pageOffset = double(index) * m_document.paperSize().height();
    drawBlocks(blocks, receiver, m_document.blockOrigin(pageOffset), drawList, undrawn);
}

void PostcardPages::drawBlocks(const QList<TextObjectPtr> &blocks, const PrintContactRecordPtr &receiver,
    const QPointF &origin, DrawList &drawList, UndrawnContacts &undrawn, const BlockDrawn &drawn) const
{
    const PrintContactRecordPtr &sender = m_document.sender();
    const bool sendersOwnCard = isSendersOwnCard(receiver);
    for (const TextObjectPtr &object : blocks) {
        if (object->isSender() ? !sender : sendersOwnCard)
            continue;
        if (object->rect.width() <= 0)
            continue;
        drawBlock(*object, origin, drawList);
        undrawn.note(drawList, object->isSender() ? sender : receiver);
        if (drawn)
            drawn(*object, object->rect.translated(origin), drawList);
    }
}

bool PostcardPages::isSendersOwnCard(const PrintContactRecordPtr &receiver) const
{
    // A print job asks this of each page's own receiver: were it to ask of
    // the first, a job whose first row is the sender would print no card's
    // address at all.
    const PrintContactRecordPtr &sender = m_document.sender();
    return receiver == sender || (receiver && receiver->isSameRowAs(sender.get()));
}

void PostcardPages::drawBlock(const TextObject &object, const QPointF &origin, DrawList &drawList) const
{
    drawTextObject(object, object.rect.translated(origin), drawList);
    if (object.kind == TextObjectKey::Name)
        return;
    const QString code = object.adrsDict ? object.adrsDict->addressParts().zip : QString();
    const std::optional<QRectF> &boxes = object.isSender() ? object.senderZipRect : object.receiverZipRect;
    if (!code.isEmpty() && boxes)
        PostalCodeBoxes::drawZIPcode(code, boxes->topLeft() + origin, object.type, drawList);
}

QRectF PostcardPages::drawTextObject(const TextObject &object, const QRectF &rect, DrawList &drawList) const
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
    const QStringList lines = PostcardLayout(m_document).nameString(object, layout, object.isSender()).split(u'\n');
    const QList<double> &widths = object.nameWidthArray;
    const double end = widths.isEmpty() ? rect.y() : rect.y() + widths.first();
    drawColumns(lines, object.nameFontSize, widths, column.x, nameTop, end, object.lineHeight, drawList);
    return rect;
}

PostcardPages::ColumnEnd PostcardPages::drawColumns(const QStringList &lines, double size, const QList<double> &widths,
    double x, double firstTop, double end, double pitch, DrawList &drawList) const
{
    ColumnEnd column{x, firstTop};
    if (!TextGlyphs::isDrawableSize(size)) {
        // Layout never sizes text so: what the block holds cannot be drawn.
        if (!lines.join(QString()).isEmpty())
            drawList.markIncomplete();
        return column;
    }
    const QFont font = FontResolver::font(m_document.columnFontName(), size);
    for (qsizetype line = 0; line < lines.size(); ++line) {
        if (line > 0 && line < widths.size())
            column.top = end - widths.at(line);
        VerticalText::setColumns(
            lines.at(line), font, QPointF(column.x, column.top), VerticalText::downward, &drawList);
        column.x -= pitch;
    }
    return column;
}
