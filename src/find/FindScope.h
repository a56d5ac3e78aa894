#pragma once

#include <QStringList>

// The find panel's three scope choices (fields, sub-fields, labels) and the
// lists its pull-downs offer.
class FindScope {
public:
    // Choosing "All" clears every other choice; another entry replaces "All",
    // is dropped when chosen again unless it is the only one, else is added.
    static void choose(QStringList &selection, const QString &entry);
    // The 19 fields of a contact, in the contact model's order.
    [[nodiscard]] static const QStringList &fields();
    // The sub-fields of the chosen fields, "All" first.
    [[nodiscard]] static QStringList subItemsFor(const QStringList &fields);
    // The labels of the fields, in field order; "home", "work" and "other"
    // move to the front, each once, as far as the list reaches.
    [[nodiscard]] static QStringList labelsFor(const QStringList &fields);
    // The fields a selection searches: all of them for "All".
    [[nodiscard]] static QStringList fieldsToSearch(const QStringList &selectedItems);
};
