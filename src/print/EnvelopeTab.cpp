#include "print/EnvelopeTab.h"

#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"
#include "print/VerticalFontPopup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

using namespace PrintOptionsKey;

namespace {
const QString leftRight = QStringLiteral("Left-Right");
const QString upDown = QStringLiteral("Up-Down");
} // namespace

EnvelopeTab::EnvelopeTab(QWidget *parent)
    : QWidget(parent)
    , m_printBorder(new QCheckBox(tr("Print Frame"), this))
    , m_printZIP(new QCheckBox(tr("Print ZIP"), this))
    , m_printCountry(new QCheckBox(tr("Print Country"), this))
    , m_drawVertical(new QCheckBox(tr("Draw Text in Vertical:"), this))
    , m_fontPopup(new QComboBox(this))
    , m_directionLabel(new QLabel(tr("Text Direction:"), this))
    , m_directionPopup(new QComboBox(this))
{
    m_directionPopup->addItem(tr("Left-Right"), leftRight);
    m_directionPopup->addItem(tr("Up-Down"), upDown);
    auto *form = new QFormLayout(this);
    form->addRow(m_printBorder);
    form->addRow(m_printZIP);
    form->addRow(m_printCountry);
    form->addRow(m_drawVertical, m_fontPopup);
    form->addRow(m_directionLabel, m_directionPopup);
    for (QCheckBox *box : {m_printBorder, m_printZIP, m_printCountry, m_drawVertical})
        connect(box, &QCheckBox::clicked, this, &EnvelopeTab::changed);
    connect(m_fontPopup, &QComboBox::activated, this, &EnvelopeTab::changed);
    connect(m_directionPopup, &QComboBox::activated, this, &EnvelopeTab::changed);
}

void EnvelopeTab::fill(QVariantMap &envelope, const QList<FontEntry> &fonts)
{
    if (!envelope.contains(PrintZIP))
        envelope.insert(PrintZIP, true);
    if (!envelope.contains(PrintCountry))
        envelope.insert(PrintCountry, false);
    if (!envelope.contains(DrawTextInVertical))
        envelope.insert(DrawTextInVertical, false);
    m_printBorder->setChecked(PrintOptionValue::flag(envelope.value(PrintBorder)));
    m_printZIP->setChecked(PrintOptionValue::flag(envelope.value(PrintZIP)));
    m_printCountry->setChecked(PrintOptionValue::flag(envelope.value(PrintCountry)));
    m_drawVertical->setChecked(PrintOptionValue::flag(envelope.value(DrawTextInVertical)));

    VerticalFontPopup::fill(m_fontPopup, fonts, envelope, VerticalFontName);
    m_fontPopup->setEnabled(m_drawVertical->isChecked());

    const QSignalBlocker directionBlocker(m_directionPopup);
    const int direction = m_directionPopup->findData(PrintOptionValue::text(envelope.value(TextDirection)));
    if (direction < 0)
        envelope.insert(TextDirection, leftRight);
    m_directionPopup->setCurrentIndex(std::max(direction, 0));
}

void EnvelopeTab::store(QVariantMap &envelope) const
{
    envelope.insert(PrintBorder, int(m_printBorder->isChecked()));
    envelope.insert(PrintZIP, int(m_printZIP->isChecked()));
    envelope.insert(DrawTextInVertical, int(m_drawVertical->isChecked()));
    envelope.insert(PrintCountry, m_printCountry->isChecked());
    if (m_fontPopup->currentIndex() >= 0)
        envelope.insert(VerticalFontName, m_fontPopup->currentData().toString());
    m_fontPopup->setEnabled(m_drawVertical->isChecked());
    envelope.insert(TextDirection, m_directionPopup->currentData().toString());
}
