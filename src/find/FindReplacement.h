#pragma once

#include "model/ContactIdentifier.h"
#include "model/ItemAndRangeRecord.h"
#include "model/PersonValue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class MVPerson;

// What the find bar's Replace and Replace All change, worked out without
// changing anything: the window's controller stores the result through its
// undoable operations.
class FindReplacement {
public:
    // One hit replaced: the value to store under the identifier.
    struct Change {
        ContactIdentifier identifier;
        PersonValue value;
    };
    // The value that replaces the hit's text, when that text (in the value
    // at the list position) still is the find string in the case mode; none
    // for a hit that lies in no text Replace changes (an instant message's
    // service, a company's name in the table's name cell, a date).
    [[nodiscard]] static std::optional<Change> changeForHit(const ItemAndRangeRecord &hit, qsizetype position,
        MVPerson &person, const QString &find, const QString &replacement, Qt::CaseSensitivity caseSensitivity);

    // One text Replace All rewrites: an identifier of the undoable string
    // replace and the list position of its value.
    struct Text {
        ContactIdentifier identifier;
        qsizetype position = 0;
        friend bool operator==(const Text &, const Text &) = default;
    };
    // The texts the table's cells show of the contact in these columns:
    // the name parts the name cell shows, values the label filter passes,
    // every part of a shown address.
    [[nodiscard]] static QList<Text> textsOfColumns(
        MVPerson &person, const QStringList &columns, const QStringList &labels);
    // The texts the detail pane shows of the contact, birthday and dates
    // left out.
    [[nodiscard]] static QList<Text> textsOfContact(MVPerson &person);
};
