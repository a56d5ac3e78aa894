#pragma once

#include "find/FindResultRow.h"
#include "find/TextMatcher.h"
#include "model/LabeledValueRecord.h"
#include "model/MVPersonPtr.h"
#include "model/StringValuesRecord.h"

#include <QStringList>

#include <optional>

// The find panel's search of one contact: one row for every value of the
// chosen fields that holds a hit, in the order of the fields chosen, then of
// the values, then of their parts. Reads the contact's live records and
// changes nothing.
class FindSearch {
public:
    // The scope word that lets every entry of a filter through.
    static inline const QString All = QStringLiteral("All");
    // The address's ISO country code, searched only when chosen by name.
    static inline const QString CountryCode = QStringLiteral("CountryCode");

    // One chosen field: what it is, where its values lie and which of its
    // parts pass the filter.
    struct Field {
        enum Kind { Name, PhoneticName, Address, InstantMessage, Labeled, Birthday, String };
        Kind kind = String;
        QString item;
        LabeledValueListPtr (MVPerson::*labeled)() = nullptr;
        StringValuesRecord::Member string = nullptr;
        QList<std::pair<QString, QString LabeledValueRecord::AddressParts::*>> addressParts;
    };
    // The chosen fields and filters, worked out once for all the contacts of
    // a search so that no contact compares identifiers again.
    class Query {
    public:
        Query(const QStringList &items, const QStringList &subItems, const QStringList &labels);

        QStringList subItems;
        QStringList labels;
        bool allSubItems = false;
        bool allLabels = false;
        QList<Field> fields;

    private:
        [[nodiscard]] std::optional<Field> fieldFor(const QString &item) const;
        [[nodiscard]] static LabeledValueListPtr (MVPerson::*labeledGetter(const QString &item))();
    };

    [[nodiscard]] static FindResultRows searchString(const QString &searchString, const PersonRecordPtr &contact,
        const QStringList &items, const QStringList &subItems, const QStringList &labels, uint compareOptions);
    // The same with the matcher made once for a whole list of contacts.
    [[nodiscard]] static FindResultRows searchContact(
        const TextMatcher &matcher, const Query &query, const PersonRecordPtr &contact);

    // The address parts in the order they are searched.
    [[nodiscard]] static const QStringList &addressParts();
    // The record's key of the ISO code.
    [[nodiscard]] static QString isoCodeKey();
    // An address part's text, the ISO code included.
    [[nodiscard]] static QString addressPartText(const LabeledValueRecord &address, const QString &part);
};
