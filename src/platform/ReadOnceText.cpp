#include "platform/ReadOnceText.h"

#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>

namespace {

// The memory is given back a few hundred pages at a time, so that a file of
// small records makes few calls to the system.
constexpr qsizetype leastUnitsGivenBack = qsizetype(1) << 19;

#if defined(Q_OS_LINUX)
// Gives back the pages wholly inside [begin, end) and answers where the last
// one ends (begin when there is none): the page that holds the text's header
// before its first character is never one of them.
const QChar *giveBackPages(const QChar *begin, const QChar *end)
{
    static const auto pageSize = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(begin) + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(end) / pageSize * pageSize;
    if (to <= from)
        return begin;
    if (madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED) != 0)
        qWarning("ReadOnceText::giveBackBefore: ERROR the system took no memory back");
    return begin + (to - reinterpret_cast<std::uintptr_t>(begin)) / sizeof(QChar);
}
#endif

} // namespace

ReadOnceText::ReadOnceText(QString &&text)
    : m_text(std::move(text))
    // A text shared with another holder, or one kept outside the heap, is
    // only read.
    , m_ownsMemory(m_text.isDetached() && m_text.capacity() > 0)
{
}

void ReadOnceText::giveBackBefore(qsizetype position)
{
    position = qBound(qsizetype(0), position, m_text.size());
    if (!m_ownsMemory || position - m_givenBack < leastUnitsGivenBack)
        return;
#if defined(Q_OS_LINUX)
    const QChar *const start = m_text.constData();
    m_givenBack = giveBackPages(start + m_givenBack, start + position) - start;
#else
    m_givenBack = position;
#endif
}
