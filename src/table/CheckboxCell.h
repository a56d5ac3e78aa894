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

    // The box in the middle of the cell's width and of the row's first line.
    void paint(QPainter *painter, const QRect &rect, const QWidget *widget) const;

    // Draws a check box centred in the frame.
    static void paintCheckbox(QPainter *painter, const QRect &frame, bool checked, const QWidget *widget);

private:
    bool m_checked = false;
    double m_rowHeight = 0;
};
