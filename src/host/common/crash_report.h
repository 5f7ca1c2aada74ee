// The crash report mepu.erf: "total = N\n", then each code as "%d" followed by six blanks.
#pragma once

#include <cstdio>

struct CommandLog;

constexpr const char* CRASH_REPORT_FILE = "mepu.erf";

// Writes the report of `log` to an open text file. False when a write failed.
bool write_crash_report(std::FILE* file, const CommandLog& log);
