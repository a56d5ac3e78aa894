#pragma once

#include "print/VerticalFontPopup.h"

#include <QVariantMap>
#include <QWidget>

class QCheckBox;
class QComboBox;
class LengthField;
class QLabel;

// The postcard settings of the print options sheet: which card picture shows,
// the vertical face, automatic sender placement, and where the sender's
// postal code goes. It fills from and stores into the sheet's working copy of
// the "Hagaki" sub-record; positions show in the sheet's unit, which the sheet
// switches on the position fields with its other lengths.
class HagakiTab : public QWidget {
    Q_OBJECT

public:
    // The type entries' data: the key under Qt::UserRole, and under this
    // role the "showBackground" and "hagakiType" the entry stores.
    static constexpr int storedValuesRole = Qt::UserRole + 1;

    explicit HagakiTab(QWidget *parent = nullptr);

    // Writes the defaults of missing keys into the sub-record first.
    void fill(QVariantMap &hagaki, const QList<VerticalFontPopup::Entry> &fonts, const QString &unit);
    void store(QVariantMap &hagaki) const;
    // The position fields as a point text, in points, for the stored type.
    void storePosition(QVariantMap &hagaki) const;

    // Shows the stored position, for the stored type, in the unit.
    void showPosition(const QVariantMap &hagaki);

    [[nodiscard]] QComboBox *typePopup() const { return m_typePopup; }
    [[nodiscard]] QComboBox *fontPopup() const { return m_fontPopup; }
    [[nodiscard]] LengthField *zipXField() const { return m_zipX; }
    [[nodiscard]] LengthField *zipYField() const { return m_zipY; }

Q_SIGNALS:
    void changed();
    void typeChanged();
    // The user changed x or y.
    void positionChanged();

private:
    QComboBox *m_typePopup = nullptr;
    QLabel *m_fontLabel = nullptr;
    QComboBox *m_fontPopup = nullptr;
    QCheckBox *m_autoSenderPosition = nullptr;
    QLabel *m_positionLabel = nullptr;
    LengthField *m_zipX = nullptr;
    LengthField *m_zipY = nullptr;
};
