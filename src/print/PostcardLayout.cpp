#include "print/PostcardLayout.h"

#include "model/HagakiLayoutFields.h"
#include "platform/widgets/FontResolver.h"
#include "print/AddressRegion.h"
#include "print/NameString.h"
#include "print/PrintDocument.h"
#include "print/PrintOptionValue.h"
#include "print/TextGlyphs_p.h"
#include "print/VerticalText.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace PrintOptionsKey;

namespace {

// A fitted column ends at most this much short of its block.
constexpr double fittingTolerance = 8;
constexpr double sizeStepDown = 0.5;
constexpr double sizeStepUp = 0.4;
// A name of hundreds of characters in a short block would step down forever,
// and a line of more than about 80 cells can step over the tolerance back and
// forth: every fitting stops at 1 pt and after 100 steps. A block far larger
// than any paper stops at the largest size text is set in.
constexpr double smallestSize = 1;
constexpr int mostFittingSteps = 100;
constexpr double largestSize = TextGlyphs::largestSize;
// An address is not set smaller than this; below it the region takes a
// column of its own.
constexpr double smallestAddressSize = 7;
constexpr double largestAddressSize = 48;
// A column fills at most this part of its pitch.
constexpr double columnFill = 0.9;

const QRectF defaultReceiverName(108, 80, 82, 270);
const QRectF defaultReceiverAddress(204, 75, 46, 275);
const QRectF defaultSenderName(12, 175, 60, 175);
const QRectF receiverZipBox(125.575, 34.016, 80, 18);
const QSizeF senderZipBoxSize(80, 18);
// The receiver's address keeps clear of the name block when that reaches past
// this; a saved address block lower than this reaches down to the card's
// bottom line.
constexpr double receiverAddressLeft = 206;
constexpr double flatAddressHeight = 10;
constexpr double receiverAddressBottom = 376;

struct ColumnSpan {
    double x = 0;
    double width = 0;
};

// Where the name block of so many lines (name and company) stands by default.
ColumnSpan nameSpan(qsizetype lines, bool sender, bool nameAloneHasTwoLines)
{
    if (sender) {
        switch (lines) {
        case 1:
            return {20, 36};
        case 2:
            return {18, 48};
        case 3:
            return {12, 54};
        default:
            return {10, 60};
        }
    }
    switch (lines) {
    case 1:
        return {120, 50};
    case 2:
        return {nameAloneHasTwoLines ? 105.0 : 125.0, 80};
    case 3:
    case 4:
        return {108, 90};
    default:
        return {108, 82};
    }
}

// Steps the size until a text whose longest column is so long at 1 pt fills
// the height within the tolerance, while the size stays below the ceiling and
// above the floor.
double fittedSize(double columnLength, double height, double size, double ceiling, double floor)
{
    size = std::clamp(size, smallestSize, largestSize);
    ceiling = std::min(ceiling, largestSize);
    for (int step = 0; step < mostFittingSteps; ++step) {
        const double length = columnLength * size;
        if (length <= height && length >= height - fittingTolerance)
            break;
        size += length > height ? -sizeStepDown : sizeStepUp;
        if (size < smallestSize)
            return smallestSize;
        if (!(ceiling > size && size > floor))
            break;
    }
    return std::min(size, largestSize);
}

qsizetype longestLine(const QStringList &lines)
{
    qsizetype longest = 0;
    for (const QString &line : lines)
        longest = std::max(longest, line.size());
    return longest;
}

QList<double> lineLengths(const QStringList &lines, double size, const QFont &font)
{
    QList<double> lengths;
    lengths.reserve(lines.size());
    for (const QString &line : lines)
        lengths.append(VerticalText::settingLength(line, font) * size);
    return lengths;
}

const HagakiLayoutFields *layoutOf(const TextObject &object)
{
    return object.layoutDict ? &*std::as_const(object.layoutDict->layout) : nullptr;
}

// The company lines a name block prints: none unless its layout asks for them
// and there is a company. A company the contact lacks takes no column.
QStringList companyLines(const TextObject &object)
{
    const HagakiLayoutFields *layout = layoutOf(object);
    if (!layout || !layout->printsCompany() || object.company.isEmpty())
        return {};
    return object.company.split(u'\n');
}

} // namespace

