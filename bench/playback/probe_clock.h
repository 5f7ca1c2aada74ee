// The two clocks the playback probe reads, in nanoseconds.
#pragma once

#include <cstdint>

// A steady clock of sub-microsecond resolution.
int64_t probe_wall_ns();
// Processor time used so far by the whole process (every thread, user and system).
int64_t probe_process_cpu_ns();
