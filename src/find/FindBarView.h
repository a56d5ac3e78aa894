#pragma once

#include <QWidget>

// The find bar's strip: the text background with a light grey frame.
class FindBarView : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *event) override;
};
