#pragma once

#include "print/PrintContactRecord.h"
#include "print/PrintPages.h"
#include "print/TextObject.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariantMap>

class PrintDocument;

// Envelopes: one page per receiver with the receiver's block and the
// sender's, each the address lines and then the name, fitted to its box. A
// box is what the options saved for the paper, or a third of the paper at
// its corner; the preview fits the blocks the user moves from their own.
class EnvelopePages : public PrintPages {
public:
    // The pages keep the document, which must outlive them.
    explicit EnvelopePages(const PrintDocument &document);

    [[nodiscard]] int pageCount() const override;
    void drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const override;

    // A person's block text, the address lines and then the name, with the
    // honorific unless it is the sender's. Labels print the same text.
    [[nodiscard]] QString makeAdrsAndNameString(
        const PrintContactRecord &record, const QVariantMap &options, bool forSender) const;
    // Puts the receiver's or the sender's block into its box.
    void placeBlock(TextObject &object, bool forSender) const;
    // Fits the block from its box, placing a box that has no position of its
    // own; null without a record.
    TextObject *makeTextObject(
        TextObject &object, const PrintContactRecordPtr &record, const QVariantMap &options, bool forSender) const;
    // Fits the block and draws it, framed when the options ask, on the page
    // that far down the stack.
    void drawBlock(TextObject &object, const PrintContactRecordPtr &record, bool forSender, double pageOffset,
        DrawList &drawList, const BlockDrawn &drawn = {}) const;

private:
    // The box the options give the block on this paper.
    [[nodiscard]] QRectF envelopeRect(bool sender) const;

    const PrintDocument &m_document;
};
