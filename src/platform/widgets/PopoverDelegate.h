#pragma once

class Popover;
class QWidget;

// What a popover asks its opener when the user drags it away from its
// anchor: whether it may become a window, and which window takes its place.
class PopoverDelegate {
public:
    virtual ~PopoverDelegate() = default;

    [[nodiscard]] virtual bool popoverShouldDetach(Popover *popover) = 0;
    // A new top-level window, not yet shown; null keeps the popover.
    [[nodiscard]] virtual QWidget *detachableWindowForPopover(Popover *popover) = 0;
};
