#include "app/ModalPanel.h"

#include "app/ModalResponse.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>

ModalPanel::ModalPanel(int closeResponse, int iconSize, QWidget *parent)
    : QDialog(parent)
    , m_closeResponse(closeResponse)
    , m_iconSize(iconSize)
{
}

QLabel *ModalPanel::makeIconView()
{
    auto *view = new QLabel(this);
    view->setPixmap(QPixmap(QStringLiteral(":/Quillmark2_256.png"))
                        .scaled(m_iconSize, m_iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return view;
}

void ModalPanel::reject()
{
    done(ModalResponse::Abort);
}

void ModalPanel::closeEvent(QCloseEvent *event)
{
    event->accept();
    done(m_closeResponse);
}
