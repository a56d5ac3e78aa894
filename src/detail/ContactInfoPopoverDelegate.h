#pragma once

#include "detail/ContactInfoControllerDelegate.h"
#include "detail/DetachedWindowCloseInfo.h"

// The same for the details shown in a popover or a detached window, which
// also tell when they close.
class ContactInfoPopoverDelegate : public ContactInfoControllerDelegate {
public:
    virtual void detachedWindowDidClose(const DetachedWindowCloseInfo &info) = 0;
};
