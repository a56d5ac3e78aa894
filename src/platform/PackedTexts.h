#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// Several short texts copied into one block of characters, each handed out
// as a QString that shares the block: a record of a large file holds a few
// short texts of its own (a name, a street, a phone number), and a block
// each cost a header and the allocator's rounding for every one of them.
//
// Every text ends in a null character of its own, as a QString's characters
// do. A text shares the block as a substring made by Qt would: changing it
// while another text still holds the block copies it first, and the block
// goes with the last text that holds it. One text alone is a QString made
// as any other.
class PackedTexts {
public:
    // Copies text in, after those added before it.
    void add(QStringView text);
    // The texts added, in their order, all sharing one new block; none added
    // are left.
    [[nodiscard]] QVarLengthArray<QString, 8> take();

private:
    QVarLengthArray<char16_t, 256> m_characters; // each text and its null
    QVarLengthArray<qsizetype, 8> m_ends; // where each text's null lies
};
