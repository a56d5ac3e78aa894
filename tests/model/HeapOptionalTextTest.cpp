#include "model/HeapOptionalText.h"
#include "model/StringValuesRecord.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What an optional text holds; null and empty are apart. A text comes as a
// literal, as a file's reader makes it (characters of its own filling their
// room), or with room to grow.
enum class Kind { Absent, Null, Empty, Text, ReadText, RoomyText };

std::optional<QString> textOf(Kind kind)
{
    switch (kind) {
    case Kind::Absent:
        return std::nullopt;
    case Kind::Null:
        return QString();
    case Kind::Empty:
        return u""_s;
    case Kind::Text:
        break;
    case Kind::ReadText:
        return QString(u"営業部"_s.constData(), 3);
    case Kind::RoomyText: {
        QString roomy;
        roomy.reserve(16);
        return roomy.append(u"営業部"_s);
    }
    }
    return u"営業部"_s;
}

void expectHolds(const HeapOptionalText &entry, Kind kind)
{
    ASSERT_EQ(entry.has_value(), kind != Kind::Absent);
    EXPECT_EQ(entry.value_or(u"fallback"_s), textOf(kind).value_or(u"fallback"_s));
    const std::optional<QString> asOptional = entry;
    EXPECT_EQ(asOptional, textOf(kind));
    if (kind != Kind::Absent) {
        EXPECT_EQ((*entry).isNull(), kind == Kind::Null);
        EXPECT_EQ((*entry).isEmpty(), kind == Kind::Null || kind == Kind::Empty);
        EXPECT_EQ(*entry, *textOf(kind));
    }
}

class OptionalTexts : public testing::TestWithParam<std::tuple<Kind, Kind>> { };

// An entry keeps what it was given, and an entry made or copied from it and
// then given something else leaves it and every other entry of its kind as
// they were: null and empty entries point at one shared text each.
TEST_P(OptionalTexts, KeepAbsentNullEmptyAndTextApartThroughCopiesAndReassignment)
{
    const auto [kind, other] = GetParam();
    const HeapOptionalText entry = textOf(kind);
    const HeapOptionalText sameKind = textOf(kind);
    expectHolds(entry, kind);

    HeapOptionalText copy = entry;
    EXPECT_EQ(copy, entry);
    copy = textOf(other);
    expectHolds(copy, other);
    expectHolds(entry, kind);
    expectHolds(sameKind, kind);
    const bool sameText = kind != Kind::Absent && other != Kind::Absent && *textOf(kind) == *textOf(other);
    EXPECT_EQ(copy == entry, kind == other || sameText);

    HeapOptionalText moved = std::move(copy);
    expectHolds(moved, other);
    moved = entry;
    expectHolds(moved, kind);
    moved.reset();
    expectHolds(moved, Kind::Absent);
    expectHolds(entry, kind);
}

constexpr Kind allKinds[] = {Kind::Absent, Kind::Null, Kind::Empty, Kind::Text, Kind::ReadText, Kind::RoomyText};

INSTANTIATE_TEST_SUITE_P(
    Kinds, OptionalTexts, testing::Combine(testing::ValuesIn(allKinds), testing::ValuesIn(allKinds)));

class StringFieldKinds : public testing::TestWithParam<Kind> { };

// The record's entries tell a null field from an empty one: the write-back
// to the store and the sharing of a contact's unchanged strings rely on it.
TEST_P(StringFieldKinds, ComeBackFromTheRecordAsGiven)
{
    const Kind kind = GetParam();
    StringValuesRecord values;
    for (const QString &identifier : StringValuesRecord::identifiers())
        ASSERT_TRUE(values.setEntry(identifier, textOf(kind)));
    const StringValuesRecord copy = values;
    for (const QString &identifier : StringValuesRecord::identifiers()) {
        SCOPED_TRACE(identifier.toStdString());
        expectHolds(values.*StringValuesRecord::memberFor(identifier), kind);
        const std::optional<QString> entry = copy.entry(identifier);
        ASSERT_EQ(entry.has_value(), kind != Kind::Absent);
        if (entry) {
            EXPECT_EQ((*entry).isNull(), kind == Kind::Null);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, StringFieldKinds, testing::ValuesIn(allKinds));

} // namespace
