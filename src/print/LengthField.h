#pragma once

#include <QDoubleSpinBox>
#include <QString>

// A length of the options sheet: a field with its stepper's arrows, so that
// the two never differ. The record keeps lengths in points; the field shows
// them in the sheet's unit, "points", "inches" or "mm", and steps by 0.1 inch
// or by 1 of the other units. Values are single-precision floats, as stored.
class LengthField : public QDoubleSpinBox {
    Q_OBJECT

public:
    static inline const QString points = QStringLiteral("points");
    static inline const QString inches = QStringLiteral("inches");
    static inline const QString mm = QStringLiteral("mm");

    // The length it holds lies between the two, in points.
    explicit LengthField(double minimumPoints, double maximumPoints, QWidget *parent = nullptr);

    // 72 points to the inch, 25.4 mm to the inch; a conversion involving mm
    // is worked out in double precision and rounded. The same unit, or a
    // title of none, leaves the value as it is.
    [[nodiscard]] static float changeValue(float value, const QString &from, const QString &to);
    // Every unit other than points and inches is taken as mm.
    [[nodiscard]] static float fromPoints(float value, const QString &unit);
    [[nodiscard]] static float toPoints(float value, const QString &unit);

    [[nodiscard]] const QString &unit() const { return m_unit; }
    // The shown value is converted from the unit it was in, as shown.
    void setUnit(const QString &unit);
    // The length in points, from the value shown.
    [[nodiscard]] float lengthInPoints() const;
    // Shows the length in the field's unit; announces nothing.
    void setLengthInPoints(float points);

Q_SIGNALS:
    // The user changed the length: after typing, on Return or when the field
    // is left, and at each click of an arrow.
    void lengthEdited();

protected:
    [[nodiscard]] QString textFromValue(double value) const override;

private:
    void setRangeInUnit();

    QString m_unit = points;
    double m_minimumPoints = 0;
    double m_maximumPoints = 0;
    bool m_settingValue = false;
};
