#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "host/common/app_gate.h"
#include "host/script/script_state.h"

namespace {
template <typename Queue>
std::optional<typename Queue::value_type> take_next(Queue& queue) {
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    if (queue.empty()) return std::nullopt;
    auto next = std::move(queue.front());
    queue.pop_front();
    return next;
}

// Texts go into the log quoted, with line breaks made visible so that one box is one line.
std::string quoted(const char* text) {
    std::string shown = sjis_to_utf8(text == nullptr ? "" : text);
    std::string escaped = "\"";
    for (const char c : shown) {
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else
            escaped += c;
    }
    return escaped + "\"";
}

const char* answer_word(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::ok: return "ok";
        case MessageAnswer::yes: return "yes";
        case MessageAnswer::no: return "no";
        case MessageAnswer::retry: return "retry";
        case MessageAnswer::cancel: return "cancel";
    }
    return "?";
}

const char* buttons_word(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::ok: return "ok";
        case MessageButtons::yes_no: return "yes_no";
        case MessageButtons::retry_cancel: return "retry_cancel";
    }
    return "?";
}

const char* icon_word(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::none: return "none";
        case MessageIcon::error: return "error";
        case MessageIcon::exclamation: return "exclamation";
        case MessageIcon::information: return "information";
    }
    return "?";
}

// The answer a box gives when it is closed without one of its buttons.
MessageAnswer closing_answer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::ok: return MessageAnswer::ok;
        case MessageButtons::yes_no: return MessageAnswer::no;
        case MessageButtons::retry_cancel: return MessageAnswer::cancel;
    }
    return MessageAnswer::ok;
}

bool fits(MessageButtons buttons, MessageAnswer answer) {
    switch (buttons) {
        case MessageButtons::ok: return answer == MessageAnswer::ok;
        case MessageButtons::yes_no:
            return answer == MessageAnswer::yes || answer == MessageAnswer::no;
        case MessageButtons::retry_cancel:
            return answer == MessageAnswer::retry || answer == MessageAnswer::cancel;
    }
    return false;
}

bool exists(const std::string& path, bool folder) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (S_ISDIR(info.st_mode) == folder);
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file-name part and the full path into the dialog's buffers.
void deliver_path(const std::string& path, char* name, char* full_path) {
    const std::size_t slash = path.rfind('/');
    const std::string file_name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::memcpy(full_path, path.c_str(), path.size() + 1);
    if (name != nullptr) std::memcpy(name, file_name.c_str(), file_name.size() + 1);
}

// One file dialog: takes the next file answer. A path the real dialog would not accept (too
// long, a missing folder, a missing file to open) cancels it, and the log says why.
int choose_file(const char* kind, char* name, char* path, const char* title, const char* pattern,
                bool saving) {
    app_gate_pass();
    std::optional<std::optional<std::string>> next = take_next(script_state().script.files);
    std::string line = std::string(kind) + " " + quoted(title) + " " +
                       sjis_to_utf8(pattern == nullptr ? "" : pattern) + " -> ";
    if (!next || !*next || path == nullptr) {
        script_log(line + "cancel");
        return 0;
    }
    std::string chosen = **next;
    const std::size_t slash = chosen.rfind('/');
    const std::string file_name = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    if (saving && file_name.find('.') == std::string::npos) chosen += ".mpa";
    const char* refusal = nullptr;
    if (chosen.size() + 1 > static_cast<std::size_t>(FILE_NAME_CAPACITY))
        refusal = "too long";
    else if (!exists(folder_of(chosen), true))
        refusal = "no such folder";
    else if (!saving && !exists(chosen, false))
        refusal = "no such file";
    if (refusal != nullptr) {
        script_log(line + "cancel (" + chosen + ": " + refusal + ")");
        return 0;
    }
    deliver_path(chosen, name, path);
    script_log(line + chosen);
    return 1;
}
}  // namespace

MessageAnswer message_box(const char* text, const char* title, MessageButtons buttons,
                          MessageIcon icon) {
    app_gate_pass();
    const std::optional<MessageAnswer> next = take_next(script_state().script.answers);
    const MessageAnswer answer = next && fits(buttons, *next) ? *next : closing_answer(buttons);
    script_log(std::string("box ") + buttons_word(buttons) + " " + icon_word(icon) + " " +
               quoted(title) + " " + quoted(text) + " -> " + answer_word(answer));
    return answer;
}

int input_value(int maximum, int minimum, int* value) {
    app_gate_pass();
    if (value == nullptr) return -1;
    const std::optional<std::optional<int>> next = take_next(script_state().script.values);
    std::string line = "value " + std::to_string(minimum) + ".." + std::to_string(maximum) +
                       " start " + std::to_string(*value) + " -> ";
    if (!next || !*next) {
        script_log(line + "cancel");
        return -1;
    }
    // The scroll bar cannot leave its range, so neither can a scripted answer.
    int chosen = **next;
    if (minimum <= maximum) chosen = std::clamp(chosen, minimum, maximum);
    *value = chosen;
    script_log(line + std::to_string(chosen));
    return 0;
}

int input_string(char* buffer, int capacity) {
    app_gate_pass();
    if (buffer == nullptr || capacity < 1) return -1;
    const std::optional<std::optional<std::string>> next = take_next(script_state().script.strings);
    std::string line = "string " + quoted(buffer) + " -> ";
    if (!next || !*next) {
        script_log(line + "cancel");
        return -1;
    }
    const std::string text = next->value().substr(0, static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    script_log(line + quoted(buffer));
    return 0;
}

int choose_open_file(char* name, char* path, const char* title, const char* pattern,
                     const char* /*description*/) {
    return choose_file("open", name, path, title, pattern, false);
}

const char* prepare_program_file_dialog(char* /*name*/, char* /*path*/) {
    // The scripted host names the file it chooses itself; it asks as the Windows program does.
    return "mepu.exe";
}

int choose_save_file(char* name, char* path, const char* title, const char* pattern,
                     const char* /*description*/) {
    return choose_file("save", name, path, title, pattern, true);
}

void script_host_queue_answer(MessageAnswer answer) {
    script_state().script.answers.push_back(answer);
}

void script_host_queue_value(int value) { script_state().script.values.push_back(value); }

void script_host_queue_value_cancel() { script_state().script.values.push_back(std::nullopt); }

void script_host_queue_string(const char* text) {
    script_state().script.strings.push_back(std::string(text));
}

void script_host_queue_string_cancel() { script_state().script.strings.push_back(std::nullopt); }

void script_host_queue_file(const char* path) {
    script_state().script.files.push_back(std::string(path));
}

void script_host_queue_file_cancel() { script_state().script.files.push_back(std::nullopt); }
