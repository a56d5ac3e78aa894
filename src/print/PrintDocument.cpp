#include "print/PrintDocument.h"

#include "platform/widgets/FontResolver.h"
#include "print/AddressListPages.h"
#include "print/EnvelopePages.h"
#include "print/LabelPages.h"
#include "print/PostcardPages.h"
#include "print/PrintOptionValue.h"
#include "print/RectText.h"
#include "print/UndrawnContacts.h"

#include <QGuiApplication>

#include <cmath>

using namespace PrintOptionsKey;

namespace {

// The vertical font of postcards when the options name none.
const QString &roundGothic()
{
    static const QString name = QStringLiteral("Hiragino Maru Gothic Pro");
    return name;
}

// A saved frame reaching further than this many times the paper's largest
// side is no layout a user made (a vCard carries whatever it was given).
constexpr double farthestFrame = 10;
// The side a frame is bounded by when there is no paper: the card's.
constexpr double cardHeight = 420;

} // namespace

PrintDocument::PrintDocument() = default;

PrintDocument::PrintDocument(const PrintDocument &other)
    : m_style(other.m_style)
    , m_options(other.m_options)
    , m_paper(other.m_paper)
    , m_receivers(other.m_receivers)
    , m_sender(other.m_sender)
    , m_fontName(other.m_fontName)
    , m_columnFontName(other.m_columnFontName)
    , m_keishou(other.m_keishou)
{
}

PrintDocument &PrintDocument::operator=(const PrintDocument &other)
{
    if (this != &other) {
        PrintDocument copy(other);
        std::swap(m_style, copy.m_style);
        std::swap(m_options, copy.m_options);
        std::swap(m_paper, copy.m_paper);
        std::swap(m_receivers, copy.m_receivers);
        std::swap(m_sender, copy.m_sender);
        std::swap(m_fontName, copy.m_fontName);
        std::swap(m_columnFontName, copy.m_columnFontName);
        std::swap(m_keishou, copy.m_keishou);
        forgetPages();
    }
    return *this;
}

PrintDocument::~PrintDocument() = default;

void PrintDocument::forgetPages()
{
    m_pages.reset();
}

void PrintDocument::setStyle(PrintStyleKind style)
{
    m_style = style;
    forgetPages();
}

void PrintDocument::setOptions(const PrintOptionsRecordPtr &options)
{
    m_options = options;
    const PrintOptionsRecord record = options ? *options : PrintOptionsRecord();
    const QString standardFamily = QGuiApplication::font().family();
    m_fontName = PrintOptionValue::text(record.value(FontName));
    if (m_fontName.isEmpty())
        m_fontName = standardFamily;
    m_columnFontName = PrintOptionValue::text(PrintOptionValue::dictionary(record, Hagaki).value(FontName));
    if (m_columnFontName.isEmpty())
        m_columnFontName = FontResolver::hasFace(roundGothic()) ? roundGothic() : standardFamily;
    m_keishou = PrintOptionValue::text(record.value(Keishou));
    forgetPages();
}

void PrintDocument::setPaper(const PrintInfoPtr &paper)
{
    m_paper = paper;
    forgetPages();
}

void PrintDocument::setImageableBounds(const QRectF &bounds)
{
    if (!m_paper)
        m_paper = std::make_shared<PrintInfo>();
    m_paper->setImageablePageBounds(bounds);
    forgetPages();
}

void PrintDocument::setReceivers(const PrintReceivers &receivers)
{
    m_receivers = receivers;
    forgetPages();
}

void PrintDocument::setSender(const PrintContactRecordPtr &sender)
{
    m_sender = sender;
    forgetPages();
}

void PrintDocument::setKeishou(const QString &keishou)
{
    m_keishou = keishou;
    forgetPages();
}

const PrintPages &PrintDocument::pages() const
{
    if (!m_pages) {
        switch (m_style) {
        case PrintStyleKind::Envelope:
            m_pages = std::make_unique<EnvelopePages>(*this);
            break;
        case PrintStyleKind::Labels:
            m_pages = std::make_unique<LabelPages>(*this);
            break;
        case PrintStyleKind::AddressList:
            m_pages = std::make_unique<AddressListPages>(*this);
            break;
        case PrintStyleKind::Hagaki:
            m_pages = std::make_unique<PostcardPages>(*this);
            break;
        }
    }
    return *m_pages;
}

int PrintDocument::pageCount() const
{
    return pages().pageCount();
}

QRectF PrintDocument::pageRect(int page) const
{
    const QSizeF paper = paperSize();
    if (m_receivers.isEmpty())
        return {QPointF(0, 0), paper};
    // Page 1 is the first strip, in the table's order: the first row's card,
    // the list's start. A printer that stacks face up reverses the pages
    // itself (PageRenderer).
    return {0, double(page - 1) * paper.height(), paper.width(), paper.height()};
}

qsizetype PrintDocument::stripOfPage(int page) const
{
    const QRectF rect = pageRect(page);
    const double paperHeight = paperSize().height();
    return paperHeight > 0 ? static_cast<qsizetype>(std::floor((rect.y() + rect.height() * 0.5) / paperHeight)) : 0;
}

DrawList PrintDocument::page(int page, UndrawnContacts *undrawn) const
{
    DrawList list;
    list.add(FilledRect{pageRect(page), Qt::white});
    UndrawnContacts unasked;
    pages().drawPage(page, list, undrawn ? *undrawn : unasked);
    return list;
}

QSizeF PrintDocument::paperSize() const
{
    return m_paper ? m_paper->paperSize() : QSizeF(0, 0);
}

QRectF PrintDocument::imageableBounds() const
{
    return m_paper ? m_paper->imageablePageBounds() : QRectF();
}

double PrintDocument::optionNumber(const QString &key) const
{
    return m_options ? PrintOptionValue::number(m_options->value(key)) : 0;
}

QVariantMap PrintDocument::optionDictionary(const QString &key) const
{
    return m_options ? PrintOptionValue::dictionary(*m_options, key) : QVariantMap();
}

QPointF PrintDocument::blockOrigin(double pageOffset) const
{
    return {optionNumber(LeftMargin), optionNumber(TopMargin) + pageOffset};
}

std::optional<QRectF> PrintDocument::savedFrame(const QString &text) const
{
    return savedFrame(RectText::parse(text));
}

std::optional<QRectF> PrintDocument::savedFrame(const std::optional<QRectF> &frame) const
{
    if (!frame)
        return std::nullopt;
    const QSizeF paper = paperSize();
    const double largestSide = std::max(paper.width(), paper.height());
    const double reach = farthestFrame * (largestSide > 0 ? largestSide : cardHeight);
    for (const double value : {frame->x(), frame->y(), frame->width(), frame->height()}) {
        if (!(std::abs(value) <= reach))
            return std::nullopt;
    }
    return frame;
}
