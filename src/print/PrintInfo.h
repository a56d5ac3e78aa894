#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <memory>

class PrintInfo;
using PrintInfoPtr = std::shared_ptr<PrintInfo>;

// The paper every print and preview of the application is laid out on: its
// name and size, orientation and margins, in points. One shared instance
// serves all windows; Page Setup changes it and the preview fits to it.
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

    [[nodiscard]] QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }

    [[nodiscard]] const QMarginsF &margins() const { return m_margins; }
    void setMargins(const QMarginsF &margins) { m_margins = margins; }

private:
    QPageSize m_pageSize{QPageSize::Letter};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins;
};
