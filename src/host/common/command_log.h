// The log of dispatched command codes (host.h's log_command) that the crash report lists.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t COMMAND_LOG_STEP = 16384;

struct CommandLog {
    uint8_t* codes = nullptr;  // oldest first
    int32_t count = 0;
    int32_t capacity = 0;
    // How the array grows; tests replace it to make growth fail.
    void* (*reallocate)(void* block, std::size_t bytes) = nullptr;
};

// The one command log of the process.
CommandLog& command_log();
// Frees the codes and empties the log (free_app_data calls it). Keeps the allocator.
void release_command_log();
