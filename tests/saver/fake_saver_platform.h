// A window system for the saver core without windows: a message queue, a fake millisecond clock
// that moves on by one each time it is read, scripted input and a record of what was shown.
#pragma once

#include "saver/core/saver_platform.h"
#include "saver/core/saver_program.h"
#include "saver/core/settings_store.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct ShownPicture {
    uint32_t time;
    std::vector<uint8_t> top_first;  // the picture as the eye sees it, top row first
};

struct ShownError {
    std::string text;
    std::string caption;
};

class FakeSaverPlatform : public SaverPlatform {
public:
    bool register_window_class(const char* class_name) override;
    WindowHandle create_window(SaverWindow* owner, const char* class_name,
                               WindowHandle host) override;
    void destroy_window(WindowHandle window) override;
    void show_window(WindowHandle window) override;
    void client_size(WindowHandle window, int32_t* width, int32_t* height) override;
    void post_close(WindowHandle window) override;
    void post_quit(int code) override;
    intptr_t default_handling(WindowHandle, uint32_t, uintptr_t, intptr_t) override { return 0; }
    PaintContext begin_paint(WindowHandle) override { return PaintContext{}; }
    void end_paint(WindowHandle, const PaintContext&) override {}
    MessageStep take_message(int* quit_code) override;
    void wait_message() override;
    // Moves the clock on to the time asked after the last reading, or only up to the next
    // scripted action.
    void wait_message_for(uint32_t milliseconds) override;
    uint32_t now_ms() override {
        last_reading = clock++;
        return last_reading;
    }
    ScreenPoint cursor_position() override { return cursor; }
    void show_cursor(bool visible) override { cursor_calls.push_back(visible); }
    int password_prompt(WindowHandle owner) override;
    void show_error(WindowHandle, const char* text, const char* caption) override {
        errors.push_back({text, caption});
    }
    bool create_picture(WindowHandle window, SaverPicture* picture) override;
    void present_picture(WindowHandle window, const SaverPicture& picture,
                         const PaintContext* paint, int32_t width, int32_t height) override;
    void release_picture(SaverPicture* picture) override;

    // Runs `action` the first time the loop looks for a message at or after `time`.
    void at(uint32_t time, std::function<void()> action) {
        scheduled.emplace(time, std::move(action));
    }
    void send(uint32_t message) { queue.push_back(message); }

    uint32_t clock = 1000;
    ScreenPoint cursor{100, 100};
    bool class_registration_fails = false;
    bool picture_creation_fails = false;
    std::vector<int> prompt_answers;  // one per prompt, taken in order; 2 when none is left
    int prompts = 0;
    std::function<void()> while_prompting;  // runs inside every prompt, before its answer
    std::vector<bool> cursor_calls;
    std::vector<ShownError> errors;
    std::vector<ShownPicture> shown;
    WindowHandle created_host = NO_WINDOW;
    std::string created_class;
    bool shown_window = false;
    bool window_alive = false;
    bool quit_posted = false;
    int waits = 0;
    // The time left each timed wait was asked for.
    std::vector<uint32_t> timed_waits;
    uint32_t last_reading = 0;

private:
    SaverWindow* owner_ = nullptr;
    std::deque<uint32_t> queue;
    std::multimap<uint32_t, std::function<void()>> scheduled;
    std::vector<uint8_t> picture_memory_;
};

// The program's other needs, recorded.
class FakeSaverFront : public SaverFront {
public:
    WindowHandle foreground_window() override { return foreground; }
    bool full_screen_saver_running(bool full_screen) override {
        running_checks.push_back(full_screen);
        return saver_running;
    }
    void choose_animation_file(WindowHandle owner, std::string* path) override;
    void change_password_dialog(WindowHandle parent) override { change_parents.push_back(parent); }
    void enable_input_method(WindowHandle, bool enabled) override { ime_calls.push_back(enabled); }

    WindowHandle foreground = 777;
    bool saver_running = false;
    std::vector<bool> running_checks;  // full_screen of each check
    std::vector<WindowHandle> settings_owners;
    std::vector<std::string> initial_selections;
    bool cancel_file_dialog = true;
    std::string chosen_file;
    std::vector<WindowHandle> change_parents;
    std::vector<bool> ime_calls;
};

// Registry values in memory: key -> name -> value.
class MemorySettingsStore : public SettingsStore {
public:
    struct Value {
        bool is_number = false;
        std::string text;
        uint32_t number = 0;
    };
    bool key_exists(const char* key) override { return keys.count(key) != 0; }
    bool read_string(const char* key, const char* name, size_t buffer_size,
                     std::string* value) override;
    bool read_number(const char* key, const char* name, uint32_t* value) override;
    bool write_string(const char* key, const char* name, const std::string& value) override;

    void set_string(const std::string& key, const std::string& name, const std::string& text) {
        keys[key][name] = Value{false, text, 0};
    }
    void set_number(const std::string& key, const std::string& name, uint32_t number) {
        keys[key][name] = Value{true, std::string(), number};
    }
    std::map<std::string, std::map<std::string, Value>> keys;
    bool writes_fail = false;  // as a registry.ini that cannot be replaced
};
