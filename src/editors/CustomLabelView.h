#pragma once

#include <QWidget>

// The pale panel laid over the dates editor while the user names a label of
// his own.
class CustomLabelView : public QWidget {
    Q_OBJECT

public:
    explicit CustomLabelView(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
