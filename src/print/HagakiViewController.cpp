#include "print/HagakiViewController.h"

#include "model/ContactIdentifier.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "print/PrintOptions.h"
#include "print/PrintViewBuilder.h"

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
    PrintViewBuilder::layOut(*m_hagakiView, {m_receiverPersons, m_senderPerson, m_selectedStyle, nullptr, nullptr});
    const qsizetype shown = m_receiverPersons.indexOf(m_shownReceiver);
    if (shown > 0)
        m_hagakiView->setShownReceiver(shown);
    m_hagakiView->update();
}

PrintContactRecordPtr HagakiViewController::convertContact(const SubContactRecordPtr &source)
{
    if (!source)
        return nullptr;
    auto record = std::make_shared<PrintContactRecord>();
    record->source = source;
    refill(*record);
    return record;
}

void HagakiViewController::refill(PrintContactRecord &row)
{
    if (!row.source)
        return;
    const SubContactRecord &source = *row.source;
    row.person = source.person;
    row.uniqueId = source.uniqueId;
    row.labelIndex = source.labelIndex;
    if (!row.person)
        return;
    MVPerson &person = *row.person;
    row.name = *person.nameValue();
    row.compositeName = person.compositeName();
    const PersonValue renmei = person.valueForIdentifier(FieldId::Renmei);
    const QString *renmeiText = std::get_if<QString>(&renmei);
    row.renmei = renmeiText ? *renmeiText : QString();
    // A copy: the layout editing writes into it, and the contact takes the
    // change only through an undoable edit.
    row.layoutDict = person.labeledValueForIdentifierAtIndex(FieldId::Address, row.labelIndex);
    const PersonValue company = person.valueForIdentifier(FieldId::Company);
    const QString *companyText = std::get_if<QString>(&company);
    row.company = companyText && !companyText->isEmpty() ? std::optional(*companyText) : std::nullopt;
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
