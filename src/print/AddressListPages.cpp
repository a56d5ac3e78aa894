// Address lists: every receiver one row of text, the name and then the
// printed items, flowed down the pages.

#include "print/AddressListPages.h"

#include "platform/widgets/FontResolver.h"
#include "print/AddressListFlow.h"
#include "print/AddressListText.h"
#include "print/PrintDocument.h"
#include "print/PrintOptionValue.h"
#include "print/UndrawnContacts.h"

#include <QGuiApplication>

#include <cmath>
#include <limits>

using namespace PrintOptionsKey;

namespace {

// What a list is set in when "fontSize" holds nothing usable.
constexpr qint64 standardListSize = 14;
// Beyond this a glyph would be larger than any paper.
constexpr qint64 largestListSize = 1000;

} // namespace

AddressListPages::AddressListPages(const PrintDocument &document)
    : m_document(document)
{
}

AddressListPages::~AddressListPages() = default;

int AddressListPages::pageCount() const
{
    return static_cast<int>(std::min<qint64>(addressListFlow().pageCount(), std::numeric_limits<int>::max()));
}

void AddressListPages::drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const
{
    const QRectF rect = m_document.pageRect(page);
    drawRows(pageAt(rect.y()), rect, drawList, undrawn);
}

qint64 AddressListPages::pageAt(double y) const
{
    const double paperHeight = m_document.paperSize().height();
    const double at = paperHeight > 0 ? std::floor((y + 10) / paperHeight) : 0;
    return std::isfinite(at) ? static_cast<qint64>(std::clamp(at, -1.0, 1e9)) : 0;
}

void AddressListPages::drawRows(qint64 page, const QRectF &rect, DrawList &drawList, UndrawnContacts &undrawn) const
{
    const PrintReceivers &receivers = m_document.receivers();
    if (receivers.isEmpty() || page < 0)
        return;
    addressListFlow().drawPage(page, rect, drawList,
        [&receivers, &drawList, &undrawn](qsizetype receiver) { undrawn.note(drawList, receivers.at(receiver)); });
}

QFont AddressListPages::addressListFont() const
{
    const PrintOptionsRecordPtr &options = m_document.options();
    QString name = options ? PrintOptionValue::text(options->value(FontName)) : QString();
    if (name.isEmpty())
        name = QGuiApplication::font().family();
    qint64 size = options ? PrintOptionValue::integer(options->value(FontSize)) : 0;
    if (size < 1)
        size = standardListSize;
    QFont font = FontResolver::font(name, double(std::min(size, largestListSize)));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

AddressListFlow &AddressListPages::addressListFlow() const
{
    const QVariantMap list = m_document.optionDictionary(AddressList);
    AddressListFlow::Options options;
    options.font = addressListFont();
    options.items = AddressListText::printedItems(list.value(ItemTable).toList());
    options.labels = AddressListText::selectedLabels(list);
    options.alternatingRow = PrintOptionValue::flag(list.value(AlternatingRow));
    options.printFrame = PrintOptionValue::flag(list.value(PrintFrame));
    const QRectF reach = m_document.imageableBounds();
    const double left = m_document.optionNumber(LeftMargin);
    const double top = m_document.optionNumber(TopMargin);
    AddressListFlow::Geometry geometry;
    geometry.content
        = QRectF(reach.x() + left, reach.y() + top, reach.width() - left - m_document.optionNumber(RightMargin),
            reach.height() - top - m_document.optionNumber(BottomMargin));
    geometry.paperHeight = m_document.paperSize().height();
    if (!m_flow || !m_flow->madeFor(m_document.receivers(), options, geometry))
        m_flow = std::make_unique<AddressListFlow>(m_document.receivers(), options, geometry);
    return *m_flow;
}
