// Address lists: every receiver one row of text, the name and then the
// printed items, flowed down the pages.

#include "print/HagakiView.h"

#include "platform/widgets/FontResolver.h"
#include "print/AddressListFlow.h"
#include "print/PrintOptionValue.h"

#include <QGuiApplication>

#include <cmath>

using namespace PrintOptionsKey;

namespace {

const QColor pageColour = QColor::fromRgbF(1, 1, 0.7);
// What a list is set in when "fontSize" holds nothing usable.
constexpr qint64 standardListSize = 14;
// Beyond this a glyph would be larger than any paper.
constexpr qint64 largestListSize = 1000;

} // namespace

QFont HagakiView::addressListFont() const
{
    QString name = m_printOptions ? PrintOptionValue::text(m_printOptions->value(FontName)) : QString();
    if (name.isEmpty())
        name = QGuiApplication::font().family();
    qint64 size = m_printOptions ? PrintOptionValue::integer(m_printOptions->value(FontSize)) : 0;
    if (size < 1)
        size = standardListSize;
    QFont font = FontResolver::font(name, double(std::min(size, largestListSize)));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

AddressListFlow &HagakiView::addressListFlow()
{
    const QVariantMap list = optionDictionary(AddressList);
    AddressListFlow::Options options;
    options.font = addressListFont();
    options.items = AddressListText::printedItems(list.value(ItemTable).toList());
    options.labels = AddressListText::selectedLabels(list);
    options.alternatingRow = PrintOptionValue::flag(list.value(AlternatingRow));
    options.printFrame = PrintOptionValue::flag(list.value(PrintFrame));
    const QRectF reach = imageableBounds();
    const double left = optionNumber(LeftMargin);
    const double top = optionNumber(TopMargin);
    AddressListFlow::Geometry geometry;
    geometry.content = QRectF(reach.x() + left, reach.y() + top, reach.width() - left - optionNumber(RightMargin),
        reach.height() - top - optionNumber(BottomMargin));
    geometry.paperHeight = paperSize().height();
    if (!m_addressListFlow || !m_addressListFlow->madeFor(m_receivers, options, geometry))
        m_addressListFlow = std::make_unique<AddressListFlow>(m_receivers, options, geometry);
    return *m_addressListFlow;
}

ListRowText HagakiView::formattedStringOfContact(
    const PrintContactRecord &contact, const ContactIdentifier &type, const QStringList &labels, double indent) const
{
    return AddressListText(addressListFont()).item(contact, type, labels, indent);
}

int HagakiView::linesInFormattedStringOfContact(
    const PrintContactRecord &contact, const ContactIdentifier &type, const QStringList &labels)
{
    return AddressListText::lineCount(contact, type, labels);
}

void HagakiView::drawAddressList(const QRectF &rect, DrawList &drawList)
{
    const double paperHeight = paperSize().height();
    const double at = paperHeight > 0 ? std::floor((rect.y() + 10) / paperHeight) : 0;
    const qint64 page = std::isfinite(at) ? static_cast<qint64>(std::clamp(at, -1.0, 1e9)) : 0;
    QRectF drawn = rect;
    if (!m_printing) {
        // The preview shows its whole page, whatever part of it was asked for.
        drawn.setSize(paperSize());
        const QRectF shown = bounds();
        const QRectF strip(shown.x(), shown.y() + double(page) * paperHeight, shown.width(), paperHeight);
        drawList.add(FilledRect{strip, pageColour});
        drawList.add(FilledRect{imageableBounds().translated(strip.topLeft()), Qt::white});
    }
    if (m_receivers.isEmpty() || page < 0)
        return;
    addressListFlow().drawPage(page, drawn, drawList,
        [this, &drawList](qsizetype receiver) { noteUndrawable(drawList, m_receivers.at(receiver)); });
}
