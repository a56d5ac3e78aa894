#pragma once

#include <QColor>
#include <QWidget>

// A line of the window's layout drawn as a filled box with a border; the
// window shows whether it is editing or locked by its width and colours.
class SeparatorBox : public QWidget {
    Q_OBJECT

public:
    explicit SeparatorBox(QWidget *parent = nullptr);

    [[nodiscard]] qreal borderWidth() const { return m_borderWidth; }
    void setBorderWidth(qreal width);
    [[nodiscard]] QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    [[nodiscard]] QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor &color);
    // Red and 2 points wide while editing; grey, keeping its width, while
    // locked.
    void showEditState(bool editing);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_borderWidth = 1.0;
    QColor m_borderColor = Qt::gray;
    QColor m_fillColor = Qt::gray;
};
