#include "print/PrintInfo.h"

#include "print/PrintUnits.h"

#include <algorithm>

namespace {

using PrintUnits::millimetresPerInch;
using PrintUnits::pointsPerInch;

} // namespace

PrintInfo::PrintInfo() = default;

const PrintInfoPtr &PrintInfo::sharedPrintInfo()
{
    static const PrintInfoPtr shared = std::make_shared<PrintInfo>();
    return shared;
}

bool PrintInfo::setPaperName(const QString &name)
{
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto pageSizeId = static_cast<QPageSize::PageSizeId>(id);
        if (QPageSize::key(pageSizeId) == name) {
            m_pageSize = QPageSize(pageSizeId);
            return true;
        }
    }
    qWarning("%s: ERROR no paper named %s", Q_FUNC_INFO, qPrintable(name));
    return false;
}

QSizeF PrintInfo::paperSize() const
{
    const QSizeF defined = m_pageSize.definitionSize();
    QSizeF points;
    switch (m_pageSize.definitionUnits()) {
    case QPageSize::Millimeter:
        points = defined * (pointsPerInch / millimetresPerInch);
        break;
    case QPageSize::Inch:
        points = defined * pointsPerInch;
        break;
    default:
        points = m_pageSize.size(QPageSize::Point);
    }
    return m_orientation == QPageLayout::Landscape ? points.transposed() : points;
}

QRectF PrintInfo::imageablePageBounds() const
{
    return m_imageablePageBounds.value_or(QRectF(QPointF(0, 0), paperSize()));
}

QPageLayout PrintInfo::pageLayout() const
{
    const QSizeF paper = paperSize();
    const QRectF reach = imageablePageBounds();
    // A reach beyond the paper's edge is clipped to the paper.
    const auto edge = [](double length) { return std::max(length, 0.0); };
    const QMarginsF edges(edge(reach.left()), edge(reach.top()), edge(paper.width() - reach.right()),
        edge(paper.height() - reach.bottom()));
    return QPageLayout(m_pageSize, m_orientation, edges, QPageLayout::Point);
}

void PrintInfo::setSheet(const Sheet &sheet)
{
    m_pageSize = sheet.pageSize;
    m_orientation = sheet.orientation;
    m_imageablePageBounds = sheet.reach;
}

// The reach goes with the paper: a reach kept from another paper would lay
// out the preview on a part of the paper the print does not use.
void PrintInfo::changePaperForStyle(bool fromPostcards, bool toPostcards)
{
    if (!fromPostcards && !m_postcards)
        m_sheet = sheet();
    m_postcards = toPostcards;
    if (toPostcards)
        setSheet({QPageSize(QPageSize::Postcard), QPageLayout::Portrait, std::nullopt});
    else
        setSheet(m_sheet);
}

void PrintInfo::chooseSheetPaper(
    const QPageSize &pageSize, QPageLayout::Orientation orientation, const std::optional<QRectF> &reach)
{
    m_sheet = {pageSize, orientation, reach};
    if (!m_postcards)
        setSheet(m_sheet);
}

PrintInfo PrintInfo::sheetPaper() const
{
    PrintInfo paper(*this);
    paper.setSheet(m_postcards ? m_sheet : sheet());
    paper.m_postcards = false;
    return paper;
}
