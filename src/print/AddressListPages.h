#pragma once

#include "model/ContactIdentifier.h"
#include "print/ListRowText.h"
#include "print/PrintPages.h"

#include <QFont>
#include <QRectF>
#include <QStringList>

#include <memory>

class AddressListFlow;
class PrintDocument;
struct PrintContactRecord;

// Address lists: every receiver one row of text, the name and then the
// printed items, flowed down the pages. The flow is laid out as far as a page
// asks for and kept while the receivers, options and paper stay.
class AddressListPages : public PrintPages {
public:
    // The pages keep the document, which must outlive them.
    explicit AddressListPages(const PrintDocument &document);
    ~AddressListPages() override;

    [[nodiscard]] int pageCount() const override;
    void drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const override;

    // The page of the list (from 0) a strip starting at y draws.
    [[nodiscard]] qint64 pageAt(double y) const;
    // The rows of the page (from 0), in the rectangle of its strip.
    void drawRows(qint64 page, const QRectF &rect, DrawList &drawList, UndrawnContacts &undrawn) const;

    // "fontName" at the integer part of "fontSize" (14 below 1 pt).
    [[nodiscard]] QFont addressListFont() const;
    // The rows flowed down the pages for the receivers, options and paper
    // now set.
    [[nodiscard]] AddressListFlow &addressListFlow() const;
    // One item of the contact as a row of the list prints it, set in the
    // list's font, and the number of lines it takes.
    [[nodiscard]] ListRowText formattedStringOfContact(const PrintContactRecord &contact, const ContactIdentifier &type,
        const QStringList &labels, double indent) const;
    [[nodiscard]] static int linesInFormattedStringOfContact(
        const PrintContactRecord &contact, const ContactIdentifier &type, const QStringList &labels);

private:
    const PrintDocument &m_document;
    mutable std::unique_ptr<AddressListFlow> m_flow;
};
