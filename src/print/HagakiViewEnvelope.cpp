// Envelopes: one page per receiver with the receiver's block and the
// sender's, each the address lines and the name, fitted to its box.

#include "print/HagakiView.h"

#include "print/AddressBlock.h"
#include "print/AddressRegion.h"
#include "print/NameString.h"
#include "print/PrintOptionValue.h"

#include <QGuiApplication>

#include <cmath>

using namespace PrintOptionsKey;

namespace {

const QColor envelopeColour = QColor::fromRgbF(1, 1, 0.7);
const QString &leftRight = AddressBlock::leftRight;
const QString &upDown = AddressBlock::upDown;

// Shorter lines count as this many characters when the first size is guessed.
constexpr qsizetype fewestCharacters = 5;
constexpr double borderWidth = 1.5;
constexpr double borderGap = 3;
// Where the sender's block stands when nothing placed it: its right edge
// three quarters across, 10 points down, or 10 points in and a quarter of the
// width down for lines that run down the page.
constexpr double senderAcross = 0.75;
constexpr double senderDown = 0.25;
constexpr double senderInset = 10;

} // namespace

QString HagakiView::makeAdrsAndNameString(
    const PrintContactRecord &record, const QVariantMap &options, bool forSender) const
{
    QString name = record.name ? record.name->stringValue : QString();
    // No name takes no honorific either: the block then ends with an empty
    // line, not with a lone "様".
    if (!forSender && !name.isEmpty()) {
        const NameString::Honorific honorific = NameString::placedHonorific(m_keishou, u" ");
        name = honorific.before + name + honorific.after;
    }
    QString text;
    if (record.layoutDict) {
        const LabeledValueRecord::AddressParts &address = record.layoutDict->addressParts();
        if (PrintOptionValue::flag(options.value(PrintZIP)) && !address.zip.isEmpty())
            text += address.zip + u' ';
        if (PrintOptionValue::flag(options.value(PrintCountry)) && !address.country.isEmpty())
            text += address.country + u' ';
        text += AddressRegion::joined(address.state, address.city) + u'\n';
        if (!address.street.isEmpty())
            text += address.street + u'\n';
    }
    return text + name;
}

TextObject *HagakiView::makeTextObject(const PrintContactRecordPtr &record, const QVariantMap &options, bool forSender)
{
    if (!record)
        return nullptr;
    TextObject &object = nameBlock(forSender);
    object.fontName = m_selectedFontName;
    object.blockText = makeAdrsAndNameString(*record, options, forSender);
    const double characters = double(std::max(AddressBlock::longestLineLength(object.blockText), fewestCharacters));
    const QSizeF box = object.box.size();
    object.printVertical = PrintOptionValue::flag(options.value(DrawTextInVertical));
    object.textDirection = PrintOptionValue::text(options.value(TextDirection));
    if (object.textDirection.isEmpty())
        object.textDirection = leftRight;
    object.verticalFontName = PrintOptionValue::text(options.value(VerticalFontName));
    if (object.verticalFontName.isEmpty())
        object.verticalFontName = QGuiApplication::font().family();

    const AddressBlock block(object);
    const AddressBlock::Fitted fitted
        = block.fit((object.textDirection == upDown ? box.height() : box.width()) / characters * 1.1, box);
    const QSizeF extent = fitted.extent;
    object.fontSize = fitted.size;

    QRectF placed(object.box.topLeft(), extent);
    if (object.box.topLeft() == QPointF(0, 0)) {
        const QSizeF paper = paperSize();
        const QRectF reach = imageableBounds();
        if (!forSender)
            placed.moveTopLeft(QPointF((paper.width() - extent.width()) / 2, (paper.height() - extent.height()) / 2));
        else if (object.textDirection == leftRight)
            placed.moveTopLeft(reach.topLeft() + QPointF(senderAcross * paper.width() - extent.width(), senderInset));
        else
            placed.moveTopLeft(reach.topLeft() + QPointF(senderInset, senderInset + senderDown * paper.width()));
        object.rect = placed;
    } else {
        object.rect = object.box;
    }
    object.textRect = placed;
    object.kind = TextObjectKey::AddressAndName;
    return &object;
}

QRectF HagakiView::drawFittedBlock(const TextObject &object, const QRectF &rect, DrawList &drawList) const
{
    AddressBlock(object).draw(object.fontSize, rect, drawList);
    return rect;
}

void HagakiView::drawEnvelopeRect(const QRectF &rect, DrawList &drawList)
{
    const QSizeF paper = paperSize();
    const qsizetype page = m_printing && paper.height() > 0
        ? static_cast<qsizetype>(std::floor((rect.y() + rect.height() * 0.5) / paper.height()))
        : 0;
    const double pageOffset = double(page) * paper.height();
    if (!m_printing) {
        const QRectF shown = bounds();
        const QRectF strip(shown.x(), shown.y() + pageOffset, shown.width(), paper.height());
        drawList.add(FilledRect{strip, envelopeColour});
        drawList.add(FilledRect{imageableBounds().translated(strip.topLeft()), Qt::white});
    }
    // A page past the receivers shows the envelope with the sender alone.
    for (const bool forSender : {false, true}) {
        const PrintContactRecordPtr person = forSender ? m_senderPerson : pagePerson(page);
        if (!person)
            continue;
        drawEnvelopeBlock(person, forSender, pageOffset, drawList);
        noteUndrawable(drawList, person);
    }
}

void HagakiView::drawEnvelopeBlock(
    const PrintContactRecordPtr &record, bool forSender, double pageOffset, DrawList &drawList)
{
    TextObject *object = makeTextObject(record, optionDictionary(Envelope), forSender);
    if (!object)
        return;
    object->yOffset = pageOffset;
    const QRectF drawn = object->rect.translated(pageOrigin(pageOffset));
    if (PrintOptionValue::flag(optionDictionary(Envelope).value(PrintBorder))) {
        QPainterPath frame;
        frame.addRect(drawn.adjusted(-borderGap, -borderGap, borderGap, borderGap));
        drawList.add(StrokedPath{frame, QPen(Qt::black, borderWidth)});
    }
    drawFittedBlock(*object, drawn, drawList);
    if (m_layoutMode)
        drawRubberBand(drawn, object->selected, drawList);
}
