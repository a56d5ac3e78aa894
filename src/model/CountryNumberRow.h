#pragma once

#include <QString>

// One line of the table of country calling codes ("CountryNumbers.csv").
// A line that is not exactly four fields gives a row of empty strings, which
// matches no number.
struct CountryNumberRow {
    QString firstDigit; // "firstDigit": first character of the code
    QString number; // "number": the code, digits only, no "+"
    QString country; // "country": the English name
    QString countryInJapanese; // "国名"
    QString areaInJapanese; // "エリア名"
};
