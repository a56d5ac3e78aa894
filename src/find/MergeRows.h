#pragma once

#include "find/MergeTableRow.h"
#include "model/MVPersonPtr.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The row model of one side of the merge sheet, and what its rows show.
// Both sides are built with the same block sizes, so their rows line up.
namespace MergeRows {

inline const ContactIdentifier NameDisplay = QStringLiteral("Name Display");

// The blocks in row order.
[[nodiscard]] const QList<ContactIdentifier> &blockOrder();
[[nodiscard]] bool isMultiValued(const ContactIdentifier &type);
// Blocks a value may be dropped on.
[[nodiscard]] bool isDroppable(const ContactIdentifier &type);

// For each multi-valued field, the rows its block has on both sides: the
// larger of the two value counts, at least 1.
[[nodiscard]] QHash<ContactIdentifier, qsizetype> labeledValueCounts(MVPerson &left, MVPerson &right);

// The items of the name-ordering pop-up, the first naming the system default
// the person follows.
[[nodiscard]] QStringList nameOrderingLabels(const MVPerson &person);

[[nodiscard]] QList<MergeTableRowPtr> build(
    MVPerson &person, const QHash<ContactIdentifier, qsizetype> &counts, const QStringList &nameOrderingLabels);

// A name part ("FirstName" …) of the name or the phonetic name.
[[nodiscard]] QString namePart(MVPerson &person, const ContactIdentifier &type, const QString &part);
// The row's value as text, line breaks kept; empty for the photo, the pop-up
// rows and filler rows.
[[nodiscard]] QString valueText(MVPerson &person, const MergeTableRow &row);
// The identifier a typed name part is stored under; empty for none.
[[nodiscard]] ContactIdentifier partIdentifier(const ContactIdentifier &type, const QString &part);
// The lines the row is drawn with: 2 for the photo, the note's lines, else 1.
[[nodiscard]] int linesOf(MVPerson &person, const MergeTableRow &row);

} // namespace MergeRows
