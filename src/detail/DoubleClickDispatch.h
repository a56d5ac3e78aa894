#pragma once

#include "detail/DetailHost.h"
#include "model/ContactIdentifier.h"

// What a double click on a row of a contact's details does: open one of the
// value editors, start editing the cell's text in place, or nothing. A pure
// function of what the click met, so the merge editor can ask it too.
namespace DoubleClickDispatch {

enum class Column { Type, Value, Other };

struct Click {
    ContactIdentifier type; // the row's field
    Column column = Column::Value;
    bool editState = false;
    bool commandDown = false; // Ctrl held
    bool textEmpty = true; // the cell shows no text
    bool labelEmpty = true; // the row has no "Label"
    DetailHost host = DetailHost::Pane;
};

enum class Action {
    Nothing,
    MultiValueEditor, // all values of the field
    AddressEditor, // the address of the row's label index
    NewAddressEditor, // a new address (label index -1)
    InstantMessageEditor,
    SocialProfileEditor,
    DateEditor, // the dates or the birthday
    JointNamesEditor,
    InPlace,
};

[[nodiscard]] Action actionFor(const Click &click);

} // namespace DoubleClickDispatch
