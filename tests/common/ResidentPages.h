#pragma once

#include <QChar>
#include <QtGlobal>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

// How many of the pages wholly inside [begin, end) the process holds in
// memory: the pages given back to the system are not among them.
inline qsizetype residentPages(const QChar *begin, const QChar *end)
{
    const auto pageSize = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(begin) + pageSize - 1) / pageSize * pageSize;
    const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(end) / pageSize * pageSize;
    if (to <= from)
        return 0;
    std::vector<unsigned char> pages((to - from) / pageSize);
    if (mincore(reinterpret_cast<void *>(from), to - from, pages.data()) != 0)
        return -1;
    qsizetype resident = 0;
    for (const unsigned char page : pages)
        resident += page & 1;
    return resident;
}
#endif
