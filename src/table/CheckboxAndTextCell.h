#pragma once

#include "table/TextCell.h"

#include <QRect>

// The "Company" and joint-names cell: the text, and before it a check box
// for the flag of the same name on the row's address, shown only beside text.
class CheckboxAndTextCell : public TextCell {
public:
    void setChecked(bool checked) { m_checked = checked; }
    [[nodiscard]] bool isChecked() const { return m_checked; }
    void setCheckboxHidden(bool hidden) { m_checkboxHidden = hidden; }
    [[nodiscard]] bool isCheckboxHidden() const { return m_checkboxHidden; }
    void setNumLines(int numLines) { m_numLines = numLines; }
    void setCheckboxEnabled(bool enabled) { m_checkboxEnabled = enabled; }
    // The box's frame in a cell's rectangle, as painted.
    [[nodiscard]] QRect checkboxFrameInCell(const QRect &rect, const QWidget *widget) const;

    // The box's frame in a cell at (0, 0): rowHeight − 2 high, centred in
    // the row's numLines lines and 2 points below their middle, as wide as
    // the style's check box.
    [[nodiscard]] static QRect checkboxFrame(int rowHeight, int numLines, int indicatorWidth);

    void paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *widget) const override;

private:
    bool m_checked = false;
    bool m_checkboxHidden = true;
    int m_numLines = 1;
    bool m_checkboxEnabled = true;
};
