// Parses arbitrary bytes as a mepu-script script. Whatever it accepts must hold only what the
// scripted host can replay: buttons it knows, no negative waits, line numbers inside the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/script/script_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Script script;
    ScriptError error;
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (!parse_script(text, &script, &error)) {
        if (error.line < 1 || error.line > lines || error.message.empty()) __builtin_trap();
        return 0;
    }
    for (const ScriptStep& step : script.steps) {
        if (step.line < 1 || step.line > lines) __builtin_trap();
        if (step.kind == StepKind::wait && step.polls < 0) __builtin_trap();
        if ((step.kind == StepKind::press || step.kind == StepKind::release) &&
            step.button != PointerButton::left && step.button != PointerButton::right) {
            __builtin_trap();
        }
    }
    return 0;
}
