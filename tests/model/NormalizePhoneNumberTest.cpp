#include "model/NormalizePhoneNumber.h"

#include <gtest/gtest.h>

TEST(NormalizePhoneNumber, KeepsTheGivenNumber)
{
    NormalizePhoneNumber normalizer;
    normalizer.setPhoneNumber(QStringLiteral("1234"));
    EXPECT_EQ(normalizer.phoneNumber(), QStringLiteral("1234"));
}
