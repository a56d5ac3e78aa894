#include "platform/contacts/EncodedContactRows_p.h"

#include "platform/contacts/SqliteStatement_p.h"
#include "platform/contacts/StoreContactCodec_p.h"

#include <QtConcurrent/QtConcurrentMap>

#include <atomic>

namespace {

// Enough rows per task that handing tasks out costs nothing, few enough that
// the threads finish together.
constexpr qsizetype rowsPerTask = 256;

} // namespace

void EncodedContactRows::append(const SqliteStatement &row)
{
    m_rows.push_back({row.columnText(0), row.columnBlob(1), row.columnBlob(2), row.columnBlob(3)});
}

bool EncodedContactRows::decodeRange(
    qsizetype first, qsizetype last, const std::function<void(qsizetype, StoreContact &)> &block) const
{
    for (qsizetype place = first; place < last; ++place) {
        const Row &row = m_rows[std::size_t(place)];
        StoreContact contact = StoreContactCodec::fetchedContact(row.identifier, m_keys);
        if (!StoreContactCodec::decode(row.fields, &contact))
            return false;
        StoreContactCodec::setImages(&contact, row.image, row.thumbnail);
        block(place, contact);
    }
    return true;
}

bool EncodedContactRows::decodeConcurrently(const std::function<void(qsizetype, StoreContact &)> &block) const
{
    std::vector<qsizetype> firsts;
    for (qsizetype first = 0; first < size(); first += rowsPerTask)
        firsts.push_back(first);
    std::atomic<bool> damaged{false};
    QtConcurrent::blockingMap(firsts, [&](const qsizetype first) {
        if (damaged.load(std::memory_order_relaxed))
            return;
        if (!decodeRange(first, std::min(first + rowsPerTask, size()), block))
            damaged.store(true, std::memory_order_relaxed);
    });
    return !damaged.load();
}
