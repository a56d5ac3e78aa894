#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

QString card(const QString &extra)
{
    return u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ann;;;;\r\nFN:Ann\r\n%1END:VCARD\r\n"_s.arg(extra);
}

ContainerRecordPtr read(const QString &text)
{
    const ContainerTablePtr containers = MVvCard().containersFromVCards(text, nullptr);
    return containers && containers->size() == 1 ? containers->constFirst() : nullptr;
}

// A text value as one layer of the reader reads it: NOTE through the store's
// reader, CATEGORIES (one name) through the own properties.
enum class Layer { StoreNote, OwnCategories };

QString readBack(Layer layer, const QString &escaped)
{
    if (layer == Layer::StoreNote) {
        const ContainerRecordPtr container = read(card(u"NOTE:"_s + escaped + u"\r\n"_s));
        const ContactTablePtr contacts = container ? MVvCard().contactsInContainer(container) : nullptr;
        if (!contacts || contacts->size() != 1)
            return u"<no contact>"_s;
        return contacts->constFirst()->person->stringValueForIdentifier(FieldId::Note, 0);
    }
    const ContainerRecordPtr container = read(card(u"CATEGORIES:"_s + escaped + u"\r\n"_s));
    if (!container || container->groups->size() != 2)
        return u"<no group>"_s;
    return container->groups->at(1)->name;
}

struct EscapeRow {
    const char16_t *escaped;
    const char16_t *meant;
};

// Both layers read a text value's escapes alike: a card means the same
// whichever of them reads it.
class TextEscapes : public testing::TestWithParam<std::tuple<Layer, EscapeRow>> { };

TEST_P(TextEscapes, ReadAlikeInTheStoreLayerAndTheOwnProperties)
{
    const auto &[layer, row] = GetParam();
    EXPECT_EQ(readBack(layer, QString::fromUtf16(row.escaped)).toStdU16String(), std::u16string(row.meant));
}

INSTANTIATE_TEST_SUITE_P(Rows, TextEscapes,
    testing::Combine(testing::Values(Layer::StoreNote, Layer::OwnCategories),
        testing::Values(EscapeRow{u"Smith\\, Jones\\; Co", u"Smith, Jones; Co"}, EscapeRow{u"a\\nb\\Nc", u"a\nb\nc"},
            EscapeRow{u"C:\\\\dir", u"C:\\dir"}, EscapeRow{u"http\\://a.example", u"http://a.example"},
            EscapeRow{u"\\\"AS IS\\\"", u"\"AS IS\""}, EscapeRow{u"a\\\\nb", u"a\\nb"},
            // A backslash that starts no escape stays, with its character.
            EscapeRow{u"a\\tb", u"a\\tb"}, EscapeRow{u"C:\\dir", u"C:\\dir"}, EscapeRow{u"東\\京", u"東\\京"},
            EscapeRow{u"end\\", u"end\\"})));

// X-RENMEI knows line feeds alone: every other backslash is the joint names'
// own, as files written before had them.
TEST(RenmeiEscapes, OnlyLineFeedsAreEscaped)
{
    const EscapeRow rows[] = {{u"花子\\n一郎", u"花子\n一郎"}, {u"a\\Nb", u"a\\Nb"}, {u"a\\,b\\;c", u"a\\,b\\;c"},
        {u"C:\\\\dir", u"C:\\\\dir"}, {u"a\\\\nb", u"a\\\nb"}, {u"http\\://x", u"http\\://x"}, {u"end\\", u"end\\"}};
    for (const EscapeRow &row : rows) {
        const ContainerRecordPtr container = read(card(u"X-RENMEI:"_s + QString::fromUtf16(row.escaped) + u"\r\n"_s));
        ASSERT_TRUE(container);
        const ContactTablePtr contacts = MVvCard().contactsInContainer(container);
        ASSERT_EQ(contacts->size(), 1);
        EXPECT_EQ(contacts->constFirst()->person->stringValueForIdentifier(FieldId::Renmei, 0).toStdU16String(),
            std::u16string(row.meant));
    }
}

} // namespace
