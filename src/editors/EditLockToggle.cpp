#include "editors/EditLockToggle.h"

#include "editors/SeparatorBox.h"

#include <QBoxLayout>

EditLockToggle::EditLockToggle(QWidget *parent)
    : QPushButton(tr("Edit"), parent)
{
    setCheckable(true);
}

void EditLockToggle::showEditState(bool editing)
{
    setChecked(editing);
    setText(editing ? tr("Lock") : tr("Edit"));
    if (m_separator)
        m_separator->showEditState(editing);
}

SeparatorBox *EditLockToggle::addSeparatorTo(QBoxLayout *layout, QWidget *window)
{
    auto *separator = new SeparatorBox(window);
    separator->setFixedHeight(2);
    setSeparator(separator);
    layout->addWidget(separator);
    return separator;
}
