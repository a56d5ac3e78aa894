#include "GeneratedResource.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(CountryNumbersResource, EveryLineHoldsFourNonEmptyFields)
{
    const QStringList lines = QString::fromUtf8(GeneratedResource::readFile(QStringLiteral(":/CountryNumbers.csv")))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 200);
    EXPECT_EQ(lines.first(), QStringLiteral("number,country,国名,エリア名"));
    for (const QString &line : lines.mid(1)) {
        SCOPED_TRACE(line.toStdString());
        const QStringList fields = line.split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 4);
        for (const QString &field : fields)
            EXPECT_FALSE(field.trimmed().isEmpty());
        bool isNumber = false;
        EXPECT_GT(fields.first().toInt(&isNumber), 0);
        EXPECT_TRUE(isNumber);
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("81,Japan,日本,東アジア")));
    EXPECT_TRUE(lines.contains(QStringLiteral("44,United Kingdom,イギリス,北ヨーロッパ")));
}

// The generator asks libphonenumber for every code it knows, so this also
// checks that the table lacks none of them.
TEST(CountryNumbersResource, GeneratorReproducesTheCommittedFile)
{
    GeneratedResource::expectGeneratorReproduces(
        QStringLiteral("make-country-numbers"), QStringLiteral("CountryNumbers.csv"));
}
