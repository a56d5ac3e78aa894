#include "print/NameString.h"
#include "print/TextObject.h"

#include "model/HagakiLayoutFields.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct NameRow {
    const char *family;
    const char *given;
    const char *display;
    QStringList renmei;
    bool jointNames;
    bool sender;
    const char *keishou;
    const char *expected;
};

class NameStrings : public testing::TestWithParam<NameRow> { };

TEST_P(NameStrings, SpaceEveryCharacterAndEndEveryLineWithTheHonorific)
{
    const NameRow &row = GetParam();
    TextObject object;
    NameRecord name;
    name.lastName = QString::fromUtf8(row.family);
    name.firstName = QString::fromUtf8(row.given);
    object.nameDict = name;
    object.displayName = QString::fromUtf8(row.display);
    object.renmei = row.renmei;
    HagakiLayoutFields layout;
    layout.renmei = row.jointNames;
    EXPECT_EQ(NameString::nameString(object, &layout, row.sender, QString::fromUtf8(row.keishou)),
        QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, NameStrings,
    testing::Values(NameRow{"甲乙", "丙丁", "", {}, false, false, "様", "甲 乙  丙 丁 様"},
        NameRow{"甲乙", "丙丁", "", {}, false, true, "様", "甲 乙  丙 丁"},
        NameRow{"甲乙", "丙丁", "", {"戊己"}, true, false, "様", "甲 乙  丙 丁 様\n戊 己 様"},
        NameRow{"甲乙", "丙丁", "", {"戊己"}, false, false, "様", "甲 乙  丙 丁 様"},
        NameRow{"甲乙", "丙", "", {"戊己"}, true, false, "様", "甲 乙   丙 様\n戊 己 様"},
        NameRow{"甲乙", "丙丁", "", {"戊己"}, true, true, "様", "甲 乙  丙 丁\n戊 己"},
        NameRow{"Ab", "Xy", "", {}, false, false, "Mr.", "M r . A b  X y "},
        NameRow{"Ab", "Xy", "", {}, false, true, "Mr.", "A b  X y"},
        NameRow{"", "", "甲乙　丙丁", {}, false, false, "None", "甲 乙  丙 丁 "},
        NameRow{"", "", "　甲乙 丙丁", {}, false, false, "", "　 甲 乙  丙 丁 "},
        NameRow{"", "", "", {}, false, false, "御中", "N o   n a m e 御中"},
        NameRow{"甲", "", "", {"", "乙", "丙", "丁"}, true, false, "殿", "甲 殿\n乙 殿\n丙 殿"},
        NameRow{"𠮷田", "か\u3099", "", {}, false, false, "様", "𠮷 田  か\u3099 様"}));

TEST(NameStrings, BlockWithoutANameIsEmpty)
{
    EXPECT_EQ(NameString::nameString(TextObject(), nullptr, false, u"様"_s), QString());
}

struct HonorificRow {
    const char *keishou;
    const char *separator;
    const char *before;
    const char *after;
};

class HonorificPlacement : public testing::TestWithParam<HonorificRow> { };

// Postcards ask with no separator, envelopes and labels with a space.
TEST_P(HonorificPlacement, LeadsOrFollowsTheNameWithTheSeparatorAsked)
{
    const HonorificRow &row = GetParam();
    const NameString::Honorific placed
        = NameString::placedHonorific(QString::fromUtf8(row.keishou), QString::fromUtf8(row.separator));
    EXPECT_EQ(placed, (NameString::Honorific{QString::fromUtf8(row.before), QString::fromUtf8(row.after)}));
}

INSTANTIATE_TEST_SUITE_P(Rows, HonorificPlacement,
    testing::Values(HonorificRow{"様", "", "", "様"}, HonorificRow{"御中", " ", "", " 御中"},
        HonorificRow{"Dr.", "", "Dr.", ""}, HonorificRow{"Mrs.", " ", "Mrs. ", ""}, HonorificRow{"None", " ", "", ""},
        HonorificRow{"", " ", "", ""}, HonorificRow{"Sir", " ", "", " Sir"}));

} // namespace
