#include "editors/NameOrderingPopup_p.h"

#include <QComboBox>
#include <QCoreApplication>

namespace NameOrderingPopup {

void show(QComboBox *popup, int defaultOrdering, int nameOrdering)
{
    const char *systemDefault = "Name Ordering System Default";
    if (defaultOrdering == 1)
        systemDefault = "Name Ordering System Default (First Name)";
    else if (defaultOrdering == 2)
        systemDefault = "Name Ordering System Default (Last Name)";
    popup->clear();
    popup->addItem(QCoreApplication::translate("NameOrderingPopup", systemDefault));
    popup->addItem(QCoreApplication::translate("NameOrderingPopup", "First Name First"));
    popup->addItem(QCoreApplication::translate("NameOrderingPopup", "Last Name First"));
    popup->setCurrentIndex(nameOrdering == 1 || nameOrdering == 2 ? nameOrdering : 0);
    popup->setEnabled(false);
}

} // namespace NameOrderingPopup
