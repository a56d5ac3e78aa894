#pragma once

#include "model/ContactRecord.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <string>
#include <vector>

// The order of the contact table's rows under a sort descriptor. Each row's
// key is computed once; texts compare without regard to case, and rows
// without a text come last in both directions, while a missing birthday is
// the smallest date. Rows with equal keys keep their order, so a contact's
// rows stay in label-position order.
namespace SubContactTableSorter {

void sort(QList<SubContactRecordPtr> &rows, const SortDescriptor &descriptor);
// Whether every row of a contact has the contact's key (its name, not one of
// its phones): such a sort moves whole contacts and keeps each one's rows
// together in label-position order.
[[nodiscard]] bool sortsWholeContacts(const SortDescriptor &descriptor);
// For such a sort, the places of the contacts in the order their rows take:
// the rows made contact by contact in that order are the rows sorted.
[[nodiscard]] std::vector<std::uint32_t> orderOfContacts(
    const ContactTable &contacts, const SortDescriptor &descriptor);

// The text as QString::compare(…, Qt::CaseInsensitive) sees it: every UTF-16
// unit case-folded, a low surrogate as the folded code point of its pair.
// Two keys compare unit by unit exactly as that comparison orders their
// texts, so a sort folds each text once instead of at every comparison.
[[nodiscard]] std::u32string caseFoldedKey(const QString &text);
// The same written to folded, which has room for text.size() units.
void foldCase(QStringView text, char32_t *folded);

} // namespace SubContactTableSorter
