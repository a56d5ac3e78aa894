#pragma once

// Process-wide settings the application makes once at start-up, before it
// builds any records. The benchmarks make the same ones, so that they measure
// what the application does.
namespace ProcessTuning {

// A contact read from a file or the store is about sixty small heap blocks.
// glibc keeps freed small blocks in "fast bins" and merges them all in one
// late pass, when they have long left the cache; with tens of thousands of
// contacts freed together (a reload, a closed document) that pass costs as
// much as reading them did. Without fast bins each block is merged as it is
// freed; the per-thread cache still serves the small allocations.
//
// glibc also raises its threshold for mapping a block on its own to the size
// of the largest mapped block freed so far, up to 32 MiB: once a large file's
// text has been freed, the buffers of many megabytes that follow (row lists,
// sort buffers, the postal data's unpacked tables) come from the heap and stay
// in the process after they are freed, beside the records of the file. The
// threshold is fixed at 1 MiB instead.
void applyApplicationSettings();

} // namespace ProcessTuning
