#pragma once

#include "print/VerticalFontPopup.h"

#include <QList>
#include <QPair>
#include <QVariantMap>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

// The envelope settings of the print options sheet: frame, postal code,
// country, vertical text with its face, and text direction. It fills from and
// stores into the sheet's working copy of the "Envelope" sub-record.
class EnvelopeTab : public QWidget {
    Q_OBJECT

public:
    using FontEntry = VerticalFontPopup::Entry;

    explicit EnvelopeTab(QWidget *parent = nullptr);

    // Writes the defaults of missing keys into the sub-record first.
    void fill(QVariantMap &envelope, const QList<FontEntry> &fonts);
    void store(QVariantMap &envelope) const;

    [[nodiscard]] QCheckBox *printBorderSwitch() const { return m_printBorder; }
    [[nodiscard]] QCheckBox *printZIPSwitch() const { return m_printZIP; }
    [[nodiscard]] QCheckBox *printCountrySwitch() const { return m_printCountry; }
    [[nodiscard]] QCheckBox *drawVerticalSwitch() const { return m_drawVertical; }
    [[nodiscard]] QComboBox *fontPopup() const { return m_fontPopup; }
    [[nodiscard]] QComboBox *directionPopup() const { return m_directionPopup; }

Q_SIGNALS:
    // A control changed: the sheet stores its working copy.
    void changed();

private:
    QCheckBox *m_printBorder = nullptr;
    QCheckBox *m_printZIP = nullptr;
    QCheckBox *m_printCountry = nullptr;
    QCheckBox *m_drawVertical = nullptr;
    QComboBox *m_fontPopup = nullptr;
    QLabel *m_directionLabel = nullptr;
    QComboBox *m_directionPopup = nullptr;
};
