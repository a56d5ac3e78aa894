#pragma once

#include "model/ContactRecord.h"
#include "model/MVPersonPtr.h"

// A new contact holding the values of another: a fresh store contact made
// from the source's record (so it gets an identifier and value numbers of its
// own), plus the joint names, which live beside the store. With
// CopyLayouts::Yes each postcard layout goes with its address by position,
// since the copy's addresses are numbered anew. The copy is marked created.
namespace PersonDuplicate {

enum class CopyLayouts { No, Yes };

[[nodiscard]] MVPersonPtr copyOf(MVPerson &source, CopyLayouts layouts);
// The copy as a contact-table row, marked new; null for a row without a person.
[[nodiscard]] ContactRecordPtr recordCopyOf(const ContactRecord &source, CopyLayouts layouts);

} // namespace PersonDuplicate
