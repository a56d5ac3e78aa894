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
void applyApplicationSettings();

} // namespace ProcessTuning
