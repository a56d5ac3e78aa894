#include "GeneratedResource.h"

#include <gtest/gtest.h>

// The generator asks libphonenumber for every code it knows, so this also
// checks that the table lacks none of them.
TEST(CountryNumbersResource, GeneratorReproducesTheCommittedFile)
{
    GeneratedResource::expectGeneratorReproduces(
        QStringLiteral("make-country-numbers"), QStringLiteral("CountryNumbers.csv"));
}
