#pragma once

#include "model/BirthdayRecord.h"
#include "model/HagakiLayoutRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PhoneticNameRecord.h"
#include "platform/contacts/StoreDateComponents.h"

#include <QDate>
#include <QImage>
#include <QString>

#include <variant>

// A value of one field of a contact record as valueForIdentifier hands it out
// and setValue takes it: nothing (std::monostate), text, one of the records, a
// list of labeled values, a layout or the layout list, a birthday as date
// parts or a date, or the photo. Which kinds a field takes is the record's
// business; a kind a field does not take changes nothing.
using PersonValue = std::variant<std::monostate, QString, NameRecord, PhoneticNameRecord, BirthdayRecord,
    StoreDateComponents, QDate, LabeledValueRecord, LabeledValueList, HagakiLayoutRecordPtr, HagakiLayoutList, QImage>;
