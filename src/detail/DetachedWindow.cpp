#include "detail/DetachedWindow.h"

#include "detail/ContactInfoPopover.h"
#include "model/MVPerson.h"

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
}

void DetachedWindow::updateTitle()
{
    const PersonRecordPtr contact = m_view->contact();
    // The store's own placeholder is no name either.
    const QString name = contact && contact->person && !contact->person->compositeName().isEmpty()
        ? contact->person->compositeName()
        : tr("No name");
    setWindowTitle(name + QStringLiteral("[*]"));
}
