#pragma once

#include "model/ContactRecord.h"
#include "model/LabeledValueRecord.h"
#include "platform/contacts/StoreDateComponents.h"

#include <QHash>
#include <QString>

#include <optional>

// Collects the cells of one CSV row as the fields of a contact, then makes
// the contact.
class CsvContactBuilder {
public:
    // Adds one cell to the fields; an empty value changes nothing.
    void createContact(const QString &value, const QString &key, const QString &label);

    // Whether no cell gave a field.
    [[nodiscard]] bool isEmpty() const;

    // A new contact (a new identifier, created) holding the fields.
    [[nodiscard]] ContactRecordPtr makeContact() const;

    // The date of a birthday cell: its leading "yyyy.MM.dd", whatever follows
    // (a weekday in any language, in parentheses or after a space).
    [[nodiscard]] static std::optional<StoreDateComponents> birthdayFromText(const QString &text);

private:
    static void setLabeledValue(LabeledValueList &list, const QString &label, const QString &value);
    void setAddressPart(const QString &part, const QString &label, const QString &value);
    void applyName(MVPerson &person) const;

    QString m_nameText; // the "Name" cell
    QString m_firstName; // "FirstName"
    QString m_lastName; // "LastName"
    QHash<QString, QString> m_strings;
    LabeledValueList m_phones;
    LabeledValueList m_emails;
    LabeledValueList m_socialProfiles;
    LabeledValueList m_addresses;
    std::optional<StoreDateComponents> m_birthday;
};
