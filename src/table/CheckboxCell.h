#pragma once

class QPainter;
class QRect;
class QWidget;

// A cell holding only a check box: the "Sender" mark of the row's address.
class CheckboxCell {
public:
    void setChecked(bool checked) { m_checked = checked; }
    [[nodiscard]] bool isChecked() const { return m_checked; }
    void setRowHeight(double rowHeight) { m_rowHeight = rowHeight; }
    // A locked table's boxes draw greyed.
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // The box in the middle of the cell's width and of the row's first line.
    void paint(QPainter *painter, const QRect &rect, const QWidget *widget) const;

    // Draws a check box centred in the frame.
    static void paintCheckbox(
        QPainter *painter, const QRect &frame, bool checked, const QWidget *widget, bool enabled = true);
    // The indicator's rectangle centred in the frame.
    [[nodiscard]] static QRect indicatorRect(const QRect &frame, const QWidget *widget);
    // The frame the box is centred in, for a cell's rectangle.
    [[nodiscard]] QRect frameInCell(const QRect &rect) const;

private:
    bool m_checked = false;
    bool m_enabled = true;
    double m_rowHeight = 0;
};
