#include "model/UniqueId.h"

#include "common/QtPrinting.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class UniqueIdText : public testing::TestWithParam<QString> { };

// Every text reads back as given, whether it is held as a UUID or as a text.
TEST_P(UniqueIdText, ReadsBackAndComparesAsItsText)
{
    const QString text = GetParam();
    const UniqueId id(text);
    const QString back = id;
    EXPECT_EQ(back, text);
    EXPECT_EQ(
        std::tuple(back.isNull(), id.isNull(), id.isEmpty()), std::tuple(text.isNull(), text.isNull(), text.isEmpty()));
    EXPECT_TRUE(id == text && text == id && !(id != QStringView(text)));

    UniqueId copy(id);
    EXPECT_EQ(copy, id);
    EXPECT_EQ(qHash(copy, 7), qHash(id, 7));
    UniqueId moved(std::move(copy));
    EXPECT_EQ(moved.toString(), text);
    copy = moved; // a moved-from identity takes a value again
    moved = UniqueId(u"other"_s);
    UniqueId &same = copy;
    copy = std::move(same); // moved onto itself, it keeps its value
    EXPECT_EQ(copy.toString(), text);
    EXPECT_NE(moved, id);
    EXPECT_FALSE(moved == text);
}

const QList<QString> forms{QString(), u""_s, u"0f1e2d3c-4b5a-4697-8877-665544332211"_s,
    u"0F1E2D3C-4B5A-4697-8877-665544332211"_s, u"01234567-8901-4234-8567-890123456789"_s,
    u"0f1e2d3c-4b5a-4697-8877-66554433221g"_s, u"0f1e2d3c-4b5a-4697-8877-6655443322111"_s,
    u"0f1e2d3c4b5a-4697-8877-6655443322111"_s, u"0f1e2d3c-4b5a-4697-8877-66554433221F"_s,
    u"０f1e2d3c-4b5a-4697-8877-665544332211"_s, u"Acme Ltd.+2024-01-02 03:04:05 +0000"_s};

INSTANTIATE_TEST_SUITE_P(Forms, UniqueIdText, testing::ValuesIn(forms));

using UniqueIdFromUtf8 = UniqueIdText;

// The store hands identifiers over as UTF-8 bytes: read from them, every
// form is the identity its text makes.
TEST_P(UniqueIdFromUtf8, IsTheIdentityOfItsText)
{
    const QString text = GetParam();
    const QByteArray utf8 = text.toUtf8();
    const UniqueId id = UniqueId::fromUtf8(utf8);
    EXPECT_EQ(id, UniqueId(QString::fromUtf8(utf8)));
    EXPECT_EQ(qHash(id, 7), qHash(UniqueId(QString::fromUtf8(utf8)), 7));
    EXPECT_EQ(id.toString(), QString::fromUtf8(utf8));
    EXPECT_EQ(compareAsText(id, UniqueId(text)), std::strong_ordering::equal);
}

INSTANTIATE_TEST_SUITE_P(Forms, UniqueIdFromUtf8, testing::ValuesIn(forms));

// Equal texts are equal identities in whatever form each is held; texts one
// letter case apart are not.
TEST(UniqueId, EqualsAndHashesOnlyEqualTexts)
{
    const QString lower = u"0f1e2d3c-4b5a-4697-8877-665544332211"_s;
    const QString upper = lower.toUpper();
    const QSet<UniqueId> ids{lower, upper, QString(), u""_s, u"0f1e2d3c"_s};
    EXPECT_EQ(ids.size(), 4); // null and empty are one text, as for QString
    EXPECT_TRUE(ids.contains(UniqueId(QString(lower))));
    EXPECT_NE(UniqueId(lower), UniqueId(upper));
    EXPECT_FALSE(UniqueId(lower) == upper || UniqueId(lower) == u"0f1e2d3c"_s || UniqueId(u"0f1e2d3c"_s) == lower);
    EXPECT_TRUE(UniqueId() == u""_s);
}

// Identities order as their texts do, in every pairing of the forms they are
// held in: the table breaks ties of its sort by them.
TEST(UniqueId, OrdersAsItsText)
{
    const QStringList texts{QString(), u""_s, u"0f1e2d3c-4b5a-4697-8877-665544332211"_s,
        u"0f1e2d3c-4b5a-4697-8877-665544332212"_s, u"0f1e2d3d-0000-4697-8877-665544332211"_s,
        u"ff1e2d3c-4b5a-4697-8877-665544332211"_s, u"0F1E2D3C-4B5A-4697-8877-665544332211"_s,
        u"9F1E2D3C-4B5A-4697-8877-665544332211"_s, u"01234567-8901-4234-8567-890123456789"_s,
        u"Acme Ltd.+2024-01-02 03:04:05 +0000"_s, u"0f1e"_s};
    for (const QString &first : texts) {
        for (const QString &second : texts) {
            const int expected = first < second ? -1 : (second < first ? 1 : 0);
            const std::strong_ordering order = compareAsText(UniqueId(first), UniqueId(second));
            const int got = order < 0 ? -1 : (order > 0 ? 1 : 0);
            EXPECT_EQ(got, expected) << first.toStdString() << " against " << second.toStdString();
        }
    }
}

// A UUID of any version, in either case, reads back, compares, hashes and
// orders as its text, whether the identity holds it in place (versions 1 to
// 7) or as a text; the store makes version 4.
TEST(UniqueId, ActsAsItsTextForUuidsOfEveryVersion)
{
    QStringList texts;
    for (const QChar version : u"0123456789abcdef"_s) {
        const QString lower = u"0f1e2d3c-4b5a-%1697-8877-665544332211"_s.arg(version);
        texts << lower << lower.toUpper();
    }
    texts << u"00000000-0000-0000-0000-000000000000"_s << u"ffffffff-ffff-ffff-ffff-ffffffffffff"_s;
    for (const QString &text : std::as_const(texts)) {
        SCOPED_TRACE(text.toStdString());
        const UniqueId id(text);
        const UniqueId fromUtf8 = UniqueId::fromUtf8(text.toUtf8());
        EXPECT_EQ(id.toString(), text);
        EXPECT_EQ(fromUtf8.toString(), text);
        EXPECT_EQ(id, fromUtf8);
        EXPECT_EQ(qHash(id, 3), qHash(fromUtf8, 3));
        EXPECT_FALSE(id.isNull() || id.isEmpty());
        UniqueId copy(id);
        const UniqueId moved(std::move(copy));
        EXPECT_EQ(moved, id);
        EXPECT_TRUE(copy.isNull());
        for (const QString &other : std::as_const(texts)) {
            EXPECT_EQ(id == UniqueId(other), text == other) << other.toStdString();
            EXPECT_EQ(id == other, text == other) << other.toStdString();
            const int expected = text < other ? -1 : (other < text ? 1 : 0);
            const std::strong_ordering order = compareAsText(id, UniqueId(other));
            EXPECT_EQ(order < 0 ? -1 : (order > 0 ? 1 : 0), expected) << other.toStdString();
        }
    }
}

} // namespace
