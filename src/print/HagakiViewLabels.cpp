// Mailing labels: sheets of equal labels in a grid, each receiver on a run of
// consecutive labels, each label holding the receiver's block fitted to it.

#include "print/HagakiView.h"

#include "print/AddressBlock.h"
#include "print/LabelBlockCache_p.h"
#include "print/PrintOptionValue.h"

#include <QTransform>

#include <algorithm>
#include <limits>

using namespace PrintOptionsKey;

namespace {

const QColor pageColour = QColor::fromRgbF(1, 1, 0.7);
const QColor frameColour = Qt::gray;
constexpr double frameWidth = 1.5;
// The text stands in from the slot's corner; the frame one point above it.
constexpr QPointF textInset(3, 2);
constexpr double frameRise = 1;
constexpr qint64 mostRepeats = 1000;
constexpr qsizetype fewestLines = 3;
constexpr qsizetype fewestCharacters = 10;

// The label options as the block text reads them. Labels have no switch of
// their own for the postal code: a missing one prints it, as an envelope's
// does once the sheet has stored it.
QVariantMap blockOptions(QVariantMap labels)
{
    if (!labels.contains(PrintZIP))
        labels.insert(PrintZIP, true);
    return labels;
}

// Where the glyph's ink lies on the page.
QRectF inkRect(const PlacedGlyph &glyph)
{
    QTransform placed;
    placed.translate(glyph.anchor.x(), glyph.anchor.y());
    placed.rotate(glyph.angle);
    return placed.mapRect(glyph.font.boundingRect(glyph.glyph).translated(glyph.offset));
}

} // namespace

LabelGrid HagakiView::labelGrid() const
{
    const QVariantMap labels = optionDictionary(MailingLabels);
    const QSizeF label(
        PrintOptionValue::number(labels.value(LabelWidth)), PrintOptionValue::number(labels.value(LabelHeight)));
    const QSizeF gaps(PrintOptionValue::number(labels.value(HGap)), PrintOptionValue::number(labels.value(VGap)));
    const QMarginsF margins(
        optionNumber(LeftMargin), optionNumber(TopMargin), optionNumber(RightMargin), optionNumber(BottomMargin));
    return LabelGrid::make(imageableBounds(), margins, label, gaps, paperSize().height());
}

qint64 HagakiView::labelRepeatCount() const
{
    return std::min(PrintOptionValue::integer(optionDictionary(MailingLabels).value(RepeatCount)), mostRepeats);
}

double HagakiView::labelStartingSize(const QString &blockText, const QSizeF &label)
{
    const double lines = double(std::max(blockText.count(u'\n') + 1, fewestLines));
    const double characters = double(std::max(AddressBlock::longestLineLength(blockText), fewestCharacters));
    const double down = label.height() / lines;
    const double across = 1.2 * label.width() / characters;
    return down < across ? 1.2 * down : across;
}

const TextObject &HagakiView::labelBlock(qsizetype receiver, const LabelGrid &grid)
{
    const QVariantMap options = optionDictionary(MailingLabels);
    if (!m_labelBlocks)
        m_labelBlocks = std::make_unique<LabelBlockCache>();
    if (!m_labelBlocks->fits(options, m_selectedFontName, m_keishou, grid.labelSize)) {
        *m_labelBlocks = LabelBlockCache{options, m_selectedFontName, m_keishou, grid.labelSize, {}, {}};
    }
    auto found = m_labelBlocks->blocks.find(receiver);
    if (found != m_labelBlocks->blocks.end())
        return *found;

    TextObject object;
    object.kind = TextObjectKey::AddressAndName;
    object.type = TextObjectKey::Receiver;
    object.fontName = m_selectedFontName;
    object.blockText = makeAdrsAndNameString(*m_receivers.at(receiver), blockOptions(options), false);
    object.printVertical = PrintOptionValue::flag(options.value(DrawTextInVertical));
    object.textDirection = AddressBlock::leftRight;
    object.verticalFontName = PrintOptionValue::text(options.value(VerticalFontName));
    if (object.verticalFontName.isEmpty())
        object.verticalFontName = m_selectedFontName;
    const AddressBlock block(object, AddressBlock::VerticalMeasure::SetDownAndTurned);
    AddressBlock::Fitted fitted = block.fit(labelStartingSize(object.blockText, grid.labelSize), grid.labelSize);
    if (AddressBlock::overflows(fitted.extent, grid.labelSize)) {
        // The fitting steps left it too large, as they do a company's four
        // address lines: it is set smaller, into the room right of and below
        // where its text begins, down to a readable size, and cut beyond.
        const QSizeF room = grid.labelSize - QSizeF(textInset.x(), textInset.y());
        fitted = block.shrunkToFit(fitted, room, AddressBlock::readableSize);
        if (AddressBlock::overflows(fitted.extent, room))
            m_labelBlocks->cut.insert(receiver);
    }
    object.fontSize = fitted.size;
    object.textRect = QRectF(QPointF(0, 0), fitted.extent);
    return *m_labelBlocks->blocks.insert(receiver, object);
}