QList<TextObjectPtr> PostcardLayout::blockTable()
{
    QList<TextObjectPtr> blocks;
    for (const QString &type : {TextObjectKey::Receiver, TextObjectKey::Sender}) {
        for (const QString &kind : {TextObjectKey::Name, TextObjectKey::Address}) {
            auto object = std::make_shared<TextObject>();
            object->type = type;
            object->kind = kind;
            blocks.append(object);
        }
    }
    return blocks;
}

PostcardLayout::PostcardLayout(const PrintDocument &document)
    : m_document(document)
{
}

void PostcardLayout::layOut(const QList<TextObjectPtr> &blocks, const PrintContactRecord &record, bool sender) const
{
    TextObject &nameObject = *blocks.at(sender ? senderNameBlock : receiverNameBlock);
    fillNameObject(nameObject, record, sender);
    const QRectF nameRect = postcardNameRect(nameObject, sender);
    newAlignName(nameObject, nameRect);

    TextObject &addressObject = *blocks.at(sender ? senderAddressBlock : receiverAddressBlock);
    addressObject.fontName = m_document.fontName();
    addressObject.type = nameObject.type;
    addressObject.kind = TextObjectKey::Address;
    addressObject.adrsDict = record.layoutDict;
    newAlignAddress(addressObject, postcardAddressRect(nameObject, nameRect, sender));
    if (!addressObject.adrsDict || addressObject.adrsDict->addressParts().zip.isEmpty())
        return;
    if (sender)
        addressObject.senderZipRect
            = QRectF(PrintOptionValue::senderZIPPosition(m_document.optionDictionary(Hagaki)), senderZipBoxSize);
    else
        addressObject.receiverZipRect = receiverZipBox;
}

QFont PostcardLayout::columnFont() const
{
    // Columns are measured at 1 pt; the size only names the font.
    constexpr double anySize = 10;
    return FontResolver::font(m_document.columnFontName(), anySize);
}

void PostcardLayout::fillNameObject(TextObject &object, const PrintContactRecord &record, bool sender) const
{
    object.fontName = m_document.fontName();
    object.type = sender ? TextObjectKey::Sender : TextObjectKey::Receiver;
    object.kind = TextObjectKey::Name;
    // A row without an address has no layout, and a row without a name no
    // name: neither takes the flags, places or name of the row laid out
    // before it, as the preview's card lays out one row after another in
    // the same blocks.
    object.layoutDict = record.layoutDict;
    object.company = record.company.value_or(QString());
    object.nameDict = record.name;
    object.displayName = record.name ? record.compositeName : QString();
    object.renmei = record.renmei ? std::optional(record.renmei->split(u'\n')) : std::nullopt;
}

QRectF PostcardLayout::postcardNameRect(TextObject &object, bool sender) const
{
    const HagakiLayoutFields *layout = layoutOf(object);
    if (layout) {
        if (const auto saved = m_document.savedFrame(sender ? layout->senderName : layout->receiverName))
            return *saved;
    }
    const qsizetype nameLines = nameString(object, layout, sender).count(u'\n') + 1;
    const ColumnSpan span = nameSpan(nameLines + companyLines(object).size(), sender, nameLines == 2);
    const QRectF &byDefault = sender ? defaultSenderName : defaultReceiverName;
    return {span.x, byDefault.y(), span.width, byDefault.height()};
}

QRectF PostcardLayout::postcardAddressRect(const TextObject &nameObject, const QRectF &nameRect, bool sender) const
{
    const HagakiLayoutFields *layout = layoutOf(nameObject);
    const std::optional<QRectF> saved
        = layout ? m_document.savedFrame(sender ? layout->senderAddress : layout->receiverAddress) : std::nullopt;
    if (sender) {
        if (saved)
            return *saved;
        QRectF rect(nameRect.right() + 3, 175, 40, 175);
        if (rect.x() + 40 < 73)
            rect = QRectF(75, 175, 29, 175);
        if (rect.right() > 104)
            rect.setWidth(104 - rect.x());
        return rect;
    }
    if (saved) {
        QRectF rect = *saved;
        if (rect.height() < flatAddressHeight)
            rect.setHeight(receiverAddressBottom - rect.y());
        return rect;
    }
    QRectF rect = defaultReceiverAddress;
    if (nameRect.right() > receiverAddressLeft)
        rect.moveLeft(nameRect.right());
    return rect;
}

