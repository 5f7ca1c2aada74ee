#include "probe_clock.h"

#include <time.h>

namespace {

int64_t read_clock(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

int64_t probe_wall_ns() { return read_clock(CLOCK_MONOTONIC); }

int64_t probe_process_cpu_ns() { return read_clock(CLOCK_PROCESS_CPUTIME_ID); }
