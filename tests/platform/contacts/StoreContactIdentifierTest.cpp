#include "platform/contacts/StoreContactIdentifier.h"

#include <QSet>
#include <QUuid>

#include <thread>

#include <gtest/gtest.h>

namespace {

// Identifiers end up in the store, in the side store and in files other
// programs read: they must read as random UUIDs without braces there, in
// either letter case.
TEST(StoreContactIdentifier, IsARandomUuidWithoutBraces)
{
    using LetterCase = StoreContactIdentifier::LetterCase;
    for (const LetterCase letterCase : {LetterCase::Lower, LetterCase::Upper}) {
        for (int i = 0; i < 1000; ++i) {
            const QString identifier = StoreContactIdentifier::create(letterCase);
            const QUuid uuid = QUuid::fromString(identifier);
            ASSERT_EQ(uuid.version(), QUuid::Random) << identifier.toStdString();
            ASSERT_EQ(uuid.variant(), QUuid::DCE) << identifier.toStdString();
            const QString written = uuid.toString(QUuid::WithoutBraces);
            ASSERT_EQ(identifier, letterCase == LetterCase::Lower ? written : written.toUpper());
        }
    }
}

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

} // namespace
