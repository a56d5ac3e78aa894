#include "model/InternedText.h"

#include <QDebug>

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

namespace {

// The texts by number, in chunks that never move once made: a reader on
// another thread looks a number up without the lock while new texts are
// added. Only the table of chunks is set aside whole, and the few pages of
// it ever used are all that take memory.
constexpr quint32 chunkSize = 1024;
constexpr quint32 chunkCount = 1024;
using Chunk = std::array<const QString *, chunkSize>;

std::array<std::atomic<Chunk *>, chunkCount> &chunks()
{
    static std::array<std::atomic<Chunk *>, chunkCount> table{};
    return table;
}

} // namespace

quint32 InternedText::intern(const QString &text)
{
    if (text.isNull())
        return 0;
    // Records are made in runs that all take the same text.
    thread_local quint32 last = 0;
    if (last != 0 && textOf(last) == text)
        return last;
    static std::mutex mutex;
    static std::map<QString, quint32> numbers;
    const std::lock_guard lock(mutex);
    const auto found = numbers.find(text);
    if (found != numbers.end())
        return last = found->second;
    const auto number = quint32(numbers.size() + 1);
    if (number >= chunkSize * chunkCount) {
        qWarning("%s: ERROR no room for another text, %s read as null", Q_FUNC_INFO, qPrintable(text));
        return 0;
    }
    std::atomic<Chunk *> &chunk = chunks()[number / chunkSize];
    if (!chunk.load(std::memory_order_relaxed))
        chunk.store(new Chunk{}, std::memory_order_release);
    const auto inserted = numbers.emplace(text, number).first;
    (*chunk.load(std::memory_order_relaxed))[number % chunkSize] = &inserted->first;
    return last = number;
}

const QString &InternedText::textOf(quint32 number)
{
    static const QString null;
    if (number == 0)
        return null;
    return *(*chunks()[number / chunkSize].load(std::memory_order_acquire))[number % chunkSize];
}
