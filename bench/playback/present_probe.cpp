// Records the moment the application thread hands each frame to the host, so a run of the real
// editor shows how evenly its playback keeps time. Active only when MEPU_PLAYBACK_PROBE gives the
// number of frames to record: after that many presents it writes playback-probe.txt into the
// current folder (one line per present: wall clock and process CPU time, nanoseconds) and ends
// the process.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "probe_clock.h"

// C linkage, so that the names are exactly the ones the linker's --wrap puts in place.
extern "C" {
void __real__Z14present_screenv();
void __real__Z10print_pagei(int32_t index);
void __wrap__Z14present_screenv();
void __wrap__Z10print_pagei(int32_t index);
}

namespace {

struct Sample {
    int64_t wall_ns;
    int64_t cpu_ns;
};

// Only the thread that prints pages is playing; the GUI thread also presents when it repaints.
thread_local bool prints_pages = false;

struct Recorder {
    long wanted = 0;
    std::vector<Sample> samples;

    Recorder() {
        if (const char* frames = std::getenv("MEPU_PLAYBACK_PROBE"))
            wanted = std::strtol(frames, nullptr, 10);
        if (wanted > 0) samples.reserve(static_cast<size_t>(wanted));
    }

    void record() {
        if (wanted <= 0) return;
        samples.push_back({probe_wall_ns(), probe_process_cpu_ns()});
        if (static_cast<long>(samples.size()) < wanted) return;
        if (std::FILE* out = std::fopen("playback-probe.txt", "w")) {
            for (const Sample& s : samples)
                std::fprintf(out, "%lld %lld\n", static_cast<long long>(s.wall_ns),
                             static_cast<long long>(s.cpu_ns));
            std::fclose(out);
        }
        std::_Exit(0);
    }
};

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

}  // namespace

extern "C" void __wrap__Z10print_pagei(int32_t index) {
    prints_pages = true;
    __real__Z10print_pagei(index);
}

extern "C" void __wrap__Z14present_screenv() {
    __real__Z14present_screenv();
    if (prints_pages) recorder().record();
}
