#pragma once

#include "model/ContactIdentifier.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What the table asks of the column-command sheet, which the window's
// controller makes (the sheet lives in a folder above the table's), and what
// comes back from its OK button.
struct ReplaceAlertRequest {
    QWidget *window = nullptr; // the sheet's parent
    // The chosen command's English title ("Replace Text", "Prepend Text", ...);
    // the sheet shows and compares its translation.
    QString type;
    ContactIdentifier identifier; // the column
    QStringList labels; // the label words offered
    QString label; // preselected
    QString replaceString; // prefilled
};

struct ReplaceAlertAnswer {
    QString replaceString;
    QString label; // empty when none was chosen
};

// Runs only after OK; Cancel runs nothing.
using ReplaceAlertCompletion = std::function<void(const ReplaceAlertAnswer &answer)>;
