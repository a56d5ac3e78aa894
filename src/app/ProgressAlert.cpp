#include "app/ProgressAlert.h"

#include "app/ModalResponse.h"
#include "platform/widgets/ProgressCancelButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

ProgressAlert::ProgressAlert(QWidget *parent)
    : ModalPanel(ModalResponse::Stop, 64, parent)
    , m_iconView(makeIconView())
    , m_alertMessage(new QLabel(this))
    , m_progressIndicator(new QProgressBar(this))
    , m_cancelButton(ProgressCancelButton::make(tr("Cancel"), this))
{
    setWindowTitle(tr("Progress"));
    m_iconView->setPixmap(
        QPixmap(QStringLiteral(":/Quillmark2_256.png")).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_alertMessage->setWordWrap(true);
    m_alertMessage->setMinimumWidth(280);
    m_progressIndicator->setRange(0, 100);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_iconView, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(m_alertMessage, 0, 1);
    layout->addWidget(m_progressIndicator, 1, 1);
    layout->addWidget(m_cancelButton, 2, 1, Qt::AlignRight);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { buttonPressed(m_cancelButton); });
}

void ProgressAlert::setProgress(double value)
{
    m_progressIndicator->setValue(qRound(std::clamp(value, 0.0, 100.0)));
}

void ProgressAlert::requestClose()
{
    done(ModalResponse::Stop);
}

void ProgressAlert::buttonPressed(QObject *sender)
{
    // Cancel closes the window too, yet the run ends aborted, not stopped.
    if (sender == m_cancelButton)
        done(ModalResponse::Abort);
}
