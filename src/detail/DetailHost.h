#pragma once

// Which of the detail views asks: the window's pane or a contact popover
// (also when detached). Their double clicks and menus differ in a few rows.
enum class DetailHost { Pane, Popover };
