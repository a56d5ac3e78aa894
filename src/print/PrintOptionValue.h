#pragma once

#include <QPointF>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// Readers of the values a print options record holds. The built record keeps
// lengths as decimal text ("157.32") and some flags as "1" and "0", while the
// options sheet writes numbers and booleans back; points are "(x, y)" as
// built and "{x, y}" after an edit. Every reader takes either form, and a
// missing value reads as 0, false or empty.
namespace PrintOptionValue {

// The number at the start of a text ("130" and "130pt" are 130), or the
// number itself; 0 for anything else, also for what is not finite.
[[nodiscard]] double number(const QVariant &value);
// The integer part of the number, held to the range of the integer.
[[nodiscard]] qint64 integer(const QVariant &value);
// True for a non-zero number and for a text starting with Y, T or a digit 1-9
// (after blanks, a sign and zeros); false for anything else.
[[nodiscard]] bool flag(const QVariant &value);
[[nodiscard]] QString text(const QVariant &value);
// The first two numbers of the text; missing ones are 0.
[[nodiscard]] QPointF point(const QVariant &value);
// A sub-dictionary; empty when the key holds no dictionary.
[[nodiscard]] QVariantMap dictionary(const QVariantMap &record, const QString &key);

// The top-left corner of the sender's postal-code boxes from the "Hagaki"
// sub-record: the stored New-Year position ("(15.59, 348.66)" when absent, and
// for the "(21, 354)" older records hold), 15 mm lower on a "General" card.
[[nodiscard]] QPointF senderZIPPosition(const QVariantMap &hagakiOptions);
// 15 mm in points: how much lower an ordinary card's sender boxes sit.
inline constexpr double generalCardZIPOffset = 42.51968503937008;

} // namespace PrintOptionValue
