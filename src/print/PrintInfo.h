#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class PrintInfo;
using PrintInfoPtr = std::shared_ptr<PrintInfo>;

// The paper every print and preview of the application is laid out on: its
// name and size, orientation, margins, the part of it a printer can reach, in
// points, and a dictionary of further settings. One shared instance serves
// all windows; Page Setup changes it and the preview fits to it.
class PrintInfo {
public:
    // Letter, portrait, no margins.
    PrintInfo();

    // The one print info of the application.
    [[nodiscard]] static const PrintInfoPtr &sharedPrintInfo();

    // The paper's name is its page size key ("Postcard": 100 × 148 mm,
    // "Letter", "A4"); a name no page size has leaves the paper as it is.
    [[nodiscard]] QString paperName() const { return m_pageSize.key(); }
    bool setPaperName(const QString &name);
    [[nodiscard]] const QPageSize &pageSize() const { return m_pageSize; }
    void setPageSize(const QPageSize &pageSize) { m_pageSize = pageSize; }
    // Width and height in points as laid out: exact for sizes defined in
    // millimetres or inches (QPageSize rounds its own point sizes), swapped
    // for landscape.
    [[nodiscard]] QSizeF paperSize() const;

    // Changes the paper from one print style's to another's: postcards are
    // printed on "Postcard", portrait, on the whole paper; the other styles
    // share the sheet paper, with its orientation and reach, which is kept
    // while the paper is a postcard's.
    void changePaperForStyle(bool fromPostcards, bool toPostcards);
    // The paper Page Setup chose becomes the sheet paper, whatever style was
    // shown; the paper itself only when it is not a postcard's.
    void chooseSheetPaper(
        const QPageSize &pageSize, QPageLayout::Orientation orientation, const std::optional<QRectF> &reach);
    // The paper labels, envelopes and address lists are printed on.
    [[nodiscard]] PrintInfo sheetPaper() const;

    [[nodiscard]] QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }

    [[nodiscard]] const QMarginsF &margins() const { return m_margins; }
    void setMargins(const QMarginsF &margins) { m_margins = margins; }

    // The part of the paper the printer reaches, in the paper's points from
    // its top-left corner; the whole paper until a printer tells otherwise.
    [[nodiscard]] QRectF imageablePageBounds() const;
    void setImageablePageBounds(const std::optional<QRectF> &bounds) { m_imageablePageBounds = bounds; }

    // The page layout a print device takes from this paper: its size, its
    // orientation, and the unreachable edges as margins, so that a painter on
    // the device starts at the imageable corner.
    [[nodiscard]] QPageLayout pageLayout() const;

    [[nodiscard]] const QVariantMap &dictionary() const { return m_dictionary; }
    [[nodiscard]] QVariantMap &dictionary() { return m_dictionary; }

private:
    // What a paper is apart from its margins and settings.
    struct Sheet {
        QPageSize pageSize{QPageSize::Letter};
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        std::optional<QRectF> reach;
    };
    [[nodiscard]] Sheet sheet() const { return {m_pageSize, m_orientation, m_imageablePageBounds}; }
    void setSheet(const Sheet &sheet);

    QPageSize m_pageSize{QPageSize::Letter};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins;
    std::optional<QRectF> m_imageablePageBounds;
    Sheet m_sheet;
    bool m_postcards = false;
    QVariantMap m_dictionary;
};