QRectF PostcardLayout::newAlignName(TextObject &object, const QRectF &rect) const
{
    const QFont font = columnFont();
    const QString text = nameString(object, layoutOf(object), object.isSender());
    const QStringList nameLines = text.split(u'\n');
    double pitch = rect.width() / double(nameLines.size());
    double companySize = 0;
    object.companyWidthArray.clear();
    if (const QStringList company = companyLines(object); !company.isEmpty()) {
        pitch = rect.width() / double(company.size() + nameLines.size());
        const double ceiling = columnFill * pitch;
        const double start = std::min(rect.height() / double(longestLine(company)), ceiling);
        const double fitted = fittedSize(VerticalText::settingLength(object.company, font), rect.height(), start,
            ceiling, -std::numeric_limits<double>::infinity());
        companySize = std::min(ceiling, fitted);
        object.companyWidthArray = lineLengths(company, companySize, font);
    }
    const double ceiling = columnFill * pitch;
    // The name holds a space after every character.
    const double characters = double(longestLine(nameLines) / 2 + 1);
    double size = std::min(rect.height() / characters, ceiling);
    if (rect.width() > 1 || rect.height() > 1)
        size = fittedSize(VerticalText::settingLength(text, font), rect.height(), size, ceiling,
            -std::numeric_limits<double>::infinity());
    const double nameSize = std::min(ceiling, size);
    object.nameWidthArray = lineLengths(nameLines, nameSize, font);
    object.rect = rect;
    object.companyFontSize = std::min(nameSize, companySize);
    object.nameFontSize = nameSize;
    object.lineHeight = pitch;
    return rect;
}

QRectF PostcardLayout::newAlignAddress(TextObject &object, const QRectF &rect) const
{
    const QFont font = columnFont();
    static const QChar minusSign(0x2212);
    const LabeledValueRecord *address = object.adrsDict.get();
    const QString region
        = address ? AddressRegion::joined(address->addressParts().state, address->addressParts().city) : QString();
    QString street = address ? address->addressParts().street : QString();
    street.replace(minusSign, u'-');
    QString text = QString(region + street).replace(minusSign, u'-');

    QStringList lines = text.split(u'\n');
    double pitch = rect.width() / double(lines.size());
    double size = std::min({rect.height() / double(longestLine(lines)), largestAddressSize, columnFill * pitch});
    if (size < smallestAddressSize || size < 0.5 * pitch) {
        text = region.isEmpty() ? street : region + u'\n' + street;
        lines = text.split(u'\n');
        pitch = rect.width() / double(lines.size());
        size = std::min(rect.height() / double(longestLine(lines)), columnFill * pitch);
    }
    if (rect.width() > 1 || rect.height() > 1)
        size = fittedSize(
            VerticalText::settingLength(text, font), rect.height(), size, columnFill * pitch, smallestAddressSize);
    object.addressArray = lines;
    object.widthArray = lineLengths(lines, size, font);
    object.lineHeight = pitch;
    object.fontSize = size;
    object.rect = rect;
    return rect;
}

void PostcardLayout::updateTextObject(TextObject &object) const
{
    if (!(object.rect.width() > 1 || object.rect.height() > 1))
        return;
    if (object.kind == TextObjectKey::Name)
        newAlignName(object, object.rect);
    else if (object.kind == TextObjectKey::Address)
        newAlignAddress(object, object.rect);
}

QString PostcardLayout::nameString(const TextObject &object, const HagakiLayoutFields *layout, bool sender) const
{
    return NameString::nameString(object, layout, sender, m_document.keishou());
}
