#pragma once

#include "print/TextObject.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class PrintDocument;
struct HagakiLayoutFields;
struct PrintContactRecord;

// Fits a contact's name and address into a postcard's blocks, in the frames
// the row's layout saved or in the card's default places, in the faces and
// with the honorific of a document. A card has four blocks: the receiver's
// name and address, then the sender's.
class PostcardLayout {
public:
    // The blocks' places in a card's block table.
    static constexpr qsizetype receiverNameBlock = 0;
    static constexpr qsizetype receiverAddressBlock = 1;
    static constexpr qsizetype senderNameBlock = 2;
    static constexpr qsizetype senderAddressBlock = 3;
    // Four empty blocks, in their places.
    [[nodiscard]] static QList<TextObjectPtr> blockTable();

    // The layout keeps the document, which must outlive it.
    explicit PostcardLayout(const PrintDocument &document);

    // Fills the receiver's or the sender's two blocks of the table from the
    // record, in their saved or default rectangles, fitted to them.
    void layOut(const QList<TextObjectPtr> &blocks, const PrintContactRecord &record, bool sender) const;
    // What a name block prints of the record, not yet placed.
    void fillNameObject(TextObject &object, const PrintContactRecord &record, bool sender) const;
    QRectF newAlignName(TextObject &object, const QRectF &rect) const;
    QRectF newAlignAddress(TextObject &object, const QRectF &rect) const;
    // Re-fits the block in its rectangle, after the block was resized.
    void updateTextObject(TextObject &object) const;
    // The name block's text, with the document's honorific.
    [[nodiscard]] QString nameString(const TextObject &object, const HagakiLayoutFields *layout, bool sender) const;

private:
    [[nodiscard]] QRectF postcardNameRect(TextObject &object, bool sender) const;
    [[nodiscard]] QRectF postcardAddressRect(const TextObject &nameObject, const QRectF &nameRect, bool sender) const;
    // The font postcard columns are set in, at no particular size.
    [[nodiscard]] QFont columnFont() const;

    const PrintDocument &m_document;
};
