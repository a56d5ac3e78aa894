// The data files and pictures in resources/ are made by scripts in tools/ from
// installed package data: each committed file must be exactly what its script
// makes, so that nobody edits one by hand.
#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A script and the one file it writes, or none when it fills a folder.
using Script = std::pair<const char *, const char *>;

class GeneratedResource : public testing::TestWithParam<Script> { };

// make-country-numbers asks libphonenumber for every code it knows, so this
// also checks that the table lacks none of them.
TEST_P(GeneratedResource, IsWhatItsScriptMakes)
{
    const QString folder = TestEnvironment::makeScratchFolder(QString::fromLatin1(GetParam().first));
    const QString file = QString::fromLatin1(GetParam().second);
    QProcess script;
    script.start(QStringLiteral(QUILLMARK_TOOLS_DIR "/") + QString::fromLatin1(GetParam().first),
        {file.isEmpty() ? folder : folder + u'/' + file});
    ASSERT_TRUE(script.waitForFinished(120000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    const QStringList made = QDir(folder).entryList(QDir::Files);
    ASSERT_FALSE(made.isEmpty());
    for (const QString &name : made) {
        const QByteArray bytes = readFile(folder + u'/' + name);
        EXPECT_EQ(bytes, readFile(QStringLiteral(QUILLMARK_RESOURCES_DIR "/") + name)) << name.toStdString();
        if (QFile::exists(QStringLiteral(":/") + name)) {
            EXPECT_EQ(bytes, readFile(QStringLiteral(":/") + name)) << name.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, GeneratedResource,
    testing::Values(Script{"make-country-numbers", "CountryNumbers.csv"},
        Script{"make-address-format", "AddressFormat.json"}, Script{"make-contact-images", ""},
        Script{"make-app-icon", ""}, Script{"make-field-icons", ""}),
    [](const testing::TestParamInfo<Script> &info) {
        return QString::fromLatin1(info.param.first).remove(u'-').toStdString();
    });

// Every ISO country once.
TEST(AddressFormatResource, HoldsEveryIsoCountryOnce)
{
    const auto array = [](const QString &path, const QString &key) {
        return QJsonDocument::fromJson(readFile(path)).object().value(key).toArray();
    };
    QSet<QString> isoCodes;
    for (const QJsonValue &country : array("/usr/share/iso-codes/json/iso_3166-1.json", "3166-1"))
        isoCodes.insert(country.toObject().value("alpha_2").toString());
    QStringList codes;
    for (const QJsonValue &row : array(":/AddressFormat.json", "AddressFormat"))
        codes.append(row.toObject().value("CountryCode").toString());
    ASSERT_GT(isoCodes.size(), 240);
    EXPECT_EQ(codes.size(), isoCodes.size());
    EXPECT_EQ(QSet<QString>(codes.cbegin(), codes.cend()), isoCodes);
}

} // namespace
