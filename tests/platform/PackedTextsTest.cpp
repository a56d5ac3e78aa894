#include "platform/PackedTexts.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList samples{u"山田太郎123456"_s, u"1"_s, u"千代田1-2\n2階"_s, u"03-1234-5678"_s, QString(300, u'x')};

QVarLengthArray<QString, 8> packed(const QStringList &texts)
{
    PackedTexts pack;
    for (const QString &text : texts)
        pack.add(text);
    return pack.take();
}

bool endsInNull(const QString &text)
{
    return text.utf16()[text.size()] == 0;
}

TEST(PackedTexts, ReadBackEachEndedByANullAndSharingOneBlock)
{
    const QVarLengthArray<QString, 8> texts = packed(samples);
    ASSERT_EQ(texts.size(), samples.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts.at(i), samples.at(i));
        EXPECT_TRUE(endsInNull(texts.at(i))) << i;
        EXPECT_FALSE(texts.at(i).isDetached()) << i;
    }
    const QVarLengthArray<QString, 8> one = packed(QStringList{samples.first()});
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one.first(), samples.first());
    EXPECT_TRUE(endsInNull(one.first()));
    EXPECT_TRUE(one.first().isDetached());
    // The builder is empty again.
    PackedTexts pack;
    pack.add(u"a"_s);
    (void)pack.take();
    EXPECT_TRUE(pack.take().isEmpty());
}

// Each change is made to one text while the others hold the block, then to
// the last text left, which may grow into the room of those gone.
TEST(PackedTexts, ChangeApartAndOutliveEachOther)
{
    const std::array<void (*)(QString &), 5> changes{
        [](QString &text) { text.append(u"-追加"_s); },
        [](QString &text) { text.prepend(u"前"_s); },
        [](QString &text) { text.data()[0] = u'Z'; },
        [](QString &text) { text.truncate(1); },
        [](QString &text) { text.resize(text.size() + 40, u'y'); },
    };
    for (std::size_t change = 0; change < changes.size(); ++change) {
        for (qsizetype changed = 0; changed < samples.size(); ++changed) {
            auto texts = std::make_unique<QVarLengthArray<QString, 8>>(packed(samples));
            QString expected = samples.at(changed);
            changes.at(change)(expected);
            changes.at(change)((*texts)[changed]);
            for (qsizetype i = 0; i < texts->size(); ++i) {
                EXPECT_EQ(texts->at(i), i == changed ? expected : samples.at(i)) << change << ' ' << changed;
                EXPECT_TRUE(endsInNull(texts->at(i)));
            }
            // The others go, the unchanged last one first kept alone.
            QString last = texts->at((changed + 1) % samples.size());
            QString lastExpected = samples.at((changed + 1) % samples.size());
            texts.reset();
            EXPECT_EQ(last, lastExpected);
            changes.at(change)(last);
            changes.at(change)(lastExpected);
            EXPECT_EQ(last, lastExpected) << change << ' ' << changed;
            EXPECT_TRUE(endsInNull(last));
        }
    }
}

} // namespace
