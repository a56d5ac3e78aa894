#pragma once

#include <QList>
#include <QString>

// One column of the system's own CSV layout: its header text, the field it
// holds ("compositeName" for the display name), the label it collects for a
// multi-valued field and the part of the value it shows.
struct CsvColumn {
    QString fieldName; // "fieldName"
    QString type; // "type"
    QString label; // "label"
    QString subType; // "subType"

    // The 32 columns, in file order.
    [[nodiscard]] static const QList<CsvColumn> &layout();
};

// One column of a file being read, from its header cell.
struct CsvHeaderColumn {
    QString fieldName; // "fieldName": the header cell
    QString type; // "type": what the cells hold, "Unknown" when nothing known
    QString label; // "label": for phone, e-mail, address and social columns

    [[nodiscard]] static CsvHeaderColumn fromHeaderCell(const QString &cell);
};
