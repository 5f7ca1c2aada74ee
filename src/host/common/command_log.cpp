#include "host/common/command_log.h"

#include <cstdlib>

#include "host/common/app_gate.h"
#include "host/host.h"

CommandLog& command_log() {
    static CommandLog log{nullptr, 0, 0, std::realloc};
    return log;
}

void release_command_log() {
    CommandLog& log = command_log();
    std::free(log.codes);
    log.codes = nullptr;
    log.count = 0;
    log.capacity = 0;
}

void log_command(int code) {
    app_gate_pass();
    CommandLog& log = command_log();
    if (log.count == log.capacity) {
        if (log.capacity > INT32_MAX - COMMAND_LOG_STEP) return;
        const int32_t grown = log.capacity + COMMAND_LOG_STEP;
        void* block = log.reallocate(log.codes, static_cast<std::size_t>(grown));
        if (block == nullptr) return;  // the code is dropped; what was logged stays
        log.codes = static_cast<uint8_t*>(block);
        log.capacity = grown;
    }
    log.codes[log.count++] = static_cast<uint8_t>(code);
}
