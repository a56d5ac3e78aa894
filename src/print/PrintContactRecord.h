#pragma once

#include "model/SubContactRecord.h"

#include <QList>

// A receiver or the sender of a print: a row of the contact table that the
// preview has prepared for printing ("Name", "Renmei", "Address" and
// "layoutDict", "Company"). It is the table's very row, so a layout edit made
// in the preview is seen by the table and the next print alike.
using PrintContactRecord = SubContactRecord;
using PrintContactRecordPtr = SubContactRecordPtr;
using PrintContactList = QList<PrintContactRecordPtr>;
