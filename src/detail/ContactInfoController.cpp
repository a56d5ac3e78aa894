#include "detail/ContactInfoController.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <cmath>

ContactInfoController::ContactInfoController(QWidget *parent)
    : ContactInfoPaneView(parent)
{
    setObjectName(QStringLiteral("detailPane"));
}

double ContactInfoController::rowHeightFor(double pointSize, double lineHeight)
{
    double height = std::ceil(lineHeight);
    const double scaled = std::ceil(pointSize * 1.42);
    if (scaled > height)
        height = scaled + 4;
    return std::max(height, ContactInfoTableModel::minimumRowHeight);
}

double ContactInfoController::rowHeightForFont(const QFont &font) const
{
    const QFontMetricsF metrics(font);
    return rowHeightFor(QFontInfo(font).pointSizeF(), metrics.ascent() + metrics.descent() + metrics.leading());
}

void ContactInfoController::markWindowEdited()
{
    window()->setWindowModified(true);
}

void ContactInfoController::popupChoiceDidApply(int row)
{
    selectRows({row});
    scrollTo(infoModel()->index(row, ContactInfoTableModel::ValueColumn));
}
