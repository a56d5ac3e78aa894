// The data files and pictures in resources/ are made by scripts in tools/ from
// installed package data: each committed file must be exactly what its script
// makes, so that nobody edits one by hand.
#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Script {
    const char *name;
    bool writesAFolder; // else it writes the one file named
    QStringList files;
};

class GeneratedResource : public testing::TestWithParam<Script> { };

// make-country-numbers asks libphonenumber for every code it knows, so this
// also checks that the table lacks none of them.
TEST_P(GeneratedResource, IsWhatItsScriptMakes)
{
    const QString folder = TestEnvironment::makeScratchFolder(QString::fromLatin1(GetParam().name));
    QProcess script;
    script.start(QStringLiteral(QUILLMARK_TOOLS_DIR "/") + QString::fromLatin1(GetParam().name),
        {GetParam().writesAFolder ? folder : folder + u'/' + GetParam().files.first()});
    ASSERT_TRUE(script.waitForFinished(120000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    for (const QString &name : GetParam().files) {
        const QByteArray made = readFile(folder + u'/' + name);
        ASSERT_FALSE(made.isEmpty()) << name.toStdString();
        EXPECT_EQ(made, readFile(QStringLiteral(QUILLMARK_RESOURCES_DIR "/") + name)) << name.toStdString();
        if (QFile::exists(QStringLiteral(":/") + name))
            EXPECT_EQ(made, readFile(QStringLiteral(":/") + name)) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, GeneratedResource,
    testing::Values(Script{"make-country-numbers", false, {"CountryNumbers.csv"}},
        Script{"make-address-format", false, {"AddressFormat.json"}},
        Script{"make-contact-images", true, {"UserGuest.png", "CompanySquare.png", "Compose.png"}},
        Script{"make-app-icon", true, {"Quillmark2_256.png"}},
        Script{"make-field-icons", true,
            {"icon_phone.png", "icon_mail.png", "icon_safari.png", "icon_message.png", "icon_sns.png",
                "icon_department.png", "icon_birthday.png", "icon_calendar.png", "icon_PhoneticName.png",
                "icon_nickname.png", "icon_jobtitle.png", "icon_title.png", "icon_suffix.png", "icon_note.png",
                "UserGroup.png", "Home.png", "Everyone.png"}}),
    [](const testing::TestParamInfo<Script> &info) {
        return QString::fromLatin1(info.param.name).remove(u'-').toStdString();
    });

// Every ISO country once, each with a format naming the five fields once.
TEST(AddressFormatResource, HoldsEveryIsoCountryOnceWithTheFiveFields)
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

    const QJsonArray rows = QJsonDocument::fromJson(readFile(QStringLiteral(":/AddressFormat.json")))
                                .object()
                                .value(QStringLiteral("AddressFormat"))
                                .toArray();
    QStringList codes;
    for (const QJsonValue &value : rows) {
        const QJsonObject row = value.toObject();
        codes.append(row.value(QStringLiteral("CountryCode")).toString());
        QStringList tokens = row.value(QStringLiteral("formatString"))
                                 .toString()
                                 .remove(QChar(0x200E))
                                 .split(QRegularExpression(QStringLiteral("\\s")));
        tokens.sort();
        EXPECT_EQ(tokens, QStringList({"City", "Country", "State", "Street", "ZIP"})) << codes.last().toStdString();
    }
    EXPECT_EQ(codes.size(), isoCodes.size());
    EXPECT_EQ(QSet<QString>(codes.cbegin(), codes.cend()), isoCodes);
}

} // namespace
