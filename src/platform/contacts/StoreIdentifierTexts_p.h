#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// The identifiers of a store's contacts by row id, their UTF-8 texts end to
// end in one block: a group's members, read in row-id order, walk the ids
// once. A table of 50,000 identifiers made into strings, for 54,000 members
// to share, was a quarter of the first switch to a group.
class StoreIdentifierTexts {
public:
    void add(qint64 rowId, QByteArrayView utf8);
    // Puts the ids in order; after the last add, before the first find.
    void finish();

    // Finds texts by rising row ids; a lower id than the last one asked for
    // starts from the first again.
    class Walk {
    public:
        explicit Walk(const StoreIdentifierTexts &texts)
            : m_texts(texts)
        {
        }
        // The text's UTF-8 bytes, valid as long as the texts.
        [[nodiscard]] std::optional<QByteArrayView> find(qint64 rowId);

    private:
        const StoreIdentifierTexts &m_texts;
        std::size_t m_next = 0;
    };

private:
    struct Entry {
        qint64 rowId = 0;
        qsizetype start = 0;
        qsizetype size = 0;
    };

    // Not null, so that an empty text reads as empty, as the store gives it.
    QByteArray m_utf8{""};
    std::vector<Entry> m_entries;
};
