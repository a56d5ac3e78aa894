#include "GeneratedResource.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

const QStringList kFields = {QStringLiteral("ZIP"), QStringLiteral("State"), QStringLiteral("City"),
    QStringLiteral("Street"), QStringLiteral("Country")};

using GeneratedResource::readFile;

[[nodiscard]] QJsonArray addressFormatRows()
{
    return QJsonDocument::fromJson(readFile(QStringLiteral(":/AddressFormat.json")))
        .object()
        .value(QStringLiteral("AddressFormat"))
        .toArray();
}

} // namespace

TEST(AddressFormatResource, HoldsEveryIsoCountryOnce)
{
    const QJsonArray iso
        = QJsonDocument::fromJson(readFile(QStringLiteral("/usr/share/iso-codes/json/iso_3166-1.json")))
              .object()
              .value(QStringLiteral("3166-1"))
              .toArray();
    ASSERT_GT(iso.size(), 240);
    QSet<QString> isoCodes;
    for (const QJsonValue &country : iso)
        isoCodes.insert(country.toObject().value(QStringLiteral("alpha_2")).toString());

    QStringList codes;
    for (const QJsonValue &row : addressFormatRows())
        codes.append(row.toObject().value(QStringLiteral("CountryCode")).toString());
    EXPECT_EQ(codes.size(), isoCodes.size());
    EXPECT_EQ(QSet<QString>(codes.cbegin(), codes.cend()), isoCodes);
}

TEST(AddressFormatResource, EveryRowNamesTheFiveFieldsOnceWithCapitalNames)
{
    const QJsonArray rows = addressFormatRows();
    ASSERT_FALSE(rows.isEmpty());
    for (const QJsonValue &value : rows) {
        const QJsonObject row = value.toObject();
        const QString code = row.value(QStringLiteral("CountryCode")).toString();
        SCOPED_TRACE(code.toStdString());
        QStringList tokens = row.value(QStringLiteral("formatString"))
                                 .toString()
                                 .remove(QChar(0x200E))
                                 .split(QRegularExpression(QStringLiteral("\\s")));
        EXPECT_EQ(tokens.size(), kFields.size());
        for (const QString &field : kFields)
            EXPECT_EQ(tokens.count(field), 1) << field.toStdString();

        const QString name = row.value(QStringLiteral("Country")).toString();
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(name, name.toUpper());
        EXPECT_EQ(row.value(QStringLiteral("Alpha3")).toString().size(), 3);
        EXPECT_EQ(code.size(), 2);
        EXPECT_EQ(code, code.toUpper());
    }
}

TEST(AddressFormatResource, GeneratorReproducesTheCommittedFile)
{
    GeneratedResource::expectGeneratorReproduces(
        QStringLiteral("make-address-format"), QStringLiteral("AddressFormat.json"));
}
