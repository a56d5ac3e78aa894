#include "print/LengthField.h"

#include "print/PrintUnits.h"

#include <QLocale>

namespace {

using PrintUnits::millimetresPerInch;
using PrintUnits::pointsPerInch;
// Enough places that 28.346457 points show in mm without changing when read
// back, and nothing printed past the last one that counts.
constexpr int shownDecimals = 4;

} // namespace

LengthField::LengthField(double minimumPoints, double maximumPoints, QWidget *parent)
    : QDoubleSpinBox(parent)
    , m_minimumPoints(minimumPoints)
    , m_maximumPoints(maximumPoints)
{
    setDecimals(shownDecimals);
    setKeyboardTracking(false);
    setRangeInUnit();
    setSingleStep(1.0);
    connect(this, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!m_settingValue)
            Q_EMIT lengthEdited();
    });
}

float LengthField::changeValue(float value, const QString &from, const QString &to)
{
    if (from == to)
        return value;
    const double v = value;
    if (from == points && to == inches)
        return value / float(pointsPerInch);
    if (from == points && to == mm)
        return float(v * millimetresPerInch / pointsPerInch);
    if (from == inches && to == points)
        return value * float(pointsPerInch);
    if (from == inches && to == mm)
        return float(v * millimetresPerInch);
    if (from == mm && to == points)
        return float(v * pointsPerInch / millimetresPerInch);
    if (from == mm && to == inches)
        return float(v / millimetresPerInch);
    return value;
}

float LengthField::fromPoints(float value, const QString &unit)
{
    return changeValue(value, points, unit == points || unit == inches ? unit : mm);
}

float LengthField::toPoints(float value, const QString &unit)
{
    return changeValue(value, unit == points || unit == inches ? unit : mm, points);
}

void LengthField::setUnit(const QString &unit)
{
    const float shown = float(value());
    const QString from = m_unit;
    m_unit = unit;
    m_settingValue = true;
    setRangeInUnit();
    setSingleStep(unit == inches ? 0.1 : 1.0);
    setValue(changeValue(shown, from, unit));
    m_settingValue = false;
}

float LengthField::lengthInPoints() const
{
    return toPoints(float(value()), m_unit);
}

void LengthField::setLengthInPoints(float points)
{
    m_settingValue = true;
    setValue(fromPoints(points, m_unit));
    m_settingValue = false;
}

QString LengthField::textFromValue(double value) const
{
    QString text = locale().toString(value, 'f', decimals());
    const QString point = locale().decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text;
}

void LengthField::setRangeInUnit()
{
    setRange(fromPoints(float(m_minimumPoints), m_unit), fromPoints(float(m_maximumPoints), m_unit));
}
