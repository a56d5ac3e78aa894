// Envelopes: one page per receiver with the receiver's block and the
// sender's, each the address lines and then the name, fitted to its box.

#include "print/EnvelopePages.h"

#include "print/AddressBlock.h"
#include "print/AddressRegion.h"
#include "print/NameString.h"
#include "print/PrintDocument.h"
#include "print/PrintOptionValue.h"
#include "print/UndrawnContacts.h"

#include <QGuiApplication>
#include <QPainterPath>

#include <cmath>

using namespace PrintOptionsKey;

namespace {

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

EnvelopePages::EnvelopePages(const PrintDocument &document)
    : m_document(document)
{
}

int EnvelopePages::pageCount() const
{
    return static_cast<int>(m_document.receivers().size());
}

void EnvelopePages::drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const
{
    const qsizetype index = m_document.stripOfPage(page);
    // A page past the receivers has the envelope with the sender alone.
    for (const bool forSender : {false, true}) {
        const PrintContactRecordPtr person = forSender            ? m_document.sender()
            : index >= 0 && index < m_document.receivers().size() ? m_document.receivers().at(index)
                                                                  : nullptr;
        if (!person)
            continue;
        TextObject object;
        placeBlock(object, forSender);
        drawBlock(object, person, forSender, double(index) * m_document.paperSize().height(), drawList);
        undrawn.note(drawList, person);
    }
}

void EnvelopePages::placeBlock(TextObject &object, bool forSender) const
{
    object.type = forSender ? TextObjectKey::Sender : TextObjectKey::Receiver;
    object.box = envelopeRect(forSender);
    object.rect = object.box;
    object.kind = TextObjectKey::AddressAndName;
}

QRectF EnvelopePages::envelopeRect(bool sender) const
{
    const QSizeF paper = m_document.paperSize();
    const QRectF byDefault(0, 0, paper.width() / 3, paper.height() / (sender ? 4 : 3));
    const QVariantMap envelope = m_document.optionDictionary(Envelope);
    const bool upDown = PrintOptionValue::text(envelope.value(TextDirection)) == QLatin1String("Up-Down");
    const QString &key
        = sender ? (upDown ? SenderRectUpDown : SenderRect) : (upDown ? ReceiverRectUpDown : ReceiverRect);
    const QString paperName = m_document.paper() ? m_document.paper()->paperName() : QString();
    const QVariantMap saved
        = PrintOptionValue::dictionary(PrintOptionValue::dictionary(envelope, RectDicts), paperName);
    return m_document.savedFrame(PrintOptionValue::text(saved.value(key))).value_or(byDefault);
}

void EnvelopePages::drawBlock(TextObject &object, const PrintContactRecordPtr &record, bool forSender,
    double pageOffset, DrawList &drawList, const BlockDrawn &drawn) const
{
    const QVariantMap options = m_document.optionDictionary(Envelope);
    if (!makeTextObject(object, record, options, forSender))
        return;
    object.yOffset = pageOffset;
    const QRectF placed = object.rect.translated(m_document.blockOrigin(pageOffset));
    if (PrintOptionValue::flag(options.value(PrintBorder))) {
        QPainterPath frame;
        frame.addRect(placed.adjusted(-borderGap, -borderGap, borderGap, borderGap));
        drawList.add(StrokedPath{frame, QPen(Qt::black, borderWidth)});
    }
    AddressBlock(object).draw(object.fontSize, placed, drawList);
    if (drawn)
        drawn(object, placed, drawList);
}

QString EnvelopePages::makeAdrsAndNameString(
    const PrintContactRecord &record, const QVariantMap &options, bool forSender) const
{
    QString name = record.name ? record.name->stringValue : QString();
    // No name takes no honorific either: the block then ends with an empty
    // line, not with a lone "様".
    if (!forSender && !name.isEmpty()) {
        const NameString::Honorific honorific = NameString::placedHonorific(m_document.keishou(), u" ");
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

TextObject *EnvelopePages::makeTextObject(
    TextObject &object, const PrintContactRecordPtr &record, const QVariantMap &options, bool forSender) const
{
    if (!record)
        return nullptr;
    object.fontName = m_document.fontName();
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
        const QSizeF paper = m_document.paperSize();
        const QRectF reach = m_document.imageableBounds();
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
