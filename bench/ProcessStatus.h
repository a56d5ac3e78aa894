#pragma once

// A size this process reports of itself in /proc/self/status, in kilobytes:
// "VmRSS" for what it holds now, "VmHWM" for the most it has held. -1 when
// the line cannot be read.
long processStatusKilobytes(const char *field);
