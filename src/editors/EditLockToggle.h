#pragma once

#include <QPointer>
#include <QPushButton>

class QBoxLayout;
class SeparatorBox;

// The two-state Edit/Lock button of an editing surface and the separator
// under it: the button reads "Edit" while locked and "Lock" while editing;
// the separator turns red and 2 points wide while editing, and grey, keeping
// its width, while locked.
class EditLockToggle : public QPushButton {
    Q_OBJECT

public:
    explicit EditLockToggle(QWidget *parent = nullptr);

    // Not owned.
    void setSeparator(SeparatorBox *separator) { m_separator = separator; }
    // A new separator of this button, added to the layout of a window.
    SeparatorBox *addSeparatorTo(QBoxLayout *layout, QWidget *window);
    // Sets the button's state and shows it on the button and the separator.
    void showEditState(bool editing);

private:
    QPointer<SeparatorBox> m_separator;
};
