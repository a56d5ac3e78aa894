#pragma once

#include "find/FindFieldSearch.h"
#include "model/ItemAndRangeRecord.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The find bar's walk from the current hit (the find target) to the next or
// the previous one, over the fields of the contact the detail pane shows or
// over the contact table's cells, wrapping round once. A target whose
// contact, row or value is gone starts the walk at the beginning.
class FindWalk {
public:
    struct Options {
        Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
        bool backward = false;
    };

    // The detail pane's fields in the order the walk visits them.
    [[nodiscard]] static const QStringList &detailFields();

    // The target the first walk starts from: the name of the first row.
    [[nodiscard]] static ItemAndRangeRecordPtr defaultTarget(const QList<SubContactRecordPtr> &rows);

    // The next hit in the contact's fields, or null. The target came from
    // the detail pane when targetFromDetail is set: its labelIndex is then a
    // value's own, else a list position.
    [[nodiscard]] static ItemAndRangeRecordPtr walkContact(const QString &find, const ItemAndRangeRecord &target,
        bool targetFromDetail, const PersonRecordPtr &contact, const Options &options);

    // The next hit in the table's rows, each searched in the columns given
    // (in display order) with the table's label filter; null when none.
    [[nodiscard]] static ItemAndRangeRecordPtr walkTable(const QString &find, const ItemAndRangeRecord &target,
        bool targetFromDetail, const QList<SubContactRecordPtr> &rows, const QStringList &columns,
        const QStringList &labels, const Options &options);

    // The list position of the value a target names in its field (0 for a
    // field of one value); none when the target has no label position or
    // its value is gone.
    [[nodiscard]] static std::optional<qsizetype> positionOfTarget(
        const ItemAndRangeRecord &target, bool targetFromDetail, MVPerson &person);
};
