#pragma once

class QComboBox;

namespace NameOrderingPopup {

// Fills the ordering pop-up of the name editors, which shows a contact's
// name ordering and never changes it: the system default, titled after the
// order it stands for (1 first name, 2 last name, 0 neither), "First Name
// First" and "Last Name First". Selects the ordering (1, 2; anything else
// the system default) and disables the pop-up.
void show(QComboBox *popup, int defaultOrdering, int nameOrdering);

} // namespace NameOrderingPopup
