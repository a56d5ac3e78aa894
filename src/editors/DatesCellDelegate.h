#pragma once

#include "editors/CellEditingDelegate.h"

// The cells of the dates editor: a label cell is edited with a pop-up of the
// labels, a separator and "Custom Label" that closes with the choice, a date
// cell as text.
class DatesCellDelegate : public CellEditingDelegate {
public:
    explicit DatesCellDelegate(QObject *parent = nullptr)
        : CellEditingDelegate(parent, Popups::Close)
    {
    }
};
