// Mailing labels: sheets of equal labels in a grid, each receiver on a run of
// consecutive labels, each label holding the receiver's block fitted to it.

#include "print/LabelPages.h"

#include "print/AddressBlock.h"
#include "print/EnvelopePages.h"
#include "print/LabelBlockCache_p.h"
#include "print/PrintDocument.h"
#include "print/PrintOptionValue.h"
#include "print/UndrawnContacts.h"

#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <limits>

using namespace PrintOptionsKey;

namespace {

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

LabelPages::LabelPages(const PrintDocument &document)
    : m_document(document)
{
}

LabelPages::~LabelPages() = default;

int LabelPages::pageCount() const
{
    const qint64 labels = m_document.receivers().size() * labelRepeatCount();
    return static_cast<int>(std::min<qint64>(labelGrid().pageCount(labels), std::numeric_limits<int>::max()));
}

void LabelPages::drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const
{
    const LabelGrid grid = labelGrid();
    drawLabels(grid, grid.pageAt(m_document.pageRect(page).y()), drawList, undrawn);
}

void LabelPages::drawLabels(const LabelGrid &grid, qint64 page, DrawList &drawList, UndrawnContacts &undrawn) const
{
    const PrintReceivers &receivers = m_document.receivers();
    const qint64 repeat = labelRepeatCount();
    // A label of nothing has no room for text, and its frame would be a line.
    if (receivers.isEmpty() || repeat <= 0 || page < 0 || !(grid.labelSize.width() > 0)
        || !(grid.labelSize.height() > 0))
        return;
    const bool framed = PrintOptionValue::flag(m_document.optionDictionary(MailingLabels).value(PrintFrame));
    // Only the receivers with a label on this page are fitted: the same
    // labels as fitting all of them, without the cost for every page.
    const qint64 perPage = grid.labelsPerPage();
    const qint64 firstSlot = page * perPage;
    const qint64 count = receivers.size();
    const qint64 first = std::min(firstSlot / repeat, count);
    const qint64 last = std::min((firstSlot + perPage - 1) / repeat, count - 1);
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
                AddressBlock(object).draw(object.fontSize, textRect, drawList);
            undrawn.note(drawList, receivers.at(receiver));
            if (framed) {
                QPainterPath frame;
                frame.addRect(slotRect.translated(0, -frameRise));
                drawList.add(StrokedPath{frame, QPen(frameColour, frameWidth)});
            }
        }
    }
}

LabelGrid LabelPages::labelGrid() const
{
    const QVariantMap labels = m_document.optionDictionary(MailingLabels);
    const QSizeF label(
        PrintOptionValue::number(labels.value(LabelWidth)), PrintOptionValue::number(labels.value(LabelHeight)));
    const QSizeF gaps(PrintOptionValue::number(labels.value(HGap)), PrintOptionValue::number(labels.value(VGap)));
    const QMarginsF margins(m_document.optionNumber(LeftMargin), m_document.optionNumber(TopMargin),
        m_document.optionNumber(RightMargin), m_document.optionNumber(BottomMargin));
    return LabelGrid::make(m_document.imageableBounds(), margins, label, gaps, m_document.paperSize().height());
}

qint64 LabelPages::labelRepeatCount() const
{
    return std::min(
        PrintOptionValue::integer(m_document.optionDictionary(MailingLabels).value(RepeatCount)), mostRepeats);
}

double LabelPages::labelStartingSize(const QString &blockText, const QSizeF &label)
{
    const double lines = double(std::max(blockText.count(u'\n') + 1, fewestLines));
    const double characters = double(std::max(AddressBlock::longestLineLength(blockText), fewestCharacters));
    const double down = label.height() / lines;
    const double across = 1.2 * label.width() / characters;
    return down < across ? 1.2 * down : across;
}

const TextObject &LabelPages::labelBlock(qsizetype receiver, const LabelGrid &grid) const
{
    const QVariantMap options = m_document.optionDictionary(MailingLabels);
    if (!m_labelBlocks)
        m_labelBlocks = std::make_unique<LabelBlockCache>();
    if (!m_labelBlocks->fits(options, m_document.fontName(), m_document.keishou(), grid.labelSize)) {
        *m_labelBlocks = LabelBlockCache{options, m_document.fontName(), m_document.keishou(), grid.labelSize, {}, {}};
    }
    auto found = m_labelBlocks->blocks.find(receiver);
    if (found != m_labelBlocks->blocks.end())
        return *found;

    TextObject object;
    object.kind = TextObjectKey::AddressAndName;
    object.type = TextObjectKey::Receiver;
    object.fontName = m_document.fontName();
    object.blockText = EnvelopePages(m_document)
                           .makeAdrsAndNameString(*m_document.receivers().at(receiver), blockOptions(options), false);
    object.printVertical = PrintOptionValue::flag(options.value(DrawTextInVertical));
    object.textDirection = AddressBlock::leftRight;
    object.verticalFontName = PrintOptionValue::text(options.value(VerticalFontName));
    if (object.verticalFontName.isEmpty())
        object.verticalFontName = m_document.fontName();
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

void LabelPages::drawCutAtLabel(
    const TextObject &object, const QRectF &textRect, const QRectF &label, DrawList &drawList) const
{
    DrawList block;
    AddressBlock(object).draw(object.fontSize, textRect, block);
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
