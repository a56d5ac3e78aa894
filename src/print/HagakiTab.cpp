#include "print/HagakiTab.h"

#include "print/LengthField.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

using namespace PrintOptionsKey;

namespace {

struct CardType {
    const char *title;
    bool showBackground;
    const char *hagakiType;
};
const CardType cardTypes[3] = {
    {QT_TRANSLATE_NOOP("HagakiTab", "ハガキのイメージを表示しない"), false, "None"},
    {QT_TRANSLATE_NOOP("HagakiTab", "年賀ハガキのイメージを表示する"), true, "Nenga"},
    {QT_TRANSLATE_NOOP("HagakiTab", "普通ハガキのイメージを表示する"), true, "General"},
};

// Anywhere on a postcard, with room to spare.
constexpr double farthestPosition = 1000;

} // namespace

HagakiTab::HagakiTab(QWidget *parent)
    : QWidget(parent)
    , m_typePopup(new QComboBox(this))
    , m_fontLabel(new QLabel(tr("Vertical Font:"), this))
    , m_fontPopup(new QComboBox(this))
    , m_autoSenderPosition(new QCheckBox(tr("Auto Layout Sender Position"), this))
    , m_positionLabel(new QLabel(tr("Sender ZIP Position:"), this))
    , m_zipX(new LengthField(0, farthestPosition, this))
    , m_zipY(new LengthField(0, farthestPosition, this))
{
    // Each entry carries its key and the pair of values it stores.
    for (const CardType &type : cardTypes) {
        m_typePopup->addItem(tr(type.title), QString::fromUtf8(type.title));
        m_typePopup->setItemData(m_typePopup->count() - 1,
            QVariantMap{{ShowBackground, type.showBackground}, {HagakiType, QString::fromLatin1(type.hagakiType)}},
            storedValuesRole);
    }
    auto *position = new QHBoxLayout;
    position->addWidget(new QLabel(QStringLiteral("x"), this));
    position->addWidget(m_zipX);
    position->addWidget(new QLabel(QStringLiteral("y"), this));
    position->addWidget(m_zipY);
    auto *form = new QFormLayout(this);
    form->addRow(m_typePopup);
    form->addRow(m_fontLabel, m_fontPopup);
    form->addRow(m_autoSenderPosition);
    form->addRow(m_positionLabel, position);
    connect(m_typePopup, &QComboBox::activated, this, &HagakiTab::typeChanged);
    connect(m_fontPopup, &QComboBox::activated, this, &HagakiTab::changed);
    connect(m_autoSenderPosition, &QCheckBox::clicked, this, &HagakiTab::changed);
    m_zipX->setObjectName(QStringLiteral("senderZIPXPosField"));
    m_zipY->setObjectName(QStringLiteral("senderZIPYPosField"));
    connect(m_zipX, &LengthField::lengthEdited, this, &HagakiTab::positionChanged);
    connect(m_zipY, &LengthField::lengthEdited, this, &HagakiTab::positionChanged);
}

void HagakiTab::fill(QVariantMap &hagaki, const QList<VerticalFontPopup::Entry> &fonts, const QString &unit)
{
    m_zipX->setUnit(unit);
    m_zipY->setUnit(unit);
    const QSignalBlocker typeBlocker(m_typePopup);
    const QString type = PrintOptionValue::text(hagaki.value(HagakiType));
    m_typePopup->setCurrentIndex(
        !PrintOptionValue::flag(hagaki.value(ShowBackground)) ? 0 : (type == QLatin1String("Nenga") ? 1 : 2));
    VerticalFontPopup::fill(m_fontPopup, fonts, hagaki, FontName);
    m_autoSenderPosition->setChecked(PrintOptionValue::flag(hagaki.value(HagakiAutoSenderPosition)));
    if (!hagaki.contains(SenderZIPPositionForNenga))
        hagaki.insert(SenderZIPPositionForNenga, QStringLiteral("(15.59, 348.66)"));
    showPosition(hagaki);
}

void HagakiTab::showPosition(const QVariantMap &hagaki)
{
    // Where the boxes print, so 15 mm lower on an ordinary card.
    const QPointF position = PrintOptionValue::senderZIPPosition(hagaki);
    m_zipX->setLengthInPoints(float(position.x()));
    m_zipY->setLengthInPoints(float(position.y()));
}

void HagakiTab::store(QVariantMap &hagaki) const
{
    const QVariantMap values
        = m_typePopup->itemData(std::max(m_typePopup->currentIndex(), 0), storedValuesRole).toMap();
    hagaki.insert(ShowBackground, values.value(ShowBackground));
    const QString hagakiType = values.value(HagakiType).toString();
    if (PrintOptionValue::text(hagaki.value(HagakiType)) != hagakiType)
        hagaki.insert(HagakiType, hagakiType);
    if (m_fontPopup->currentIndex() >= 0)
        hagaki.insert(FontName, m_fontPopup->currentData().toString());
    hagaki.insert(HagakiAutoSenderPosition, m_autoSenderPosition->isChecked());
}

void HagakiTab::storePosition(QVariantMap &hagaki) const
{
    const double x = m_zipX->lengthInPoints();
    double y = m_zipY->lengthInPoints();
    if (PrintOptionValue::text(hagaki.value(HagakiType)) == QLatin1String("General"))
        y -= PrintOptionValue::generalCardZIPOffset;
    hagaki.insert(SenderZIPPositionForNenga, QStringLiteral("{%1, %2}").arg(x).arg(y));
}
