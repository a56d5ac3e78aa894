#pragma once

#include <QByteArray>
#include <QString>

// Small postal tables in Japan Post's published layouts (text columns quoted,
// half-width kana, Windows-31J, CRLF), compressed the way the shipped ones are.
namespace PostalTestFiles {

enum class Stream { Gzip, Zlib };

// Six area lines ("ken_all", 15 columns), among them the placeholder line of a
// city and codes sharing the prefix "100" with an office.
[[nodiscard]] QString kenAllText();

// Three office lines ("jigyosyo", 13 columns); the last has an empty quoted
// kana column and an empty town area.
[[nodiscard]] QString jigyosyoText();

[[nodiscard]] QByteArray encodeWindows31J(const QString &text);
[[nodiscard]] QByteArray compress(const QByteArray &data, Stream stream);

// Writes `data` to `folder`/`name` and returns the path.
[[nodiscard]] QString writeFile(const QString &folder, const QString &name, const QByteArray &data);

// Writes both tables gzip-compressed into a fresh folder; returns the folder.
[[nodiscard]] QString writeTables(const QString &folderName);

} // namespace PostalTestFiles
