#pragma once

// Which view asks: the window's detail pane, a contact popover (also when
// detached), or a table of the merge sheet. Their double clicks and menus
// differ in a few rows.
enum class DetailHost { Pane, Popover, Merge };
