// Splits arbitrary bytes at NUL bytes into the saver's arguments and parses them: every result
// must be one of the four modes or the settings fallback, with a window only where one was given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "saver/core/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back().push_back(static_cast<char>(data[i]));
        }
    }
    std::vector<const char*> args;
    for (const std::string& word : words) args.push_back(word.c_str());
    const int count = size == 0 ? 0 : static_cast<int>(args.size());
    const SaverCommand command = parse_command_line(count, args.data());
    if (command.mode < SAVER_MODE_OTHER || command.mode > SAVER_MODE_CHANGE_PASSWORD) {
        __builtin_trap();
    }
    if (command.window_source == WindowSource::ARGUMENT &&
        (count < 2 || command.window == 0 ||
         (command.mode != SAVER_MODE_PREVIEW && command.mode != SAVER_MODE_CHANGE_PASSWORD))) {
        __builtin_trap();
    }
    return 0;
}
