#include "app/WindowController.h"

#include <QLabel>
#include <QSplitter>

namespace {

// Stands in for a pane until its controller is built.
QWidget *makePlaceholderPane(const QString &title, const QString &objectName)
{
    auto *pane = new QLabel(title);
    pane->setObjectName(objectName);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(120);
    return pane;
}

}  // namespace

WindowController::WindowController(QWidget *parent)
    : QMainWindow(parent)
    , m_splitView(new QSplitter(Qt::Horizontal, this))
{
    setWindowTitle(tr("Quillmark") + QStringLiteral("[*]"));
    m_splitView->addWidget(makePlaceholderPane(tr("Postcard Preview"), QStringLiteral("previewPane")));
    m_splitView->addWidget(makePlaceholderPane(tr("Contacts"), QStringLiteral("contactTablePane")));
    m_splitView->addWidget(makePlaceholderPane(tr("Detail"), QStringLiteral("detailPane")));
    m_splitView->setStretchFactor(1, 1);
    setCentralWidget(m_splitView);
    resize(1200, 720);
}

WindowController::~WindowController() = default;
