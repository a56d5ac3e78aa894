#pragma once

#include "detail/InfoRowRecord.h"
#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonRecord.h"
#include "model/PersonValue.h"

class ContactInfoView;

// What a contact's details ask of the window's content controller: every
// change of the contact goes through its undoable operations, which register
// on the window's undo manager; then the view tells it that the contact
// changed, and which of its rows the user selected.
class ContactInfoControllerDelegate {
public:
    virtual ~ContactInfoControllerDelegate() = default;

    // The other views redraw; the sender does not.
    virtual void contactDidUpdate(const PersonRecordPtr &contact, const ContactInfoView *sender) = 0;
    // True when the contact changed.
    virtual bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
        = 0;
    virtual void undoDeleteLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
        = 0;
    virtual void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
        = 0;
    // The next find starts at the row.
    virtual void rowSelectionDidChange(const ContactInfoView *sender, const InfoRowRecord &info) = 0;
    // The view whose change the undoable operations called next announce as
    // its sender, so that it keeps its open editor; null when it is done.
    virtual void setChangeSender(const ContactInfoView * /*sender*/) { }
};

// Names the sender for the operations called while it lives.
class ChangeSenderScope {
public:
    ChangeSenderScope(ContactInfoControllerDelegate *delegate, const ContactInfoView *sender)
        : m_delegate(delegate)
    {
        if (m_delegate)
            m_delegate->setChangeSender(sender);
    }
    ~ChangeSenderScope()
    {
        if (m_delegate)
            m_delegate->setChangeSender(nullptr);
    }
    ChangeSenderScope(const ChangeSenderScope &) = delete;
    ChangeSenderScope &operator=(const ChangeSenderScope &) = delete;

private:
    ContactInfoControllerDelegate *m_delegate;
};
