#include "host/common/crash_report.h"

#include "host/common/command_log.h"

bool write_crash_report(std::FILE* file, const CommandLog& log) {
    bool written = std::fprintf(file, "total = %d\n", static_cast<int>(log.count)) > 0;
    for (int32_t i = 0; i < log.count; ++i) {
        written =
            std::fprintf(file, "%u      ", static_cast<unsigned>(log.codes[i])) > 0 && written;
    }
    return written;
}
