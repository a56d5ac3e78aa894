#pragma once

#include <QColor>

class QPainter;
class QStyleOptionViewItem;

// The selection's highlight behind a cell, in the colour group of the view's
// state, as both contact tables draw it. Answers the colour the cell's text
// takes over it.
[[nodiscard]] QColor paintSelectedCellBackground(QPainter *painter, const QStyleOptionViewItem &option);
