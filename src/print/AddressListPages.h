#pragma once

#include "print/PrintPages.h"

#include <QFont>
#include <QRectF>

#include <memory>

class AddressListFlow;
class PrintDocument;

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

private:
    const PrintDocument &m_document;
    mutable std::unique_ptr<AddressListFlow> m_flow;
};
