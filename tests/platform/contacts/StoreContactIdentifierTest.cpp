#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreContactIdentifier.h"

#include <QRegularExpression>
#include <QSet>
#include <QUuid>

#include <thread>

#include <gtest/gtest.h>

namespace {

using LetterCase = StoreContactIdentifier::LetterCase;

class IdentifierShape : public testing::TestWithParam<std::pair<LetterCase, const char *>> { };

// Identifiers end up in the store, in the side store and in files other
// programs read: they must read as random UUIDs there.
TEST_P(IdentifierShape, IsARandomUuidWithoutBraces)
{
    const QRegularExpression shape(QString::fromLatin1(GetParam().second));
    for (int i = 0; i < 1000; ++i) {
        const QString identifier = StoreContactIdentifier::create(GetParam().first);
        ASSERT_TRUE(shape.match(identifier).hasMatch()) << identifier.toStdString();
        const QUuid uuid = QUuid::fromString(identifier);
        ASSERT_EQ(uuid.version(), QUuid::Random);
        ASSERT_EQ(uuid.variant(), QUuid::DCE);
        if (GetParam().first == LetterCase::Lower) {
            ASSERT_EQ(uuid.toString(QUuid::WithoutBraces), identifier);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IdentifierShape,
    testing::Values(
        std::pair{LetterCase::Lower, "^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"},
        std::pair{LetterCase::Upper, "^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"}));

// Each thread draws from a generator of its own: two threads seeded alike
// would hand out the same identifiers.
TEST(StoreContactIdentifier, NeverRepeatsWithinOrAcrossThreads)
{
    constexpr int perThread = 20000;
    std::array<QStringList, 4> drawn;
    std::vector<std::thread> threads;
    for (QStringList &list : drawn) {
        threads.emplace_back([&list] {
            for (int i = 0; i < perThread; ++i)
                list.append(StoreContactIdentifier::create());
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QSet<QString> unique;
    for (const QStringList &list : drawn)
        unique.unite(QSet<QString>(list.begin(), list.end()));
    EXPECT_EQ(unique.size(), qsizetype(drawn.size()) * perThread);
}

TEST(StoreContactIdentifier, NewContactsAndValuesEachGetTheirOwn)
{
    const StoreContact first;
    const StoreContact second;
    const StoreLabeledValue<QString> home(QStringLiteral("_$!<Home>!$_"), QStringLiteral("a@example.com"));
    const StoreLabeledValue<QString> work(QStringLiteral("_$!<Work>!$_"), QStringLiteral("a@example.com"));
    const QSet<QString> identifiers{first.identifier(), second.identifier(), home.identifier(), work.identifier()};
    EXPECT_EQ(identifiers.size(), 4);
    for (const QString &identifier : identifiers)
        EXPECT_FALSE(QUuid::fromString(identifier).isNull()) << identifier.toStdString();
}

} // namespace
