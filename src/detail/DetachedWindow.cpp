#include "detail/DetachedWindow.h"

#include "detail/ContactInfoPopover.h"
#include "model/MVPerson.h"

#include <QEvent>
#include <QLineEdit>
#include <QVBoxLayout>

DetachedWindow::DetachedWindow(ContactInfoPopover *view, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_view(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    view->setParentPopover(nullptr);
    view->setParentWindow(this);
    resize(450, 640);
    updateTitle();
    // The header shows the name anew whenever it changes: edited, undone,
    // redone, or read again by a save or a revert.
    connect(view->contactNameField(), &QLineEdit::textChanged, this, &DetachedWindow::updateTitle);
}

void DetachedWindow::updateTitle()
{
    const PersonRecordPtr contact = m_view ? m_view->contact() : nullptr;
    // The store's own placeholder is no name either.
    const QString name = contact && contact->person && !contact->person->compositeName().isEmpty()
        ? contact->person->compositeName()
        : tr("No name");
    setWindowTitle(name + QStringLiteral("[*]"));
}

void DetachedWindow::setOpeningWindow(QWidget *opener)
{
    if (m_opener)
        m_opener->removeEventFilter(this);
    m_opener = opener;
    if (opener)
        opener->installEventFilter(this);
}

bool DetachedWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_opener && event->type() == QEvent::ModifiedChange && !m_opener->isWindowModified())
        setWindowModified(false);
    return QWidget::eventFilter(watched, event);
}
