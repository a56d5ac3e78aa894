#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class PostalDatabase;

// Small postal tables in Japan Post's published layouts (text columns quoted,
// half-width kana, Windows-31J, CRLF), compressed the way the shipped ones are:
// tests/data/postal holds six area lines (a city's placeholder line among them,
// codes sharing "100" with an office) and three office lines (the last with an
// empty kana column and an empty town area).
namespace PostalTestFiles {

enum class Stream { Gzip, Zlib };

// "ken_all.csv" or "jigyosyo.csv" of tests/data/postal, with CRLF line ends.
[[nodiscard]] QString tableText(const QString &name);
[[nodiscard]] QByteArray encodeWindows31J(const QString &text);
[[nodiscard]] QByteArray compress(const QByteArray &data, Stream stream);
// Writes `data` to `folder`/`name`.
void writeFile(const QString &folder, const QString &name, const QByteArray &data);
// Two area lines of Toyama, whose towns "八尾町" and "八尾町上新町" begin
// alike, for writeTables().
[[nodiscard]] QString toyamaAreaLines();
// Writes both tables gzip-compressed into a fresh folder, the area table
// followed by `moreAreaLines` (lines in its layout, each ending in "\n");
// returns the folder.
[[nodiscard]] QString writeTables(const QString &folderName, const QString &moreAreaLines = {});
// The postal cache read from the tables writeTables() writes.
[[nodiscard]] std::shared_ptr<const PostalDatabase> database(
    const QString &folderName, const QString &moreAreaLines = {});

} // namespace PostalTestFiles
