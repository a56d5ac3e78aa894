#pragma once

#include "model/ContactRecord.h"

#include <QList>
#include <QString>

#include <memory>

// What the opener hands the merge sheet and reads back when it ends.
struct MergeContextInfo {
    QList<ContactRecordPtr> contacts; // "contacts": in table order; the first two are merged
    QList<ContactRecordPtr> newContacts; // "newContacts": the left and right working copies, written by Done

    // A working copy of a contact: a new record keeping the contact's
    // "uniqueId" with a person of its own, joint names included, whose photo
    // keeps its original bytes.
    [[nodiscard]] static ContactRecordPtr workingCopy(const ContactRecordPtr &contact);
};

using MergeContextInfoPtr = std::shared_ptr<MergeContextInfo>;
