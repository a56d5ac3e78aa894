#pragma once

#include "model/ItemAndRangeRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/MVPersonPtr.h"
#include "table/FindMarks.h"
#include "table/PopupButton.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;
class QRect;
class QWidget;

// The cell of a labeled value: the label pop-up beside the value's text, with
// the find bar's matches marked. The table sets every property again for each
// row and then calls updatePopupAndText, so nothing of an earlier row stays.
class PopupAndTextCell {
public:
    [[nodiscard]] PopupButton &labelPopup() { return m_labelPopup; }
    [[nodiscard]] const PopupButton &labelPopup() const { return m_labelPopup; }

    void setRowHeight(double rowHeight) { m_rowHeight = rowHeight; }
    void setSelectedFont(const std::optional<QFont> &font) { m_selectedFont = font; }
    void setEditState(bool editState) { m_editState = editState; }
    void setLabels(const QStringList &labels) { m_labels = labels; }
    void setLocalizedLabels(const QStringList &labels) { m_localizedLabels = labels; }
    void setLabeledValue(const LabeledValueRecordPtr &value) { m_labeledValue = value; }
    void setPerson(const MVPersonPtr &person) { m_person = person; }
    void setLabelIndex(qint64 labelIndex) { m_labelIndex = labelIndex; }
    void setFindString(const QString &findString) { m_findString = findString; }
    void setFindOptions(const QString &findOptions) { m_findOptions = findOptions; }
    // The current hit; the table hands it only to cells of the hit's column.
    void setFindTarget(const ItemAndRangeRecordPtr &target) { m_findTarget = target; }

    // Rebuilds the pop-up's items and selection, the text and its marks.
    void updatePopupAndText();

    [[nodiscard]] const QString &text() const { return m_marks.text(); }
    [[nodiscard]] const FindMarks &marks() const { return m_marks; }

    // The pop-up at the left, the text after it, both in the row's first line.
    void paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *widget) const;
    // Where paint() puts the pop-up in the cell's rectangle.
    [[nodiscard]] QRect popupRect(const QRect &rect, const QWidget *widget) const;

    // A label as the user reads it: the store's form turned into display text.
    [[nodiscard]] static QString displayFormOfLabel(const QString &label);

private:
    void fillPopup();

    PopupButton m_labelPopup;
    double m_rowHeight = 0;
    std::optional<QFont> m_selectedFont;
    bool m_editState = false;
    QStringList m_labels;
    QStringList m_localizedLabels;
    LabeledValueRecordPtr m_labeledValue;
    MVPersonPtr m_person;
    qint64 m_labelIndex = 0;
    QString m_findString;
    QString m_findOptions;
    ItemAndRangeRecordPtr m_findTarget;
    FindMarks m_marks;
};
