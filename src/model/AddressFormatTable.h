#pragma once

#include "model/AddressFormatRow.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The address formats by country: the rows in resource order and the same
// rows keyed by country code. The process holds one, loaded from the
// "AddressFormat" resource when the contact model is first used.
class AddressFormatTable {
public:
    AddressFormatTable() = default;

    // The rows of the JSON data (an object whose "AddressFormat" member is the
    // array of rows), with the localized names in the given user language and
    // region. An unreadable resource gives an empty table.
    [[nodiscard]] static AddressFormatTable fromJson(
        const QByteArray &json, const QString &language, const QString &region);
    // The application's own table, in the user's language.
    [[nodiscard]] static AddressFormatTable fromResource();
    // The process's table, loaded from the resource on first use.
    [[nodiscard]] static AddressFormatTable &shared();

    [[nodiscard]] const QList<AddressFormatRowPtr> &rows() const { return m_rows; }
    [[nodiscard]] const QHash<QString, AddressFormatRowPtr> &rowsByCode() const { return m_rowsByCode; }

    // Merges rows: each replaces the entry for its code and the first row of
    // the table with that code; codes the table lacks are not appended to it.
    void mergeRows(const QList<AddressFormatRow> &rows, const QString &language, const QString &region);

    // The code for a country name as callers pass it (capitals), or "".
    [[nodiscard]] QString predictCountryCode(const QString &countryName) const;

    // The code followed by the country's field order, or by the default order
    // "Street City State ZIP Country" when the table has none for it.
    [[nodiscard]] QStringList orderOfaddressFormats(const QString &countryCode, const QString &countryName = {}) const;

    // The country's field order alone: orderOfaddressFormats without the code.
    [[nodiscard]] QStringList fieldOrder(const QString &countryCode) const;
    // The row of a code in any letter case, or null.
    [[nodiscard]] AddressFormatRowPtr rowForCode(const QString &countryCode) const;
    [[nodiscard]] static QStringList defaultOrder();

    // The user's language (first two letters of the first UI language) and
    // the current locale's region code.
    [[nodiscard]] static QString userLanguage();
    [[nodiscard]] static QString userRegion();

private:
    void localize(AddressFormatRow &row, const QString &language, const QString &region) const;
    void insertByCode(const AddressFormatRowPtr &row);

    QList<AddressFormatRowPtr> m_rows;
    QHash<QString, AddressFormatRowPtr> m_rowsByCode;
    // The rows of two-letter codes again, keyed by the letters as a number:
    // every address formatted looks its country up, and hashing text costs
    // more than the rest of the look-up.
    QHash<quint32, AddressFormatRowPtr> m_rowsByLetterPair;
};
