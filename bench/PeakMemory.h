#pragma once

// The peak resident size of this process image (VmHWM of /proc/self/status),
// in kilobytes; -1 when it can't be read. ru_maxrss would not do for a
// benchmark's child: it keeps the peak of the process image before exec.
long peakKilobytes();
