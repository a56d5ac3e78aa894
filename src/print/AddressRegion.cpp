#include "print/AddressRegion.h"

namespace {

// Letters and digits of the Latin blocks up to Latin Extended-B.
bool isLatinLetterOrDigit(QChar character)
{
    return character.unicode() < 0x0250 && character.isLetterOrNumber();
}

} // namespace

QString AddressRegion::joined(const QString &state, const QString &city)
{
    if (!state.isEmpty() && !city.isEmpty() && isLatinLetterOrDigit(state.back()) && isLatinLetterOrDigit(city.front()))
        return state + u' ' + city;
    return state + city;
}
