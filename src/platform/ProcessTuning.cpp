#include "platform/ProcessTuning.h"

#include <QtGlobal>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ProcessTuning {

void applyApplicationSettings()
{
#if defined(__GLIBC__)
    if (mallopt(M_MXFAST, 0) != 1)
        qWarning("%s: ERROR the allocator refused to turn off its fast bins", Q_FUNC_INFO);
#endif
}

} // namespace ProcessTuning
