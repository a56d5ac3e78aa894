#include "print/LabelsTab.h"

#include "print/LengthField.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptionsRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace PrintOptionsKey;

namespace {

LengthField *lengthField(double minimumPoints, const char *name, QWidget *parent)
{
    auto *field = new LengthField(minimumPoints, LabelsTab::largestLength, parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

LabelsTab::LabelsTab(QWidget *parent)
    : QWidget(parent)
    , m_presetPopup(new QComboBox(this))
    , m_addDeleteButton(new QPushButton(tr("Add/Delete..."), this))
    , m_width(lengthField(smallestLabel, "mLabelTabWidthField", this))
    , m_height(lengthField(smallestLabel, "mLabelTabHeightField", this))
    , m_hGap(lengthField(0, "mLabelTabHGapField", this))
    , m_vGap(lengthField(0, "mLabelTabVGapField", this))
    , m_printFrame(new QCheckBox(tr("Print Frame"), this))
    , m_printCountry(new QCheckBox(tr("Print Country"), this))
    , m_drawVertical(new QCheckBox(tr("Draw Text in Vertical:"), this))
    , m_fontLabel(new QLabel(tr("Vertical Font:"), this))
    , m_fontPopup(new QComboBox(this))
    , m_repeatCount(new QSpinBox(this))
{
    m_presetPopup->setObjectName(QStringLiteral("mLabelTabPresetPopup"));
    m_presetPopup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_addDeleteButton->setAutoDefault(false);
    m_repeatCount->setObjectName(QStringLiteral("mLabelTabRepeatCountField"));
    m_repeatCount->setRange(smallestRepeatCount, largestRepeatCount);
    m_repeatCount->setKeyboardTracking(false);

    auto *preset = new QHBoxLayout;
    preset->addWidget(m_presetPopup, 1);
    preset->addWidget(m_addDeleteButton);
    auto *sizes = new QGridLayout;
    sizes->addWidget(new QLabel(tr("Width:"), this), 0, 0);
    sizes->addWidget(m_width, 0, 1);
    sizes->addWidget(new QLabel(tr("Height:"), this), 0, 2);
    sizes->addWidget(m_height, 0, 3);
    sizes->addWidget(new QLabel(tr("H Gap:"), this), 1, 0);
    sizes->addWidget(m_hGap, 1, 1);
    sizes->addWidget(new QLabel(tr("V Gap:"), this), 1, 2);
    sizes->addWidget(m_vGap, 1, 3);
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_printFrame);
    switches->addWidget(m_printCountry);
    switches->addStretch(1);
    auto *form = new QFormLayout(this);
    form->addRow(tr("Label Size:"), preset);
    form->addRow(sizes);
    form->addRow(switches);
    form->addRow(m_drawVertical);
    form->addRow(m_fontLabel, m_fontPopup);
    form->addRow(tr("Repeat Count:"), m_repeatCount);

    connect(m_presetPopup, &QComboBox::activated, this, &LabelsTab::presetEntryChosen);
    connect(m_addDeleteButton, &QPushButton::clicked, this, &LabelsTab::addDeleteRequested);
    for (QCheckBox *box : {m_printFrame, m_printCountry, m_drawVertical})
        connect(box, &QCheckBox::clicked, this, &LabelsTab::changed);
    connect(m_fontPopup, &QComboBox::activated, this, &LabelsTab::changed);
    connect(m_repeatCount, &QSpinBox::valueChanged, this, &LabelsTab::changed);
}

void LabelsTab::fillPresetPopup(QComboBox *popup, const LabelPresetList &presets)
{
    const QSignalBlocker blocker(popup);
    popup->clear();
    for (const QVariant &preset : presets) {
        const QVariantMap entry = preset.toMap();
        popup->addItem(PrintOptionValue::text(entry.value(Name)), entry);
    }
    popup->setCurrentIndex(popup->count() > 0 ? 0 : -1);
}

QVariantMap LabelsTab::presetOfEntry(const QComboBox *popup, int index)
{
    if (index < 0 || index >= popup->count())
        return {};
    return popup->itemData(index).toMap();
}

void LabelsTab::fillPresetPopup(const LabelPresetList &presets)
{
    fillPresetPopup(m_presetPopup, presets);
}

void LabelsTab::fill(QVariantMap &labels, const LabelPresetList &presets, const QList<VerticalFontPopup::Entry> &fonts)
{
    fillPresetPopup(presets);
    m_width->setLengthInPoints(float(PrintOptionValue::number(labels.value(LabelWidth))));
    m_height->setLengthInPoints(float(PrintOptionValue::number(labels.value(LabelHeight))));
    m_vGap->setLengthInPoints(float(PrintOptionValue::number(labels.value(VGap))));
    m_hGap->setLengthInPoints(float(PrintOptionValue::number(labels.value(HGap))));
    m_printFrame->setChecked(PrintOptionValue::flag(labels.value(PrintFrame)));
    m_printCountry->setChecked(PrintOptionValue::flag(labels.value(PrintCountry)));
    m_drawVertical->setChecked(PrintOptionValue::flag(labels.value(DrawTextInVertical)));
    VerticalFontPopup::fill(m_fontPopup, fonts, labels, VerticalFontName, VerticalFontPopup::EmptyFace::FirstListed);
    m_fontPopup->setEnabled(m_drawVertical->isChecked());
    const QSignalBlocker blocker(m_repeatCount);
    m_repeatCount->setValue(int(std::clamp<qint64>(
        PrintOptionValue::integer(labels.value(RepeatCount)), smallestRepeatCount, largestRepeatCount)));
}

void LabelsTab::store(QVariantMap &labels) const
{
    labels.insert(LabelHeight, m_height->lengthInPoints());
    labels.insert(LabelWidth, m_width->lengthInPoints());
    labels.insert(VGap, m_vGap->lengthInPoints());
    labels.insert(HGap, m_hGap->lengthInPoints());
    labels.insert(PrintFrame, m_printFrame->isChecked());
    labels.insert(PrintCountry, m_printCountry->isChecked());
    labels.insert(DrawTextInVertical, m_drawVertical->isChecked());
    labels.insert(RepeatCount, m_repeatCount->value());
    if (m_fontPopup->currentIndex() >= 0)
        labels.insert(VerticalFontName, m_fontPopup->currentData().toString());
    m_fontPopup->setEnabled(m_drawVertical->isChecked());
    // With none selected (its preset was removed) the last choice stays.
    if (m_presetPopup->currentIndex() >= 0)
        labels.insert(SelectedPreset, m_presetPopup->currentText());
}

bool LabelsTab::showPreset(int index)
{
    const QVariantMap preset = presetOfEntry(m_presetPopup, index);
    if (preset.isEmpty())
        return false;
    m_width->setLengthInPoints(float(PrintOptionValue::number(preset.value(LabelWidth))));
    m_height->setLengthInPoints(float(PrintOptionValue::number(preset.value(LabelHeight))));
    m_vGap->setLengthInPoints(float(PrintOptionValue::number(preset.value(VGap))));
    m_hGap->setLengthInPoints(float(PrintOptionValue::number(preset.value(HGap))));
    return true;
}

void LabelsTab::presetEntryChosen(int index)
{
    if (showPreset(index))
        Q_EMIT presetApplied();
}
