#pragma once

#include "model/PersonRecord.h"
#include "model/TextRange.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// One contact value that holds at least one hit. Rows are shared: an undo
// step of the panel holds the very row it writes back into.
struct FindResultRow {
    QString name; // the contact's display name
    QString item; // the field: "Name", "Phonetic Name", "Address", "Instant Message" or the identifier searched
    QString subItem; // name, phonetic or address part, chat service, or empty
    QString label; // the value's plain label, empty for single values
    std::optional<qsizetype> index; // position in the field's list, on labeled values only
    std::optional<qint64> labelIndex; // the value's own number, on the same rows as index
    QString value; // the text searched
    QList<TextRange> ranges; // every hit in value, ascending, never overlapping
    PersonRecordPtr contact; // the contact searched
};
using FindResultRowPtr = std::shared_ptr<FindResultRow>;
using FindResultRows = QList<FindResultRowPtr>;
