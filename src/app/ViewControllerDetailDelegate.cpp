// What the detail pane and the contact popovers tell the window's
// controller: their changes, their selected row and their closing.

#include "app/ViewController.h"

#include "detail/ContactDetailPane.h"
#include "table/ContactInfoPopoverPane.h"
#include "detail/ContactInfoView.h"
#include "table/ContactTablePane.h"

namespace {

ViewController::ChangeSender senderOf(const ContactInfoView *view)
{
    if (const auto *pane = dynamic_cast<const ContactDetailPane *>(view))
        return pane;
    if (const auto *popover = dynamic_cast<const ContactInfoPopoverPane *>(view))
        return popover;
    return {};
}

} // namespace

void ViewController::contactDidUpdate(const PersonRecordPtr &contact, const ContactInfoView *sender)
{
    contactDidUpdate(contact, senderOf(sender));
}

ViewController::ChangeSender ViewController::changeSenderOr(ChangeSender fallback) const
{
    return m_changeSender ? senderOf(m_changeSender) : fallback;
}

// A row of a name part (labelIndex 0 with its part as label) starts the find
// in that part; any other row in its field, at its value.
void ViewController::rowSelectionDidChange(const ContactInfoView * /*sender*/, const InfoRowRecord &info)
{
    if (!m_selectedItemAndRange)
        m_selectedItemAndRange = std::make_shared<ItemAndRangeRecord>();
    ItemAndRangeRecord &target = *m_selectedItemAndRange;
    target.identifier = info.type;
    if (info.labelIndex == 0 && info.label) {
        target.subIdentifier = *info.label;
        target.labelIndex = 0;
    } else {
        target.subIdentifier.reset();
        target.labelIndex = info.labelIndex.value_or(0);
    }
    target.range = {0, 0};
    target.itemRange.reset();
}

void ViewController::detachedWindowDidClose(const DetachedWindowCloseInfo &info)
{
    if (m_popover && m_popover->contact() && m_popover->contact()->uniqueId == info.uniqueId)
        m_popover = nullptr;
    if (m_contactsViewController)
        m_contactsViewController->detachedWindowDidClose(info.uniqueId);
}
