#pragma once

#include <QDialog>

class QLabel;

// A small window of the application run modally (exec(), or open() as a
// sheet of a window), which ends its run itself: closing it gives the
// response it was made with, Escape aborts (ModalResponse::Abort). It shows
// the application's icon.
class ModalPanel : public QDialog {
    Q_OBJECT

public:
    void reject() override;

protected:
    ModalPanel(int closeResponse, int iconSize, QWidget *parent);

    [[nodiscard]] QLabel *makeIconView();
    void closeEvent(QCloseEvent *event) override;

private:
    int m_closeResponse = 0;
    int m_iconSize = 0;
};
