#pragma once

#include "model/LabeledValueRecord.h"

#include <QList>
#include <QString>

// Where one field of an address lies in its one-line text.
struct AddressRangeEntry {
    QString identifier; // "identifier": a token of the country's field order
    QString value; // "value": the field's text and one space, or "" when empty
    qsizetype location = 0; // "range": position in the one-line text
    qsizetype length = 0;

    bool operator==(const AddressRangeEntry &) const = default;
};

// The one-line text of a postal address in its country's field order, and
// the table that maps a position in that text back to a field.
class AddressText {
public:
    // Option bits of addressFromLabeledValue and updateAddressValue.
    enum Option { IncludeCountry = 1, IncludeZIP = 2, IncludeCountryAndZIP = 3 };

    AddressText() = delete;

    // The address's ISO code; else the code of its country name; else the
    // user's default country.
    [[nodiscard]] static QString countryCodeOfAddress(const LabeledValueRecord &address);

    // Every included non-empty field followed by one space, the last one too:
    // the range table and the find code count on that final space.
    static QString addressFromLabeledValue(LabeledValueRecord *address, int option);
    // The platform's mailing form of the address, the country left out when
    // option is 0. Made when asked, not kept: only the address editor shows
    // it, and a large file's addresses each kept one they never showed.
    [[nodiscard]] static QString mailingForm(const LabeledValueRecord &address, int option);
    // Whether the text is the address's one-line text (both options) in any
    // field order the format table knows. A text made where another country
    // was the default one holds the same parts in that country's order.
    [[nodiscard]] static bool isTextInAnyKnownOrder(const LabeledValueRecord &address, const QString &text);
    // "No label" for an address without one, then its display text.
    static void updateAddressValue(LabeledValueRecord *address, int option);

    // One entry per token of the country's order, positions as in the text
    // made with both options.
    [[nodiscard]] static QList<AddressRangeEntry> rangeTableFromAddressDictionary(const LabeledValueRecord *address);
};
