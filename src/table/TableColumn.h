#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"
#include "model/StringValuesRecord.h"

#include <QString>
#include <QStringList>

class MVPerson;

// One column of the contact table: its identifier and what kind of cell it
// holds, worked out once, so that painting and measuring thousands of rows
// never compares identifiers again.
struct TableColumn {
    enum class Kind {
        Sender, // the sender mark of the row's address
        Name, // picture and name, on a contact's first row
        CompanyOrRenmei, // text and a print flag of the row's address
        PhoneticName,
        Labeled, // a value of a labeled field
        AddressPart, // a part of an address
        Birthday,
        Other, // a string field
    };

    ContactIdentifier identifier;
    Kind kind = Kind::Other;
    // The labeled field whose values the column shows: the identifier, or
    // "Address" for an address part.
    ContactIdentifier field;
    // For an address part, the member holding that part.
    QString LabeledValueRecord::AddressParts::*addressPart = nullptr;
    // Which of the table's distinct labeled fields the column reads (the
    // address parts share one), -1 for none: a row reads each field once.
    int fieldSlot = -1;
    // For a string field ("Company", "Note", joint names, ...), its entry.
    StringValuesRecord::Member stringMember = nullptr;

    [[nodiscard]] static TableColumn make(const ContactIdentifier &identifier);
    [[nodiscard]] bool showsLabeledValues() const { return kind == Kind::Labeled || kind == Kind::AddressPart; }
    // The fields whose values only their editors change (name, phonetic
    // name, address, instant messaging, birthday, dates): nothing is typed
    // into their cells, and the keyboard walk between cells stops at them.
    [[nodiscard]] bool editedThroughEditorsOnly() const;

    // The value of a labeled field at a list position, the live record; null
    // when there is none.
    [[nodiscard]] static LabeledValueRecordPtr labeledValueAt(
        MVPerson &person, const ContactIdentifier &field, qint64 position);
    // Whether a value added to the field lands on the row at that list
    // position: only on the row right after the last value. Further down it
    // would land on a row above the one the user pointed at.
    [[nodiscard]] static bool addedValueLandsAt(MVPerson &person, const ContactIdentifier &field, qint64 position);
    // An empty filter passes nothing; one starting with "All" every label.
    [[nodiscard]] static bool passesLabelFilter(const LabeledValueRecord &value, const QStringList &filter);
    // The value of a labeled field the row at that list position shows, the
    // live record: null when there is none or its label fails the filter.
    // What a cell shows is all an edit of that cell may change.
    [[nodiscard]] static LabeledValueRecordPtr shownValueAt(
        MVPerson &person, const ContactIdentifier &field, qint64 position, const QStringList &filter);
    // The column's value at the row's position, as shownValueAt.
    [[nodiscard]] LabeledValueRecordPtr filteredValueAt(
        MVPerson &person, qint64 position, const QStringList &filter) const;
};
