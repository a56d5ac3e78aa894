#pragma once

#include "model/LabeledValueRecord.h"

#include <QString>

#include <optional>

// One value of a contact that the QR-code panel offers to put into the code.
struct QRFieldRow {
    QString type; // "Type": "Phone", "Email", "Address", "URL", "Company", "Department" or "Job Title"
    QString label; // "label": of a labeled value; empty otherwise
    // "value": the number or address; an address's display text, several
    // lines; the contact's company, department or job title
    QString value;
    bool selected = false; // "Selected": the value goes into the code
    std::optional<LabeledValueRecord> adrsDict; // "adrsDict": an address row's whole address
};
