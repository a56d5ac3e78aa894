#include "print/HagakiViewController.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "print/PrintOptions.h"
#include "print/PrintDocumentBuilder.h"

#include <QResizeEvent>

HagakiViewController::HagakiViewController(QWidget *parent)
    : HagakiViewController(UserDefaults::standardUserDefaults(), parent)
{
}

HagakiViewController::HagakiViewController(UserDefaults &defaults, QWidget *parent)
    : QWidget(parent)
    , m_userDefaults(&defaults)
    , m_hagakiView(new HagakiView(this))
{
    setObjectName(QStringLiteral("previewPane"));
    // A low window makes the card smaller rather than the outline above it.
    setMinimumSize(previewWidth + 5, smallestPreviewHeight);
    // Until the paper is known, the view stands centred across the pane.
    m_hagakiView->setGeometry((minimumWidth() - previewWidth) / 2, 0, previewWidth, previewHeight);
    m_hagakiView->setUserDefaults(m_userDefaults);
    viewDidLoad();
}

HagakiViewController::~HagakiViewController() = default;

void HagakiViewController::viewDidLoad()
{
    setPrintOptions(PrintOptions::loadStoredPrintOptions(*m_userDefaults));
    NotificationCenter::defaultCenter().addObserver(this, PrintOptions::printOptionsUpdated, QVariant(),
        [this](const NotificationCenter::Notification &) { printOptionsUpdated(); });
}

// The options sheet has stored its record: the preview works on a fresh copy
// of it, and redraws with the old one when none is stored.
void HagakiViewController::printOptionsUpdated()
{
    const QVariant stored = m_userDefaults->objectForKey(PrintOptions::defaultsKey);
    if (stored.typeId() == QMetaType::QVariantMap)
        setPrintOptions(std::make_shared<PrintOptionsRecord>(PrintOptions::deepCopyDictionary(stored.toMap())));
    updateUI();
}

void HagakiViewController::setPrintOptions(const PrintOptionsRecordPtr &options)
{
    m_printOptions = options;
    m_hagakiView->setPrintOptions(options);
}

void HagakiViewController::setLayoutMode(bool layoutMode)
{
    m_layoutMode = layoutMode;
    m_hagakiView->resetCursorRects();
}

void HagakiViewController::updateUI()
{
    m_hagakiView->resetCursorRects();
    // Options and paper are already the view's own.
    PrintDocumentBuilder::layOut(
        *m_hagakiView, {m_receiverPersons, m_senderPerson, m_selectedStyle, nullptr, nullptr, m_shownReceiver});
    m_hagakiView->update();
}

QSize HagakiViewController::sizeHint() const
{
    return {previewWidth + 5, previewHeight};
}

// The card in the paper's proportion, as large as the pane allows up to the
// preview's full size, centred in the pane's height.
void HagakiViewController::fitViewToPane()
{
    const QSizeF paper = m_hagakiView->bounds().size();
    const QSizeF full = paper.isEmpty() ? QSizeF(previewWidth, previewHeight)
                                        : paper.scaled(QSizeF(previewWidth, previewHeight), Qt::KeepAspectRatio);
    const QSizeF size = full.height() > height() ? full.scaled(full.width(), height(), Qt::KeepAspectRatio) : full;
    m_hagakiView->setGeometry(QRectF(QPointF(m_hagakiView->x(), (height() - size.height()) * 0.5), size).toRect());
}

void HagakiViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitViewToPane();
}
