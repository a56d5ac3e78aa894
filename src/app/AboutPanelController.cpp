#include "app/AboutPanelController.h"

#include "app/BuildInfo.h"
#include "app/ModalResponse.h"
#include "app/ProductPages.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

AboutPanelController::AboutPanelController(QWidget *parent)
    : ModalPanel(ModalResponse::Abort, 128, parent)
    , m_iconView(makeIconView())
    , m_productNameField(new QLabel(QCoreApplication::applicationName(), this))
    , m_versionField(
          new QLabel(tr("Version %1 (%2)")
                         .arg(QString::fromLatin1(BuildInfo::version), QString::fromLatin1(BuildInfo::buildNumber)),
              this))
    , m_urlButton(new QPushButton(tr("Web Site"), this))
    , m_okButton(new QPushButton(tr("OK"), this))
{
    setWindowTitle(tr("About %1").arg(QCoreApplication::applicationName()));
    QFont nameFont = m_productNameField->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    m_productNameField->setFont(nameFont);
    m_okButton->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    for (QWidget *item : {static_cast<QWidget *>(m_iconView), static_cast<QWidget *>(m_productNameField),
             static_cast<QWidget *>(m_versionField), static_cast<QWidget *>(m_urlButton),
             static_cast<QWidget *>(m_okButton)})
        layout->addWidget(item, 0, Qt::AlignHCenter);
    for (QPushButton *button : {m_urlButton, m_okButton})
        connect(button, &QPushButton::clicked, this, [this, button] { buttonPressed(button); });
}

void AboutPanelController::buttonPressed(QObject *sender)
{
    if (sender == m_okButton) {
        // Closing ends a modal run; a sheet ends with OK.
        done(windowModality() == Qt::WindowModal ? ModalResponse::OK : ModalResponse::Abort);
    } else if (sender == m_urlButton) {
        ProductPages::open(QUrl(ProductPages::maker));
    }
}
