// The script of the scripted host: one command per line, read into timed pointer steps and four
// untimed answer queues.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "host/common/pointer_state.h"
#include "host/host.h"

// tap: a press and its release both before the next poll, as a quick click or a touchpad tap.
enum class StepKind { move, press, release, tap, wait, dump_canvas, dump_text };

struct ScriptStep {
    StepKind kind = StepKind::wait;
    int x = 0;  // move
    int y = 0;
    PointerButton button = PointerButton::left;  // press, release, tap
    int polls = 0;                               // wait
    std::string path;                            // dumps
    int line = 0;
};

struct Script {
    std::vector<ScriptStep> steps;
    std::deque<std::optional<int>> values;           // nullopt: cancel
    std::deque<std::optional<std::string>> strings;  // Shift-JIS; nullopt: cancel
    std::deque<std::optional<std::string>> files;    // path bytes; nullopt: cancel
    std::deque<MessageAnswer> answers;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Parses a whole script. Blank lines and lines whose first non-blank character is '#' are
// ignored, and a '#' after a blank starts a comment elsewhere. A CR before the line end is
// dropped. `string` and `file` take the rest of the line (after one blank) as their text.
// False with the first error's line and message.
bool parse_script(const std::string& text, Script* script, ScriptError* error);
