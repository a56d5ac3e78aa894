#pragma once

#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"

#include <QList>

// The order of the contact table's rows under a sort descriptor. Each row's
// key is computed once; texts compare without regard to case, and rows
// without a text come last in both directions, while a missing birthday is
// the smallest date. Rows with equal keys keep their order, so a contact's
// rows stay in label-position order.
namespace SubContactTableSorter {

void sort(QList<SubContactRecordPtr> &rows, const SortDescriptor &descriptor);

} // namespace SubContactTableSorter
