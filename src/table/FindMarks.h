#pragma once

#include "model/TextRange.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QTextLayout>

#include <optional>

class QFont;
class QPainter;
class QRectF;

// The marks of the find bar in one cell's text: every match of the find
// string light gray, the current hit orange over it. A literal search that
// ignores case unless the options are "caseSensitive"; matches never overlap
// ("aa" in "aaa" is found once) and positions count in UTF-16 units.
class FindMarks {
public:
    static inline const QString caseSensitiveOption = QStringLiteral("caseSensitive");

    // No marks: plain text.
    FindMarks() = default;
    // Every match of the find string; none for an empty find string or text.
    FindMarks(const QString &text, const QString &findString, const QString &findOptions);

    // Colours the current hit orange: only when the text had a match and the
    // range lies within the text; with checkTextInRange, only when the text in
    // the range is the find string itself.
    void markHit(const TextRange &range, bool checkTextInRange);

    [[nodiscard]] const QList<TextRange> &matches() const { return m_matches; }
    [[nodiscard]] const std::optional<TextRange> &hit() const { return m_hit; }
    [[nodiscard]] const QString &text() const { return m_text; }

    [[nodiscard]] static QColor matchColor() { return QColor(0xAA, 0xAA, 0xAA); }
    [[nodiscard]] static QColor hitColor() { return QColor(0xFF, 0x80, 0x00); }

    // Draws the text with its marks from the top left of the rectangle, one
    // line per line of the text, wrapped at the rectangle's width while
    // anything is marked. The first line's middle is firstLineCentre below
    // the rectangle's top.
    void paint(
        QPainter *painter, const QRectF &rect, const QFont &font, const QColor &textColor, qreal firstLineCentre) const;

private:
    [[nodiscard]] QList<QTextLayout::FormatRange> formats() const;

    QString m_text;
    QString m_findString;
    Qt::CaseSensitivity m_caseSensitivity = Qt::CaseInsensitive;
    QList<TextRange> m_matches;
    std::optional<TextRange> m_hit;
};
