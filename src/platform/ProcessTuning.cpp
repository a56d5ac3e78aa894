#include "platform/ProcessTuning.h"

#include <QtGlobal>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ProcessTuning {

namespace {

#if defined(__GLIBC__)
// Blocks from this size up are mapped on their own and go back to the system
// when freed.
constexpr int largeBlockBytes = 1 << 20;
#endif

} // namespace

void applyApplicationSettings()
{
#if defined(__GLIBC__)
    if (mallopt(M_MXFAST, 0) != 1)
        qWarning("%s: ERROR the allocator refused to turn off its fast bins", Q_FUNC_INFO);
    if (mallopt(M_MMAP_THRESHOLD, largeBlockBytes) != 1)
        qWarning("%s: ERROR the allocator refused its threshold for mapped blocks", Q_FUNC_INFO);
#endif
}

} // namespace ProcessTuning
