#include "probe_clock.h"

#include <windows.h>

int64_t probe_wall_ns() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    const int64_t seconds = now.QuadPart / frequency.QuadPart;
    const int64_t rest = now.QuadPart % frequency.QuadPart;
    return seconds * 1000000000 + rest * 1000000000 / frequency.QuadPart;
}

int64_t probe_process_cpu_ns() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& t) {
        return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) |
                                    t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 100;  // 100 ns units
}
