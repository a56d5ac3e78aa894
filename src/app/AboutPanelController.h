#pragma once

#include "app/ModalPanel.h"

class QLabel;
class QPushButton;

// The About panel: the product's icon, name and version, and a button that
// opens the maker's web page. Run modally (exec()); OK and the close box end
// the run, and a panel shown as a sheet ends it with ModalResponse::OK.
class AboutPanelController : public ModalPanel {
    Q_OBJECT

public:
    explicit AboutPanelController(QWidget *parent = nullptr);

    [[nodiscard]] QLabel *productNameField() const { return m_productNameField; }
    [[nodiscard]] QLabel *versionField() const { return m_versionField; }
    [[nodiscard]] QPushButton *okButton() const { return m_okButton; }

private:
    void buttonPressed(QObject *sender);

    QLabel *m_iconView = nullptr;
    QLabel *m_productNameField = nullptr;
    QLabel *m_versionField = nullptr;
    QPushButton *m_urlButton = nullptr;
    QPushButton *m_okButton = nullptr;
};
