#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"

#include <QString>
#include <QVarLengthArray>

class MVPerson;

// The phone number, e-mail address and address that a line of a file gave a
// contact, one of each at most, kept as their texts until the contact's
// lists are first asked for. A file of seven hundred thousand such lines made
// as many records, lists and address texts that no one looked at beyond a
// screenful; the table reads the texts from here to lay its rows out.
//
// Every value is labelled "home" and numbered 0; the address takes the
// postcard layout of the layout text, if any.
struct ReadLabeledValues {
    QString phone;
    QString email;
    QString zip;
    QString state;
    QString street;
    QString layout; // a postcard layout as text

    // A line with an address part or a layout has an address.
    [[nodiscard]] bool hasAddress() const
    {
        return !zip.isEmpty() || !state.isEmpty() || !street.isEmpty() || !layout.isEmpty();
    }
    [[nodiscard]] bool isEmpty() const { return phone.isEmpty() && email.isEmpty() && !hasAddress(); }
    // How many values the field has: 0 or 1.
    [[nodiscard]] qsizetype count(const ContactIdentifier &field) const;
    // The label every value has.
    [[nodiscard]] static const QString &label();

    // The lists as the contact takes them, in one block, each value made as
    // a value given to setLabeledValues.
    using Lists = QVarLengthArray<LabeledFieldValues, 3>;
    [[nodiscard]] Lists lists() const;
    // The lists as the contact will hold them once given them: each value's
    // display text made as the contact makes it.
    [[nodiscard]] Lists madeLists() const;
    // Gives the person its lists and its layout.
    void applyTo(MVPerson &person) const;
};
