#pragma once

#include "model/ContactIdentifier.h"
#include "model/ItemAndRangeRecord.h"
#include "model/UniqueId.h"
#include "table/FindMarks.h"

#include <QFont>
#include <QString>

class QPainter;
class QRect;
class QWidget;

// A cell of plain text with the find bar's marks. The current hit is orange
// only in the cell of the hit's contact, column and row: a text that shows on
// each of a contact's rows holds the hit on one of them.
class TextCell {
public:
    virtual ~TextCell() = default;

    void setText(const QString &text) { m_text = text; }
    void setFont(const QFont &font) { m_font = font; }
    void setFindString(const QString &findString) { m_findString = findString; }
    void setFindOptions(const QString &findOptions) { m_findOptions = findOptions; }
    void setFindTarget(const ItemAndRangeRecordPtr &target) { m_findTarget = target; }
    // The row's contact and the cell's column, which the hit must name.
    void setUniqueId(const UniqueId &uniqueId) { m_uniqueId = uniqueId; }
    void setIdentifier(const ContactIdentifier &identifier) { m_identifier = identifier; }
    // The row's label position, which the hit's "labelIndex" names.
    void setLabelIndex(qint64 labelIndex) { m_labelIndex = labelIndex; }
    // The height of one line of the row, in whose middle the text starts.
    void setRowHeight(double rowHeight) { m_rowHeight = rowHeight; }

    // Works out the marks of the text as set.
    void updateText();

    [[nodiscard]] const FindMarks &marks() const { return m_marks; }
    [[nodiscard]] const QFont &font() const { return m_font; }

    virtual void paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *widget) const;

protected:
    [[nodiscard]] double lineHeight(const QRect &rect) const;
    void paintText(QPainter *painter, const QRect &rect, int indent, const QColor &textColor) const;

private:
    QString m_text;
    QFont m_font;
    QString m_findString;
    QString m_findOptions;
    ItemAndRangeRecordPtr m_findTarget;
    UniqueId m_uniqueId;
    ContactIdentifier m_identifier;
    qint64 m_labelIndex = 0;
    double m_rowHeight = 0;
    FindMarks m_marks;
};
