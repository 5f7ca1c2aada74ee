#include "host/script/script_reader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "host/script/script_host_testing.h"

namespace {
// Every character the word split treats as a blank, so a line kept as not blank has a first word.
constexpr const char* BLANKS = " \t\v\f\r";

bool is_blank(char c) { return std::strchr(BLANKS, c) != nullptr && c != '\0'; }

std::string strip_comment(const std::string& line) {
    std::string kept = line;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i] == '#' && (i == 0 || is_blank(kept[i - 1]))) {
            kept.resize(i);
            break;
        }
    }
    while (!kept.empty() && is_blank(kept.back())) kept.pop_back();
    std::size_t start = kept.find_first_not_of(BLANKS);
    return start == std::string::npos ? std::string() : kept.substr(start);
}

bool parse_int(const std::string& word, int* value) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) return false;
    *value = static_cast<int>(parsed);
    return true;
}

class LineParser {
public:
    LineParser(const std::string& line, int number, Script* script)
        : line_(line), number_(number), script_(script) {
        std::istringstream in(line);
        for (std::string word; in >> word;) words_.push_back(word);
    }

    // Empty when the line is good, otherwise the error message.
    std::string parse() {
        const std::string& command = words_[0];
        if (command == "move" || command == "click" || command == "rclick") return pointer_at();
        if (command == "press" || command == "release" || command == "tap") return button();
        if (command == "wait") return wait();
        if (command == "value") return value();
        if (command == "string") return string_answer();
        if (command == "file") return file_answer();
        if (command == "answer") return answer();
        if (command == "dump") return dump();
        return "unknown command '" + command + "'";
    }

private:
    std::string count_error(std::size_t wanted) {
        return "'" + words_[0] + "' takes " + std::to_string(wanted) +
               (wanted == 1 ? " argument" : " arguments");
    }

    void add(ScriptStep step) {
        step.line = number_;
        script_->steps.push_back(std::move(step));
    }

    std::string pointer_at() {
        if (words_.size() != 3) return count_error(2);
        ScriptStep move;
        move.kind = StepKind::move;
        if (!parse_int(words_[1], &move.x) || !parse_int(words_[2], &move.y)) {
            return "bad number in '" + line_ + "'";
        }
        add(move);
        if (words_[0] == "move") return {};
        ScriptStep press;
        press.kind = StepKind::press;
        press.button = words_[0] == "click" ? PointerButton::left : PointerButton::right;
        add(press);
        ScriptStep release = press;
        release.kind = StepKind::release;
        add(release);
        return {};
    }

    std::string button() {
        if (words_.size() != 2) return count_error(1);
        ScriptStep step;
        step.kind = words_[0] == "press"     ? StepKind::press
                    : words_[0] == "release" ? StepKind::release
                                             : StepKind::tap;
        if (words_[1] == "left")
            step.button = PointerButton::left;
        else if (words_[1] == "right")
            step.button = PointerButton::right;
        else
            return "expected left or right, not '" + words_[1] + "'";
        add(step);
        return {};
    }

    std::string wait() {
        if (words_.size() != 2) return count_error(1);
        ScriptStep step;
        step.kind = StepKind::wait;
        if (!parse_int(words_[1], &step.polls) || step.polls < 0) {
            return "bad number of polls '" + words_[1] + "'";
        }
        add(step);
        return {};
    }

    std::string value() {
        if (words_.size() != 2) return count_error(1);
        if (words_[1] == "cancel") {
            script_->values.push_back(std::nullopt);
            return {};
        }
        int number = 0;
        if (!parse_int(words_[1], &number)) return "bad number '" + words_[1] + "'";
        script_->values.push_back(number);
        return {};
    }

    // The text after the command word and one blank, as written.
    std::string rest() const {
        return line_.size() > words_[0].size() ? line_.substr(words_[0].size() + 1) : "";
    }

    std::string string_answer() {
        if (words_.size() < 2) return count_error(1);
        if (words_.size() == 2 && words_[1] == "cancel") {
            script_->strings.push_back(std::nullopt);
            return {};
        }
        std::string bytes;
        if (!utf8_to_sjis(rest(), &bytes)) return "text without a Shift-JIS form: '" + rest() + "'";
        script_->strings.push_back(bytes);
        return {};
    }

    std::string file_answer() {
        if (words_.size() < 2) return count_error(1);
        if (words_.size() == 2 && words_[1] == "cancel")
            script_->files.push_back(std::nullopt);
        else
            script_->files.push_back(rest());
        return {};
    }

    std::string answer() {
        if (words_.size() != 2) return count_error(1);
        static constexpr struct {
            const char* word;
            MessageAnswer answer;
        } ANSWERS[] = {{"ok", MessageAnswer::ok},
                       {"yes", MessageAnswer::yes},
                       {"no", MessageAnswer::no},
                       {"retry", MessageAnswer::retry},
                       {"cancel", MessageAnswer::cancel}};
        for (const auto& known : ANSWERS) {
            if (words_[1] == known.word) {
                script_->answers.push_back(known.answer);
                return {};
            }
        }
        return "unknown answer '" + words_[1] + "' (ok, yes, no, retry or cancel)";
    }

    std::string dump() {
        if (words_.size() < 3) return "'dump' takes canvas or text and a file";
        ScriptStep step;
        if (words_[1] == "canvas")
            step.kind = StepKind::dump_canvas;
        else if (words_[1] == "text")
            step.kind = StepKind::dump_text;
        else
            return "expected canvas or text, not '" + words_[1] + "'";
        step.path = line_.substr(line_.find(words_[1]) + words_[1].size() + 1);
        add(step);
        return {};
    }

    std::string line_;
    int number_;
    Script* script_;
    std::vector<std::string> words_;
};
}  // namespace

bool parse_script(const std::string& text, Script* script, ScriptError* error) {
    *script = Script();
    std::istringstream in(text);
    int number = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++number;
        const std::string line = strip_comment(raw);
        if (line.empty()) continue;
        std::string message = LineParser(line, number, script).parse();
        if (!message.empty()) {
            error->line = number;
            error->message = std::move(message);
            return false;
        }
    }
    return true;
}
