#include "print/PrintOptionValue.h"

#include "print/PrintOptionsRecord.h"
#include "platform/StoredValue.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const QRegularExpression &numberPattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)"));
    return pattern;
}

// Booleans count as 1 and 0 here, as the options sheet may store either.
bool isNumeric(const QVariant &value)
{
    return StoredValue::isNumber(value) || value.typeId() == QMetaType::Bool;
}

} // namespace

namespace PrintOptionValue {

double number(const QVariant &value)
{
    double read = 0;
    if (isNumeric(value)) {
        read = value.toDouble();
    } else if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        const QRegularExpressionMatch match = numberPattern().match(
            text, 0, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (match.hasMatch())
            read = match.captured().toDouble();
    }
    // "1e999" and a stored NaN would carry into every length drawn from them.
    return std::isfinite(read) ? read : 0;
}

qint64 integer(const QVariant &value)
{
    // Converting a double beyond the range of the integer ("1e30") is
    // undefined; such a value reads as the nearest one that fits.
    constexpr double limit = 9.2e18;
    return static_cast<qint64>(std::clamp(number(value), -limit, limit));
}

bool flag(const QVariant &value)
{
    if (isNumeric(value))
        return value.toDouble() != 0;
    if (value.typeId() != QMetaType::QString)
        return false;
    const QString text = value.toString().trimmed();
    qsizetype at = 0;
    if (at < text.size() && (text.at(at) == u'+' || text.at(at) == u'-'))
        ++at;
    while (at < text.size() && text.at(at) == u'0')
        ++at;
    if (at == text.size())
        return false;
    const QChar first = text.at(at);
    return QStringLiteral("YyTt123456789").contains(first);
}

QString text(const QVariant &value)
{
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QPointF point(const QVariant &value)
{
    double coordinates[2] = {0, 0};
    int found = 0;
    QRegularExpressionMatchIterator matches = numberPattern().globalMatch(text(value));
    while (found < 2 && matches.hasNext())
        coordinates[found++] = matches.next().captured().toDouble();
    return {coordinates[0], coordinates[1]};
}

QVariantMap dictionary(const QVariantMap &record, const QString &key)
{
    const QVariant value = record.value(key);
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

QPointF senderZIPPosition(const QVariantMap &hagakiOptions)
{
    static const QString newYearDefault = QStringLiteral("(15.59, 348.66)");
    QString stored = text(hagakiOptions.value(PrintOptionsKey::SenderZIPPositionForNenga));
    if (stored.isEmpty() || stored == QStringLiteral("(21, 354)"))
        stored = newYearDefault;
    QPointF position = point(stored);
    if (text(hagakiOptions.value(PrintOptionsKey::HagakiType)) == QStringLiteral("General"))
        position.ry() += generalCardZIPOffset;
    return position;
}

} // namespace PrintOptionValue
