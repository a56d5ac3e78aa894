#pragma once

#include <functional>

class DrawList;
class QRectF;
struct TextObject;
class UndrawnContacts;

// The pages of one print style: how many a document makes and what each
// holds. A style's pages read their document and change nothing of it; what
// they keep is laid out once for the pages asked for next.
class PrintPages {
public:
    PrintPages() = default;
    PrintPages(const PrintPages &) = delete;
    PrintPages &operator=(const PrintPages &) = delete;
    virtual ~PrintPages() = default;

    [[nodiscard]] virtual int pageCount() const = 0;
    // Page n, from 1, as it prints, onto its strip of the document: the
    // contacts some of whose text no face could draw are noted.
    virtual void drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const = 0;

    // Told of a block drawn, with where it was drawn: the preview frames each
    // block there while the user lays the card out.
    using BlockDrawn = std::function<void(const TextObject &object, const QRectF &drawn, DrawList &drawList)>;
};
