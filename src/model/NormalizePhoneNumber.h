#pragma once

#include "model/CountryNumberRow.h"

#include <QList>
#include <QString>

// Lays out a phone number in one of four groupings, keeping a "+" country
// calling code and an extension apart. One normaliser serves one run of the
// reformat command: give it a number, then ask for the layout.
class NormalizePhoneNumber {
public:
    enum class Layout { FourPlusFour, ThreePlusFour, TwoPlusFour, QuadTwo };

    // Reads the calling-code table from ":/CountryNumbers.csv".
    NormalizePhoneNumber();

    [[nodiscard]] static QList<CountryNumberRow> arrayFromCountryNumbersString(const QString &text);

    // Cleans the number and keeps it for the layouts below.
    void setPhoneNumber(const QString &number);

    // "(12) 3456-7890", "(123) 456-7890", "(1234) 56-7890", "(12) 34 56 78 90".
    [[nodiscard]] QString fourPlusFour() const;
    [[nodiscard]] QString threePlusFour() const;
    [[nodiscard]] QString twoPlusFour() const;
    [[nodiscard]] QString quadTwo() const;

    // The calling code (without "+") a cleaned number starts with, or "".
    [[nodiscard]] QString countryNumber(const QString &number) const;

    [[nodiscard]] static QString removeHyphenAndParenthesis(const QString &text);
    [[nodiscard]] static QString normalizeExtension(const QString &text);

    void setCountryNumbers(const QList<CountryNumberRow> &rows) { m_countryNumbers = rows; }

private:
    [[nodiscard]] QString formatted(Layout layout) const;

    QString m_phoneNumber;
    // A number that cleaning would have cut short is given back as it was.
    bool m_keptAsWritten = false;
    QList<CountryNumberRow> m_countryNumbers;
};
