#pragma once

// Runs the benchmarks the program registered, as the benchmark library's own
// main would; the mains differ only in the application object they make.
int runBenchmarks(int argc, char **argv);
