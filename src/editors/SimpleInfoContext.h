#pragma once

#include "model/ContactRecord.h"

#include <QHash>
#include <QStringList>

#include <memory>

// What the simple sheet is opened with and hands back.
struct SimpleInfoContext {
    PersonRecordPtr contact; // "contact": the contact shown, a contact or a table row; null for a new one
    QHash<QString, QStringList> labelTableDict; // "labelTableDict": the sheet keeps copies
    bool editEnabled = true; // "editEnabled"
    QString defaultCountryCode; // "defaultCountryCode"
    ContactRecordPtr newContact; // "newContact": the sheet's contact at Done
};
using SimpleInfoContextPtr = std::shared_ptr<SimpleInfoContext>;
