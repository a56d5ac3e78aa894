#include "model/AccountSlot.h"
#include "model/HeapOptionalText.h"
#include "model/InternedText.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// A text as a file's reader makes it: characters of its own, no room beside.
QString readText(QStringView text)
{
    return QString(text.data(), text.size());
}

// The same text with room to grow, which a share cannot be read back from.
QString roomyText(QStringView text)
{
    QString roomy;
    roomy.reserve(text.size() + 16);
    roomy.append(text);
    return roomy;
}

// An e-mail's halves come back alike whether the address was kept as a share
// of a read text or as a text of its own, and outlive the address they came
// from; copies and changes keep them apart.
TEST(SplitAccountParts, ReadAlikeFromAShareAndFromAText)
{
    const QString address = u"taro.yamada@example.jp"_s;
    QString source = readText(address);
    AccountSlot shared;
    shared.splitFrom(source);
    AccountSlot owned;
    owned.splitFrom(roomyText(address));
    source[0] = u'X';
    source.clear();

    for (const AccountSlot *slot : {&shared, &owned}) {
        EXPECT_TRUE(slot->isHeld() && !slot->holdsGroup());
        EXPECT_EQ(slot->part(&AccountParts::username), u"taro.yamada"_s);
        EXPECT_EQ(slot->part(&AccountParts::domain), u"example.jp"_s);
        EXPECT_TRUE(slot->part(&AccountParts::service).isNull());
    }
    EXPECT_EQ(shared, owned);
    EXPECT_EQ(shared.parts(), owned.parts());

    AccountSlot copy = shared;
    EXPECT_EQ(copy, shared);
    copy->domain = u"example.com"_s;
    EXPECT_TRUE(copy.holdsGroup());
    EXPECT_EQ(copy.part(&AccountParts::username), u"taro.yamada"_s);
    EXPECT_EQ(shared.part(&AccountParts::domain), u"example.jp"_s);
    EXPECT_NE(copy, shared);

    copy = shared;
    AccountSlot other;
    other.splitFrom(readText(u"hanako@example.com"));
    EXPECT_NE(other, shared);
    other = std::move(copy);
    EXPECT_EQ(other, owned);
    other.reset();
    EXPECT_FALSE(other.isHeld());
    EXPECT_EQ(shared.part(&AccountParts::username), u"taro.yamada"_s);
}

// An entry that keeps a share of a read text holds the text as it was given,
// equal to the same text held otherwise, after the source changed and
// through copies, moves and reassignment.
TEST(SharedOptionalText, IsTheTextItWasGivenThroughCopiesAndChanges)
{
    QString source = readText(u"株式会社 見本商事");
    const HeapOptionalText shared = source;
    const HeapOptionalText owned = roomyText(source);
    source.replace(0, 2, u"有限"_s);
    EXPECT_EQ(*shared, u"株式会社 見本商事"_s);
    EXPECT_EQ(shared, owned);
    EXPECT_EQ((*shared).size(), 9);
    EXPECT_NE(shared, HeapOptionalText(source));
    EXPECT_NE(shared, HeapOptionalText(QString()));

    HeapOptionalText copy = shared;
    EXPECT_EQ(copy, shared);
    QString taken = *copy;
    taken.append(u'!');
    EXPECT_EQ(*copy, u"株式会社 見本商事"_s) << "a text read from the entry changed it";
    copy = readText(u"別の会社");
    EXPECT_EQ(*copy, u"別の会社"_s);
    EXPECT_EQ(*shared, u"株式会社 見本商事"_s);
    HeapOptionalText moved = std::move(copy);
    EXPECT_EQ(moved.value_or(QString()), u"別の会社"_s);
    moved = owned;
    EXPECT_EQ(moved, shared);
    EXPECT_EQ(std::optional<QString>(moved), std::optional<QString>(u"株式会社 見本商事"_s));
}

// A country code reads back as given, null as null, each text kept once
// whichever thread gave it first.
TEST(InternedCodes, ReadBackAsGivenAndAreKeptOnce)
{
    EXPECT_TRUE(InternedText().text().isNull());
    EXPECT_TRUE(InternedText(QString()).text().isNull());
    const InternedText empty{u""_s};
    EXPECT_TRUE(empty.text().isEmpty() && !empty.text().isNull());

    // Four threads give the same codes in turn, each its own run of them.
    constexpr int codeCount = 1500;
    std::vector<std::vector<InternedText>> interned(4);
    std::vector<std::thread> threads;
    for (std::vector<InternedText> &run : interned) {
        threads.emplace_back([&run] {
            for (int n = 0; n < codeCount; ++n)
                run.emplace_back(u"code-%1"_s.arg(n));
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (const std::vector<InternedText> &run : interned) {
        for (int n = 0; n < codeCount; ++n) {
            ASSERT_EQ(run.at(n).text(), u"code-%1"_s.arg(n));
            EXPECT_EQ(&run.at(n).text(), &interned.front().at(n).text());
        }
    }
    InternedText changed{u"JP"_s};
    changed = u"US"_s;
    EXPECT_EQ(QString(changed), u"US"_s);
}

} // namespace
