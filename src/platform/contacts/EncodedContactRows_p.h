#pragma once

#include "platform/contacts/StoreContact.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class SqliteStatement;

// The rows of a contact query as the store holds them, read on one thread
// and decoded on several: on a start with 50,000 contacts decoding them and
// what the caller makes of each took most of the load, and no row depends on
// another.
class EncodedContactRows {
public:
    // Each row decoded holds the keys of the mask.
    explicit EncodedContactRows(quint64 keys)
        : m_keys(keys)
    {
    }

    // Keeps the current row of a contact query (identifier, fields, image,
    // thumbnail), copied out of the statement.
    void append(const SqliteStatement &row);
    [[nodiscard]] qsizetype size() const { return qsizetype(m_rows.size()); }

    // Decodes every row and hands it to `block` with its place among the
    // rows, on the threads of the pool and the calling one; each place comes
    // once, in no fixed order, and `block` may move the contact away. False
    // when a row is damaged (the block has seen others by then).
    [[nodiscard]] bool decodeConcurrently(
        const std::function<void(qsizetype place, StoreContact &contact)> &block) const;

private:
    struct Row {
        QString identifier;
        QByteArray fields;
        QByteArray image;
        QByteArray thumbnail;
    };

    // Decodes the rows [first, last); false at the first damaged one.
    [[nodiscard]] bool decodeRange(
        qsizetype first, qsizetype last, const std::function<void(qsizetype, StoreContact &)> &block) const;

    quint64 m_keys = 0;
    std::vector<Row> m_rows;
};
