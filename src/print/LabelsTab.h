#pragma once

#include "print/LabelPresetTableModel.h"
#include "print/VerticalFontPopup.h"

#include <QVariantMap>
#include <QWidget>

class LengthField;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The mailing-label settings of the print options sheet: the label size, by
// preset or by hand, with frame, country, vertical text and its face, and how
// many labels each receiver gets. It fills from and stores into the sheet's
// working copy of the "Mailing Labels" sub-record; the presets are the
// sheet's list, which "Add/Delete..." hands to the preset panel.
class LabelsTab : public QWidget {
    Q_OBJECT

public:
    static constexpr int smallestRepeatCount = 1;
    static constexpr int largestRepeatCount = 1000;
    // In points: a label must have a size, the gaps may be nothing, and none
    // is longer than a large sheet of paper.
    static constexpr double smallestLabel = 1;
    static constexpr double largestLength = 2000;

    explicit LabelsTab(QWidget *parent = nullptr);

    // One entry per preset, titled with its name and carrying it, in list
    // order; the first is selected.
    static void fillPresetPopup(QComboBox *popup, const LabelPresetList &presets);
    // The preset an entry carries; empty for an entry that carries none.
    [[nodiscard]] static QVariantMap presetOfEntry(const QComboBox *popup, int index);

    // Writes the face of a missing "verticalFontName" into the sub-record.
    void fill(QVariantMap &labels, const LabelPresetList &presets, const QList<VerticalFontPopup::Entry> &fonts);
    void fillPresetPopup(const LabelPresetList &presets);
    void store(QVariantMap &labels) const;
    // Shows the preset's sizes; false, showing nothing new, for an entry
    // without a preset.
    bool showPreset(int index);

    [[nodiscard]] QComboBox *presetPopup() const { return m_presetPopup; }
    [[nodiscard]] QPushButton *addDeleteButton() const { return m_addDeleteButton; }
    [[nodiscard]] LengthField *widthField() const { return m_width; }
    [[nodiscard]] LengthField *heightField() const { return m_height; }
    [[nodiscard]] LengthField *hGapField() const { return m_hGap; }
    [[nodiscard]] LengthField *vGapField() const { return m_vGap; }
    [[nodiscard]] QList<LengthField *> lengthFields() const { return {m_width, m_height, m_hGap, m_vGap}; }
    [[nodiscard]] QCheckBox *printFrameSwitch() const { return m_printFrame; }
    [[nodiscard]] QCheckBox *printCountrySwitch() const { return m_printCountry; }
    [[nodiscard]] QCheckBox *drawVerticalSwitch() const { return m_drawVertical; }
    [[nodiscard]] QComboBox *fontPopup() const { return m_fontPopup; }
    [[nodiscard]] QSpinBox *repeatCountField() const { return m_repeatCount; }

Q_SIGNALS:
    // A control changed: the sheet stores its working copy.
    void changed();
    // The user chose a preset and its sizes show.
    void presetApplied();
    void addDeleteRequested();

private:
    void presetEntryChosen(int index);

    QComboBox *m_presetPopup = nullptr;
    QPushButton *m_addDeleteButton = nullptr;
    LengthField *m_width = nullptr;
    LengthField *m_height = nullptr;
    LengthField *m_hGap = nullptr;
    LengthField *m_vGap = nullptr;
    QCheckBox *m_printFrame = nullptr;
    QCheckBox *m_printCountry = nullptr;
    QCheckBox *m_drawVertical = nullptr;
    QLabel *m_fontLabel = nullptr;
    QComboBox *m_fontPopup = nullptr;
    QSpinBox *m_repeatCount = nullptr;
};
