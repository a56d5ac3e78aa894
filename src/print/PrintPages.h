#pragma once

class DrawList;
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
};
