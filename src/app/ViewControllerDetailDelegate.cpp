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
void ViewController::rowSelectionDidChange(const ContactInfoView *sender, const InfoRowRecord &info)
{
    // The row selected to show a find hit, selected again as the rows are
    // rebuilt, or selected in the hidden pane leaves the hit the find target.
    const bool hiddenPane = sender && sender == dynamic_cast<const ContactInfoView *>(m_contactInfoController.get())
        && !m_contactInfoVisible;
    if (m_showingHit || hiddenPane || holdsFindTarget(info))
        return;
    if (!m_selectedItemAndRange)
        m_selectedItemAndRange = std::make_shared<ItemAndRangeRecord>();
    m_findTargetInDetail = true;
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

bool ViewController::holdsFindTarget(const InfoRowRecord &row) const
{
    const ItemAndRangeRecord *target = m_selectedItemAndRange.get();
    if (!target || !m_findTargetInDetail || target->identifier != row.type)
        return false;
    if (row.type == FieldId::Name || row.type == FieldId::PhoneticName) {
        const QString part = target->subIdentifier.value_or(QString());
        return part == row.labelText() || part == u"Phonetic" + row.labelText();
    }
    return !row.labelIndex || target->labelIndex == row.labelIndex;
}

void ViewController::detachedWindowDidClose(const DetachedWindowCloseInfo &info)
{
    if (m_popover && m_popover->contact() && m_popover->contact()->uniqueId == info.uniqueId)
        m_popover = nullptr;
    if (m_contactsViewController)
        m_contactsViewController->detachedWindowDidClose(info.uniqueId);
}
