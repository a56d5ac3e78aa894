#pragma once

#include <QFile>
#include <QString>

#include <sqlite3.h>

// Damage done to a closed store file from outside, as a failing disk or a
// stray program would.
namespace StoreFileDamage {

// Overwrites the first interior page of a table (the root of the contacts
// table in a store of a few thousand contacts) with garbage. False when the
// file has no such page.
inline bool damageInteriorPage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray header = file.read(100);
    if (header.size() < 100)
        return false;
    // Big-endian at offset 16; 1 stands for 65536.
    const int stored = (uchar(header[16]) << 8) | uchar(header[17]);
    const qint64 pageSize = stored == 1 ? 65536 : stored;
    constexpr char interiorTablePage = 0x05;
    // Page 1 starts with the file header; its tree header is not at the start.
    for (qint64 offset = pageSize; offset + pageSize <= file.size(); offset += pageSize) {
        file.seek(offset);
        if (file.read(1) != QByteArray(1, interiorTablePage))
            continue;
        file.seek(offset);
        return file.write(QByteArray(pageSize, char(0xA5))) == pageSize;
    }
    return false;
}

// Replaces the stored fields of the first contact with bytes that are no
// record; the file itself stays sound.
inline bool damageFirstContactFields(const QString &path)
{
    sqlite3 *db = nullptr;
    const bool ok
        = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(db, "UPDATE contacts SET fields = x'ffffffff' WHERE id = (SELECT min(id) FROM contacts)",
               nullptr, nullptr, nullptr)
            == SQLITE_OK
        && sqlite3_changes(db) == 1;
    sqlite3_close(db);
    return ok;
}

} // namespace StoreFileDamage
