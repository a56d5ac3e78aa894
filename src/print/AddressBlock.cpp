#include "print/AddressBlock.h"

#include "platform/widgets/FontResolver.h"
#include "print/DrawList.h"
#include "print/TextObject.h"
#include "print/VerticalText.h"

#include <algorithm>

namespace {

constexpr int mostMeasurements = 20;

} // namespace

AddressBlock::AddressBlock(const TextObject &object, VerticalMeasure measure)
    : m_object(object)
    , m_measure(measure)
    , m_upDown(object.textDirection != leftRight)
    , m_styled(object.blockText,
          FontResolver::font(object.printVertical ? object.verticalFontName : object.fontName, 0),
          object.printVertical ? StyledText::LineSpacing::Size : StyledText::LineSpacing::FontHeight)
    , m_verticalVariant(object.printVertical && VerticalText::hasVerticalVariant(verticalFont(smallestSize)))
{
}

QSizeF AddressBlock::extent(double size) const
{
    if (m_verticalVariant) {
        // Whole lines, a column each: the longest column down, the columns
        // side by side; turned across when the lines run across.
        const double longest = VerticalText::settingLength(m_object.blockText, verticalFont(size)) * size;
        const double columns = double(m_object.blockText.count(u'\n') + 1) * size;
        return m_upDown ? QSizeF(columns, longest) : QSizeF(longest, columns);
    }
    if (m_object.printVertical && m_upDown) {
        // Set along x and turned: its sides swap once it runs down.
        const QRectF along = VerticalText::drawStringInVertical(
            m_object.blockText, verticalFont(size), QPointF(0, 0), false, VerticalText::across, true, nullptr);
        return {along.height(), along.width()};
    }
    if (m_object.printVertical && m_measure == VerticalMeasure::SetDownAndTurned) {
        const QRectF down = VerticalText::drawStringInVertical(
            m_object.blockText, verticalFont(size), QPointF(0, 0), false, VerticalText::downward, true, nullptr);
        return {down.height(), down.width()};
    }
    const QSizeF styled = m_styled.extent(size);
    return m_upDown && !m_object.printVertical ? styled.transposed() : styled;
}

AddressBlock::Fitted AddressBlock::fit(double startSize, const QSizeF &box) const
{
    double size = std::clamp(startSize, smallestSize, largestSize);
    QSizeF reached = extent(size);
    for (int measurement = 1; measurement < mostMeasurements; ++measurement) {
        const double step = fittingStep(reached.width() / box.width(), reached.height() / box.height());
        const double next = std::clamp(size + step, smallestSize, largestSize);
        if (step == 0 || next == size)
            break;
        size = next;
        reached = extent(size);
    }
    return {size, reached};
}

// The extent grows about in step with the size, so a size in proportion to
// the overflow comes close at once; a few more measurements settle it.
AddressBlock::Fitted AddressBlock::shrunkToFit(const Fitted &fitted, const QSizeF &box, double floor) const
{
    // Set as far into the box as the fitting steps would have set it.
    constexpr double filled = 0.98;
    if (!overflows(fitted.extent, box))
        return fitted;
    // The fitting steps may have left it smaller than can be read, and it
    // does not fit even so: it is cut at the readable size.
    if (fitted.size < floor)
        return {floor, extent(floor)};
    Fitted shrunk = fitted;
    for (int measurement = 0; measurement < mostMeasurements && overflows(shrunk.extent, box); ++measurement) {
        const double over
            = std::max(shrunk.extent.width() / box.width(), shrunk.extent.height() / box.height()) / filled;
        const double next = std::max(floor, shrunk.size / over);
        if (!(next < shrunk.size))
            break;
        shrunk = {next, extent(next)};
    }
    return shrunk;
}

bool AddressBlock::overflows(const QSizeF &extent, const QSizeF &box)
{
    return extent.width() > box.width() || extent.height() > box.height();
}

void AddressBlock::draw(double size, const QRectF &rect, DrawList &drawList) const
{
    const QPointF topLeft = rect.topLeft();
    const QPointF topRight(rect.right(), rect.top());
    if (!m_object.printVertical) {
        m_styled.draw(size, m_upDown ? topRight : topLeft, m_upDown, drawList);
        return;
    }
    VerticalText::setColumns(m_object.blockText, verticalFont(size), m_upDown ? topRight : topLeft,
        m_upDown ? VerticalText::downward : VerticalText::across, &drawList);
}

void AddressBlock::drawStyled(double size, const QPointF &topLeft, DrawList &drawList) const
{
    m_styled.draw(size, topLeft, false, drawList);
}

double AddressBlock::fittingStep(double across, double down)
{
    if (across > 0.98 || down > 0.98)
        return -0.2;
    if (across < 0.6 && down < 0.6)
        return 1.2;
    if (across < 0.8 && down < 0.8)
        return 0.8;
    if (across < 0.9 && down < 0.9)
        return 0.4;
    return 0;
}

qsizetype AddressBlock::longestLineLength(const QString &text)
{
    qsizetype longest = 0;
    for (const QStringView line : QStringView(text).split(u'\n'))
        longest = std::max(longest, line.size());
    return longest;
}

QFont AddressBlock::verticalFont(double size) const
{
    return FontResolver::font(m_object.verticalFontName, size);
}
