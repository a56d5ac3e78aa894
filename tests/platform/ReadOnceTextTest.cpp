#include "platform/ReadOnceText.h"

#include "common/ResidentPages.h"

#include <gtest/gtest.h>

namespace {

constexpr qsizetype mebibyteOfUnits = qsizetype(1) << 19;

// A text of its own, several mebibytes long, every page of it written.
QString largeText(qsizetype units)
{
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(char16_t(u'a' + i % 26));
    return text;
}

// The memory of the part read goes back to the system; the part ahead, and
// the text's length, stay as they were.
TEST(ReadOnceText, GivesBackWhatLiesBehindTheReaderAndKeepsWhatLiesAhead)
{
#if defined(Q_OS_LINUX)
    const qsizetype units = 8 * mebibyteOfUnits;
    QString text = largeText(units);
    const QChar *const start = text.constData();
    ReadOnceText once(std::move(text));
    ASSERT_EQ(once.view().constData(), start);
    once.giveBackBefore(4 * mebibyteOfUnits);
    EXPECT_EQ(residentPages(start + mebibyteOfUnits / 8, start + 4 * mebibyteOfUnits - 4096), 0);
    EXPECT_GT(residentPages(start + 4 * mebibyteOfUnits + 4096, start + units), 0);
    EXPECT_EQ(once.view().size(), units);
    for (qsizetype i = 4 * mebibyteOfUnits + 2048; i < units; i += 4099)
        ASSERT_EQ(once.view().at(i), QChar(char16_t(u'a' + i % 26))) << i;
#else
    GTEST_SKIP() << "pages are given back on Linux only";
#endif
}

// A text another holder still reads, or one made from a string literal, is
// read and never given back.
TEST(ReadOnceText, LeavesATextItDoesNotOwnAlone)
{
    const QString original = largeText(4 * mebibyteOfUnits);
    QString copy = original;
    {
        ReadOnceText once(std::move(copy));
        once.giveBackBefore(4 * mebibyteOfUnits);
    }
    EXPECT_EQ(original, largeText(4 * mebibyteOfUnits));
    ReadOnceText literal(QStringLiteral("BEGIN:VCARD\r\nEND:VCARD\r\n"));
    literal.giveBackBefore(10);
    EXPECT_EQ(literal.view(), u"BEGIN:VCARD\r\nEND:VCARD\r\n");
}

} // namespace
