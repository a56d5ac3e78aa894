#pragma once

#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// One movable text block of a postcard or envelope: what it prints, where it
// stands on the page and the sizes its text was fitted to. A card has four
// (PostcardLayout::blockTable): a printed page lays out its own, the preview
// holds the shown card's, refilled by every layout; the drawing reads them
// and layout editing moves them.
struct TextObject {
    QString type; // "type": "receiver" or "sender"
    QString kind; // "kind": "name", "address" or "addressAndName"
    QRectF rect; // "rect": the block on its page; empty until laid out
    QString fontName; // "fontName": the document's horizontal font at layout time

    // Name blocks.
    LabeledValueRecordPtr layoutDict; // "layoutDict": the row's address with its saved layout
    QString company; // "Company": "" when the contact has none
    std::optional<NameRecord> nameDict; // "nameDict"
    QString displayName; // "Name" of "nameDict": the contact's display name
    std::optional<QStringList> renmei; // "Renmei": the joint names, one an entry
    double nameFontSize = 0; // "nameFontSize"
    QList<double> nameWidthArray; // "nameWidthArray": length of each name line
    double companyFontSize = 0; // "companyFontSize"
    QList<double> companyWidthArray; // "companyWidthArray"

    // Address blocks.
    LabeledValueRecordPtr adrsDict; // "adrsDict": the address printed
    std::optional<QRectF> receiverZipRect; // "receiverZipRect": the receiver's postal-code boxes
    std::optional<QRectF> senderZipRect; // "senderZipRect": the sender's
    QStringList addressArray; // "addressArray": the address's columns
    QList<double> widthArray; // "widthArray": length of each column
    double fontSize = 0; // "fontSize"

    // Envelope blocks (kind "addressAndName"): the whole block fitted into its
    // box. The box is what the settings or the user gave; the block's "rect"
    // is where it was placed, which a box without a position leaves to the
    // page, so that every envelope of a job is fitted from the same box.
    QRectF box;
    QRectF textRect; // "textRect": the fitted text's extent
    double yOffset = 0; // "yOffset": the top of the block's page in the stack of pages
    QString blockText; // the text of "attributedString"
    bool printVertical = false; // "printVertical": vertical glyph forms
    QString textDirection; // "textDirection": "Left-Right" or "Up-Down"
    QString verticalFontName; // "verticalFontName"

    double lineHeight = 0; // "lineHeight": from one column to the next
    bool selected = false; // "selected"
    // "dirty": what the user did to the block since it was last saved.
    enum Change { Unchanged = 0, Moved = 1, Resized = 2 };
    int dirty = Unchanged;

    [[nodiscard]] bool isSender() const { return type == QLatin1String("sender"); }
    [[nodiscard]] bool isEnvelopeBlock() const { return kind == QLatin1String("addressAndName"); }
};

using TextObjectPtr = std::shared_ptr<TextObject>;

namespace TextObjectKey {
inline const QString Receiver = QStringLiteral("receiver");
inline const QString Sender = QStringLiteral("sender");
inline const QString Name = QStringLiteral("name");
inline const QString Address = QStringLiteral("address");
inline const QString AddressAndName = QStringLiteral("addressAndName");
} // namespace TextObjectKey