void HagakiView::drawCutAtLabel(
    const TextObject &object, const QRectF &textRect, const QRectF &label, DrawList &drawList) const
{
    DrawList block;
    drawFittedBlock(object, textRect, block);
    for (const DrawItem &item : block.items()) {
        const auto *glyph = std::get_if<PlacedGlyph>(&item);
        const QRectF ink = glyph ? inkRect(*glyph) : QRectF();
        // A blank has no ink to cut.
        if (ink.isEmpty() || label.contains(ink))
            drawList.add(item);
    }
    if (block.isIncomplete())
        drawList.markIncomplete();
}

void HagakiView::drawLabels(const QRectF &rect, DrawList &drawList)
{
    const LabelGrid grid = labelGrid();
    const qint64 page = grid.pageAt(rect.y());
    if (!m_printing) {
        const QRectF shown = bounds();
        const QRectF strip(shown.x(), shown.y() + double(page) * grid.paperHeight, shown.width(), grid.paperHeight);
        drawList.add(FilledRect{strip, pageColour});
        drawList.add(FilledRect{imageableBounds().translated(strip.topLeft()), Qt::white});
    }
    const qint64 repeat = labelRepeatCount();
    // A label of nothing has no room for text, and its frame would be a line.
    if (m_receivers.isEmpty() || repeat <= 0 || page < 0 || !(grid.labelSize.width() > 0)
        || !(grid.labelSize.height() > 0))
        return;
    const bool framed = PrintOptionValue::flag(optionDictionary(MailingLabels).value(PrintFrame));
    // Only the receivers with a label on this page are fitted: the same
    // labels as fitting all of them, without the cost for every page.
    const qint64 perPage = grid.labelsPerPage();
    const qint64 firstSlot = page * perPage;
    const qint64 receivers = m_receivers.size();
    const qint64 first = std::min(firstSlot / repeat, receivers);
    const qint64 last = std::min((firstSlot + perPage - 1) / repeat, receivers - 1);
    for (qint64 receiver = first; receiver <= last; ++receiver) {
        const TextObject &object = labelBlock(receiver, grid);
        for (qint64 j = 0; j < repeat; ++j) {
            const qint64 slot = receiver * repeat + j;
            if (grid.pageOfSlot(slot) != page)
                continue;
            const QRectF slotRect = grid.slotRect(slot);
            const QRectF textRect(slotRect.topLeft() + textInset, slotRect.size());
            if (m_labelBlocks->cut.contains(receiver))
                drawCutAtLabel(object, textRect, slotRect, drawList);
            else
                drawFittedBlock(object, textRect, drawList);
            noteUndrawable(drawList, m_receivers.at(receiver));
            if (framed) {
                QPainterPath frame;
                frame.addRect(slotRect.translated(0, -frameRise));
                drawList.add(StrokedPath{frame, QPen(frameColour, frameWidth)});
            }
        }
    }
}
